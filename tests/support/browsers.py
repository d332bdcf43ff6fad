"""The three engines, headless, behind the same calls, each waiting CALL_SECONDS at most: get(url),
js(body) (a function body: what it returns comes back), keys(*keys) (as selenium's Keys), png(),
quit(). Chromium and WebKitGTK are Selenium's drivers, on Debian's, with these added; Firefox is
driven through its own WebDriver BiDi server (Debian has no geckodriver), over python3-websocket."""
import base64, glob, inspect, json, pathlib, re, subprocess, tempfile, time

import websocket
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.webkitgtk.service import Service as WebKitService

from support.demo import until

ENGINES = ("chromium", "firefox", "webkit")
CALL_SECONDS = 120
MINIBROWSER = (glob.glob("/usr/lib/*/webkit2gtk-4.1/MiniBrowser") or ["MiniBrowser of webkit2gtk-4.1"])[0]


def selenium(driver):
    driver.set_page_load_timeout(CALL_SECONDS)
    driver.set_script_timeout(CALL_SECONDS)
    driver.js, driver.png = driver.execute_script, driver.get_screenshot_as_png
    driver.keys = lambda *keys: ActionChains(driver).send_keys(*keys).perform()
    return driver


class Firefox:
    def __init__(self, width, height):
        self.profile, self.ws, self.n = tempfile.TemporaryDirectory(), None, 0
        # WebGL on Mesa's software GL, which Firefox would refuse; its remote agent sets the rest a test needs
        pathlib.Path(f"{self.profile.name}/user.js").write_text('user_pref("webgl.force-enabled", true);\n')
        with (log := pathlib.Path(f"{self.profile.name}/log")).open("w") as out:
            self.p = subprocess.Popen(["firefox-esr", "--headless", "--no-remote", "--profile", self.profile.name,
                                       f"--width={width}", f"--height={height}", "--remote-debugging-port=0"],
                                      stdout=out, stderr=out)
        listening = lambda: re.search(r"BiDi listening on (ws://\S+)", log.read_text())
        if not (url := until(lambda: self.p.poll() is not None or listening(), 60) and listening()):
            self.quit()
            raise RuntimeError("Firefox did not start: " + log.read_text()[-500:])
        self.ws = websocket.create_connection(  # Firefox refuses a connection that names an origin
            url[1] + "/session", suppress_origin=True, timeout=CALL_SECONDS)
        self.call("session.new", capabilities={})
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]

    def call(self, method, **params):  # a BiDi command's result
        self.n += 1
        self.ws.send(json.dumps({"id": self.n, "method": method, "params": params}))
        end = time.time() + CALL_SECONDS
        while (answer := json.loads(self.ws.recv())).get("id") != self.n:  # events, till the answer
            assert time.time() < end, f"{method}: Firefox gave no answer in {CALL_SECONDS} s"
        assert "error" not in answer, f"{method}: {answer.get('error')}: {answer.get('message')}"
        return answer["result"]

    def get(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def js(self, body):  # the value comes back as JSON, a promise's once settled, as Selenium's does
        got = self.call("script.callFunction", functionDeclaration=f"async function () {{ return JSON.stringify("
                        f"await (function () {{ {body} }})()) }}", awaitPromise=True, target={"context": self.context})
        assert got["type"] != "exception", got["exceptionDetails"]["text"]
        return json.loads(got["result"].get("value") or "null")

    def keys(self, *keys):
        self.call("input.performActions", context=self.context, actions=[{"type": "key", "id": "keyboard", "actions": [
            {"type": way, "value": k} for k in keys for way in ("keyDown", "keyUp")]}])

    def png(self):
        return base64.b64decode(self.call("browsingContext.captureScreenshot", context=self.context)["data"])

    def quit(self):
        self.ws and self.ws.close()
        self.p.kill()
        self.p.wait()
        self.profile.cleanup()


def start(engine, width=1100, height=900):
    """A headless browser: Firefox gets WebGL only with an X server (DISPLAY), WebKitGTK shows on it."""
    if engine == "firefox":
        return Firefox(width, height)
    if engine == "webkit":
        options, driver = webdriver.WebKitGTKOptions(), "/usr/bin/WebKitWebDriver"
        options.binary_location = MINIBROWSER
        options.add_argument("--automation")
        given = {"service": WebKitService(driver)} if "service" in inspect.signature(webdriver.WebKitGTK).parameters \
            else {"executable_path": driver}  # Selenium 4.8 (Debian 12) takes the driver's path alone
        browser = selenium(webdriver.WebKitGTK(options=options, **given))
        browser.set_window_size(width, height)
        return browser
    options = webdriver.ChromeOptions()
    options.arguments.extend(["--headless=new", "--no-sandbox", f"--window-size={width},{height}",
                              "--disable-background-networking", "--disable-component-update"])
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return selenium(webdriver.Chrome(options=options, service=Service("/usr/bin/chromedriver")))
