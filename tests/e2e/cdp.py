"""A small Chrome DevTools Protocol client for Debian's headless Chromium,
spoken over --remote-debugging-pipe: NUL-terminated JSON, commands into the
browser's fd 3, replies and events out of its fd 4. It keeps the page's
console messages and uncaught exceptions, takes screenshots and sends real
keyboard, mouse and touch input."""

import base64
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time

CHROMIUM = "/usr/bin/chromium"
# Qt for the web draws through WebGL: with no GPU, SwiftShader's software
# WebGL has to be allowed explicitly, or the canvas stays blank.
FLAGS = ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
         "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync",
         "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
         "--disable-crash-reporter", "--disable-breakpad",
         "--remote-debugging-pipe")
ALT, CTRL = 1, 2  # Input.dispatchKeyEvent's modifier bits
MODIFIERS = {"alt": ("Alt", ALT), "ctrl": ("Control", CTRL)}
# Keys by their DOM name: (code, Windows virtual key code, text typed).
KEYS = {"Enter": ("Enter", 13, "\r"), "Escape": ("Escape", 27, ""),
        "Backspace": ("Backspace", 8, ""), "Tab": ("Tab", 9, ""),
        "Alt": ("AltLeft", 18, ""), "Control": ("ControlLeft", 17, ""),
        "ArrowRight": ("ArrowRight", 39, "")}


class Browser:
    """One headless Chromium with a fresh profile and one page."""

    def __init__(self, width=1280, height=800):
        self.profile = tempfile.mkdtemp(prefix="trimwell-chromium-")
        commands, self._in = os.pipe()
        self._out, replies = os.pipe()

        def as_fds_3_and_4():
            # Above 4 first, so neither dup2 closes the other's source.
            high = [os.dup2(fd, 10 + i) for i, fd in enumerate(
                (commands, replies))]
            os.dup2(high[0], 3)
            os.dup2(high[1], 4)

        self.process = subprocess.Popen(
            [CHROMIUM, *FLAGS, f"--user-data-dir={self.profile}",
             f"--window-size={width},{height}", "about:blank"],
            preexec_fn=as_fds_3_and_4, close_fds=False,
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True,
            env=dict(os.environ, HOME=self.profile))
        os.close(commands)
        os.close(replies)
        self._next, self._replies, self.events = 0, {}, []
        self.session = None
        self._lock = threading.Condition()
        threading.Thread(target=self._read, daemon=True).start()
        try:
            target = next(t for t in self.call("Target.getTargets")[
                "targetInfos"] if t["type"] == "page")
            self.session = self.call("Target.attachToTarget",
                                     targetId=target["targetId"],
                                     flatten=True)["sessionId"]
            for domain in ("Page", "Runtime", "Log", "Performance"):
                self.call(domain + ".enable")
            self.version = self.call("Browser.getVersion",
                                     session=False)["product"]
        except BaseException:
            self.stop()
            raise

    def _read(self):
        buffer = b""
        while chunk := os.read(self._out, 1 << 16):
            *messages, buffer = (buffer + chunk).split(b"\0")
            with self._lock:
                for message in map(json.loads, messages):
                    if "id" in message:
                        self._replies[message["id"]] = message
                    else:
                        self.events.append(message)
                self._lock.notify_all()
        with self._lock:
            self._replies = None  # the browser has gone
            self._lock.notify_all()

    def call(self, method, timeout=30, session=True, **params):
        """The result of a command; RuntimeError on an error reply."""
        with self._lock:
            self._next += 1
            ident = self._next
        message = {"id": ident, "method": method, "params": params}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self._in, json.dumps(message).encode() + b"\0")
        with self._lock:
            if not self._lock.wait_for(
                    lambda: self._replies is None or ident in self._replies,
                    timeout):
                raise TimeoutError(f"{method}: no reply within {timeout} s")
            if self._replies is None:
                raise RuntimeError(f"{method}: the browser has gone")
            reply = self._replies.pop(ident)
        if "error" in reply:
            raise RuntimeError(f"{method}: {reply['error']}")
        return reply.get("result", {})

    def open(self, url, timeout=30):
        """Loads url, and returns once the new page has replaced the old
        one: the monotonic time the load was asked for."""
        seen, started = len(self.events), time.monotonic()
        loader = self.call("Page.navigate", url=url)["loaderId"]
        with self._lock:
            if not self._lock.wait_for(lambda: any(
                    e["method"] == "Page.frameNavigated" and
                    e["params"]["frame"].get("loaderId") == loader
                    for e in self.events[seen:]), timeout):
                raise TimeoutError(f"{url} did not load within {timeout} s")
        return started

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page."""
        result = self.call("Runtime.evaluate", expression=expression,
                           returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def screenshot_png(self):
        """The viewport as a PNG."""
        for attempt in range(40):
            try:
                return base64.b64decode(self.call("Page.captureScreenshot",
                                                  format="png")["data"])
            except RuntimeError as error:
                # A page just loaded can refuse for a moment.
                if "active page" not in str(error) or attempt == 39:
                    raise
                time.sleep(0.05)

    def problems(self):
        """The page's console errors and uncaught exceptions, as texts."""
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

    def _key(self, kind, name, modifiers):
        code, vk, text = KEYS.get(name) or (
            ("Key" if name.isalpha() else "Digit") + name.upper(),
            ord(name.upper()), name)
        if kind == "keyDown" and text and not modifiers & (ALT | CTRL):
            kind = dict(type=kind, text=text)  # a shortcut types nothing
        else:
            kind = dict(type="rawKeyDown" if kind == "keyDown" else kind)
        self.call("Input.dispatchKeyEvent", key=name, code=code,
                  windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk,
                  modifiers=modifiers, **kind)

    def keys(self, *combos):
        """Presses and releases each of "alt+h", "ctrl+a", "Enter", "7"
        (KEYS' names, or one character): a modifier goes down first and up
        last, as a person's fingers do."""
        for combo in combos:
            *held, name = combo.split("+")
            modifiers = 0
            for modifier in held:
                modifiers |= MODIFIERS[modifier][1]
                self._key("keyDown", MODIFIERS[modifier][0], modifiers)
            self._key("keyDown", name, modifiers)
            self._key("keyUp", name, modifiers)
            for modifier in reversed(held):
                modifiers &= ~MODIFIERS[modifier][1]
                self._key("keyUp", MODIFIERS[modifier][0], modifiers)

    def mouse(self, kind, x, y, pressed=False):
        self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y,
                  button="left" if kind != "mouseMoved" or pressed
                  else "none", buttons=int(pressed or kind == "mousePressed"),
                  clickCount=1)

    def click(self, x, y):
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y)
        self.mouse("mouseReleased", x, y)

    def _touch(self, points):
        """A finger down at the first point, through the others, up."""
        kinds = ["touchStart"] + ["touchMove"] * (len(points) - 1)
        for kind, (x, y) in zip(kinds, points):
            self.call("Input.dispatchTouchEvent", type=kind,
                      touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def commit_text(self, text):
        """Text as an on-screen keyboard or an input method commits it,
        with no key pressed."""
        self.call("Input.insertText", text=text)

    def drag(self, start, end, steps=10):
        """Presses the left button at start, moves to end in steps and
        releases it there."""
        self.mouse("mouseMoved", *start)
        self.mouse("mousePressed", *start)
        for i in range(1, steps + 1):
            self.mouse("mouseMoved", start[0] + (end[0] - start[0]) * i //
                       steps, start[1] + (end[1] - start[1]) * i // steps,
                       pressed=True)
        self.mouse("mouseReleased", *end)

    def _processes(self):
        """{pid: command line} of the browser's live processes: its
        session, and the crash handlers that leave it but name the
        profile. (Its dead children wait for the system's init.)"""
        found = {}
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    args = f.read().replace(b"\0", b" ").decode("latin-1")
                with open(f"/proc/{pid}/stat", "rb") as f:
                    dead = f.read().rsplit(b")", 1)[1].split()[0] == b"Z"
                if not dead and (os.getsid(int(pid)) == self.process.pid or
                                 self.profile in args):
                    found[int(pid)] = args
            except (FileNotFoundError, ProcessLookupError):
                continue
        return found

    def stop(self):
        """Closes the browser and ends what is left of it: its crash
        handlers, which would linger for seconds."""
        try:
            self.call("Browser.close", timeout=5, session=False)
            self.process.wait(5)
        except (TimeoutError, RuntimeError, OSError,
                subprocess.TimeoutExpired):
            pass
        deadline = time.monotonic() + 5
        while left := self._processes():
            for pid in left:
                if pid != self.process.pid:
                    os.kill(pid, 9 if time.monotonic() > deadline else 15)
            if self.process.poll() is None and time.monotonic() > deadline:
                os.killpg(self.process.pid, 9)
            time.sleep(0.05)
        self.process.wait()
        for fd in (self._in, self._out):
            os.close(fd)
        shutil.rmtree(self.profile, ignore_errors=True)
