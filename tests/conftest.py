"""The demo's fixtures: the session's X server, a clean slate after each test, the demo."""
import contextlib, os, signal

import pytest
from Xlib import display

from support.demo import Demo, end_all, move, wait_lit

SDL = os.environ.get("WAVEGRID_SDL")  # the folder of the SDL 1.2 under test


@pytest.fixture(scope="session")
def dpy(xvfb):
    with contextlib.closing(display.Display(f":{xvfb.display}")) as d:
        d.xfixes_query_version()
        yield d


@pytest.fixture(autouse=True)
def no_demo_left():
    """Whatever failed, the next test starts with no demo and a dark screen."""
    yield
    end_all()


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
