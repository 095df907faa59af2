"""The private X desktop (Xvfb, a session bus, the accessibility bus,
openbox) the desktop targets, Firefox and WebKit run on, and a program's
windows there through Xlib: their geometry and the properties the program
and the window manager set (EWMH); keys and clicks go in as real input
(XTEST) through xdotool. A window can go at any moment (the splash card
does by design): a query of one that has gone answers None or nothing, and
the waits ask again."""

import atexit
import contextlib
import os
import select
import shutil
import signal
import subprocess
import tempfile

from Xlib import X, display, error

from harness import run, wait_for


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

    def _start_services(self):
        self.env["DISPLAY"] = ":" + self._spawn(
            "Xvfb", "-displayfd", "{fd}", "-screen", "0", "1280x1024x24",
            "-nolisten", "tcp", reports=True)
        self.display = display.Display(self.env["DISPLAY"])
        self.x_root = self.display.screen().root
        # A bus of its own, its warnings kept out of the tests' output (as
        # dbus-run-session would not keep them).
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self._spawn(
            "dbus-daemon", "--session", "--nofork", "--print-address={fd}",
            reports=True)
        self._spawn("/usr/libexec/at-spi-bus-launcher", "--launch-immediately")
        wait_for(lambda: run(self.env, "dbus-send", "--session",
                             "--print-reply", "--dest=org.a11y.Bus",
                             "/org/a11y/bus", "org.a11y.Bus.GetAddress"),
                 20, "accessibility bus")
        self._spawn("openbox", "--sm-disable")
        wait_for(lambda: Window(self, self.x_root).property(
            "_NET_SUPPORTING_WM_CHECK"), 20, "window manager")

    def _stop_services(self):
        for process in reversed(self.processes):
            with contextlib.suppress(ProcessLookupError):
                os.killpg(process.pid, signal.SIGKILL)
            process.wait()
        self.processes.clear()

    def stop(self):
        atexit.unregister(self.stop)
        self._stop_services()
        shutil.rmtree(self.root, ignore_errors=True)

    def windows(self, under=None):
        """Every window on the screen, at any depth (a program's own sit in
        the window manager's frames), as the tree is now."""
        tree = ask((under or self.x_root).query_tree)
        return [w for child in (tree.children if tree else [])
                for w in (Window(self, child), *self.windows(child))]


def ask(query, *args):
    """query(*args), or None once the window it asks about has gone."""
    try:
        return query(*args)
    except error.XError:
        return None


class Window:
    def __init__(self, desktop, x):
        self.desktop, self.x = desktop, x

    def property(self, name):
        """A property's values; () where unset or once the window has gone."""
        found = ask(self.x.get_full_property,
                    self.desktop.display.get_atom(name), X.AnyPropertyType)
        return found.value if found else ()

    def title(self):
        name = self.property("_NET_WM_NAME") or self.property("WM_NAME")
        return bytes(name).decode(errors="replace")

    def shows(self, pid):
        """Whether it is a mapped window of that process."""
        shown = list(self.property("_NET_WM_PID")) == [pid] and ask(
            self.x.get_attributes)
        return bool(shown) and shown.map_state == X.IsViewable

    def framed(self):
        """Whether the window manager put a title bar over it, as over the
        main window and the About box, but not over the splash card."""
        extents = self.property("_NET_FRAME_EXTENTS")  # left, right, top...
        return len(extents) == 4 and extents[2] > 0

    def frame(self):
        """(left, top, width, height) of its outer frame, the window
        manager's round it where it has one; None once it has gone."""
        # No X border to allow for: openbox takes a client's away.
        box = ask(self.x.get_geometry)
        at = box and ask(self.desktop.x_root.translate_coords, self.x, 0, 0)
        if at is None:
            return None
        left, right, top, bottom = (self.property("_NET_FRAME_EXTENTS") or
                                    (0, 0, 0, 0))
        return (at.x - left, at.y - top, box.width + left + right,
                box.height + top + bottom)

    def place(self, left, top, width, height):
        """Asks for that area inside the frame."""
        self.x.configure(x=left, y=top, width=width, height=height)
        self.desktop.display.sync()


class Program:
    """One run of a program on the desktop, and its visible windows."""

    def __init__(self, desktop, args, env=None, log=None):
        self.desktop, self.env = desktop, dict(desktop.env, **(env or {}))
        self.process = subprocess.Popen(
            args, env=self.env, stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=log or subprocess.DEVNULL)

    def window(self, title, framed=True):
        """Its visible window with that title, with or without a title bar
        of the window manager's; None while there is none."""
        return next((w for w in self.desktop.windows()
                     if w.shows(self.process.pid) and w.title() == title and
                     w.framed() == framed), None)

    def keys(self, window, *keys):
        """Activates the window and presses the keys, X keysyms with their
        modifiers joined by "+": "alt+f", "Escape", "2"."""
        run(self.env, "xdotool", "windowactivate", "--sync", str(window.x.id))
        run(self.env, "xdotool", "key", "--delay", "80", *keys)

    def click(self, x, y):
        run(self.env, "xdotool", "mousemove", str(x), str(y), "click", "1")

    def wait(self, timeout=30):
        return self.process.wait(timeout=timeout)

    def stop(self):
        self.process.kill()  # nothing, if it has ended
        self.process.wait()
