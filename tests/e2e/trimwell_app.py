"""Starts the real trimwell binary on a Desktop and reads it the way a
person and a screen reader do: X windows through xdotool and xprop, fields
through the accessibility interface (AT-SPI)."""

import os
import re
import subprocess
import tempfile

from desktop import wait_for

TWIPS_PER_PIXEL = 15


def x_tool(env, *args):
    result = subprocess.run(list(args), env=env, capture_output=True,
                            text=True)
    return result.stdout if result.returncode == 0 else ""


class Window:
    def __init__(self, env, wid):
        self.env = env
        self.id = wid

    def name(self):
        return x_tool(self.env, "xdotool", "getwindowname", self.id).strip()

    def kind(self):
        """The first (preferred) _NET_WM_WINDOW_TYPE, without its prefix."""
        out = x_tool(self.env, "xprop", "-id", self.id, "_NET_WM_WINDOW_TYPE")
        match = re.search(r"_NET_WM_WINDOW_TYPE_(\w+)", out.split("=", 1)[-1])
        return match.group(1) if match else ""

    def client_geometry(self):
        """(left, top, width, height) of the window's inside, in pixels."""
        out = x_tool(self.env, "xwininfo", "-id", self.id)
        values = {}
        for key, label in (("x", "Absolute upper-left X"),
                           ("y", "Absolute upper-left Y"),
                           ("w", "Width"), ("h", "Height")):
            match = re.search(label + r":\s+(-?\d+)", out)
            if not match:
                return None
            values[key] = int(match.group(1))
        return values["x"], values["y"], values["w"], values["h"]

    def frame_extents(self):
        """(left, right, top, bottom) of the window manager's frame."""
        out = x_tool(self.env, "xprop", "-id", self.id, "_NET_FRAME_EXTENTS")
        numbers = re.findall(r"-?\d+", out.split("=", 1)[-1]) if "=" in out else []
        return tuple(int(n) for n in numbers) if len(numbers) == 4 else (0, 0, 0, 0)

    def frame_geometry(self):
        """(left, top, width, height) of the outer frame, as a user sees it."""
        client = self.client_geometry()
        if client is None:
            return None
        left, right, top, bottom = self.frame_extents()
        x, y, w, h = client
        return x - left, y - top, w + left + right, h + top + bottom


class Trimwell:
    """One run of the program with its own settings folder."""

    def __init__(self, desktop, binary, settings_root=None):
        self.desktop = desktop
        self.binary = binary
        self.settings_root = settings_root or tempfile.mkdtemp(
            prefix="settings-", dir=desktop.root)
        self.process = None
        self.env = dict(desktop.env)
        self.env["HOME"] = self.settings_root
        self.env["XDG_CONFIG_HOME"] = os.path.join(self.settings_root, "config")
        self.env["QT_QPA_PLATFORM"] = "xcb"
        self.env.pop("QT_SCALE_FACTOR", None)

    @property
    def settings_file(self):
        return os.path.join(self.env["XDG_CONFIG_HOME"], "Trimwell",
                            "Trimwell.conf")

    def write_settings(self, text):
        os.makedirs(os.path.dirname(self.settings_file), exist_ok=True)
        with open(self.settings_file, "w", encoding="utf-8") as f:
            f.write(text)

    def stored_placement(self):
        values = {}
        try:
            with open(self.settings_file, encoding="utf-8") as f:
                for line in f:
                    key, _, value = line.strip().partition("=")
                    if key.startswith("Main"):
                        values[key] = value
        except FileNotFoundError:
            pass
        return values

    def start(self):
        # The program's own messages go to a file, never to a pipe that
        # nobody reads and that could fill up and stall it.
        self.log = open(os.path.join(self.settings_root, "stderr.log"), "ab")
        self.process = subprocess.Popen([self.binary], env=self.env,
                                        stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL,
                                        stderr=self.log)
        return self

    def visible_windows(self):
        out = x_tool(self.env, "xdotool", "search", "--all", "--onlyvisible",
                     "--pid", str(self.process.pid), "--name", "")
        return [Window(self.env, wid) for wid in out.split()]

    def window_named(self, name, kind="NORMAL"):
        """The program's visible window with this title and window type
        (NORMAL, DIALOG, SPLASH: the splash screen carries the program's
        name too)."""
        for window in self.visible_windows():
            if window.name() == name and window.kind() == kind:
                return window
        return None

    def wait_window(self, name, timeout=15, kind="NORMAL"):
        return wait_for(lambda: self.window_named(name, kind), timeout,
                        what=f"window {name!r}")

    def key(self, window, *keys):
        """Real key events (XTEST) into the window, activated first:
        events sent to a window directly are marked synthetic and ignored."""
        x_tool(self.env, "xdotool", "windowactivate", "--sync", window.id)
        x_tool(self.env, "xdotool", "key", "--delay", "50", *keys)

    def type_text(self, text):
        x_tool(self.env, "xdotool", "type", "--delay", "30", text)

    def wait_exit(self, timeout=15):
        return self.process.wait(timeout=timeout)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if self.process:
            self.log.close()


class Accessible:
    """The program's accessibility tree, found by its process id."""

    def __init__(self, app):
        import pyatspi  # after the desktop's bus addresses are in place
        self.pyatspi = pyatspi
        self.app = app

    def root(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            candidate = desktop.getChildAtIndex(i)
            try:
                if candidate and candidate.get_process_id() == self.app.process.pid:
                    return candidate
            except Exception:
                continue
        return None

    def find(self, name, role=None):
        root = self.root()
        if root is None:
            return None
        match = lambda a: a.name == name and (
            role is None or a.getRoleName() == role)
        try:
            return self.pyatspi.findDescendant(root, match, breadth_first=True)
        except Exception:
            return None

    def wait_find(self, name, role=None, timeout=15):
        return wait_for(lambda: self.find(name, role), timeout,
                        what=f"accessible {name!r}")

    @staticmethod
    def text(accessible):
        text = accessible.queryText()
        return text.getText(0, text.characterCount)

    def is_checked(self, accessible):
        return accessible.getState().contains(self.pyatspi.STATE_CHECKED)

    def extents(self, accessible):
        """(x, y, width, height) on the screen."""
        box = accessible.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height
