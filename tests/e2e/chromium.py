"""Chromium as a browser target of the end-to-end suite (web.py): Debian's
headless Chromium with software WebGL, spoken to over the DevTools
protocol; its touch input and on-screen keyboard emulated, and its
accessibility tree read as a screen reader reads it."""

import base64
import time

from web import ROLES, Browser, Page, Target, image, spoken

# Qt for the web draws through WebGL: with no GPU, SwiftShader's software
# WebGL has to be allowed explicitly, or the canvas stays blank.
COMMAND = ("/usr/bin/chromium", "--headless", "--no-sandbox", "--disable-gpu",
           "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update",
           "--disable-sync", "--enable-unsafe-swiftshader",
           "--use-angle=swiftshader", "--disable-crash-reporter",
           "--disable-breakpad", "--remote-debugging-port=0",
           "--user-data-dir={profile}", "--window-size=1280,800",
           "about:blank")
# WebDriver's key values as the protocol's key events name them: key, code,
# Windows virtual key code, text typed, modifier bit.
KEYS = {"\ue006": ("Enter", "Enter", 13, "\r", 0),
        "\ue00c": ("Escape", "Escape", 27, "", 0),
        "\ue003": ("Backspace", "Backspace", 8, "", 0),
        "\ue004": ("Tab", "Tab", 9, "", 0),
        "\ue014": ("ArrowRight", "ArrowRight", 39, "", 0),
        "\ue00a": ("Alt", "AltLeft", 18, "", 1),
        "\ue009": ("Control", "ControlLeft", 17, "", 2)}
POINTER = {"mouse": ("mousePressed", "mouseMoved", "mouseReleased"),
           "touch": ("touchStart", "touchMove", "touchEnd")}


class ChromiumPage(Browser, Page):
    driven_by = "the DevTools protocol"

    def __init__(self, url, viewport, tablet, desktop, prelude):
        self.launch(COMMAND, rb"DevTools listening on (ws://\S+)")
        try:
            target = next(t for t in self.call("Target.getTargets")[
                "targetInfos"] if t["type"] == "page")
            self.session = {"sessionId": self.call(
                "Target.attachToTarget", targetId=target["targetId"],
                flatten=True)["sessionId"]}
            for domain in ("Page", "Runtime", "Log"):
                self.call(domain + ".enable", envelope=self.session)
            # A tablet's browser lays the page out by its viewport tag and
            # takes touch; a desktop's by the window.
            self.call("Emulation.setDeviceMetricsOverride", width=viewport[0],
                      height=viewport[1], deviceScaleFactor=1, mobile=tablet,
                      envelope=self.session)
            self.call("Emulation.setTouchEmulationEnabled", enabled=tablet,
                      maxTouchPoints=5, envelope=self.session)
            if prelude:
                self.page("Page.addScriptToEvaluateOnNewDocument",
                          source=prelude)
            self.open(url)
        except BaseException:
            self.stop()
            raise

    def page(self, method, **params):
        return self.call(method, envelope=self.session, **params)

    def open(self, url, timeout=30):
        """Loads url, and returns once the new page has replaced the old."""
        seen = len(self.events)
        loader = self.page("Page.navigate", url=url)["loaderId"]
        with self._lock:
            if not self._lock.wait_for(lambda: any(
                    e["method"] == "Page.frameNavigated" and
                    e["params"]["frame"].get("loaderId") == loader
                    for e in self.events[seen:]), timeout):
                raise TimeoutError(f"{url} did not load within {timeout} s")

    def evaluate(self, expression):
        result = self.page("Runtime.evaluate", expression=expression,
                           returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def screenshot(self, box=None):
        # Cut from the whole, not clipped by the browser, which clips by the
        # page's own points.
        for attempt in range(40):
            try:
                return image(base64.b64decode(self.page(
                    "Page.captureScreenshot", format="png")["data"]), box)
            except RuntimeError as error:
                # A page just loaded can refuse for a moment.
                if "active page" not in str(error) or attempt == 39:
                    raise
                time.sleep(0.05)

    def perform(self, actions):
        for source in actions:
            if source["type"] == "key":
                self._keys(source["actions"])
            else:
                self._pointer_events(source["parameters"]["pointerType"],
                                     source["actions"])

    def _keys(self, actions):
        modifiers = 0
        for action in actions:
            value, down = action["value"], action["type"] == "keyDown"
            key, code, vk, text, bit = KEYS.get(value) or (
                value, ("Key" if value.isalpha() else "Digit") +
                value.upper(), ord(value.upper()), value, 0)
            modifiers = modifiers | bit if down else modifiers & ~bit
            # A shortcut types nothing.
            kind = dict(type="keyUp")
            if down:
                kind = (dict(type="keyDown", text=text)
                        if text and not modifiers & 3 else
                        dict(type="rawKeyDown"))
            self.page("Input.dispatchKeyEvent", key=key, code=code,
                      windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk,
                      modifiers=modifiers, **kind)

    def _pointer_events(self, kind, actions):
        # A tablet's browser shows the page scaled down where it is wider
        # than the screen: points of the screenshot made the page's.
        zoom = self.evaluate("visualViewport.scale") if kind == "touch" else 1
        down, move, up = POINTER[kind]
        x = y = 0
        pressed = False
        for action in actions:
            if action["type"] == "pause":
                time.sleep(action["duration"] / 1000)
                continue
            if action["type"] == "pointerMove":
                x, y = action["x"] / zoom, action["y"] / zoom
                if kind == "touch" and not pressed:
                    continue  # a finger is somewhere only once down
            pressed = action["type"] != "pointerUp" and (
                pressed or action["type"] == "pointerDown")
            event = {"pointerDown": down, "pointerMove": move,
                     "pointerUp": up}[action["type"]]
            if kind == "touch":
                self.page("Input.dispatchTouchEvent", type=event,
                          touchPoints=[{"x": x, "y": y}] if pressed else [])
            else:
                self.page("Input.dispatchMouseEvent", type=event, x=x, y=y,
                          button="left" if pressed or event != move
                          else "none", buttons=int(pressed), clickCount=1)

    def _touches(self, *events):
        # Touch events of the protocol: (type, the fingers down).
        zoom = self.evaluate("visualViewport.scale")
        for kind, points in events:
            self.page("Input.dispatchTouchEvent", type=kind, touchPoints=[
                {"x": x / zoom, "y": y / zoom, "id": finger}
                for finger, (x, y) in enumerate(points)])

    def two_fingers(self, starts, ends):
        self._touches(("touchStart", starts), ("touchMove", ends),
                      ("touchEnd", []))

    def cancel_touch(self, points):
        self._touches(("touchStart", points[:1]), *(("touchMove", [p]) for p
                      in points[1:]), ("touchCancel", []))

    def pinch(self, x, y, scale):
        self.page("Input.synthesizePinchGesture", x=x, y=y, scaleFactor=scale)

    def turn(self, viewport):
        self.page("Emulation.setDeviceMetricsOverride", width=viewport[0],
                  height=viewport[1], deviceScaleFactor=1, mobile=True)

    def compose(self, text):
        for end in range(1, len(text) + 1):
            self.page("Input.imeSetComposition", text=text[:end],
                      selectionStart=end, selectionEnd=end)
        self.commit_text(text)

    def commit_text(self, text):
        self.page("Input.insertText", text=text)

    def problems(self):
        found = []
        for event in list(self.events):
            method, params = event["method"], event.get("params", {})
            if method == "Runtime.exceptionThrown":
                details = params["exceptionDetails"]
                found.append(details.get("exception", {}).get(
                    "description", details["text"]))
            elif (method == "Runtime.consoleAPICalled" and
                  params["type"] in ("error", "assert")):
                found.append(" ".join(str(a.get("value", a.get(
                    "description"))) for a in params["args"]))
            elif (method == "Log.entryAdded" and
                  params["entry"]["level"] == "error"):
                found.append(params["entry"]["text"])
        return found

    def installability_errors(self):
        return self.page("Page.getInstallabilityErrors")[
            "installabilityErrors"]

    def offline(self, cut):
        self.page("Network.enable")
        self.page("Network.emulateNetworkConditions", offline=cut, latency=0,
                  downloadThroughput=-1, uploadThroughput=-1)

    def color_scheme(self, name):
        self.page("Emulation.setEmulatedMedia", features=[
            {"name": "prefers-color-scheme", "value": name}])

    def missing_accessible(self, wanted):
        tree = {(spoken(n["name"]["value"]), n["role"]["value"])
                for n in self.page("Accessibility.getFullAXTree")["nodes"]
                if not n.get("ignored") and n.get("name", {}).get("value")}
        return {(name, role) for name, role in wanted
                if (spoken(name), ROLES.get(role, "StaticText")) not in tree}


class Engine(Target):
    name, page = "Chromium", ChromiumPage
    reads_viewport_tag = True  # as a tablet's browser, emulated
