"""The demo's fixtures: the session's X server, a clean slate after each test."""
import contextlib

import pytest
from Xlib import display

from support.demo import end_all


@pytest.fixture(scope="session")
def dpy(xvfb):
    with contextlib.closing(display.Display(f":{xvfb.display}")) as d:
        d.xfixes_query_version()
        yield d


@pytest.fixture(autouse=True)
def no_demo_left():  # whatever failed, the next test starts with no demo and a dark screen
    yield
    end_all()

