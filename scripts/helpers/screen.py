"""The X screen read back: the one grabber of the picture scripts (shoot.py, record.py) and the tests."""
import time

import numpy as np
from PIL import Image
from Xlib import X


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
