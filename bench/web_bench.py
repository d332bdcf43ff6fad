"""The web page's frame rate in headless Chromium, WebGL in software (SwiftShader), and where
the browser's time goes. Each page is served from 127.0.0.1 and left running for a while; the
WebGL context is wrapped to count the program's passes (one clear each) and time its draw
calls, and a frame callback counts the frames the browser showed with a new pass in them.
Usage: web_bench.py SECONDS NATIVE_FPS NAME=FOLDER..."""
import glob, os, pathlib, re, subprocess, sys, time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

SERVE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../scripts/serve.sh")

# Run in the page before its own scripts: every WebGL context it makes is
# wrapped, the time of the first pass kept.
COUNT = """
const w = window.bench = { passes: 0, shown: 0, drawing: 0, submitting: 0, calls: 0, first: 0 };
const getContext = HTMLCanvasElement.prototype.getContext;
HTMLCanvasElement.prototype.getContext = function () {
  const gl = getContext.apply(this, arguments);
  if (!gl || gl.counted) return gl;
  let start = 0;
  gl.counted = true;
  gl.clear = ((clear) => function () { w.passes++; start = performance.now();
                                       w.first = w.first || start;
                                       return clear.apply(this, arguments); })(gl.clear);
  for (const name of ["drawArrays", "drawElements"])
    gl[name] = ((draw) => function () {
      const t = performance.now(), r = draw.apply(this, arguments), now = performance.now();
      w.drawing += now - t; w.calls++; w.submitting += now - start; start = now;
      return r; })(gl[name]);
  return gl;
};
let seen = 0;
(function tick() { if (w.passes != seen) { w.shown++; seen = w.passes; }
                   requestAnimationFrame(tick); })();
"""


def cpu(kind):
    """CPU seconds used so far by Chromium's processes of a kind (gpu-process, renderer)."""
    total = 0
    for cmdline in glob.glob("/proc/[0-9]*/cmdline"):
        try:
            if f"--type={kind}" in open(cmdline).read():
                fields = open(cmdline[:-7] + "stat").read().rsplit(")", 1)[1].split()
                total += (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
        except OSError:
            pass
    return total


def measure(browser, folder, seconds):
    server = subprocess.Popen([SERVE, os.path.abspath(folder), "0"], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True)
    port = re.search(r"port (\d+)", server.stdout.readline())[1]
    browser.get(f"http://127.0.0.1:{port}/")
    time.sleep(3)  # loaded and warm
    read = lambda: (browser.execute_script("return Object.assign({}, bench)"), time.time(),
                    cpu("renderer"), cpu("gpu-process"))
    (a, t0, r0, g0), _, (b, t1, r1, g1) = read(), time.sleep(seconds), read()
    server.kill()
    n, s = {k: b[k] - a[k] for k in a}, t1 - t0
    return n["shown"] / s, n["passes"] / s, n, (r1 - r0) / s, (g1 - g0) / s, a["first"] / 1000


def main():
    seconds, native = float(sys.argv[1]), float(sys.argv[2])
    options = webdriver.ChromeOptions()
    for arg in ["--headless=new", "--no-sandbox", "--window-size=1100,900"]:
        options.add_argument(arg)
    options.binary_location = "/usr/bin/chromium"
    browser = webdriver.Chrome(options=options, service=Service("/usr/bin/chromedriver"))
    browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": COUNT})
    try:
        for name, folder in (a.split("=", 1) for a in sys.argv[3:]):
            shown, passes, n, renderer, gpu, first = measure(browser, folder, seconds)
            per = lambda k: n[k] / max(n["passes"], 1)
            sizes = ", ".join(f"{f.name} {f.stat().st_size / 1024:.0f} KB"
                              for f in sorted(pathlib.Path(folder).iterdir()))
            print(f"== browser, {name}: {shown:.1f} frames shown a second "
                  f"({passes:.1f} passes), {shown / native:.2f} of the native {native:.1f}")
            print(f"  the page: {sizes}; its first frame {first:.2f} s after it was asked for")
            print(f"  per pass, on the page's thread: {per('submitting'):.2f} ms from the clear to the "
                  f"last draw call, {per('calls'):.0f} draw calls taking {per('drawing'):.2f} ms")
            print(f"  CPU: the page's process {100 * renderer:.0f} % of a core, "
                  f"the GPU process (SwiftShader rasterising) {100 * gpu:.0f} %")
    finally:
        browser.quit()


main()
