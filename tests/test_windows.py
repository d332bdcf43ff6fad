"""The Windows zip, unpacked as a user would, under Wine on the session's 800x600x16 screen."""
import os, subprocess, tempfile, time, zipfile

import numpy as np
import pytest
from Xlib import protocol

from conftest import Demo, bmp, failed, grab, move, tap, tinted, until, wait_lit

ZIP, WINE = os.environ["WAVEGRID_ZIP"], os.environ["WAVEGRID_WINE"]


@pytest.fixture(scope="module", autouse=True)
def prefix():  # made before the first start: Wine shows a window while it makes one
    subprocess.run([WINE, "wineboot", "-i"], check=True, capture_output=True)


@pytest.fixture
def folder():
    with tempfile.TemporaryDirectory() as top:
        zipfile.ZipFile(ZIP).extractall(top)
        yield top


def close(dpy):  # as a window manager does when the user closes the window
    w = next(w for w in dpy.screen().root.query_tree().children if w.get_wm_name() == "SDL_app")
    msg = [dpy.intern_atom(a) for a in ("WM_PROTOCOLS", "WM_DELETE_WINDOW")]
    w.send_event(protocol.event.ClientMessage(window=w, client_type=msg[0], data=(32, [msg[1], 0, 0, 0, 0])))
    dpy.sync()


@pytest.mark.parametrize("end", [lambda d: tap(d, "Escape"), close], ids=["Esc", "close"])
def test_draws_the_tint_follows_keys_and_pointer_and_ends_with_status_zero(dpy, folder, end):
    move(dpy, 400, 300)
    demo = Demo(cwd=folder, wrap=[WINE], cmd="wavegrid.exe")
    assert wait_lit(dpy, demo, 60) and not time.sleep(1) and tinted(shot := grab(dpy)), demo.errors()
    assert not time.sleep(0.3) and (grab(dpy) != shot).any(2).mean() > 0.2, "the waves move"
    for _ in range(60):
        tap(dpy, "Down")
    assert until(lambda: grab(dpy).any(2).mean() < shot.any(2).mean() / 4), "farther, smaller"
    reach = lambda: max(abs(np.flatnonzero(grab(dpy).max(2).max(1) >= 64) - 300), default=0)
    edge = reach()  # edge-on, far away: a thin line
    move(dpy, 400, 580)  # below the centre: the grid turns about x and shows its face
    assert until(lambda: reach() > 2 * edge, 10), edge
    end(dpy)
    assert demo.finish(30) == 0 and not os.path.exists(f"{folder}/stderr.txt")


@pytest.mark.parametrize("redirect", ["1", "0"], ids=["stderr.txt", "console"])
@pytest.mark.parametrize("sprite,head", [
    (None, "Sprite texture loading failed: "), (bmp(64, 64, "RGB")[:20], "Sprite texture loading"),
    (bmp(4, 4, "RGB", 30000), "Sprite texture loading"), ("no X", "Video initialization failed: ")],
    ids=["absent", "truncated", "huge size claimed", "no display"])
def test_start_up_failures_leave_one_line(dpy, folder, sprite, head, redirect):
    os.remove(f"{folder}/data/sprite01.bmp")
    isinstance(sprite, bytes) and open(f"{folder}/data/sprite01.bmp", "wb").write(sprite)
    env = {"SDL_STDIO_REDIRECT": redirect, "DISPLAY": None if sprite == "no X" else os.environ["DISPLAY"]}
    demo = Demo(cwd=folder, env=env, wrap=[WINE], cmd="wavegrid.exe")
    failed(demo, head, None if redirect == "0" else f"{folder}/stderr.txt")
    assert not grab(dpy).any()
