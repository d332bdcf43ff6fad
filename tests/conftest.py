"""The real demo on private X servers: launched, driven with XTest, its screen
read back and its parameter block read straight from its memory."""
import io, os, signal, struct, subprocess, tempfile, time

import numpy as np
import pytest
from PIL import Image, ImageDraw
from pyvirtualdisplay import Display
from Xlib import X, XK, display
from Xlib.ext import xtest

BIN, HERE = os.environ.get("WAVEGRID_BIN", ""), os.path.dirname(os.path.abspath(__file__))
NM = BIN and subprocess.run(["nm", BIN], capture_output=True, text=True).stdout.split("\n")
SYMBOLS = {f[2]: int(f[0], 16) for f in map(str.split, NM or []) if len(f) == 3}
SDL = os.environ.get("WAVEGRID_SDL")  # the folder of the SDL 1.2 under test
RUNNING = []


class Demo:
    def __init__(self, cwd=os.path.dirname(HERE), env={}, wrap=(), cmd=BIN):
        env = {k: v for k, v in {**os.environ, **env}.items() if v is not None}
        self.err = tempfile.TemporaryFile("w+")
        self.p = subprocess.Popen([*wrap, cmd], cwd=cwd, env=env, stdin=subprocess.PIPE,
                                  stdout=subprocess.PIPE, stderr=self.err,
                                  preexec_fn=lambda: signal.signal(signal.SIGINT, signal.SIG_DFL))
        RUNNING.append(self)

    def finish(self, seconds=20, sig=None):
        """The exit status; None, and the process killed, past the time."""
        sig and self.p.send_signal(sig)
        try:
            return self.p.wait(seconds)
        except subprocess.TimeoutExpired:
            self.p.kill()
            return self.p.wait() and None

    def errors(self):
        self.err.seek(0)
        return self.err.read()

    def read(self, name, fmt="i"):
        with open(f"/proc/{self.p.pid}/maps") as maps:
            base = next(int(l.split("-")[0], 16) for l in maps if l.rstrip().endswith(BIN))
        with open(f"/proc/{self.p.pid}/mem", "rb") as mem:
            mem.seek(base + SYMBOLS[name])
            return struct.unpack(fmt, mem.read(struct.calcsize(fmt)))[0]


def failed(demo, head, log=None):
    """Start-up stopped: status 1 and one line, head and reason, on standard error or in log."""
    assert demo.finish(60) == 1
    err = open(log).read() if log else demo.errors()
    assert err.startswith(head) and err.count("\n") == 1 and err.split(": ", 1)[1].strip(), err
    return err


def grab(d):
    """The 16-bit screen as 8-bit RGB, top row first."""
    g = d.screen().root.get_geometry()
    raw = d.screen().root.get_image(0, 0, g.width, g.height, X.ZPixmap, 0xFFFFFFFF).data
    px = np.frombuffer(raw, np.uint16).reshape(g.height, g.width).astype(int)
    return np.stack([(px >> 11) * 255 // 31, (px >> 5 & 63) * 255 // 63, (px & 31) * 255 // 31], 2)


def tinted(shot):
    """The unturned grid, edge-on: light blue, lighting the middle rows across."""
    r, g, b = np.moveaxis(shot, 2, 0)
    return (shot[299:301].max(2) >= 128).mean() >= 0.9 and ((b >= g) & (g >= r))[shot.any(2)].mean() >= 0.9


def until(check, seconds=30):
    end = time.time() + seconds
    while not check() and time.time() < end:
        time.sleep(0.1)
    return check()


def steers(shot, down, below=None):
    """Tinted and moving; Down makes it smaller; a pointer below the centre turns its face up."""
    assert tinted(first := shot()) and until(lambda: (shot() != first).any(2).mean() > 0.2)
    down()
    assert until(lambda: shot().any(2).mean() < first.any(2).mean() / 4), "farther, smaller"
    reach = lambda: max(abs(np.flatnonzero(shot().max(2).max(1) >= 64) - 300), default=0)
    edge = reach()  # edge-on, far away: a thin line
    below and below()
    assert not below or until(lambda: reach() > 2 * edge, 10), edge
    return reach


def wait_lit(d, demo, seconds=30):
    return until(lambda: demo.p.poll() is not None or grab(d).any(), seconds) and grab(d).any()


def move(d, x, y, relative=False):
    xtest.fake_input(d, X.MotionNotify, relative, x=x, y=y)
    d.sync()


def key(d, name, down):
    xtest.fake_input(d, X.KeyPress if down else X.KeyRelease,
                     d.keysym_to_keycode(XK.string_to_keysym(name)))
    d.sync()


def tap(d, name):
    key(d, name, True)
    key(d, name, False)
    time.sleep(0.005)  # SDL drops a release and press a few ms apart as auto-repeat


def screen(size, depth):
    return Display(size=size, color_depth=depth, extra_args=["-noreset"], manage_global_env=False)


def bmp(w, h, mode, claim=0, colour="white", box=None):
    """An ellipse (a disc) on black; paletted, black is 0 and white 1: unconverted, it stays dark."""
    img, out = Image.new(mode, (w, h)), io.BytesIO()
    mode == "P" and img.putpalette([0, 0, 0, 255, 255, 255])
    ImageDraw.Draw(img).ellipse(box or (0, 0, w - 1, h - 1), fill=1 if mode in "1P" else colour)
    img.save(out, "BMP")
    data = out.getvalue()
    return data[:18] + claim.to_bytes(4, "little") * 2 + data[26:] if claim else data


@pytest.fixture(scope="session")
def dpy(xvfb):
    d = display.Display(f":{xvfb.display}")
    d.xfixes_query_version()
    return d


@pytest.fixture(autouse=True)
def no_demo_left():
    """Whatever failed, the next test starts with no demo and a dark screen."""
    yield
    while RUNNING:
        RUNNING.pop().finish(0)


@pytest.fixture
def demo(dpy):
    """The demo on the session's 800x600x16 screen, on the SDL of this run."""
    move(dpy, 400, 300)
    d = Demo()
    assert wait_lit(dpy, d), d.errors()
    with open(f"/proc/{d.p.pid}/maps") as maps:
        assert {os.path.dirname(l.split()[-1]) for l in maps if "/libSDL-1.2" in l} == {SDL}
    yield d
    assert d.p.poll() is not None or d.finish(sig=signal.SIGTERM) == 0
