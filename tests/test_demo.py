"""What needs the process: start-up, failures, quitting, input, the picture, soak, memcheck."""
import contextlib, os, random, signal, subprocess, time

import numpy as np
import pytest
from PIL import Image
from pyvirtualdisplay import Display
from Xlib import display

from support.demo import Demo, bmp, failed, grab, key, move, picture, tap, tinted, until, wait_lit, write

# Classic blends in the 16-bit screen buffer, sdl12-compat in a 32-bit one.
KIND = os.environ["WAVEGRID_SDL_KIND"]
GOLDEN = f"{os.path.dirname(os.path.abspath(__file__))}/golden-{KIND}.png"


def drawn(demo, shifts):  # the demo has shifted its rows this often: at least 11 frames a shift (slow on a busy machine)
    return until(lambda: demo.read("sinestepper") >= shifts * 150, 120)


# Another Mesa may round edges and blends a little otherwise: 0.2 % of the pixels more than 24
# levels off, the mean half a level. Every fault tried moved more (nearest-texel: the mean 1.0).
@pytest.mark.e2e
def test_frame_matches_the_golden_image(dpy):
    f = Demo(cmd=os.environ["WAVEGRID_FRAME"])
    assert f.p.stdout.readline() == b"drawn, pausing 4 ms\n", f.errors()  # the loop's pace, asked, not timed
    shot = grab(dpy)
    f.p.stdin.close()
    assert f.finish() == 0
    if os.environ.get("WAVEGRID_GOLDEN") == "update":
        picture(shot).save(GOLDEN)
    diff = np.abs(shot - np.asarray(Image.open(GOLDEN).convert("RGB"), int)).max(2)
    assert (diff > 24).mean() <= 0.002 and diff.mean() <= 0.5, ((diff > 24).mean(), diff.mean())


@pytest.mark.e2e
def test_pointer_and_keys_reach_the_parameter_block(dpy):
    move(dpy, 400, 300)
    assert wait_lit(dpy, demo := Demo()) and drawn(demo, 2), demo.errors()
    assert not any(dpy.xfixes_get_cursor_image(dpy.screen().root).cursor_image), "pointer shows"
    for x, y, spin in [(537, 217, (68, -41)), (10, 12, (-195, -144)), (790, 590, (195, 145)),  # then sideways
                       (265, 590, (-67, 145)), (265, 401, (-67, 50)), (400, 300, (0, 0)), (137, -83, (68, -41))]:
        move(dpy, x, y, relative=x == 137)  # the last one relative, from the centre
        assert until(lambda: (demo.read("sx"), demo.read("sy")) == spin, 10), (x, y)
    # Held, a key repeats after 100 ms, then every 30 ms, at most once a frame (xangle steps one a frame).
    move(dpy, 400, 360)
    assert until(lambda: demo.read("sy") == 30, 10)
    first, since = demo.read("xangle"), time.time()
    frames = lambda: (demo.read("xangle") - first) % 4096
    key(dpy, "Down", True)
    assert until(lambda: frames() >= 40, 120)
    key(dpy, "Down", False)
    shown, held = frames(), time.time() - since
    steps = round((-25 - demo.read("zoom", "f")) / 0.6)
    assert steps >= min(shown, (held - 0.1) / 0.03) / 2, (steps, shown, held)


# A large desktop with a window manager: it starts still. A small screen: classic refuses a mode
# larger than the screen, sdl12-compat scales the picture down. No display: one line.
@pytest.mark.e2e
@pytest.mark.parametrize("size,env,heads", [
    ((1920, 1080, 24), {}, None), ((640, 480, 16), {}, None if KIND == "compat" else "Video mode set failed: "),
    (None, {"SDL_VIDEODRIVER": "x11", "DISPLAY": ":9999"}, "Video initialization failed: ")],
    ids=["large", "small", "no X server"])
def test_starts_still_on_another_screen_or_says_why_not(size, env, heads):
    with contextlib.ExitStack() as stack:
        if size:
            x = stack.enter_context(Display(size=size[:2], color_depth=size[2], extra_args=["-noreset"], manage_global_env=False))
            env, d = {"DISPLAY": x.new_display_var}, display.Display(x.new_display_var)
        if size and size[0] > 800:  # a desktop: a window manager, the pointer in the middle
            stack.callback(subprocess.Popen(["openbox"], env={**os.environ, **env}, stderr=subprocess.DEVNULL).kill)
            assert until(lambda: d.screen().root.get_full_property(d.intern_atom("_NET_SUPPORTING_WM_CHECK"), 0))
            move(d, size[0] // 2, size[1] // 2)
        demo = Demo(env=env)
        if heads:
            failed(demo, heads)
        else:
            assert (size[0] > 800 or wait_lit(d, demo)) and drawn(demo, 2), demo.errors()  # small: scaled down
            assert [demo.read(a) for a in ("xangle", "yangle", "zangle")] == [0, 0, 0], "starts still"
            assert demo.finish(sig=signal.SIGTERM) == 0


@pytest.mark.e2e
@pytest.mark.parametrize("data,draws", [
    (bmp(64, 64, "1"), 1), (bmp(64, 64, "P"), 1), (bmp(64, 64, "RGBA"), 1),
    (bmp(48, 40, "RGB"), 1), (None, 0), (b"", 0), ("a directory", 0),
    (bmp(64, 64, "RGB")[:20], 0), (bmp(1, 20000, "RGB"), 0), (bmp(4, 4, "RGB", 20000), 0),
    (b"P6 64 64 255\n", 0)], ids=["1-bit", "8-bit", "32-bit", "24-bit 48x40", "absent", "empty",
    "directory", "truncated", "taller than the GL takes", "huge size claimed", "not a BMP"])
def test_any_sprite_file_draws_the_tint_or_stops_with_a_reason(dpy, tmp_path, data, draws):
    path = f"{tmp_path}/data/sprite01.bmp"
    if data is not None:
        os.makedirs(path if data == "a directory" else os.path.dirname(path))
    if isinstance(data, bytes):
        write(path, data)
    move(dpy, 400, 300)
    demo = Demo(cwd=tmp_path)
    if draws:
        assert wait_lit(dpy, demo) and until(lambda: tinted(grab(dpy)), 10)
        assert demo.finish(sig=signal.SIGTERM) == 0
    else:
        err = failed(demo, "Sprite texture loading failed: ")
        assert data is not None or "data/sprite01.bmp" in err
        assert not grab(dpy).any()


# Given a log (WAVEGRID_LOG), under valgrind's memcheck: the program allocates nothing itself, and
# the suppressions cover what the loader, SDL and Mesa keep; any error or leak is status 99.
@pytest.mark.soak
def test_soak_random_input_then_escape(dpy):
    log = os.environ.get("WAVEGRID_LOG")
    demo = Demo(wrap=log and ["valgrind", "--leak-check=full", "--errors-for-leak-kinds=definite",
                              "--num-callers=40", "--keep-debuginfo=yes", f"--log-file={log}", "--error-exitcode=99",
                              f"--suppressions={os.path.dirname(os.path.abspath(__file__))}/memcheck.supp"] or ())
    assert wait_lit(dpy, demo, 120), demo.errors()
    tap(dpy, "Down", 200)  # far away, the slow frames under memcheck go faster
    rng, end = random.Random(1), time.time() + 15  # the pointer, edges included; every key but Esc, some held
    while time.time() < end:
        move(dpy, rng.choice([0, 799] + [rng.randrange(800)] * 3), rng.randrange(600))
        key(dpy, k := rng.choice("Up Down 1 2 q w a s z x r space".split()), True)
        time.sleep(0.3 if rng.random() < 0.02 else 0)  # held to repeat
        key(dpy, k, False)
        time.sleep(0.02)
    # A slow frame may find more input waiting than SDL 1.2's queue holds (128 events), which drops
    # the rest, a last Esc among it: Esc, again, till the demo ends.
    until(lambda: tap(dpy, "Escape") or demo.p.poll() is not None, 120)
    assert demo.finish(120) == 0, f"{demo.errors()} (memcheck's log: {log})"
