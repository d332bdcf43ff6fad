"""Makes the demo's pictures from its one icon image, data/icon.png (512 x 512, a frame of the
demo): icons.py SOURCE OUT SIZE... writes OUT, a PNG of the one size given, or a Windows .ico
holding every size given. A size is N (square) or WxH: the frame at the box's height, centred on
black, as a link's preview card shows it. A PNG named *maskable* keeps the frame within the middle
80 %, which a phone's icon mask never cuts. The build runs it; the same source gives the same bytes."""
import sys

from PIL import Image

source, out, sizes = sys.argv[1], sys.argv[2], sys.argv[3:]
image = Image.open(source).convert("RGB")
if out.endswith(".ico"):
    image.save(out, sizes=[(int(size), int(size)) for size in sizes])
else:
    w, _, h = sizes[0].partition("x")
    w, h = int(w), int(h or w)
    side = h * 4 // 5 if "maskable" in out else h
    card = Image.new("RGB", (w, h), "black")
    card.paste(image.resize((side, side), Image.LANCZOS), ((w - side) // 2, (h - side) // 2))
    card.quantize(256).save(out, optimize=True)  # 256 colours: half the bytes, no change seen
