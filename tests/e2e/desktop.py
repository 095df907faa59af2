"""A private X desktop for end-to-end runs: Xvfb, a session bus, the
accessibility bus and a window manager, started together and stopped
together. Nothing of the user's own session is touched."""

import os
import shutil
import signal
import subprocess
import tempfile
import time


def wait_for(predicate, timeout, interval=0.05, what="condition"):
    """Polls until predicate() gives a true value, which it returns."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def _read_line_from(fd, timeout):
    """Reads one line a child writes to the pipe fd, without hanging."""
    deadline = time.monotonic() + timeout
    data = b""
    os.set_blocking(fd, False)
    while not data.endswith(b"\n"):
        try:
            chunk = os.read(fd, 256)
            if chunk:
                data += chunk
                continue
            if data:
                break
        except BlockingIOError:
            pass
        if time.monotonic() >= deadline:
            raise TimeoutError("a desktop service did not start")
        time.sleep(0.02)
    return data.decode().strip()


class Desktop:
    """Starts the services in order; stop() ends them in reverse order."""

    def __init__(self, width=1280, height=1024, window_manager=True):
        self.width = width
        self.height = height
        self.window_manager = window_manager
        self.processes = []
        self.root = tempfile.mkdtemp(prefix="trimwell-e2e-")
        self.env = dict(os.environ)

    def start(self):
        try:
            self._start_x()
            self._start_session_bus()
            self._start_accessibility_bus()
            if self.window_manager:
                self._start_window_manager()
        except BaseException:
            self.stop()
            raise
        return self

    def _spawn(self, args, **kwargs):
        process = subprocess.Popen(args, env=self.env, stdin=subprocess.DEVNULL,
                                   start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def _start_x(self):
        read_fd, write_fd = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                     f"{self.width}x{self.height}x24", "-nolisten", "tcp",
                     "-noreset"], pass_fds=(write_fd,),
                    stderr=subprocess.DEVNULL)
        os.close(write_fd)
        display = _read_line_from(read_fd, 20)
        os.close(read_fd)
        self.env["DISPLAY"] = ":" + display
        runtime = os.path.join(self.root, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.env["XDG_RUNTIME_DIR"] = runtime

    def _start_session_bus(self):
        read_fd, write_fd = os.pipe()
        self._spawn(["dbus-daemon", "--session", "--nofork",
                     f"--print-address={write_fd}"], pass_fds=(write_fd,),
                    stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = _read_line_from(read_fd, 20)
        os.close(read_fd)

    def _start_accessibility_bus(self):
        launcher = "/usr/libexec/at-spi-bus-launcher"
        self._spawn([launcher, "--launch-immediately"],
                    stderr=subprocess.DEVNULL)
        # The bus is ready once the launcher answers on the session bus.
        wait_for(lambda: subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
             "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
            env=self.env, capture_output=True).returncode == 0,
            20, what="the accessibility bus")
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.env["NO_AT_BRIDGE"] = "0"

    def _start_window_manager(self):
        self._spawn(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
        wait_for(lambda: subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
            capture_output=True, text=True).stdout.count("window id") > 0,
            20, what="the window manager")

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        self.processes.clear()
        shutil.rmtree(self.root, ignore_errors=True)
