"""The Windows zip, unpacked as a user would, under Wine on the session's 800x600x16 screen."""
import os, subprocess, zipfile

import pytest

from support.demo import Demo, bmp, failed, grab, move, steers, tap, wait_lit, write

ZIP, WINE = os.environ["WAVEGRID_ZIP"], os.environ["WAVEGRID_WINE"]


@pytest.fixture(scope="module", autouse=True)
def prefix():  # made before the first start: Wine shows a window while it makes one
    subprocess.run([WINE, "wineboot", "-i"], check=True, capture_output=True, timeout=300)


def test_draws_the_tint_follows_keys_and_pointer_and_ends_with_status_zero(dpy, tmp_path):
    zipfile.ZipFile(ZIP).extractall(folder := tmp_path)
    move(dpy, 400, 300)
    demo = Demo(cwd=folder, wrap=[WINE], cmd="wavegrid.exe")
    assert wait_lit(dpy, demo, 60), demo.errors()
    steers(lambda: grab(dpy), lambda: tap(dpy, "Down", 60), lambda: move(dpy, 400, 580))
    tap(dpy, "Escape")
    assert demo.finish(30) == 0 and not os.path.exists(f"{folder}/stderr.txt")


@pytest.mark.parametrize("sprite,head", [(None, "Sprite texture loading failed: "),
    (bmp(64, 64, "RGB")[:20], "Sprite texture loading"), ("no X", "Video initialization failed: ")],
    ids=["absent", "truncated", "no display"])
def test_start_up_failures_leave_one_line_in_stderr_txt(dpy, tmp_path, sprite, head):
    zipfile.ZipFile(ZIP).extractall(folder := tmp_path)
    os.remove(f"{folder}/data/sprite01.bmp")
    if isinstance(sprite, bytes):
        write(f"{folder}/data/sprite01.bmp", sprite)
    env = {"DISPLAY": None if sprite == "no X" else os.environ["DISPLAY"]}
    failed(Demo(cwd=folder, env=env, wrap=[WINE], cmd="wavegrid.exe"), head, f"{folder}/stderr.txt")
    assert not grab(dpy).any()
