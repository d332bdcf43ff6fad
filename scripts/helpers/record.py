"""Steers the demo on $DISPLAY with XTest and records it as a looping GIF:
record.py OUT.gif [FRAMES]"""
import sys, time

from PIL import Image
from Xlib import X, display
from Xlib.ext import xtest

d = display.Display()
root = d.screen().root


def point(x, y, seconds):
    xtest.fake_input(d, X.MotionNotify, x=x, y=y)
    d.sync()
    time.sleep(seconds)


def frame():
    g = root.get_geometry()
    raw = root.get_image(0, 0, g.width, g.height, X.ZPixmap, 0xFFFFFFFF).data
    img = Image.frombytes("RGB", (g.width, g.height), raw, "raw", "BGR;16")
    small = img.resize((g.width // 2, g.height // 2), Image.LANCZOS)
    return small.quantize(64, Image.Quantize.MEDIANCUT)  # a smaller file, the glow intact


point(400, 480, 1.2)  # tilt: the far rows rise into view
point(470, 300, 0.5)  # then a slow turn about the upright and the viewing axis
frames = []
for _ in range(int(sys.argv[2]) if len(sys.argv) > 2 else 40):
    frames.append(frame())
    time.sleep(0.08)
point(400, 300, 0)
frames[0].save(sys.argv[1], save_all=True, append_images=frames[1:], duration=100, loop=0,
               optimize=True)
