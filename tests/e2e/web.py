"""What the browser targets of the end-to-end suite share: the web build's
page in one engine (chromium.py, firefox.py, webkit.py, each with its
Engine), each start in a fresh profile on a 1024 x 768 viewport. What an
engine cannot do raises Unsupported with the engine's reason."""

import contextlib
import io
import itertools
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading

import trio
from PIL import Image
from trio_websocket import ConnectionClosed, open_websocket_url

from x11 import Desktop

VIEWPORT = (1024, 768)
# The page behind the windows (page.html.in), by day and at night.
PAGE = {"light": (160, 160, 160), "dark": (51, 51, 51)}
# Keys by name, as WebDriver's actions and the DOM name them.
W3C_KEYS = {"Enter": "\ue006", "Escape": "\ue00c", "Backspace": "\ue003",
            "Tab": "\ue004", "ArrowRight": "\ue014", "alt": "\ue00a",
            "ctrl": "\ue009"}
# AT-SPI's roles as the browsers' accessibility trees name them; a label is
# Chromium's static text, and no role of Firefox's.
ROLES = {"text": "textbox", "radio button": "radio", "push button": "button"}


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
    page's own in each document: its Page, made as page(url, viewport,
    tablet, desktop, prelude)."""

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
        return self.page(url or self.url, viewport, tablet, self.desktop,
                         prelude)

    def stop(self):
        if self.desktop:
            self.desktop.stop()


class Page:
    """One engine's page. An engine gives open(url), evaluate(js) (the
    value of a JavaScript expression), screenshot(box=None) (a PIL image
    of the viewport, or of its box (x, y, width, height)), perform(actions)
    (WebDriver's input actions) and stop(), and what else its driver can
    do; driven_by names its driver in the reasons it cannot."""

    driven_by = "WebDriver"
    fingers = True  # whether its taps are a finger's

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

    def keys(self, *combos):
        """Presses and lets go "alt+h", "ctrl+a", "Enter", "7" (W3C_KEYS'
        names, or one character): modifiers first down and last up."""
        actions = []
        for combo in combos:
            *held, name = combo.split("+")
            values = [W3C_KEYS[m] for m in held] + [W3C_KEYS.get(name, name)]
            actions += [{"type": "keyDown", "value": v} for v in values]
            actions += [{"type": "keyUp", "value": v}
                        for v in reversed(values)]
        self.perform([{"type": "key", "id": "keyboard", "actions": actions}])

    def _pointer(self, kind, points, hold=0, name=None):
        # Down at the first point, through the others, up at the last after
        # hold milliseconds; as a source of actions, if named, to perform.
        moves = [{"type": "pointerMove", "x": x, "y": y, "duration": 0}
                 for x, y in points]
        source = {"type": "pointer", "id": name or kind,
                  "parameters": {"pointerType": kind},
                  "actions": [moves[0], {"type": "pointerDown", "button": 0},
                              *moves[1:], {"type": "pause", "duration": hold},
                              {"type": "pointerUp", "button": 0}]}
        return source if name else self.perform([source])

    def click(self, x, y):
        self._pointer("mouse", [(x, y)])

    def tap(self, x, y):
        self._pointer("touch", [(x, y)])

    def drag(self, start, end, steps=10):
        self._pointer("mouse", steps_between(start, end, steps))

    def touch_drag(self, start, end, steps=10):
        self._pointer("touch", steps_between(start, end, steps))

    def long_press(self, x, y):
        self._pointer("touch", [(x, y)], hold=1000)

    def two_fingers(self, starts, ends):
        # Two fingers down at the starts, moved to the ends, lifted.
        self.perform([self._pointer("touch", steps_between(a, b, 5),
                                    name=f"finger{i}")
                      for i, (a, b) in enumerate(zip(starts, ends))])

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


class Browser:
    """A browser started in a fresh profile and a session of its own, and
    spoken to on the websocket its stderr names: JSON commands answered by
    id, events kept (the DevTools protocol's and WebDriver BiDi's alike,
    through the trio-websocket that python3-selenium brings)."""

    def launch(self, args, listening, env=os.environ, path=""):
        self.profile = tempfile.mkdtemp(prefix="trimwell-browser-")
        self.process = subprocess.Popen(
            [arg.format(profile=self.profile) for arg in args],
            env=dict(env, HOME=self.profile), stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
            start_new_session=True)
        self._ids, self._replies, self.events = itertools.count(1), {}, []
        self._lock, self._open = threading.Condition(), threading.Event()
        for line in self.process.stderr:
            if found := re.search(listening, line):
                # What it writes later must not fill the pipe and stop it.
                threading.Thread(target=self.process.stderr.read,
                                 daemon=True).start()
                threading.Thread(target=trio.run, daemon=True, args=(
                    self._serve, found[1].decode() + path)).start()
                if self._open.wait(30):
                    return
                break
        self.stop()
        raise RuntimeError(f"{args[0]} did not start")

    async def _serve(self, url):
        self._token = trio.lowlevel.current_trio_token()
        try:
            async with open_websocket_url(url) as socket:
                self._socket = socket
                self._open.set()
                while True:
                    message = json.loads(await socket.get_message())
                    with self._lock:
                        if "id" in message:
                            self._replies[message["id"]] = message
                        else:
                            self.events.append(message)
                        self._lock.notify_all()
        except ConnectionClosed:
            pass  # the browser has gone

    def call(self, method, timeout=30, envelope=None, **params):
        """The result of a command; RuntimeError on an error reply."""
        ident = next(self._ids)
        trio.from_thread.run(self._socket.send_message, json.dumps(dict(
            envelope or {}, id=ident, method=method, params=params)),
            trio_token=self._token)
        with self._lock:
            if not self._lock.wait_for(lambda: ident in self._replies,
                                       timeout):
                raise TimeoutError(f"{method}: no reply within {timeout} s")
            reply = self._replies.pop(ident)
        if "error" in reply:
            raise RuntimeError(f"{method}: {reply.get('message') or reply}")
        return reply.get("result", {})

    def processes(self):
        """{pid: command line} of what the browser runs: its session, and
        the crash handlers that leave it but name the profile."""
        found = {}
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    args = f.read().replace(b"\0", b" ").decode("latin-1")
                if (os.getsid(int(pid)) == self.process.pid or
                        self.profile in args):
                    found[int(pid)] = args
            except OSError:
                continue
        return found

    def stop(self):
        """Ends the browser and all it left, which would linger."""
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            pass
        for pid in self.processes():
            with contextlib.suppress(ProcessLookupError):
                os.kill(pid, signal.SIGKILL)
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)
