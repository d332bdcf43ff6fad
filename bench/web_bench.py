"""The web page's frame rate in each headless engine (the tests' support/browsers.py), WebGL in software
(Chromium's SwiftShader, Mesa's llvmpipe for Firefox and WebKitGTK), and where the machine's
time goes meanwhile. Each page is served from 127.0.0.1 and left running for a while; its
WebGL context is wrapped to count the program's passes (one clear each) and time its draw
calls, and a frame callback counts the frames the browser showed with a new pass in them.
Usage, with PYTHONPATH=tests (scripts/bench.sh runs it): web_bench.py SECONDS NATIVE_FPS
ENGINE:NAME=FOLDER..."""
import collections, os, pathlib, re, sys, time

from support import browsers
from support.serve import Served

# Run in the page once the demo runs: the context SDL draws with is the
# canvas's one, so it is wrapped in place; getContext gives it back.
COUNT = """
const w = window.bench = { passes: 0, shown: 0, drawing: 0, submitting: 0, calls: 0 };
const gl = canvas.getContext("webgl");
let start = 0, seen = 0;
gl.clear = ((clear) => function () { w.passes++; start = performance.now();
                                     return clear.apply(this, arguments); })(gl.clear);
for (const name of ["drawArrays", "drawElements"])
  gl[name] = ((draw) => function () {
    const t = performance.now(), r = draw.apply(this, arguments), now = performance.now();
    w.drawing += now - t; w.calls++; w.submitting += now - start; start = now;
    return r; })(gl[name]);
(function tick() { if (w.passes != seen) { w.shown++; seen = w.passes; }
                   requestAnimationFrame(tick); })();
"""


def cpu():
    """CPU seconds used so far by each kind of process: its name, and Chromium's --type."""
    total = collections.Counter()
    for stat in pathlib.Path("/proc").glob("[0-9]*/stat"):
        try:
            name, fields = stat.read_text().rsplit(")", 1)
            kind = re.search(r"--type=([\w-]+)", (stat.parent / "cmdline").read_text())
            total[name.split("(", 1)[1] + (f" {kind[1]}" if kind else "")] += \
                (int(fields.split()[11]) + int(fields.split()[12])) / os.sysconf("SC_CLK_TCK")
        except (OSError, IndexError, ValueError):
            pass
    return total


def measure(browser, folder, seconds):
    with Served(os.path.abspath(folder)) as server:
        asked = time.time()
        browser.get(server.url)
        while not browser.js("return status.hidden") and time.time() < asked + 60:
            time.sleep(0.02)
        running = time.time() - asked
        assert browser.js("return status.hidden"), f"{folder}: the page did not start: {browser.js('return status.innerText')}"
        browser.js(COUNT)
        time.sleep(3)  # warm
        a, t0, c0 = browser.js("return Object.assign({}, bench)"), time.time(), cpu()
        time.sleep(seconds)
        b, t1, c1 = browser.js("return Object.assign({}, bench)"), time.time(), cpu()
    n, s = {k: b[k] - a[k] for k in a}, t1 - t0
    return n["shown"] / s, n["passes"] / s, n, collections.Counter({k: (c1[k] - c0[k]) / s for k in c1}), running


def main():
    seconds, native = float(sys.argv[1]), float(sys.argv[2])
    for arg in sys.argv[3:]:
        engine, rest = arg.split(":", 1)
        name, folder = rest.split("=", 1)
        try:
            browser = browsers.start(engine)
        except Exception as e:
            sys.exit(f"web_bench.py: starting {engine} failed: {e}")
        try:
            shown, passes, n, busy, running = measure(browser, folder, seconds)
        finally:
            browser.quit()
        if not shown:
            sys.exit(f"web_bench.py: {engine}, {name}: no frame shown")
        per = lambda k: n[k] / max(n["passes"], 1)
        sizes = ", ".join(f"{f.name} {f.stat().st_size / 1024:.0f} KB"
                          for f in sorted(pathlib.Path(folder).iterdir()))
        top = ", ".join(f"{k} {100 * v:.0f} %" for k, v in busy.most_common(4) if v >= 0.02)
        print(f"== {engine}, {name}: {shown:.1f} frames shown a second ({passes:.1f} passes), "
              f"{shown / native:.2f} of the native {native:.1f}")
        print(f"  the page: {sizes}; running {running:.2f} s after it was asked for")
        print(f"  per pass, on the page's thread: {per('submitting'):.2f} ms from the clear to the "
              f"last draw call, {per('calls'):.0f} draw calls taking {per('drawing'):.2f} ms")
        print(f"  CPU, of a core, by process: {top}")


main()
