"""What the end-to-end tests share, whatever the program runs on.

A target (linux.Linux, wine.Wine) is one build of the program on the X
desktop of x11.py, which it starts when made. It has first_start (seconds
a first start may take to show a window), frame_slack (pixels the stored
frame may be off from the one shown), fresh_store(), start(env=None) (an
x11.Program with those environment variables added), placement(),
register_tool(folder, marker) (the stand-in system information tool, copied
into folder for the About box to find; it writes its arguments to marker),
forget_tool() and stop() (the desktop and all on it ended)."""

import subprocess
import time


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
