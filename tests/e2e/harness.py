"""A private X desktop (Xvfb, session bus, accessibility bus, openbox) and
the real trimwell binary on it, read the way a person and a screen reader
do: windows through xdotool and xprop, fields through AT-SPI."""

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
# The HR-II preset's stations, Empty Aircraft to Wing Fuel: (arm, weight).
HRII = [(86, 1213), (45, 15), (0, 0), (105, 170), (136, 170), (164, 30),
        (0, 0), (86.5, 252)]


def hrii_path(pilot_weight):
    """Points 0 to 7 of the HR-II loading path with the pilot's weight
    changed, and the chart's bounds (min arm, max arm, min weight, max
    weight), worked out as the calculation does."""
    stations = HRII[:3] + [(105, pilot_weight)] + HRII[4:]
    moment = weight = 0
    points = []
    for arm, load in stations:
        moment, weight = moment + arm * load, weight + load
        points.append((moment / weight, weight))
    arms = [a for a, _ in points] + [86.7, 97.4]
    weights = [w for _, w in points] + [2000]
    return points, (min(arms) - 0.1, max(arms) + 0.1, min(weights) - 10,
                    max(weights) + 10)


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


def pixels(env, box):
    """The screen's RGB bytes in the box (x, y, width, height), row by row."""
    x, y, w, h = box
    return subprocess.run(
        ["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "-depth",
         "8", "rgb:-"], env=env, capture_output=True, check=True).stdout


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

    def client(self):
        """(left, top, width, height) of the window itself on the screen,
        inside the window manager's frame; None once it has gone (the
        splash card goes by itself at any moment)."""
        info = run(self.env, "xwininfo", "-id", self.id)
        found = [re.search(label + r":\s+(-?\d+)", info) for label in (
            "Absolute upper-left X", "Absolute upper-left Y", "Width",
            "Height")]
        return None if None in found else tuple(int(m[1]) for m in found)

    def frame(self):
        """(left, top, width, height) of the outer frame, in pixels; None
        once the window has gone."""
        if (client := self.client()) is None:
            return None
        x, y, w, h = client
        extents = re.findall(r"\d+", self.prop("_NET_FRAME_EXTENTS"))
        left, right, top, bottom = map(int, extents or [0, 0, 0, 0])
        return x - left, y - top, w + left + right, h + top + bottom


class Trimwell:
    """One run of the program with its own settings folder."""

    def __init__(self, desktop, binary, home=None):
        self.home = home or tempfile.mkdtemp(dir=desktop.root)
        self.env = dict(desktop.env, HOME=self.home, QT_QPA_PLATFORM="xcb",
                        XDG_CONFIG_HOME=os.path.join(self.home, "config"))
        self.settings = os.path.join(self.home, "config", "Trimwell",
                                     "Trimwell.conf")
        self.binary = binary
        self.process = None

    def write_settings(self, text):
        os.makedirs(os.path.dirname(self.settings), exist_ok=True)
        with open(self.settings, "w", encoding="utf-8") as f:
            f.write(text)

    def placement(self):
        with open(self.settings, encoding="utf-8") as f:
            return dict(re.findall(r"^(Main\w+)=(.*)$", f.read(), re.M))

    def start(self):
        with open(os.path.join(self.home, "stderr.log"), "ab") as log:
            self.process = subprocess.Popen(
                [self.binary], env=self.env, stdin=subprocess.DEVNULL,
                stdout=subprocess.DEVNULL, stderr=log)
        return self

    def window(self, title="Trimwell", kind="NORMAL"):
        """The program's visible window with this title and window type
        (the splash screen carries the program's name too)."""
        ids = run(self.env, "xdotool", "search", "--all", "--onlyvisible",
                  "--pid", str(self.process.pid), "--name", "").split()
        for window in (Window(self.env, wid) for wid in ids):
            if (run(self.env, "xdotool", "getwindowname", window.id).strip()
                    == title and f"TYPE_{kind}" in
                    window.prop("_NET_WM_WINDOW_TYPE").split(",")[0]):
                return window
        return None

    def wait_window(self, title="Trimwell", kind="NORMAL", timeout=15):
        return wait_for(lambda: self.window(title, kind), timeout,
                        f"window {title!r}")

    def keys(self, window, *keys):
        """Real key events (XTEST) into the activated window."""
        run(self.env, "xdotool", "windowactivate", "--sync", window.id)
        run(self.env, "xdotool", "key", "--delay", "50", *keys)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()


class Accessible:
    """The program's accessibility tree, found by its process id."""

    def __init__(self, app):
        import pyatspi  # only once the desktop's bus addresses are set
        self.pyatspi, self.app = pyatspi, app

    def find(self, name):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for root in (desktop.getChildAtIndex(i)
                     for i in range(desktop.childCount)):
            try:
                if root.get_process_id() == self.app.process.pid:
                    return self.pyatspi.findDescendant(
                        root, lambda a: a.name == name, breadth_first=True)
            except Exception:  # an application that went away meanwhile
                continue
        return None

    def text(self, name):
        text = self.find(name).queryText()
        return text.getText(0, text.characterCount)

    def extents(self, name):
        box = self.find(name).queryComponent().getExtents(
            self.pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    def checked(self, name):
        return self.find(name).getState().contains(self.pyatspi.STATE_CHECKED)
