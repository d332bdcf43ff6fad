"""The X screen read back, the one grabber the tests and the scripts use. As a program it
waits for a lit screen on $DISPLAY and saves it: python3 -m support.screen OUT.png [PID],
and gives up when the process PID ends first."""
import os, sys, time

import numpy as np
from PIL import Image
from Xlib import X, display


def grab(d):
    """The screen of display d as 8-bit RGB, top row first, from 16- or 24-bit pixels."""
    root = d.screen().root
    g = root.get_geometry()
    raw = root.get_image(0, 0, g.width, g.height, X.ZPixmap, 0xFFFFFFFF).data
    if d.screen().root_depth == 16:
        px = np.frombuffer(raw, np.uint16).reshape(g.height, g.width).astype(int)
        return np.stack([(px >> 11) * 255 // 31, (px >> 5 & 63) * 255 // 63, (px & 31) * 255 // 31], 2)
    px = np.frombuffer(raw, np.uint32).reshape(g.height, g.width).astype(int)
    return np.stack([px >> 16 & 255, px >> 8 & 255, px & 255], 2)


def picture(shot):
    return Image.fromarray(shot.astype(np.uint8))


def until(check, seconds=30):
    """Asks check until it holds or the time is up; its last answer."""
    end = time.time() + seconds
    while not check() and time.time() < end:
        time.sleep(0.1)
    return check()


def alive(pid):
    try:
        os.kill(pid, 0)
        return True
    except ProcessLookupError:
        return False


if __name__ == "__main__":
    d, pid = display.Display(), int(sys.argv[2]) if len(sys.argv) > 2 else os.getpid()
    if not until(lambda: not alive(pid) or grab(d).any(), 60) or not alive(pid):
        sys.exit(f"screen.py: the screen stayed dark{'' if alive(pid) else ': the program ended'}")
    picture(grab(d)).save(sys.argv[1])
