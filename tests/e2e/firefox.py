"""Firefox ESR as a browser target of the end-to-end suite (web.py), on the
private X desktop of x11.py (headless Firefox has no WebGL here), spoken to
over its built-in WebDriver BiDi: JSON commands and events on a websocket
(trio-websocket, which python3-selenium brings)."""

import base64
import itertools
import json
import os
import re
import shutil
import subprocess
import tempfile
import threading

import trio
from trio_websocket import ConnectionClosed, open_websocket_url

from web import (VIEWPORT, Page, Unsupported, W3CInput, image, page_url,
                 spoken)
from x11 import Desktop

FIREFOX = "/usr/bin/firefox-esr"
# AT-SPI's roles as Firefox computes them.
ROLES = {"text": "textbox", "radio button": "radio", "push button": "button"}
class Bidi:
    """A WebDriver BiDi session: commands answered in turn, events kept."""

    def __init__(self, url):
        self._ids = itertools.count(1)
        self._replies, self.events = {}, []
        self._lock = threading.Condition()
        self._open = threading.Event()
        threading.Thread(target=trio.run, args=(self._serve, url),
                         daemon=True).start()
        if not self._open.wait(30):
            raise TimeoutError(f"no WebDriver BiDi at {url}")

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

    def call(self, method, timeout=30, **params):
        ident = next(self._ids)
        trio.from_thread.run(self._socket.send_message, json.dumps(
            {"id": ident, "method": method, "params": params}),
            trio_token=self._token)
        with self._lock:
            if not self._lock.wait_for(lambda: ident in self._replies,
                                       timeout):
                raise TimeoutError(f"{method}: no reply within {timeout} s")
            reply = self._replies.pop(ident)
        if reply["type"] == "error":
            raise RuntimeError(f"{method}: {reply['message']}")
        return reply["result"]


class FirefoxPage(W3CInput, Page):
    def __init__(self, desktop, url, viewport):
        # Driven remotely, Firefox takes the preferences of automation:
        # no first-run pages, updates or reports.
        self.profile = tempfile.mkdtemp(prefix="trimwell-firefox-")
        self.process = subprocess.Popen(
            [FIREFOX, "--remote-debugging-port", "0", "--profile",
             self.profile, "--no-remote", "--new-instance", "about:blank"],
            env=dict(desktop.env, HOME=self.profile), stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
            start_new_session=True)
        try:
            for line in self.process.stderr:
                if found := re.search(rb"BiDi listening on (ws://\S+)", line):
                    break
            else:
                raise RuntimeError("Firefox did not start")
            self.bidi = Bidi(found[1].decode() + "/session")
            self.bidi.call("session.new", capabilities={})
            self.bidi.call("session.subscribe", events=["log.entryAdded"])
            self.context = self.bidi.call("browsingContext.getTree")[
                "contexts"][0]["context"]
            self.bidi.call("browsingContext.setViewport", context=self.context,
                           viewport=dict(zip(("width", "height"), viewport)))
            self.open(url)
        except BaseException:
            self.stop()
            raise

    def open(self, url):
        self.bidi.call("browsingContext.navigate", context=self.context,
                       url=url, wait="interactive")

    def evaluate(self, expression):
        result = self.bidi.call(
            "script.evaluate", expression=f"JSON.stringify({expression})",
            target={"context": self.context}, awaitPromise=True)
        if result["type"] == "exception":
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        text = result["result"].get("value")
        return None if text is None else json.loads(text)

    def screenshot(self, box=None):
        clip = box and dict(zip(("x", "y", "width", "height"), box),
                            type="box")
        png = self.bidi.call("browsingContext.captureScreenshot",
                             context=self.context,
                             **({"clip": clip} if clip else {}))["data"]
        return image(base64.b64decode(png))

    def perform(self, actions):
        self.bidi.call("input.performActions", context=self.context,
                       actions=actions)

    def installability_errors(self):
        raise Unsupported("WebDriver BiDi tells nothing of installing a page, "
                          "nor cuts its network")

    def color_scheme(self, name):
        raise Unsupported("WebDriver BiDi cannot ask for a dark page")

    def commit_text(self, text):
        raise Unsupported("WebDriver BiDi types keys, and has no text an "
                          "on-screen keyboard or input method commits")

    def problems(self):
        return [e["params"]["text"] for e in list(self.bidi.events)
                if e["method"] == "log.entryAdded"
                and e["params"]["level"] == "error"]

    def _roots(self):
        """The page and the shadow trees Qt draws into, which a locator does
        not enter by itself."""
        return [{"sharedId": root["sharedId"]} for root in self.bidi.call(
            "script.evaluate", expression="[document, ...[...document."
            "querySelectorAll('*')].filter(n => n.shadowRoot).map(n => "
            "n.shadowRoot)]", target={"context": self.context},
            awaitPromise=False)["result"]["value"]]

    def _accessible(self, name, role, roots=None):
        return self.bidi.call(
            "browsingContext.locateNodes", context=self.context,
            locator={"type": "accessibility",
                     "value": {"name": name, "role": ROLES[role]}},
            startNodes=roots or self._roots())["nodes"]

    def missing_accessible(self, wanted):
        # A label is plain text in the page, which no role or locator names:
        # looked for among the texts of Qt's mirror of the windows.
        texts = set(map(spoken, self.evaluate(
            "[...document.querySelectorAll('*')].filter(n => n.shadowRoot)"
            ".flatMap(n => [...n.shadowRoot.querySelectorAll('div')])"
            ".map(n => n.textContent)")))
        roots = self._roots()
        return {(name, role) for name, role in wanted if not (
            spoken(name) in texts if role == "label"
            else self._accessible(name, role, roots))}

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, 9)
                self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


class Firefox:
    name = "Firefox"
    reads_viewport_tag = False  # a desktop browser's page is its window
    first_start = 30

    def __init__(self):
        self.url = page_url()
        self.desktop = Desktop().start()

    def start(self, viewport=VIEWPORT, tablet=False, url=None):
        return FirefoxPage(self.desktop, url or self.url, viewport)

    def stop(self):
        self.desktop.stop()
