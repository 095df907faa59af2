"""Chromium as a browser target of the end-to-end suite (web.py): Debian's
headless Chromium, spoken to over the DevTools protocol (cdp.py), with
software WebGL; its touch input and on-screen keyboard emulated, and its
accessibility tree read as a screen reader reads it."""

from cdp import Browser
from web import VIEWPORT, Page, image, page_url, spoken, steps_between


# AT-SPI's roles as Chromium's accessibility tree names them.
ROLES = {"text": "textbox", "radio button": "radio", "push button": "button",
         "label": "StaticText"}


class ChromiumPage(Browser, Page):
    def __init__(self, url, viewport, tablet):
        super().__init__()
        # A tablet's browser lays the page out by its viewport tag and
        # takes touch; a desktop's by the window.
        self.call("Emulation.setDeviceMetricsOverride", width=viewport[0],
                  height=viewport[1], deviceScaleFactor=1, mobile=tablet)
        self.call("Emulation.setTouchEmulationEnabled", enabled=tablet,
                  maxTouchPoints=5)
        self.open(url)

    def screenshot(self, box=None):
        # Cut from the whole, not clipped by the browser, which clips by the
        # page's own points.
        return image(self.screenshot_png(), box)

    def _page_points(self, points):
        """Points of the screenshot as points of the page, which a tablet's
        browser shows scaled down where the page is wider than the screen."""
        zoom = self.evaluate("visualViewport.scale")
        return [(x / zoom, y / zoom) for x, y in points]

    def tap(self, x, y):
        self._touch(self._page_points([(x, y)]))

    def touch_drag(self, start, end, steps=10):
        self._touch(self._page_points(steps_between(start, end, steps)))

    def installability_errors(self):
        """Why the page could not be installed on a home screen."""
        return self.call("Page.getInstallabilityErrors")[
            "installabilityErrors"]

    def offline(self, cut):
        """Cuts the page's network, or gives it back."""
        self.call("Network.enable")
        self.call("Network.emulateNetworkConditions", offline=cut, latency=0,
                  downloadThroughput=-1, uploadThroughput=-1)

    def color_scheme(self, name):
        self.call("Emulation.setEmulatedMedia", features=[
            {"name": "prefers-color-scheme", "value": name}])

    def _tree(self):
        return [n for n in self.call("Accessibility.getFullAXTree")["nodes"]
                if not n.get("ignored") and n.get("name", {}).get("value")]

    def missing_accessible(self, wanted):
        tree = {(spoken(n["name"]["value"]), n["role"]["value"])
                for n in self._tree()}
        return {(name, role) for name, role in wanted
                if (spoken(name), ROLES[role]) not in tree}


class Chromium:
    name = "Chromium"
    reads_viewport_tag = True  # as a tablet's browser, emulated
    # Seconds from opening the page to the splash card: the browser
    # compiles the program's WebAssembly first.
    first_start = 30

    def __init__(self):
        self.url = page_url()

    def start(self, viewport=VIEWPORT, tablet=False, url=None):
        return ChromiumPage(url or self.url, viewport, tablet)

    def stop(self):
        pass
