"""Firefox ESR as a browser target of the end-to-end suite (web.py), on the
private X desktop of x11.py (headless Firefox has no WebGL here), spoken to
over its built-in WebDriver BiDi."""

import base64
import contextlib
import itertools
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import threading

import trio
from trio_websocket import ConnectionClosed, open_websocket_url

from web import ROLES, Page, Target, image, spoken

# Driven remotely, Firefox takes the preferences of automation: no
# first-run pages, updates or reports.
COMMAND = ("/usr/bin/firefox-esr", "--remote-debugging-port", "0",
           "--no-remote", "--new-instance", "about:blank", "--profile")


class FirefoxPage(Page):
    """Firefox in a fresh profile and a session of its own, spoken to on
    the websocket its stderr names, through the trio-websocket that
    python3-selenium brings: JSON commands answered by id, events kept."""

    driven_by = "WebDriver BiDi"

    def __init__(self, desktop, tablet, prelude):
        self.profile = tempfile.mkdtemp(prefix="trimwell-firefox-")
        self.process = subprocess.Popen(
            [*COMMAND, self.profile], env=dict(desktop.env, HOME=self.profile),
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.PIPE, start_new_session=True)
        self.driver = self  # what selenium's actions are performed by
        self._ids, self._replies, self.events = itertools.count(1), {}, []
        self._lock, self._opened = threading.Condition(), threading.Event()

    def ready(self, url, viewport, tablet, prelude):
        found = next(filter(None, (re.search(
            rb"BiDi listening on (ws://\S+)", line)
            for line in self.process.stderr)), None)
        if found:
            # What it writes later must not fill the pipe and stop it.
            threading.Thread(target=self.process.stderr.read,
                             daemon=True).start()
            threading.Thread(target=trio.run, daemon=True, args=(
                self._serve, found[1].decode() + "/session")).start()
        if not self._opened.wait(30 if found else 0):
            raise RuntimeError("Firefox did not start")
        self.call("session.new", capabilities={})
        self.call("session.subscribe", events=["log.entryAdded"])
        self.context = self.call("browsingContext.getTree")[
            "contexts"][0]["context"]
        self.call("browsingContext.setViewport", context=self.context,
                  viewport=dict(zip(("width", "height"), viewport)))
        if prelude:
            self.call("script.addPreloadScript", contexts=[self.context],
                      functionDeclaration=f"() => {{ {prelude} }}")
        self.open(url)

    async def _serve(self, url):
        self._token = trio.lowlevel.current_trio_token()
        with contextlib.suppress(ConnectionClosed):  # the browser has gone
            async with open_websocket_url(url) as self._socket:
                self._opened.set()
                while True:
                    message = json.loads(await self._socket.get_message())
                    with self._lock:
                        if "id" in message:
                            self._replies[message["id"]] = message
                        else:
                            self.events.append(message)
                        self._lock.notify_all()

    def call(self, method, **params):
        """The result of a command; RuntimeError on an error reply."""
        ident = next(self._ids)
        trio.from_thread.run(self._socket.send_message, json.dumps(dict(
            id=ident, method=method, params=params)), trio_token=self._token)
        with self._lock:
            if not self._lock.wait_for(lambda: ident in self._replies, 30):
                raise TimeoutError(f"{method}: no reply within 30 s")
            reply = self._replies.pop(ident)
        if "error" in reply:
            raise RuntimeError(f"{method}: {reply.get('message') or reply}")
        return reply.get("result", {})

    def stop(self):
        # Firefox and every process it started, which would linger: the
        # group its session began with.
        with contextlib.suppress(ProcessLookupError):
            os.killpg(self.process.pid, signal.SIGKILL)
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    def open(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url,
                  wait="interactive")

    def _script(self, expression):
        return self.call("script.evaluate", expression=expression,
                         target={"context": self.context}, awaitPromise=True)

    def evaluate(self, expression):
        result = self._script(f"JSON.stringify({expression})")
        if result["type"] == "exception":
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        text = result["result"].get("value")
        return None if text is None else json.loads(text)

    def screenshot(self, box=None):
        return image(base64.b64decode(self.call(
            "browsingContext.captureScreenshot", context=self.context)[
            "data"]), box)

    def execute(self, command, params):
        # A driver's command from selenium's actions: the only one they
        # send is to perform them.
        self.call("input.performActions", context=self.context,
                  actions=params["actions"])

    def problems(self):
        return [e["params"]["text"] for e in list(self.events)
                if e["method"] == "log.entryAdded"
                and e["params"]["level"] == "error"]

    def missing_accessible(self, wanted):
        # A label is plain text in the page, which no role or locator names:
        # looked for among the texts of Qt's mirror of the windows.
        texts = set(map(spoken, self.evaluate(
            "[...document.querySelectorAll('*')].filter(n => n.shadowRoot)"
            ".flatMap(n => [...n.shadowRoot.querySelectorAll('div')])"
            ".map(n => n.textContent)")))
        # The page and the shadow trees Qt draws into, which a locator
        # does not enter by itself.
        roots = [{"sharedId": root["sharedId"]} for root in self._script(
            "[document, ...[...document.querySelectorAll('*')].filter(n => "
            "n.shadowRoot).map(n => n.shadowRoot)]")["result"]["value"]]
        return {(name, role) for name, role in wanted if not (
            spoken(name) in texts if role == "label" else self.call(
                "browsingContext.locateNodes", context=self.context,
                locator={"type": "accessibility",
                         "value": {"name": name, "role": ROLES[role]}},
                startNodes=roots)["nodes"])}


class Engine(Target):
    name, page, on_desktop = "Firefox", FirefoxPage, True
