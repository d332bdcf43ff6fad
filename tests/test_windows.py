"""The Windows zip, unpacked as a user would, under Wine on the session's 800x600x16 screen."""
import os, re, subprocess, zipfile

import pytest

from support.demo import Demo, failed, grab, move, steers, tap, wait_lit

ZIP, WINE, VERSION = os.environ["WAVEGRID_ZIP"], os.environ["WAVEGRID_WINE"], os.environ["WAVEGRID_VERSION"]


@pytest.fixture(scope="module", autouse=True)
def prefix():  # made before the first start: Wine shows a window while it makes one
    subprocess.run([WINE, "wineboot", "-i"], check=True, capture_output=True, timeout=300)


def test_shows_its_icon_and_version_draws_follows_keys_and_pointer_ends_and_says_where_its_sprite_is_missing(dpy, tmp_path):
    zipfile.ZipFile(ZIP).extractall(folder := tmp_path)
    wrestool = lambda *args: subprocess.run(["wrestool", *args, folder / "wavegrid.exe"], capture_output=True, check=True).stdout
    icons = wrestool("-l", "-t3").decode()  # the .ico's images, 16 to 256 pixels, as Explorer shows them
    assert icons.count("type=icon") == 6 and b"--name=1 " in wrestool("-l", "-t14"), icons
    strings = re.findall(r"[ -~]{3,}", wrestool("-x", "--raw", "-t16").decode("utf-16-le", "replace"))
    assert [strings[strings.index(k) + 1] for k in ("ProductName", "ProductVersion", "FileVersion")] == ["wavegrid", VERSION, VERSION], strings
    move(dpy, 400, 300)
    demo = Demo(cwd=folder, wrap=[WINE], cmd="wavegrid.exe")
    assert wait_lit(dpy, demo, 60), demo.errors()
    steers(lambda: grab(dpy), lambda: tap(dpy, "Down", 60), lambda: move(dpy, 400, 580))
    tap(dpy, "Escape")
    assert demo.finish(30) == 0 and not os.path.exists(f"{folder}/stderr.txt")
    os.remove(f"{folder}/data/sprite01.bmp")  # the rest of the start-up failures are the e2e tests'
    failed(Demo(cwd=folder, wrap=[WINE], cmd="wavegrid.exe"), "Sprite texture loading failed: ", f"{folder}/stderr.txt")
    assert not grab(dpy).any()
