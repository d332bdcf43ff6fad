"""Writes the page's service worker: offline.py FOLDER WORKER writes FOLDER/sw.js, WORKER (web/sw.js,
or a built page's own sw.js, for another build of it) with its line `const BUILD = …, FILES = …;`
naming the page's files (every other file of the folder but the preview card's picture, which
only link previews fetch) and the build, by a hash of those files: a new build is a new worker to
the browser, which keeps that build's files apart from any other's. The build runs it."""
import hashlib, json, pathlib, re, sys

folder, worker = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]).read_text()
files = sorted(f.name for f in folder.iterdir() if f.is_file() and f.name not in ("sw.js", "preview.png"))
build = hashlib.sha256()
for name in files:
    build.update(f"{name}\0{(folder / name).stat().st_size}\0".encode() + (folder / name).read_bytes())
line = f"const BUILD = {json.dumps(build.hexdigest()[:16])}, FILES = {json.dumps(files)};"
worker, found = re.subn(r"^const BUILD = .*;$", line, worker, count=1, flags=re.M)
if not found:
    sys.exit(f"offline.py: {sys.argv[2]} has no line 'const BUILD = …, FILES = …;'")
(folder / "sw.js").write_text(worker)
