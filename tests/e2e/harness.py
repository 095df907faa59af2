"""What the end-to-end tests share, whatever the program runs on.

A target is one build of the program on the desktop it needs (linux.Linux
and wine.Wine, both on the X desktop of x11.py). Made with no arguments, it
starts that desktop, and it has:

  first_start       seconds a first start may take to show a window
  frame_slack       pixels the stored frame may be off from the one shown
  fresh_store()     empties the program's settings store
  start(env=None)   starts the program, with these environment variables
                    added: an App
  placement()       the stored Main* values, as numbers; {} before a close
  register_tool(folder, marker)
                    puts the stand-in system information tool, copied into
                    folder, where the About box looks for it; the tool
                    writes its arguments to marker. Returns the
                    environment variables the program needs for it.
  forget_tool()     undoes that
  stop()            ends the desktop and all on it

An App (one run of the program) has:

  window(title, framed=True)
                    its visible window with that title, with or without a
                    title bar of the window manager's; None when there is
                    none
  keys(window, *keys)
                    activates the window and presses the keys, each named
                    as an X keysym, with modifiers before it joined by "+":
                    "alt+f", "Escape", "2"
  click(x, y)       a left click at that point of the screen
  wait(timeout=30)  its exit status once it ends
  stop()            ends it if it still runs

and a window, frame() and place(left, top, width, height): the
(left, top, width, height) of its outer frame in pixels, None once it has
gone; and a request for its area inside the frame."""

import subprocess
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
    """A tool's output, or "" when it fails or hangs."""
    try:
        done = subprocess.run(args, env=env, capture_output=True, text=True,
                              timeout=timeout)
    except subprocess.TimeoutExpired:
        return ""
    return done.stdout if done.returncode == 0 else ""
