"""Writes the page's service worker: offline.py FOLDER WORKER writes FOLDER/sw.js, WORKER (web/sw.js,
or a built page's own sw.js, for another build of it) with its line `const BUILD = …, FILES = …;`
naming the page's files (every other file of the folder but the preview card's picture, which
only link previews fetch), each with the hash of its bytes, and the build, by a hash of those and
of the worker's own text: a new build, or a new worker alone, is a new worker to the browser,
which keeps that build's files apart from any other's and takes no file whose bytes are not the
build's. The build runs it."""
import base64, hashlib, json, pathlib, re, sys

folder, worker = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]).read_text()
names = sorted(f.name for f in folder.iterdir() if f.is_file() and f.name not in ("sw.js", "preview.png"))
files = {name: "sha256-" + base64.b64encode(hashlib.sha256((folder / name).read_bytes()).digest()).decode()
         for name in names}
own, found = re.subn(r"^const BUILD = .*;$", "const BUILD = …;", worker, count=1, flags=re.M)
if not found:
    sys.exit(f"offline.py: {sys.argv[2]} has no line 'const BUILD = …, FILES = …;'")
build = hashlib.sha256((json.dumps(files) + own).encode()).hexdigest()[:16]  # a new worker alone is a new build
line = f"const BUILD = {json.dumps(build)}, FILES = {json.dumps(files)};"
worker = re.sub(r"^const BUILD = .*;$", line, worker, count=1, flags=re.M)
(folder / "sw.js").write_text(worker)
