"""What the browser targets of the end-to-end suite share: the web build's
page in one engine (chromium.py, firefox.py, webkit.py), each start in a
fresh profile on a 1024 x 768 viewport. A target, made with no arguments,
has:

  name          the engine, as the failures name it
  first_start   seconds a first start may take to paint the splash card
  reads_viewport_tag
                whether it lays the page out by the page's viewport tag,
                as a tablet's browser does
  url           the page opened, TRIMWELL_BINARY's
  start(viewport=VIEWPORT, tablet=False, url=None)
                opens the page (or url) in a browser of its own, on a
                viewport of that size, as a tablet's browser where the
                engine can: a Page
  stop()

An engine's Page has

  open(url)            loads a page, returns once it has replaced the last
  evaluate(js)         the value of a JavaScript expression
  screenshot(box)      a PIL image of the viewport, or of its box
                       (x, y, width, height)
  keys(*combos)        "alt+h", "ctrl+a", "Enter", "7": each pressed and let
                       go, modifiers first down and last up
  click(x, y), drag(start, end)        with the mouse
  tap(x, y), touch_drag(start, end)    with a finger
  commit_text(text)    text as an on-screen keyboard commits it, no key
  problems()           the console's errors and uncaught exceptions
  missing_accessible(wanted)
                       those of the (accessible name, role) pairs wanted
                       that the page's accessibility tree, as a screen
                       reader gets it, lacks
  installability_errors()              why the page would not install
  color_scheme(name)   has the page shown as the system asks in "light" or
                       "dark"
  offline(cut)         cuts the page's network, or gives it back
  stop()

and what an engine cannot do raises Unsupported with the engine's reason."""

import io
import os

from PIL import Image

VIEWPORT = (1024, 768)
# The page behind the windows (page.html.in), by day and at night.
PAGE = {"light": (160, 160, 160), "dark": (51, 51, 51)}
# Keys by name, as WebDriver's actions and the DOM name them.
W3C_KEYS = {"Enter": "\ue006", "Escape": "\ue00c", "Backspace": "\ue003",
            "Tab": "\ue004", "ArrowRight": "\ue014", "alt": "\ue00a",
            "ctrl": "\ue009"}


class Unsupported(Exception):
    """What an engine's driver cannot do, with its reason."""


def image(png, box=None):
    """A PNG as an RGB image, cropped to the box (x, y, width, height)."""
    picture = Image.open(io.BytesIO(png)).convert("RGB")
    if box:
        x, y, width, height = box
        picture = picture.crop((x, y, x + width, y + height))
    return picture


def spoken(name):
    """An accessible name as a page's text has it: runs of blanks, which
    nobody hears, made one, and none at the ends."""
    return " ".join(name.split())


def page_url():
    return "file://" + os.path.realpath(os.environ["TRIMWELL_BINARY"])


class Page:
    """What every engine's page derives from the engine's own calls."""

    def marks(self):
        """{name: milliseconds} of the page's own clock marks: the
        program marks each window's first paint ("frmMain painted")."""
        return self.evaluate("Object.fromEntries(performance.getEntriesByType"
                             "('mark').map(m => [m.name, m.startTime]))")

    def storage(self):
        """The page's localStorage, as a dict."""
        return self.evaluate("Object.fromEntries(Object.entries("
                             "localStorage))")

    def text(self):
        return self.evaluate("document.body.innerText").strip()

    def windows(self, picture=None):
        """(left, top, width, height) around every window drawn on the
        page, None while none is. Windows are drawn lighter than the page,
        their shadows darker."""
        picture = picture or self.screenshot()
        box = picture.convert("L").point(
            lambda v: 255 if v > PAGE["light"][0] + 40 else 0).getbbox()
        return box and (box[0], box[1], box[2] - box[0], box[3] - box[1])


class W3CInput:
    """Keys, mouse and touch as WebDriver actions, which both WebDriver
    BiDi (Firefox) and classic WebDriver (WebKit) perform; the engine's
    perform(actions) sends them."""

    def keys(self, *combos):
        actions = []
        for combo in combos:
            *held, name = combo.split("+")
            values = [W3C_KEYS[m] for m in held] + [W3C_KEYS.get(name, name)]
            actions += [{"type": "keyDown", "value": v} for v in values]
            actions += [{"type": "keyUp", "value": v}
                        for v in reversed(values)]
        self.perform([{"type": "key", "id": "keyboard", "actions": actions}])

    def _pointer(self, kind, points):
        """Down at the first point, through the others, up at the last."""
        moves = [{"type": "pointerMove", "x": x, "y": y, "duration": 0}
                 for x, y in points]
        self.perform([{"type": "pointer", "id": kind,
                       "parameters": {"pointerType": kind},
                       "actions": [moves[0],
                                   {"type": "pointerDown", "button": 0},
                                   *moves[1:],
                                   {"type": "pointerUp", "button": 0}]}])

    def click(self, x, y):
        self._pointer("mouse", [(x, y)])

    def tap(self, x, y):
        self._pointer("touch", [(x, y)])

    def drag(self, start, end, steps=10):
        self._pointer("mouse", steps_between(start, end, steps))

    def touch_drag(self, start, end, steps=10):
        self._pointer("touch", steps_between(start, end, steps))


def steps_between(start, end, steps):
    return [(start[0] + (end[0] - start[0]) * i // steps,
             start[1] + (end[1] - start[1]) * i // steps)
            for i in range(steps + 1)]
