"""Makes the demo's icons from its one icon image, data/icon.png (512 x 512, a frame of the
demo): icons.py SOURCE OUT SIZE... writes OUT, a PNG of the one size given, or a Windows .ico
holding every size given. The build runs it; the output is the same for the same source."""
import sys

from PIL import Image

source, out, sizes = sys.argv[1], sys.argv[2], [int(size) for size in sys.argv[3:]]
image = Image.open(source).convert("RGBA")
if out.endswith(".ico"):
    image.save(out, sizes=[(size, size) for size in sizes])
else:
    image.resize((sizes[0], sizes[0]), Image.LANCZOS).save(out)
