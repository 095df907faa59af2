"""The Windows build under wine on a private X desktop: starting it, finding
its windows, reading its chart off the screen, and wine's registry."""

import os
import re
import subprocess

from harness import Window, run

BUILD = os.environ["TRIMWELL_WINDOWS_BUILD"]
WINE = os.environ["TRIMWELL_WINE"]
PROGRAM = os.path.join(BUILD, "src", "trimwell.exe")
SETTINGS = r"HKCU\Software\Trimwell\Trimwell\Settings"


def windows_path(path):
    """The Windows name of a file of this machine (wine's drive Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def reg(desktop, *args):
    """wine's own reg.exe; its output, or None when it fails (wine's query
    of a missing key ends well, with nothing but an empty line)."""
    done = subprocess.run([WINE, "reg", *args], env=desktop.env,
                          capture_output=True, text=True, timeout=120)
    if done.returncode != 0 or (args[0] == "query" and "HKEY_" not in
                                done.stdout):
        return None
    return done.stdout


def stored_placement(desktop):
    return dict(re.findall(r"(Main\w+)\s+REG_SZ\s+(\S+)",
                           reg(desktop, "query", SETTINGS) or ""))


class Program:
    """One run of a Windows program of ours under wine."""

    def __init__(self, desktop, path=PROGRAM, env=None):
        self.env = dict(desktop.env, **(env or {}))
        self.process = subprocess.Popen(
            [WINE, path], env=self.env, stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def windows(self, title="Trimwell"):
        """Its visible windows with this title."""
        ids = run(self.env, "xdotool", "search", "--onlyvisible", "--pid",
                  str(self.process.pid), "--name", "")
        return [Window(self.env, wid) for wid in ids.split()
                if run(self.env, "xdotool", "getwindowname", wid).strip()
                == title]

    def window(self, title="Trimwell", smallest_width=0):
        for window in self.windows(title):
            if (frame := window.frame()) and frame[2] >= smallest_width:
                return window
        return None

    def keys(self, window, *keys):
        run(self.env, "xdotool", "windowactivate", "--sync", window.id)
        run(self.env, "xdotool", "key", "--delay", "80", *keys)

    def wait(self, timeout=30):
        return self.process.wait(timeout=timeout)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()



