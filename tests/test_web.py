"""The web page in headless Chromium, served from 127.0.0.1: the pixels are the browser's own."""
import io, os, re, shutil, subprocess

import numpy as np
import pytest
from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

from conftest import HERE, bmp, steers, until

PAGE, BUILD = os.environ["WAVEGRID_WEB"], os.environ["WAVEGRID_WEB_BUILD"]


@pytest.fixture(scope="module")
def browser():
    options = webdriver.ChromeOptions()
    options.arguments.extend(["--headless=new", "--no-sandbox", "--window-size=1100,900"])
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    with webdriver.Chrome(options=options, service=Service("/usr/bin/chromedriver")) as b:  # Debian's
        yield b


@pytest.fixture
def site(tmp_path):
    """Serves a copy of a folder as a user would: site(folder) gives the copy and its address."""
    servers = []

    def serve(folder):
        shutil.copytree(folder, tmp_path, dirs_exist_ok=True)
        servers.append(subprocess.Popen([f"{HERE}/../scripts/serve.sh", tmp_path, "0"],
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True))
        port = re.search(r"port (\d+)", servers[-1].stdout.readline())[1]
        return tmp_path, f"http://127.0.0.1:{port}/"
    yield serve
    [server.kill() for server in servers]


def shot(b):  # the canvas as the browser shows it, at its 800 x 600 pixels
    png = io.BytesIO(b.find_element("id", "canvas").screenshot_as_png)
    return np.asarray(Image.open(png).convert("RGB").resize((800, 600)), int)


def said(b):  # the page's line over the canvas, if it shows one
    return (status := b.find_element("id", "status")).is_displayed() and status.text


def test_draws_moves_follows_keys_and_pointer_and_ends(browser, site):
    browser.get(site(PAGE)[1])
    canvas, act = browser.find_element("id", "canvas"), lambda: ActionChains(browser)
    assert until(lambda: shot(browser).any()) and not said(browser)
    steers(lambda: shot(browser), lambda: act().send_keys(*[Keys.ARROW_DOWN] * 60).perform(),
           lambda: act().move_to_element_with_offset(canvas, 0, canvas.size["height"] * .45).perform())
    act().send_keys(Keys.ESCAPE).perform()
    assert until(lambda: said(browser)) and said(browser).startswith("The demo has ended.")


# The batching layer against Emscripten's own GL emulation, on a sprite
# neither symmetric nor grey: the same pixels, and the red stays red.
def test_a_frame_is_drawn_alike_both_ways_and_keeps_its_colours(browser, site):
    frames = {}
    for way in ("batched", "emulated"):
        folder, url = site(f"{BUILD}/frame-{way}")
        open(folder / "wavegrid.data", "wb").write(bmp(64, 64, "RGB", colour=(255, 0, 0), box=(0, 8, 40, 24)))
        browser.get(url)
        assert until(lambda: said(browser)) and said(browser).startswith("The demo has ended.")
        browser.execute_script("status.hidden = true")  # the line over the frame
        frames[way] = shot(browser)
    lit, diff = frames["batched"].any(2), np.abs(frames["batched"] - frames["emulated"]).max(2)
    assert lit.mean() > 0.3 and (diff > 2).sum() == 0 and (diff > 0).mean() < 1e-4, diff.sum()
    assert (frames["batched"][lit][:, 1:] == 0).all(), "green or blue in a red picture"


@pytest.mark.parametrize("fault,head", [
    ("wavegrid.data", "Sprite texture loading failed: data/sprite01.bmp can't be read as an image"),
    ("wavegrid.wasm", "wavegrid.wasm could not be loaded (404)")], ids=["bad sprite", "no .wasm"])
def test_a_failed_start_says_why_on_the_page_and_in_the_console(browser, site, fault, head):
    folder, url = site(PAGE)
    open(folder / fault, "wb").write(bytes(12342)) if fault.endswith("data") else os.remove(folder / fault)
    browser.get(url)
    assert until(lambda: said(browser)) and said(browser).startswith(head), said(browser)
    assert browser.find_element("id", "again").is_displayed()
    assert any(head in e["message"] for e in browser.get_log("browser"))
