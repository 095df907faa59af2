"""The Windows build under wine on the X desktop as the end-to-end suite's
target (see harness.py), and wine's registry, read and written with wine's
own reg.exe. tests/windows/run sets up the wine prefix and names the
build."""

import os
import re
import shutil

from harness import run
from x11 import Desktop, Program

BUILD = os.environ["TRIMWELL_WINDOWS_BUILD"]
WINE = os.environ["TRIMWELL_WINE"]
PROGRAM = os.path.join(BUILD, "src", "trimwell.exe")
STORE = r"HKCU\Software\Trimwell"
SETTINGS = STORE + r"\Trimwell\Settings"
MSINFO = r"HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO"


def windows_path(path):
    """The Windows name of a file of this machine (wine's drive Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def reg(desktop, *args):
    """wine's own reg.exe; its output, or "" when it fails (wine's query of
    a missing key ends well, with nothing but an empty line)."""
    said = run(desktop.env, WINE, "reg", *args, timeout=120)
    return "" if args[0] == "query" and "HKEY_" not in said else said


class Wine:
    # A prefix's first program on a new display sets wine up first.
    first_start = 90
    # The frame wine stores is Windows' window rectangle: the client area
    # inside wine's own caption and borders, which differ from openbox's
    # by a few pixels.
    frame_slack = 4

    def __init__(self):
        self.desktop = Desktop().start()
        self.fresh_store()

    def fresh_store(self):
        reg(self.desktop, "delete", STORE, "/f")

    def start(self, env=None):
        return Program(self.desktop, [WINE, PROGRAM], env)

    def placement(self):
        """The stored Main* values, as numbers; none before a first close."""
        return {k: int(v) for k, v in re.findall(
            r"(Main\w+)\s+REG_SZ\s+(-?\d+)\s*$",
            reg(self.desktop, "query", SETTINGS), re.M)}

    def register_tool(self, folder, marker):
        """The stand-in tool, under a name with blanks, as MSINFO32.EXE's
        path in the machine's registry. Returns the environment the program
        needs for it."""
        tool = os.path.join(folder, "tool with blanks.exe")
        shutil.copy(os.path.join(BUILD, "tests", "trimwell_test_tool.exe"),
                    tool)
        if not reg(self.desktop, "add", MSINFO, "/v", "PATH", "/t", "REG_SZ",
                   "/d", windows_path(tool), "/f"):
            raise RuntimeError("wine's reg could not add " + MSINFO)
        return {"TRIMWELL_TOOL_MARKER": windows_path(marker)}

    def forget_tool(self):
        reg(self.desktop, "delete", MSINFO, "/f")

    def stop(self):
        self.desktop.stop()
