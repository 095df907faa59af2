"""What the browser targets of the end-to-end suite share: the web build's
page in one engine (chromium.py, firefox.py, webkit.py, each with its
Engine), each start in a fresh profile on a 1024 x 768 viewport, driven by
WebDriver: keys, mouse and fingers as selenium's actions. What an engine
cannot do raises Unsupported with the engine's reason."""

import contextlib
import io
import json
import os
import re
import subprocess
import sys
import time

from PIL import Image
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_actions import PointerActions
from selenium.webdriver.common.keys import Keys

from x11 import Desktop

VIEWPORT = (1024, 768)
# The page behind the windows (page.html.in), by day and at night.
PAGE = {"light": (160, 160, 160), "dark": (51, 51, 51)}
# AT-SPI's roles as the browsers' accessibility trees name them; a label is
# Chromium's static text, and no role of Firefox's.
ROLES = {"text": "textbox", "radio button": "radio", "push button": "button"}


class Unsupported(Exception):
    """What an engine's driver cannot do, with its reason."""


def image(png, box=None):
    """A PNG as an RGB image, cropped to the box (x, y, width, height)."""
    picture = Image.open(io.BytesIO(png)).convert("RGB")
    x, y, width, height = box or (0, 0, *picture.size)
    return picture.crop((x, y, x + width, y + height))


def spoken(name):
    """An accessible name as a page's text has it: runs of blanks, which
    nobody hears, made one, and none at the ends."""
    return " ".join(name.split())


def serve(folder, port=0):
    """An HTTP server of the folder on the loopback, and its port."""
    server = subprocess.Popen(
        [sys.executable, "-m", "http.server", "--bind", "127.0.0.1",
         "--directory", folder, str(port)], stdout=subprocess.PIPE,
        stderr=subprocess.DEVNULL, text=True)
    line = server.stdout.readline()  # "Serving HTTP on ... port N ..."
    return server, int(line.split(" port ")[1].split()[0])


def steps_between(start, end, steps):
    return [(start[0] + (end[0] - start[0]) * i // steps,
             start[1] + (end[1] - start[1]) * i // steps)
            for i in range(steps + 1)]


class Target:
    """One engine as the suite's target. Its start(viewport, tablet, url,
    prelude) opens the page (or url) in a browser of its own, as a tablet's
    browser where the engine can, with the script prelude run before the
    page's own in each document: its Page, made as page(desktop, tablet,
    prelude), then made ready(url, viewport, tablet, prelude)."""

    name = page = None  # the engine, as failures name it; its Page
    reads_viewport_tag = False  # a desktop browser's page is its window
    first_start = 30  # seconds a first start may take to the splash card
    on_desktop = False  # needs the private X desktop of x11.py
    desktop = None

    def __init__(self):
        self.url = "file://" + os.path.realpath(os.environ["TRIMWELL_BINARY"])
        if self.on_desktop:
            self.desktop = Desktop().start()

    def start(self, viewport=VIEWPORT, tablet=False, url=None, prelude=None):
        page = self.page(self.desktop, tablet, prelude)
        try:  # a page that fails to get ready leaves no browser behind
            page.ready(url or self.url, viewport, tablet, prelude)
        except BaseException:
            page.stop()
            raise
        return page

    def stop(self):
        if self.desktop:
            self.desktop.stop()


class Page:
    """One engine's page, through its WebDriver (driver): open(url),
    evaluate(js) (the value of a JavaScript expression), screenshot(box=None)
    (a PIL image of the viewport, or of its box (x, y, width, height)),
    keys, mouse and fingers, stop(), and what else its driver can do;
    driven_by names its driver in the reasons it cannot."""

    driven_by = "WebDriver"
    no_fingers = None  # why its driver has no finger, where it has none

    def open(self, url):
        self.driver.get(url)

    def evaluate(self, expression):
        return self.driver.execute_script(f"return {expression};")

    def screenshot(self, box=None):
        # A driver can refuse a snapshot, with no message, while the view is
        # still being laid out (WebKit's after its window was resized); a
        # moment later it takes it.
        for _ in range(4):
            with contextlib.suppress(WebDriverException):
                return image(self.driver.get_screenshot_as_png(), box)
            time.sleep(0.25)
        return image(self.driver.get_screenshot_as_png(), box)

    def stop(self):
        self.driver.quit()

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

    def windows(self):
        """(left, top, width, height) around every window drawn on the
        page, None while none is. Windows are drawn lighter than the page,
        their shadows darker."""
        box = self.screenshot().convert("L").point(
            lambda v: 255 if v > PAGE["light"][0] + 40 else 0).getbbox()
        return box and (box[0], box[1], box[2] - box[0], box[3] - box[1])

    def keys(self, *combos):
        """Presses and lets go "alt+h", "control+a", "Enter", "ArrowRight",
        "7" (keys by their names in the DOM, or one character): modifiers
        first down and last up."""
        actions = ActionBuilder(self.driver)
        for combo in combos:
            values = [name if len(name) == 1 else getattr(Keys, re.sub(
                "(?<=.)(?=[A-Z])", "_", name).upper())
                for name in combo.split("+")]
            for value in values:
                actions.key_action.key_down(value)
            for value in reversed(values):
                actions.key_action.key_up(value)
        actions.perform()

    def _pointers(self, kind, *paths, hold=0):
        # One pointer for each path: down at its first point, through the
        # others, up at its last after hold seconds. A tablet's browser
        # shows the page scaled down where it is wider than the screen:
        # points of the screenshot made the page's.
        if kind == "touch" and self.no_fingers:
            raise Unsupported(self.no_fingers)
        zoom = self.evaluate("visualViewport.scale")
        actions = ActionBuilder(self.driver)
        for i, path in enumerate(paths):
            pointer = PointerActions(actions.add_pointer_input(
                kind, f"{kind}{i}"), duration=0)
            for step, (x, y) in enumerate(path):
                pointer.move_to_location(round(x / zoom), round(y / zoom))
                if not step:
                    pointer.pointer_down()
            pointer.pause(hold).pointer_up()
        actions.perform()

    def click(self, x, y):
        self._pointers("mouse", [(x, y)])

    def tap(self, x, y, hold=0):
        self._pointers("touch", [(x, y)], hold=hold)  # held: a long press

    def drag(self, start, end, kind="mouse"):
        self._pointers(kind, steps_between(start, end, 10))

    def two_fingers(self, starts, ends):
        # Two fingers down at the starts, moved to the ends, lifted.
        self._pointers("touch", *(steps_between(a, b, 5)
                                  for a, b in zip(starts, ends)))

    # What an engine's page does where its driver can (a method of its
    # own), and the driver's reason where it cannot:
    # commit_text(text), text as an on-screen keyboard or an input method
    # commits it, with no key pressed; compose(text), composed by an input
    # method, then committed whole; cancel_touch(points), a finger down,
    # moved through the points and taken over by the system (as by a swipe
    # from the screen's edge); pinch(x, y, scale); turn(viewport), the
    # tablet turned; problems(), the console's errors and uncaught
    # exceptions; missing_accessible(wanted), those of the (accessible
    # name, AT-SPI role) pairs wanted that the page's accessibility tree,
    # as a screen reader gets it, lacks; installability_errors(), why the
    # page would not install on a home screen; offline(cut), the page's
    # network cut or given back; color_scheme(name), the page shown as the
    # system asks in "light" or "dark".
    CANNOT = dict(
        commit_text="types keys, and has no text an on-screen keyboard or "
                    "input method commits",
        compose="has no input method to compose with",
        cancel_touch="lifts every finger it puts down",
        pinch="has no pinch that zooms a page",
        turn="has no tablet to turn: a desktop browser shows no page wider "
             "than its window",
        problems="hands on no console messages",
        missing_accessible="gives no accessibility tree",
        installability_errors="tells nothing of installing a page, nor "
                              "cuts its network",
        color_scheme="cannot ask for a dark page")
    CANNOT["offline"] = CANNOT["installability_errors"]

    def __getattr__(self, name):
        if name not in self.CANNOT:
            raise AttributeError(name)

        def cannot(*args):
            raise Unsupported(f"{self.driven_by} {self.CANNOT[name]}")
        return cannot

    def hide_and_show(self):
        # As the app switcher and Safari's back-forward cache do.
        self.evaluate("""['hidden', 'visible'].forEach(state => {
            Object.defineProperty(document, 'visibilityState',
                                  {value: state, configurable: true});
            document.dispatchEvent(new Event('visibilitychange'));
            dispatchEvent(new PageTransitionEvent(state == 'hidden' ?
                'pagehide' : 'pageshow', {persisted: true}));
        })""")

    def edit(self, kind, text=None):
        # An edit with no key, as an on-screen keyboard sends it to the
        # element with the keys: input events of that inputType; a paste,
        # "insertFromPaste", after the clipboard's own event.
        how = dict(inputType=kind, data=text, bubbles=True, cancelable=True)
        if not self.evaluate(f"""((how, at = document.activeElement) => {{
            while (at.shadowRoot?.activeElement)
                at = at.shadowRoot.activeElement;
            if (how.inputType == 'insertFromPaste') {{
                const clipboardData = new DataTransfer();
                clipboardData.setData('text/plain', how.data);
                const paste = new ClipboardEvent('paste',
                    {{clipboardData, bubbles: true}});
                if (paste.clipboardData?.getData('text/plain') != how.data)
                    return false;
                at.dispatchEvent(paste);
            }}
            if (at.dispatchEvent(new InputEvent('beforeinput', how)))
                at.dispatchEvent(new InputEvent('input', how));
            return true;
        }})({json.dumps(how)})"""):
            raise Unsupported("the engine gives a script's paste no text")

    def value(self, name):
        # The text of the box that a screen reader knows by that name.
        return self.evaluate(f"""[...document.querySelectorAll('*')]
            .flatMap(n => [...n.shadowRoot?.querySelectorAll('input') ?? []])
            .find(n => n.ariaLabel == {json.dumps(name)})?.value""")

