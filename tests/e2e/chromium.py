"""The web build as the end-to-end suite's target: the single page
trimwell.html opened from disk in headless Chromium (cdp.py), each start in
a fresh profile. Qt draws the program's windows into canvases on the page
and offers no accessibility tree, so the page is read by its pixels; keys
and clicks go in as the browser's own input events."""

import json
import os

from cdp import Browser
from harness import wait_for

VIEWPORT = (1024, 768)
PAGE = (51, 51, 51)  # Qt's screen behind the windows (page.html.in)


class Page(Browser):
    """One start of the program in its own browser."""

    def __init__(self, url, stored=None):
        super().__init__()
        self.call("Emulation.setDeviceMetricsOverride", width=VIEWPORT[0],
                  height=VIEWPORT[1], deviceScaleFactor=1, mobile=False)
        if stored:
            # Put there before the page's own scripts run, on every load.
            self.call("Page.addScriptToEvaluateOnNewDocument", source="".join(
                f"localStorage.setItem({json.dumps(k)}, {json.dumps(v)});"
                for k, v in stored.items()))
        self.opened = self.open(url)

    def storage(self):
        """The page's localStorage, as a dict."""
        return self.evaluate("Object.fromEntries(Object.entries("
                             "localStorage))")

    def windows(self, image=None):
        """(left, top, width, height) around everything drawn on the page,
        None while nothing is."""
        image = image or self.screenshot()
        background = bytes(PAGE) * image.width
        rows = [y for y, row in enumerate(image.rows) if row != background]
        if not rows:
            return None
        columns = [x for x in range(image.width)
                   if any(image.pixel(x, y) != PAGE for y in rows[::4])]
        return (columns[0], rows[0], columns[-1] + 1 - columns[0],
                rows[-1] + 1 - rows[0])

    def text(self):
        return self.evaluate("document.body.innerText").strip()


class Chromium:
    # Seconds from opening the page to the splash card: the browser
    # compiles the program's WebAssembly first.
    first_start = 30

    def __init__(self):
        self.url = "file://" + os.path.realpath(os.environ["TRIMWELL_BINARY"])

    def start(self, stored=None):
        """Opens the page in a new browser, with these localStorage items
        there before it loads: a Page."""
        return Page(self.url, stored)

    def stop(self):
        pass


__all__ = ["Chromium", "Page", "PAGE", "VIEWPORT", "wait_for"]
