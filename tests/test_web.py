"""The web page in headless Chromium, served from 127.0.0.1: the pixels are the browser's own."""
import http.server, io, os, shutil, tempfile, threading, time

import numpy as np
import pytest
from PIL import Image
from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.keys import Keys

from conftest import bmp, tinted, until

PAGE, BUILD = os.environ["WAVEGRID_WEB"], os.environ["WAVEGRID_WEB_BUILD"]


@pytest.fixture(scope="module")
def browser():
    options = webdriver.ChromeOptions()
    for arg in ["--headless=new", "--no-sandbox", "--window-size=1100,900"]:
        options.add_argument(arg)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    options.binary_location = "/usr/bin/chromium"  # Debian's, with its driver
    b = webdriver.Chrome(options=options, service=Service("/usr/bin/chromedriver"))
    yield b
    b.quit()


@pytest.fixture
def site():
    """A copy of a folder, served from 127.0.0.1 while the test runs: site(folder) -> (copy, url)."""
    with tempfile.TemporaryDirectory() as top:
        handler = lambda *a: http.server.SimpleHTTPRequestHandler(*a, directory=top)
        http.server.SimpleHTTPRequestHandler.log_message = lambda *a: None
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=server.serve_forever, daemon=True).start()
        yield lambda folder: (shutil.copytree(folder, f"{top}/s", dirs_exist_ok=True),
                              f"http://127.0.0.1:{server.server_port}/s/")
        server.shutdown()


def shot(b):
    """The canvas as the browser shows it, at its 800 x 600 pixels."""
    png = b.find_element("id", "canvas").screenshot_as_png
    return np.asarray(Image.open(io.BytesIO(png)).convert("RGB").resize((800, 600)), int)


def said(b):
    status = b.find_element("id", "status")
    return status.is_displayed() and status.text


def test_draws_moves_follows_keys_and_pointer_and_ends(browser, site):
    browser.get(site(PAGE)[1])
    canvas, keys = browser.find_element("id", "canvas"), ActionChains(browser)
    assert until(lambda: shot(browser).any()) and not said(browser) and tinted(first := shot(browser))
    assert not time.sleep(0.3) and (shot(browser) != first).any(2).mean() > 0.2, "the waves move"
    for _ in range(30):
        keys.send_keys(Keys.ARROW_DOWN)
    keys.perform()
    assert until(lambda: shot(browser).any(2).mean() < first.any(2).mean() / 3), "farther, smaller"
    reach = lambda: max(abs(np.flatnonzero(shot(browser).max(2).max(1) >= 64) - 300), default=0)
    edge = reach()  # edge-on, far away: a thin line
    ActionChains(browser).move_to_element_with_offset(canvas, 0, canvas.size["height"] * 0.45).perform()
    assert until(lambda: reach() > 2 * edge, 10), edge  # below the centre: turned to show its face
    ActionChains(browser).send_keys(Keys.ESCAPE).perform()
    assert until(lambda: said(browser)) and said(browser).startswith("The demo has ended.")


# The batching layer against Emscripten's own GL emulation, on a sprite
# whose channels differ: same pixels, and the red stays red.
def test_a_frame_is_drawn_alike_both_ways_and_keeps_its_colours(browser, site):
    frames = {}
    for way in ("batched", "emulated"):
        folder, url = site(f"{BUILD}/frame-{way}")
        open(f"{folder}/frame.data", "wb").write(bmp(64, 64, "RGB", colour=(255, 0, 0)))
        open(f"{folder}/index.html", "w").write(
            '<body style="margin:0"><canvas id="canvas"></canvas><script>var Module = {canvas:'
            ' canvas, print: (line) => line == "drawn" && (document.title = line)};</script><script src="frame.js"></script>')
        browser.get(url)
        assert until(lambda: browser.title == "drawn") and not time.sleep(0.5)
        frames[way] = shot(browser)
    lit, diff = frames["batched"].any(2), np.abs(frames["batched"] - frames["emulated"]).max(2)
    assert lit.mean() > 0.3 and (diff > 2).sum() == 0 and (diff > 0).mean() < 1e-4, diff.sum()
    assert (frames["batched"][lit][:, 1:] == 0).all(), "green or blue in a red picture"


@pytest.mark.parametrize("fault,head", [
    ("sprite", "Sprite texture loading failed: data/sprite01.bmp can't be read as an image"),
    ("wavegrid.wasm", "wavegrid.wasm could not be loaded (404)"),
    ("file", "This page must come from a web server")], ids=["bad sprite", "no .wasm", "from a file"])
def test_a_failed_start_says_why_on_the_page_and_in_the_console(browser, site, fault, head):
    folder, url = site(PAGE)
    if fault == "sprite":
        open(f"{folder}/wavegrid.data", "wb").write(bytes(os.path.getsize(f"{folder}/wavegrid.data")))
    elif fault != "file":
        os.remove(f"{folder}/{fault}")
    browser.get(f"file://{folder}/index.html" if fault == "file" else url)
    assert until(lambda: said(browser)) and said(browser).startswith(head), said(browser)
    assert browser.find_element("id", "again").is_displayed()
    assert fault == "file" or any(head in e["message"] for e in browser.get_log("browser"))
