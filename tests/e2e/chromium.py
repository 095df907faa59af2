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
# Each byte of a screenshot's row: 1 where lighter than the page, else 0.
LIGHTER = bytes(int(value > PAGE[0] + 40) for value in range(256))


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
        """(left, top, width, height) around every window drawn on the
        page, None while none is. Windows are drawn lighter than the page,
        their shadows darker."""
        image = image or self.screenshot()
        drawn = [(y, lit.find(1), lit.rfind(1)) for y, lit in (
            (y, row.translate(LIGHTER)) for y, row in enumerate(image.rows))
            if lit.find(1) >= 0]
        if not drawn:
            return None
        left = min(first for _, first, _ in drawn) // image.step
        right = max(last for _, _, last in drawn) // image.step
        return (left, drawn[0][0], right + 1 - left,
                drawn[-1][0] + 1 - drawn[0][0])

    def marks(self):
        """{name: milliseconds} of the page's own clock marks: the
        program marks each window's first paint ("frmMain painted")."""
        return self.evaluate("Object.fromEntries(performance.getEntriesByType"
                             "('mark').map(m => [m.name, m.startTime]))")

    def accessible(self):
        """The (accessible name, role) of everything in the page's
        accessibility tree that has a name, as Chromium hands it to a
        screen reader."""
        return {(n["name"]["value"], n["role"]["value"]) for n in self.call(
            "Accessibility.getFullAXTree")["nodes"]
            if not n.get("ignored") and n.get("name", {}).get("value")}

    def activate(self, name):
        """Does what a screen reader does to the button of that accessible
        name: clicks it in the page, without the mouse."""
        node = next(n for n in self.call("Accessibility.getFullAXTree")[
            "nodes"] if n.get("name", {}).get("value") == name and
            n["role"]["value"] == "button")
        target = self.call("DOM.resolveNode",
                           backendNodeId=node["backendDOMNodeId"])["object"]
        self.call("Runtime.callFunctionOn", objectId=target["objectId"],
                  functionDeclaration="function () { this.click(); }")

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
