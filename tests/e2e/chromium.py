"""Chromium as a browser target of the end-to-end suite (web.py): Debian's
headless Chromium with software WebGL, driven through Debian's
chromedriver by python3-selenium, and through the DevTools protocol where
WebDriver has no word: its touch input and on-screen keyboard emulated,
and its accessibility tree read as a screen reader reads it."""

import os
import shutil
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

from web import ROLES, Page, Target, spoken

# Qt for the web draws through WebGL: with no GPU, SwiftShader's software
# WebGL has to be allowed explicitly, or the canvas stays blank.
ARGUMENTS = ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--disable-component-update", "--enable-unsafe-swiftshader",
             "--use-angle=swiftshader", "--disable-crash-reporter",
             "--disable-breakpad", "--window-size=1280,800")


class ChromiumPage(Page):
    driven_by = "chromedriver"

    def __init__(self, desktop, tablet, prelude):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ARGUMENTS:
            options.add_argument(argument)
        # The console's errors and uncaught exceptions, kept for problems().
        options.set_capability("goog:loggingPrefs", {"browser": "SEVERE"})
        # A home of its own, where it keeps its crash reports.
        self.home = tempfile.mkdtemp(prefix="trimwell-chromium-")
        self.driver = webdriver.Chrome(service=Service(
            "/usr/bin/chromedriver", env=dict(os.environ, HOME=self.home)),
            options=options)
        self.logged = []

    def ready(self, url, viewport, tablet, prelude):
        # A tablet's browser lays the page out by its viewport tag and takes
        # touch; a desktop's by the window.
        self.turn(viewport, tablet)
        self.cdp("Emulation.setTouchEmulationEnabled", enabled=tablet,
                 maxTouchPoints=5)
        if prelude:
            self.cdp("Page.addScriptToEvaluateOnNewDocument", source=prelude)
        self.open(url)

    def stop(self):
        super().stop()
        shutil.rmtree(self.home, ignore_errors=True)

    def cdp(self, method, **params):
        return self.driver.execute_cdp_cmd(method, params)

    def cancel_touch(self, points):
        # A finger the system takes over, which no WebDriver action ends.
        zoom = self.evaluate("visualViewport.scale")
        for kind, fingers in (("touchStart", points[:1]), *(
                ("touchMove", [p]) for p in points[1:]), ("touchCancel", [])):
            self.cdp("Input.dispatchTouchEvent", type=kind, touchPoints=[
                {"x": x / zoom, "y": y / zoom} for x, y in fingers])

    def pinch(self, x, y, scale):
        self.cdp("Input.synthesizePinchGesture", x=x, y=y, scaleFactor=scale)

    def turn(self, viewport, tablet=True):
        self.cdp("Emulation.setDeviceMetricsOverride", width=viewport[0],
                 height=viewport[1], deviceScaleFactor=1, mobile=tablet)

    def compose(self, text):
        for end in range(1, len(text) + 1):
            self.cdp("Input.imeSetComposition", text=text[:end],
                     selectionStart=end, selectionEnd=end)
        self.commit_text(text)

    def commit_text(self, text):
        self.cdp("Input.insertText", text=text)

    def problems(self):
        # The driver hands each entry on once.
        self.logged += [e["message"] for e in self.driver.get_log("browser")]
        return list(self.logged)

    def installability_errors(self):
        return self.cdp("Page.getInstallabilityErrors")["installabilityErrors"]

    def offline(self, cut):
        self.cdp("Network.enable")
        self.cdp("Network.emulateNetworkConditions", offline=cut, latency=0,
                 downloadThroughput=-1, uploadThroughput=-1)

    def color_scheme(self, name):
        self.cdp("Emulation.setEmulatedMedia", features=[
            {"name": "prefers-color-scheme", "value": name}])

    def missing_accessible(self, wanted):
        tree = {(spoken(n["name"]["value"]), n["role"]["value"])
                for n in self.cdp("Accessibility.getFullAXTree")["nodes"]
                if not n.get("ignored") and n.get("name", {}).get("value")}
        return {(name, role) for name, role in wanted
                if (spoken(name), ROLES.get(role, "StaticText")) not in tree}


class Engine(Target):
    name, page = "Chromium", ChromiumPage
    reads_viewport_tag = True  # as a tablet's browser, emulated
