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
