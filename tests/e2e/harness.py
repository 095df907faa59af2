"""A private X desktop (Xvfb, session bus, accessibility bus, openbox) and a
program of ours on it, read the way a person sees it: windows through
xdotool, xprop and xwininfo.

A window can go at any moment (the splash card does so by design), so every
query of one answers None or nothing for a window that has gone, and the
waits ask again."""

import atexit
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time

TWIPS_PER_PIXEL = 15


def wait_for(predicate, timeout, what, interval=0.05):
    """Polls predicate() until it gives a true value, which it returns."""
    deadline = time.monotonic() + timeout
    while not (value := predicate()):
        if time.monotonic() >= deadline:
            raise TimeoutError(f"no {what} within {timeout} s")
        time.sleep(interval)
    return value


def run(env, *args, timeout=30):
    """A tool's output, or "" when it fails or hangs (as xdotool and xprop
    do about a window that has gone)."""
    try:
        done = subprocess.run(args, env=env, capture_output=True, text=True,
                              timeout=timeout)
    except subprocess.TimeoutExpired:
        return ""
    return done.stdout if done.returncode == 0 else ""


class Desktop:
    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="trimwell-e2e-")
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.root,
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.processes = []

    def _spawn(self, *args, reports=False):
        """Starts a service; with reports, returns the first line it writes
        to the file descriptor named in its arguments as {fd}."""
        read_fd, write_fd = os.pipe()
        args = [a.replace("{fd}", str(write_fd)) for a in args]
        self.processes.append(subprocess.Popen(
            args, env=self.env, pass_fds=(write_fd,), start_new_session=True,
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL))
        os.close(write_fd)
        line = b""
        while reports and not line.endswith(b"\n"):
            if not select.select([read_fd], [], [], 20)[0]:
                raise TimeoutError(f"{args[0]} did not start")
            line += os.read(read_fd, 256) or b"\n"
        os.close(read_fd)
        return line.decode().strip()

    def start(self, tries=3):
        # Whatever ends the run, the services go with it.
        atexit.register(self.stop)
        signal.signal(signal.SIGTERM, lambda *_: exit(1))
        # Now and then a new X server turns openbox away ("Failed to open
        # the display"); a desktop started afresh does not.
        for attempt in range(tries):
            try:
                self._start_services()
                return self
            except TimeoutError:
                self._stop_services()
                if attempt == tries - 1:
                    raise
        return self

    def _start_services(self):
        display = self._spawn("Xvfb", "-displayfd", "{fd}", "-screen", "0",
                              "1280x1024x24", "-nolisten", "tcp", reports=True)
        self.env["DISPLAY"] = ":" + display
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self._spawn(
            "dbus-daemon", "--session", "--nofork", "--print-address={fd}",
            reports=True)
        self._spawn("/usr/libexec/at-spi-bus-launcher", "--launch-immediately")
        wait_for(lambda: run(self.env, "dbus-send", "--session",
                             "--print-reply", "--dest=org.a11y.Bus",
                             "/org/a11y/bus", "org.a11y.Bus.GetAddress"),
                 20, "accessibility bus")
        self._spawn("openbox", "--sm-disable")
        wait_for(lambda: "window id" in run(
            self.env, "xprop", "-root", "_NET_SUPPORTING_WM_CHECK"),
            20, "window manager")

    def _stop_services(self):
        for process in reversed(self.processes):
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()
        self.processes.clear()

    def stop(self):
        atexit.unregister(self.stop)
        self._stop_services()
        shutil.rmtree(self.root, ignore_errors=True)


class Window:
    def __init__(self, env, wid):
        self.env, self.id = env, wid

    def prop(self, name):
        return run(self.env, "xprop", "-id", self.id, name)

    def title(self):
        return run(self.env, "xdotool", "getwindowname", self.id).strip()

    def client(self):
        """(left, top, width, height) of the window itself on the screen,
        inside the window manager's frame; None once it has gone."""
        info = run(self.env, "xwininfo", "-id", self.id)
        found = [re.search(label + r":\s+(-?\d+)", info) for label in (
            "Absolute upper-left X", "Absolute upper-left Y", "Width",
            "Height")]
        return None if None in found else tuple(int(m[1]) for m in found)

    def extents(self):
        """The window manager's frame round it (left, right, top, bottom):
        zeros where it has none, None once the window has gone."""
        text = self.prop("_NET_FRAME_EXTENTS")  # "not found." if unset
        found = re.findall(r"-?\d+", text)
        return (tuple(map(int, found)) if len(found) == 4 else
                (0, 0, 0, 0) if text else None)

    def framed(self):
        """Whether the window manager put a title bar over it, as over the
        main window and the About box, but not over the splash card; None
        once the window has gone."""
        extents = self.extents()
        return None if extents is None else extents[2] > 0

    def frame(self):
        """(left, top, width, height) of the outer frame, in pixels; None
        once the window has gone."""
        client, extents = self.client(), self.extents()
        if client is None or extents is None:
            return None
        (x, y, w, h), (left, right, top, bottom) = client, extents
        return x - left, y - top, w + left + right, h + top + bottom


class Program:
    """One run of a program on the desktop, and its visible windows."""

    def __init__(self, env, args, log=None):
        self.env = env
        self.process = subprocess.Popen(
            args, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=log or subprocess.DEVNULL)

    def windows(self, title):
        """Its visible windows with this title."""
        ids = run(self.env, "xdotool", "search", "--all", "--onlyvisible",
                  "--pid", str(self.process.pid), "--name", "").split()
        return [w for w in (Window(self.env, i) for i in ids)
                if w.title() == title]

    def window(self, title, framed=True):
        """Its visible window with this title, with or without a title bar
        of the window manager's; None when there is none."""
        return next((w for w in self.windows(title) if w.framed() == framed),
                    None)

    def keys(self, window, *keys):
        """Real key events (XTEST) into the activated window."""
        run(self.env, "xdotool", "windowactivate", "--sync", window.id)
        run(self.env, "xdotool", "key", "--delay", "80", *keys)

    def wait(self, timeout=30):
        return self.process.wait(timeout=timeout)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
