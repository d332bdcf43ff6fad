"""Steers the demo on $DISPLAY with XTest and records it as a looping GIF of 40 frames:
record.py OUT.gif PID, once the demo PID has drawn; the pointer moved and the screen read by the
tests' support (support/demo.py). scripts/remake-animation.sh runs it."""
import sys, time

from PIL import Image
from Xlib import display

from shoot import lit
from support.demo import grab, move, picture

d = display.Display()


def point(x, y, seconds):
    move(d, x, y)
    time.sleep(seconds)


def frame():
    img = picture(grab(d))
    small = img.resize((img.width // 2, img.height // 2), Image.LANCZOS)
    return small.quantize(64, Image.Quantize.MEDIANCUT)  # a smaller file, the glow intact


if not lit(d, int(sys.argv[2])):
    sys.exit("record.py: the demo drew nothing")
point(400, 480, 1.2)  # tilt: the far rows rise into view
point(470, 300, 0.5)  # then a slow turn about the upright and the viewing axis
frames = []
for _ in range(40):
    frames.append(frame())
    time.sleep(0.08)
point(400, 300, 0)
frames[0].save(sys.argv[1], save_all=True, append_images=frames[1:], duration=100, loop=0, optimize=True)
