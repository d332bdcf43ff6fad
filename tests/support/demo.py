"""The real demo on an X server, driven with XTest, read from its memory and its screen (the one grabber, the
picture scripts' too); the shared checks."""
import io, os, pathlib, signal, struct, subprocess, tempfile, time

import numpy as np
from PIL import Image, ImageDraw
from Xlib import X, XK
from Xlib.ext import xtest

BIN = os.environ.get("WAVEGRID_BIN", "")
TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RUNNING = []


NM = subprocess.run(["nm", BIN], capture_output=True, text=True).stdout.split("\n") if BIN else []
SYMBOLS = {f[2]: int(f[0], 16) for f in map(str.split, NM) if len(f) == 3}  # the binary's addresses


class Demo:
    """The demo (or cmd, under wrap) in cwd, env added to ours (None removes), ended by finish or end_all."""

    def __init__(self, cwd=TOP, env={}, wrap=(), cmd=BIN):
        env = {k: v for k, v in {**os.environ, **env}.items() if v is not None}
        self.err = tempfile.TemporaryFile("w+")
        self.p = subprocess.Popen([*wrap, cmd], cwd=cwd, env=env, stdin=subprocess.PIPE,
                                  stdout=subprocess.PIPE, stderr=self.err,
                                  preexec_fn=lambda: signal.signal(signal.SIGINT, signal.SIG_DFL))
        RUNNING.append(self)

    def finish(self, seconds=20, sig=None):
        """The exit status; None, and the process killed, past the time."""
        if sig:
            self.p.send_signal(sig)
        try:
            return self.p.wait(seconds)
        except subprocess.TimeoutExpired:
            self.p.kill()
            self.p.wait()

    def errors(self):
        self.err.seek(0)
        return self.err.read()

    def read(self, name, fmt="i"):
        """A variable of the running demo's, by its symbol."""
        with open(f"/proc/{self.p.pid}/maps") as maps:
            base = next(int(l.split("-")[0], 16) for l in maps if l.rstrip().endswith(BIN))
        with open(f"/proc/{self.p.pid}/mem", "rb") as mem:
            mem.seek(base + SYMBOLS[name])
            return struct.unpack(fmt, mem.read(struct.calcsize(fmt)))[0]


def end_all():
    """Ends every demo a test started and left running."""
    while RUNNING:
        (demo := RUNNING.pop()).finish(0)
        for f in demo.p.stdin, demo.p.stdout, demo.err:
            f.close()


def failed(demo, head, log=None):
    """Start-up stopped: status 1 and one line, head and reason, on standard error or in log."""
    assert demo.finish(60) == 1
    err = pathlib.Path(log).read_text() if log else demo.errors()
    assert err.startswith(head) and err.count("\n") == 1 and err.split(": ", 1)[1].strip(), err
    return err


def tinted(shot):
    """The unturned grid, edge-on: light blue, lighting the middle rows across."""
    r, g, b = np.moveaxis(shot, 2, 0)
    return (shot[299:301].max(2) >= 128).mean() >= 0.9 and ((b >= g) & (g >= r))[shot.any(2)].mean() >= 0.9


def steers(shot, down, below=None):
    """Tinted and moving; Down makes it smaller; a pointer below the centre turns its face up."""
    assert until(lambda: tinted(shot())), f"not the tinted grid: {(s := shot()).any(2).mean():.0%} lit, within {picture(s).getbbox()}"
    first = shot()
    assert until(lambda: (shot() != first).any(2).mean() > 0.2), "not moving"
    down()
    assert until(lambda: shot().any(2).mean() < first.any(2).mean() / 4), "farther, smaller"

    reach = lambda: max(abs(np.flatnonzero(shot().max(2).max(1) >= 64) - 300), default=0)
    edge = reach()  # edge-on, far away: a thin line
    if below:
        below()
        assert until(lambda: reach() > 2 * edge, 10), edge


def grab(d):
    """The screen of display d, 16-bit as all the demo's are, as 8-bit RGB, top row first."""
    root = d.screen().root
    g = root.get_geometry()
    assert d.screen().root_depth == 16, f"a {d.screen().root_depth}-bit screen"
    px = np.frombuffer(root.get_image(0, 0, g.width, g.height, X.ZPixmap, 0xFFFFFFFF).data, np.uint16)
    px = px.reshape(g.height, g.width).astype(int)
    return np.stack([(px >> 11) * 255 // 31, (px >> 5 & 63) * 255 // 63, (px & 31) * 255 // 31], 2)


def picture(shot):
    return Image.fromarray(shot.astype(np.uint8))


def until(check, seconds=30):
    """Asks check until it holds or the time is up; its last answer."""
    end = time.time() + seconds
    while not check() and time.time() < end:
        time.sleep(0.1)
    return check()


def wait_lit(d, demo, seconds=30):  # the screen lit, or the demo gone
    return until(lambda: demo.p.poll() is not None or grab(d).any(), seconds) and grab(d).any()


def move(d, x, y, relative=False):
    xtest.fake_input(d, X.MotionNotify, relative, x=x, y=y)
    d.sync()


def key(d, name, down):
    xtest.fake_input(d, X.KeyPress if down else X.KeyRelease, d.keysym_to_keycode(XK.string_to_keysym(name)))
    d.sync()


def tap(d, name, times=1):
    for _ in range(times):
        key(d, name, True)
        key(d, name, False)
        time.sleep(0.005)  # SDL drops a release and press a few ms apart as auto-repeat


def bmp(w, h, mode, claim=0, colour="white", box=None):
    """An ellipse (a disc) on black; paletted, black is 0 and white 1: unconverted, it stays dark."""
    img, out = Image.new(mode, (w, h)), io.BytesIO()
    if mode == "P":
        img.putpalette([0, 0, 0, 255, 255, 255])
    ImageDraw.Draw(img).ellipse(box or (0, 0, w - 1, h - 1), fill=1 if mode in "1P" else colour)
    img.save(out, "BMP")
    data = out.getvalue()
    return data[:18] + claim.to_bytes(4, "little") * 2 + data[26:] if claim else data


def write(path, data):
    pathlib.Path(path).write_bytes(data)
