"""Saves the screen of $DISPLAY as a PNG once lit, read by the tests' grabber (support/demo.py), or
fails if process PID ends first: shoot.py OUT.png PID. scripts/screenshot.sh runs it."""
import pathlib, sys

from Xlib import display

from support.demo import grab, picture, until


def alive(pid):  # and not a zombie
    stat = pathlib.Path(f"/proc/{pid}/stat")
    return stat.exists() and "Z" not in stat.read_text().split(")")[-1][:3]


def lit(d, pid, seconds=60):
    """The screen of d lit while process pid runs; False once it ends first, or past the time."""
    return until(lambda: not alive(pid) or grab(d).any(), seconds) and alive(pid)


if __name__ == "__main__":
    d = display.Display()
    if not lit(d, int(sys.argv[2])):
        sys.exit("shoot.py: the screen stayed dark, or the demo ended first")
    picture(grab(d)).save(sys.argv[1])
