"""The installed package, run by debian/tests/installed as a user, from / as from the menu; its program where
there is no sprite. Under qemu-user (arm64) a frame takes a second: the waits are long."""
from support.demo import Demo, failed, grab, move, tap, tinted, wait_lit


def test_the_installed_demo_draws_quits_and_says_what_it_misses(dpy, tmp_path):
    move(dpy, 400, 300)
    demo = Demo(cwd="/", cmd="/usr/games/wavegrid")
    assert wait_lit(dpy, demo, 300) and tinted(grab(dpy)), demo.errors()
    tap(dpy, "Escape")
    assert demo.finish(120) == 0, demo.errors()
    failed(Demo(cwd=tmp_path, cmd="/usr/lib/games/wavegrid/wavegrid"), "Sprite texture loading failed: Couldn't open")
