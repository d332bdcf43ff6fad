"""The page in headless browsers, served from 127.0.0.1, the pixels the browser's own: Chromium, as a
desktop and as a phone, carries the page's checks; Firefox and WebKitGTK show it runs in theirs."""
import contextlib, io, os, re, shutil, subprocess, sys, urllib.request

import numpy as np
import pytest
from PIL import Image
from selenium.webdriver.common.keys import Keys

from support import browsers
from support.demo import TOP, bmp, steers, until, write
from support.serve import Served

PAGE, BUILD = os.environ["WAVEGRID_WEB"], os.environ["WAVEGRID_WEB_BUILD"]


@pytest.fixture(scope="module")
def browser():
    yield (b := browsers.start("chromium"))
    b.quit()


@pytest.fixture
def site(tmp_path):
    """Serves a copy of a folder as a user would: site(folder[, how]) gives the copy and its address."""
    with contextlib.ExitStack() as servers:
        yield lambda folder, how="careful": (shutil.copytree(folder, tmp_path, dirs_exist_ok=True),
                                             servers.enter_context(Served(tmp_path, how=how)).url)


def shot(b):  # the canvas as the browser shows it, at its 800 x 600 pixels
    box = [round(v) for v in b.js("const r = canvas.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]")]
    return np.asarray(Image.open(io.BytesIO(b.png())).convert("RGB").crop(box).resize((800, 600)), int)


def said(b):  # the page's line over the canvas, "" while it shows none
    return b.js("const line = document.getElementById('status'); return line.hidden ? '' : line.innerText")


def says(b, head):  # the page comes to say so
    return until(lambda: said(b).startswith(head))


# The sprite reaches the program through an internal of Emscripten's (web/sdl.cpp): a change fails here.
# WebKitGTK at times loses its web process ("unknown error", no message) or shows nothing: tried twice (pytest.ini).
@pytest.mark.parametrize("engine", [pytest.param(e, marks=pytest.mark.flaky(reruns=1) if e == "webkit" else ()) for e in browsers.ENGINES])
def test_draws_moves_follows_keys_and_ends_in_each_engine(engine, site, request):
    b, (folder, url) = request.getfixturevalue("browser") if engine == "chromium" else browsers.start(engine), site(PAGE)
    engine == "chromium" and write(folder / "index.html", (folder / "index.html").read_bytes().replace(b"\n", b"\r\n"))
    try:
        b.get(url)
        assert until(lambda: shot(b).any(), 60) and not said(b), f"nothing shown; the page says {said(b)!r}"
        assert b.js("return getComputedStyle(document.getElementById('pad')).display") == "none"
        below = lambda: b.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": "mouseMoved", **point(b, "canvas", 0.5, 0.95)})
        steers(lambda: shot(b), lambda: b.keys(*[Keys.ARROW_DOWN] * 60), below if engine == "chromium" else None)
        engine == "chromium" and on_a_desktop(b)
        b.keys(Keys.ESCAPE)
        assert says(b, "The demo has ended.")
        assert engine != "chromium" or b.js("return awake.released"), "the screen should be let go at the end"
    finally:
        engine != "chromium" and b.quit()  # the module's, for the tests after


# On a host that rewrote index.html's line endings: the page runs, keeps nothing and names the file.
def on_a_desktop(b):  # nothing refused by serve.sh's strict policy; installable; the screen kept on; the buttons
    pad, log = "document.getElementById('pad')", []  # the console, kept: each read of it takes what it read away
    assert until(lambda: log.extend(b.get_log("browser")) or [e for e in log if "index.html is not this" in e["message"]])
    assert not [e for e in log if "Content Security Policy" in e["message"]]
    assert b.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"] == []
    b.js("navigator.storage.persist = async () => (window.persisted = true); dispatchEvent(new Event('appinstalled'));"
         "const b = document.getElementById('buttons'); b.focus(); b.click()")  # installed; On-screen controls clicked
    assert b.js(f"""return caches.keys().then((kept) => [kept.length, awake && !awake.released, window.persisted,
      !full.hidden, getComputedStyle({pad}).display, document.activeElement === canvas])""") == [0, True, True, True, "grid", True], \
        "want: none kept (unchecked), the screen on, kept once installed, Full screen, the buttons, the keys back"
    b.js("window.got = []; canvas.addEventListener('keydown', (e) => got.push(e.keyCode)); canvas.addEventListener("
         f"'keyup', (e) => got.push(-e.keyCode)); {pad}.children[10].click()")  # Reset waves by Enter: no pointer
    assert not until(lambda: len(b.js("return got")) > 2, 0.3) and b.js("return got") == [82, -82]
    mouse = lambda kind: b.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": kind, "button": "left", "clickCount": 1, **point(b, "#pad button")})
    mouse("mousePressed")  # Nearer held with the mouse: a finger's lift is followed by pointerleave, the mouse's is not
    assert until(lambda: b.js("return got").count(38) >= 3), "Nearer held with the mouse should repeat"
    mouse("mouseReleased")
    assert until(lambda: -38 in b.js("return got")) and not until(lambda: b.js("return got")[-1] != -38, 0.3), "the mouse let go"
    assert b.js(f"return !{pad}.children[0].dispatchEvent(new MouseEvent('contextmenu', "
                "{bubbles: true, cancelable: true}))"), "a long press should open no menu"


# The batching layer against Emscripten's own GL emulation, on a sprite neither symmetric nor grey.
def test_a_frame_is_drawn_alike_both_ways_and_keeps_its_colours(browser, site):
    frames = {}
    for way in ("batched", "emulated"):
        folder, url = site(f"{BUILD}/frame-{way}")
        write(folder / "wavegrid.data", bmp(64, 64, "RGB", colour=(255, 0, 0), box=(0, 8, 40, 24)))
        browser.get(url)
        assert says(browser, "The demo has ended.")
        browser.js("status.hidden = true")  # the line over the frame
        frames[way] = shot(browser)
    lit, diff = frames["batched"].any(2), np.abs(frames["batched"] - frames["emulated"]).max(2)
    assert lit.mean() > 0.3 and (diff > 2).sum() == 0 and (diff > 0).mean() < 1e-4, diff.sum()
    assert (frames["batched"][lit][:, 1:] == 0).all(), "green or blue in a red picture"


@pytest.mark.parametrize("fault,head", [
    ("wavegrid.data", "Sprite texture loading failed: data/sprite01.bmp can't be read as an image"),
    ("wavegrid.wasm", "wavegrid.wasm could not be loaded (404)"),
    *[(f"drop {f}", f"{f} could not be loaded (no answer)") for f in ("wavegrid.js", "wavegrid.data")],
    ("lost", "The browser took the demo's WebGL away."), ("file", "This page must come from a web server"),
    ("framed", "This page is in a frame that keeps it from its own files")],
    ids=["bad sprite", "no .wasm", "no wavegrid.js", "no wavegrid.data", "WebGL lost", "opened from a file", "sandboxed"])
def test_a_failed_start_or_a_lost_webgl_says_why_on_the_page(browser, site, fault, head):
    folder, url = site(PAGE)
    browser.execute_cdp_cmd("Network.enable", {})  # a connection that fails, for this file only
    browser.execute_cdp_cmd("Network.setBlockedURLs", {"urls": [f"*/{fault[5:]}"] if "drop" in fault else []})
    fault == "wavegrid.data" and write(folder / fault, bytes(64))  # the sprite the page fetches
    fault == "wavegrid.wasm" and os.remove(folder / fault)
    (folder / "framed.html").write_text('<iframe sandbox="allow-scripts" src="index.html"></iframe>')
    browser.get({"file": f"file://{folder}/index.html", "framed": url + "framed.html"}.get(fault, url))
    fault == "framed" and browser.switch_to.frame(0)
    if fault == "lost":
        assert until(lambda: shot(browser).any())
        browser.js("canvas.getContext('webgl').getExtension('WEBGL_lose_context').loseContext()")
    assert says(browser, head) and browser.js("return !again.hidden"), said(browser)
    browser.switch_to.default_content()
    assert fault in ("file", "framed") or any(head in e["message"] for e in browser.get_log("browser"))  # a frame: its own process


# What docs/web.md says a host sends, line by line, is what scripts/serve.sh sends.
def test_the_host_sends_the_headers_the_docs_promise(site):
    url, promised = site(PAGE)[1], re.findall(r"^    ([\w-]+): (.*?)(?: +\((.*)\))?$", open(f"{TOP}/docs/web.md").read(), re.M)
    assert len(promised) == 5, promised
    for name, value, files in promised:
        for file in re.findall(r"[\w-]+\.\w+", files) or os.listdir(PAGE):
            with urllib.request.urlopen(url + file) as answer:
                assert answer.headers[name] == value, (file, name)


def point(b, selector, fx=0.5, fy=0.5):  # a point of an element, at fractions of its box
    box = b.js(f"return document.querySelector('{selector}').getBoundingClientRect().toJSON()")
    return {"x": box["left"] + fx * box["width"], "y": box["top"] + fy * box["height"]}


def touch(b, kind, *fingers):  # a real touch: touchStart, touchMove, touchEnd (of the fingers given, or all), touchCancel
    b.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": [{"id": n, **f} for n, f in enumerate(fingers)]})


@pytest.fixture(params=[(390, 844), (844, 390)], ids=["upright", "wide"])
def phone(browser, site, request):
    """The page on a phone of this size (Chromium's emulation: a small screen, fingers only), on a host with clean addresses."""
    (w, h), cdp = request.param, lambda name, **args: browser.execute_cdp_cmd(f"Emulation.{name}", args)
    cdp("setDeviceMetricsOverride", width=w, height=h, deviceScaleFactor=1, mobile=True, screenOrientation=
        {"type": "portraitPrimary", "angle": 0} if h > w else {"type": "landscapePrimary", "angle": 90})
    cdp("setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    bare = browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": IPHONE})
    browser.get(site(PAGE, "clean")[1])
    assert until(lambda: shot(browser).any())
    yield browser
    browser.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", bare)
    cdp("setTouchEmulationEnabled", enabled=False)
    cdp("clearDeviceMetricsOverride")


# What a phone's browser may lack (an iPhone has no element full screen), and workers refused as a
# privacy setting refuses them (reading navigator.serviceWorker throws): the page does without.
IPHONE = """for (const [of, name] of [[Element, 'requestFullscreen'], [Element, 'webkitRequestFullscreen'],
  [Document, 'fullscreenEnabled'], [Document, 'webkitFullscreenEnabled'], [Navigator, 'wakeLock']]) delete of.prototype[name];
  Object.defineProperty(Navigator.prototype, 'serviceWorker', {get() { throw new DOMException('no', 'SecurityError') }});"""


def test_the_page_fills_a_phone_and_a_pinch_or_a_swipe_moves_nothing(phone):
    page = phone.js("""const box = (e) => e.getBoundingClientRect().toJSON(), page = document.documentElement;
      return [page.scrollWidth, page.scrollHeight, innerWidth, innerHeight, box(canvas),
              [...document.querySelectorAll('#pad button')].map(box), controls.innerText]""")
    *scrolled, w, h, picture, buttons, words = page
    assert scrolled == [w, h] and (picture["height"] == h if w > h else picture["width"] == w), page
    for b in buttons:  # on the screen, off the picture, big enough for a finger
        assert b["left"] >= 0 and b["right"] <= w and b["top"] >= 0 and b["bottom"] <= h, b
        assert (b["top"] >= picture["bottom"] or b["left"] >= picture["right"]) and b["height"] >= 30, b
    assert len(buttons) == 12 and "finger" in words and "Mouse" not in words
    for where in ("canvas", "#pad"):
        a, z = point(phone, where, 0.4, 0.6), point(phone, where, 0.6, 0.2)
        for fingers in [(a, -8, 8), (z, 8, 0)], [(a, 0, -20)]:  # two fingers apart, then one swiping up
            for n in range(10):
                touch(phone, "touchMove" if n else "touchStart", *[{"x": f["x"] + dx * n, "y": f["y"] + dy * n} for f, dx, dy in fingers])
            touch(phone, "touchEnd")
    phone.js("canvas.dispatchEvent(new MouseEvent('dblclick', {bubbles: true}))")  # full screen, where there is none
    assert phone.js("return [visualViewport.scale, scrollX, scrollY, visualViewport.offsetTop, full.hidden, status.hidden]") \
        == [1, 0, 0, 0, True, True]


# The keyCode of the key each button names, as the README's controls table pairs them: Up, Down, 1, 2...
BUTTONS = dict(zip(["Nearer", "Farther", "Slow step −", "Slow step +", "Fast step −", "Fast step +", "Slow height −",
                    "Slow height +", "Fast height −", "Fast height +", "Reset waves", "Quit"], [38, 40, *b"12QWASZXR", 27]))

# Each way the page promises to let a held button go: the finger's, and what the page hears.
LET_GO = {"lift": lambda b: touch(b, "touchEnd"), "cancel": lambda b: touch(b, "touchCancel"),
          "slide off": lambda b: touch(b, "touchMove", point(b, "canvas")),
          **{f"the page's {e}": lambda b, e=e: b.js(f"dispatchEvent(new Event('{e}'))")
             for e in ("blur", "pagehide", "resize", "orientationchange")},
          "the page hidden": lambda b: b.js("document.dispatchEvent(new Event('visibilitychange'))")}


@pytest.mark.parametrize("phone", [(844, 390)], indirect=True, ids=["wide"])
def test_by_touch_each_button_gives_its_key_held_as_promised(phone, tmp_path):
    phone.js("""window.got = {}; for (const type of ['keydown', 'keyup']) canvas.addEventListener(type, (e) =>
      got[e.keyCode] = (got[e.keyCode] || '') + (type == 'keyup' ? 'u' : e.repeat ? 'r' : 'd'));
      window.delays = []; const timer = setTimeout;  // what each repeat asks for, whatever the load
      window.setTimeout = (f, ms, ...rest) => (f.name == 'repeat' && delays.push(ms), timer(f, ms, ...rest))""")
    keys = lambda label: phone.js(f"return got[{BUTTONS[label]}] || ''")  # d pressed, r repeated, u let go
    at = {label: point(phone, f'#pad button:nth-child({n + 1})') for n, label in enumerate(BUTTONS)}
    assert phone.js("return [...document.querySelectorAll('#pad button')].map((b) => b.innerText)") == list(BUTTONS)

    def lets_go(label, why):  # and nothing after
        assert until(lambda: "u" in keys(label), 5), f"{label} should let go at {why}: {keys(label)}"
        now = keys(label)
        assert not until(lambda: keys(label) != now, 0.3), f"{label} went on after {why}: {keys(label)}"

    ways = [("a tap", lambda b: touch(b, "touchEnd")), *LET_GO.items()] * 2
    for label, (why, end) in zip(list(BUTTONS)[:-1], ways):  # each button, let go each way
        phone.js("delays.length = 0")
        touch(phone, "touchStart", at[label])
        assert why == "a tap" or until(lambda: len(keys(label)) >= 4, 10), f"{label} held should repeat"
        end(phone)
        lets_go(label, why)
        why in ("a tap", "lift", "cancel") or touch(phone, "touchEnd")  # the finger still down, lifted
        assert re.fullmatch("dr*u", keys(label)), f"{label}, let go at {why}, then lifted: {keys(label)}"
        delays = phone.js("return delays")
        assert why == "a tap" or delays[:2] == [100, 30] and set(delays[2:]) <= {30}, \
            f"repeats should come after 100 ms, then every 30: {delays}"

    phone.js("got = {}")  # two fingers hold two buttons; a second finger on a held one changes nothing
    touch(phone, "touchStart", at["Nearer"], at["Farther"])
    assert until(lambda: min(len(keys("Nearer")), len(keys("Farther"))) >= 4, 10), "two fingers should hold two"
    touch(phone, "touchEnd", {**at["Farther"], "id": 1})
    lets_go("Farther", "its finger's lift, the other finger still down")
    held, second = len(keys("Nearer")), {"x": at["Nearer"]["x"] + 5, "y": at["Nearer"]["y"]}
    touch(phone, "touchStart", at["Nearer"], second)
    touch(phone, "touchEnd", {**second, "id": 1})
    assert until(lambda: len(keys("Nearer")) >= held + 4) and re.fullmatch("dr+", keys("Nearer")), \
        f"a second finger on held Nearer should change nothing: {keys('Nearer')}"
    touch(phone, "touchStart", at["Nearer"], at["Quit"])  # the end lets every button go
    touch(phone, "touchEnd", {**at["Quit"], "id": 1})
    assert says(phone, "The demo has ended.")
    lets_go("Nearer", "the end of the demo")
    touch(phone, "touchEnd")
    phone.js("got = {}")
    touch(phone, "touchStart", at["Nearer"])
    touch(phone, "touchEnd")
    assert not until(lambda: phone.js("return Object.keys(got).length"), 0.3), "a button pressed after the end gave keys"
    rebuild(tmp_path, "new build", "red")  # published: with no worker, on a host that lets files be reused unasked
    assert runs(phone, phone.current_url) == ("new build", "red"), "a load should take the files the host has"


def rebuild(folder, name=None, colour=None, worker=None):  # another build of the page: its title, sprite, worker
    if name:
        (page := folder / "index.html").write_text(page.read_text().replace("<title>wavegrid</title>", f"<title>{name}</title>"))
        write(folder / "wavegrid.data", bmp(64, 64, "RGB", colour=colour))
    subprocess.run([sys.executable, f"{TOP}/tools/offline.py", folder, worker or folder / "sw.js"], check=True)
    return re.search(r'BUILD = "(\w+)"', (folder / "sw.js").read_text())[1]


def runs(b, url):  # the build a load of the page runs: its title, and the colour it draws
    b.get(url)
    assert until(lambda: not said(b) and shot(b).any()), said(b)  # drawn, not the page's line
    r, _, blue = shot(b).reshape(-1, 3).sum(0)
    return b.js("return document.title"), "red" if r > blue else "blue"


# On a host with clean addresses, in Firefox, which looks for a new worker at once (Chromium after
# a minute): the update path is the page's own. The host lets files be reused unasked, too.
def test_kept_offline_apart_in_two_folders_and_updated_whole(tmp_path):
    b, site, builds = browsers.start("firefox"), tmp_path / "site", {}
    for folder, name, colour in ("a", "wavegrid", "blue"), ("b", "red build", "red"), ("new", "new build", "red"):
        shutil.copytree(PAGE, site / folder)  # a as built, the others built again; b's worker as older Safari's
        folder == "b" and (site / "b/sw.js").write_text("delete Object.hasOwn;\n" + (site / "b/sw.js").read_text())
        builds[folder] = (name, colour), folder != "a" and rebuild(site / folder, name, colour)
    (site / "index.html").write_text("<p>the host's own page</p>")
    server = Served(site, how="clean")
    kept = lambda folder: [k.split()[-1] for k in b.js("return caches.keys()") if f"/{folder}/ " in k]
    update = lambda: b.js("return navigator.serviceWorker.ready.then((kept) => kept.update()).then(() => 1)") and \
        until(lambda: b.js("return navigator.serviceWorker.ready.then((kept) => !kept.installing)"))
    try:
        for folder in "ab":  # each copy its own worker, installed once it has all it needs; every load runs
            assert runs(b, server.url + folder + "/") == builds[folder][0]
            assert until(lambda: kept(folder)), "the page should be kept for a visit with no network"
        b.get(server.url + "a")  # the folder's address without "/", answered with its index.html
        assert 'address ending in "/"' in said(b), said(b)
        server.close()  # no network: each folder its own build, with or without index.html
        assert [runs(b, server.url + f) for f in ("a/", "b/index.html")] == [builds["a"][0], builds["b"][0]]
        shutil.copytree(site / "new", site / "a", dirs_exist_ok=True)  # published; then a partial upload
        server = Served(site, server.port, how="clean")
        assert runs(b, server.url + "a/") in (builds["a"][0], builds["new"][0]), "two builds mixed"
        assert until(lambda: kept("a") == [builds["new"][1]], 180), "the new build should replace the old whole"
        assert runs(b, server.url + "a/") == builds["new"][0], "the second load should run the new build"
        rebuild(site / "a", "partial", "blue")
        write(site / "a/wavegrid.data", bmp(64, 64, "RGB", colour="green"))  # not yet the new one
        assert update() and runs(b, server.url + "a/") == runs(b, server.url + "a/") == builds["new"][0]
        update()  # the page's own look for a new worker settled before the next upload
        shutil.copytree(site / "new", site / "a", dirs_exist_ok=True)  # back, with older file times, and
        mend = lambda: (tmp_path / "sw.js").write_text((site / "a/sw.js").read_text() + "// mended\n") and \
            rebuild(site / "a", worker=tmp_path / "sw.js")
        mended, worker = mend(), (site / "a/sw.js").read_text()  # a new worker alone
        assert update() and until(lambda: kept("a") == [mended]), "a new worker alone should take over, whole"
        for sw, css in (worker + "// the host's\n", "\n"), (re.sub(r"^const BUILD = .*", 'const BUILD = "", FILES = {};', worker, flags=re.M), ""):  # a worker of this build's name
            (site / "a/sw.js").write_text(sw)  # as a host rewrote it, then the source's own, of no build at all
            write(site / "a/page.css", (site / "new/page.css").read_bytes() + css.encode())
            assert update() and kept("a") == [mended], "a new worker that fails should leave the kept build"
        b.js("return caches.keys().then((k) => Promise.all(k.map((name) => caches.delete(name))))")  # storage cleared
        assert runs(b, server.url + "a/") == builds["new"][0] and until(lambda: kept("a") == [mended]), "kept again"
        server.close()
        assert runs(b, server.url + "a/") == builds["new"][0], "the kept build should run with no network"
    finally:
        server.close()
        b.quit()


# The card's addresses are absolute: with none given, no card; a bad one stops the configure.
def test_a_preview_card_only_with_an_address_of_the_page():
    for bad in ['http://127.0.0.1/"><script>', "ftp://127.0.0.1/", "http://me@127.0.0.1/", "http://127.0.0.1/?a",
                "http://127.0.0.1/#a", "http://127.0.0.1/a\x01", "http://127.0.0.1/" + "a" * 1000]:
        assert subprocess.run(["cmake", f"-DWAVEGRID_PUBLIC_URL={bad}", "-P", f"{TOP}/cmake/public-url.cmake"],
                              capture_output=True).returncode == 1, bad
    for page, tags in (f"{PAGE}/index.html", []), (f"{BUILD}/index.html", ["og:url http://127.0.0.1/demo/",  # web-test's
                                                                       "og:image http://127.0.0.1/demo/preview.png"]):
        card = re.findall(r'<meta property="(og:[\w:]+)" content="([^"]*)"', open(page).read())
        assert {f"{k} {v}" for k, v in card} >= set(tags) and len(card) == (7 if tags else 0), card
