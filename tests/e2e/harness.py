"""What the end-to-end tests share, whatever the program runs on.

A target is one build of the program on the desktop it needs (linux.Linux
and wine.Wine, both on the X desktop of x11.py). Made with no arguments, it
starts that desktop, and it has first_start (seconds a first start may take
to show a window), frame_slack (pixels the stored frame may be off from the
one shown), fresh_store(), start(env=None) (the program started with these
environment variables added: an x11.Program), placement(),
register_tool(folder, marker) (the stand-in system information tool, copied
into folder, where the About box looks for it; it writes its arguments to
marker), forget_tool() and stop() (the desktop and all on it ended)."""

import os
import subprocess
import time

TWIPS_PER_PIXEL = 15

# What a screen reader finds, by accessible name and by its role as AT-SPI
# names it: in the main window with the HR-II loaded, and in the About
# box, with the version the build was configured with (tests/e2e/run and
# tests/windows/run read it from the build's CMakeCache.txt). The desktop's
# tests read them through AT-SPI, the page's through the browser's
# accessibility tree.
BOXES = [f"{station} {what}" for station in (
    "Oil", "Front baggage", "Pilot", "Passenger", "Rear baggage",
    "Fuselage fuel", "Wing fuel", "Empty aircraft", "Aerobatic limit")
    for what in ("arm", "weight")] + [
    "Forward CG limit", "Aft CG limit", "Max allowable weight"]
TYPES = ["HR-II", "RV-3", "RV-4", "RV-6", "RV-8", "RV-9", "Other"]
MAIN_WINDOW = {(name, "text") for name in BOXES + [
    "Aircraft CG", "Aircraft weight"]} | {
    (name, "radio button") for name in TYPES} | {(name, "label") for name in (
        "Oil", "User Defined", "Pilot", "Passenger", "Rear Baggage",
        "Wing Fuel", "ARM", "Weight", "Forward CG Limit", "Empty Aircraft",
        "Aerobatic Limits", "Aft CG Limit", "Max Allowable Weight",
        "Aircraft ", "CG", "Center of Gravity Graphic", "W", "E", "I", "G",
        "H", "T")}
ABOUT_BOX = {("OK", "push button"), ("System Info...", "push button"),
             ("Trimwell", "label"),
             (f"Version {os.environ.get('TRIMWELL_VERSION')}", "label"),
             ("App Description : Using User defined values, this program "
              "will calculate the aircraft CG and Gross Weight.  It will also "
              "show the results in a graphical manner.", "label"),
             ("Warning : ... Use this program at your own risk.  It has no "
              "known bugs.  It was written for my education and therefore "
              "should be distributed at NO COST!", "label")}


def wait_for(predicate, timeout, what, interval=0.05):
    """Polls predicate() until it gives a true value, which it returns."""
    deadline = time.monotonic() + timeout
    while not (value := predicate()):
        if time.monotonic() >= deadline:
            raise TimeoutError(f"no {what} within {timeout} s")
        time.sleep(interval)
    return value


def run(env, *args, timeout=30):
    """A tool's output, or "" when it fails or hangs."""
    try:
        done = subprocess.run(args, env=env, capture_output=True, text=True,
                              timeout=timeout)
    except subprocess.TimeoutExpired:
        return ""
    return done.stdout if done.returncode == 0 else ""
