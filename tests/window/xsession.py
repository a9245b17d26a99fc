"""The processes of a real-window test: an X server (Xvfb), a window manager
(openbox), loopback sample servers and the program under test. Every process
started here is stopped by Session.close(), and dies with the test process
even when that is killed outright (PR_SET_PDEATHSIG)."""

import ctypes
import os
import re
import select
import signal
import subprocess
import time

PR_SET_PDEATHSIG = 1

# Keys the window manager acts on; the rest of its settings are its defaults.
OPENBOX_CONFIG = """<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew></focus>
  <keyboard><keybind key="A-F4"><action name="Close"/></keybind></keyboard>
</openbox_config>
"""


class TestFailure(Exception):
    pass


def wait_for(what, predicate, timeout, interval=0.1):
    """Polls predicate until it gives a true value, which it returns; fails
    naming `what` after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TestFailure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def _die_with_parent():
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


def _read_line(pipe, timeout, what):
    """One line from a pipe's file descriptor within `timeout` seconds."""
    data = b""
    deadline = time.monotonic() + timeout
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([pipe], [], [], left)[0]:
            raise TestFailure(f"timed out after {timeout} s waiting for {what}")
        chunk = os.read(pipe, 256)
        if not chunk:
            raise TestFailure(f"{what}: the process ended first")
        data += chunk
    return data.decode().strip()


class Session:
    def __init__(self, work_dir):
        self.work_dir = work_dir
        self.env = dict(os.environ)
        self.processes = []  # (name, Popen), in start order

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def start(self, name, argv, **options):
        log = open(os.path.join(self.work_dir, name + ".log"), "wb")
        options.setdefault("stdout", log)
        process = subprocess.Popen(argv, stderr=log, env=self.env, preexec_fn=_die_with_parent, **options)
        log.close()
        self.processes.append((name, process))
        return process

    def log_of(self, name):
        with open(os.path.join(self.work_dir, name + ".log"), "rb") as log:
            return log.read().decode(errors="replace")

    def close(self):
        """Stops every process still running, the last started first."""
        for _, process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.processes.clear()

    def start_x_server(self, timeout):
        """Xvfb on the first free display; DISPLAY names it for every later process."""
        read_end, write_end = os.pipe()
        try:
            self.start("xvfb", ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                                "-nolisten", "tcp"], pass_fds=(write_end,))
            os.close(write_end)
            display = ":" + _read_line(read_end, timeout, "Xvfb's display number")
        finally:
            os.close(read_end)
        self.env["DISPLAY"] = display
        return display

    def start_window_manager(self, timeout):
        config = os.path.join(self.work_dir, "openbox-rc.xml")
        with open(config, "w") as file:
            file.write(OPENBOX_CONFIG)
        self.start("openbox", ["openbox", "--config-file", config])
        wait_for("openbox to manage the screen", self._window_manager_running, timeout)

    def _window_manager_running(self):
        answer = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                capture_output=True, text=True)
        return "window id" in answer.stdout

    def start_sample_server(self, name, program, site, timeout, delay_ms=0):
        """A sample server on a free loopback port; returns the port."""
        argv = [program] + (["--delay-ms", str(delay_ms)] if delay_ms else []) + [site]
        process = self.start(name, argv, stdout=subprocess.PIPE)
        line = _read_line(process.stdout.fileno(), timeout, name + "'s port")
        match = re.fullmatch(r"port (\d+)", line)
        if not match:
            raise TestFailure(f"{name} said {line!r} instead of its port")
        return int(match.group(1))
