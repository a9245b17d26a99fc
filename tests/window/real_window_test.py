#!/usr/bin/env python3
"""The window program `pagelark` in a real X server (Xvfb with openbox),
driven from outside like a user: settings typed into the fields, a run to
its end and a run stopped half-way against loopback sample servers, Enter in
two fields, a resize, and the close with its save question taken back, then
answered; then the window again at a scale of 2, which must fit the screen
and scroll to its far end.

  real_window_test.py --pagelark P --places P --sample-server P --site DIR

With PAGELARK_SHOTS_DIR set, the screenshots (window-running.png,
window-resized.png, window-save-question.png, window-scale2.png) are written
there. When a step fails, a screenshot of the whole screen lands in the
current directory as real_window_failure.png."""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from xdriver import TOOLS, XDriver
from xsession import Session, TestFailure, wait_for

MAIN_TITLE = "^Pagelark.ini - Pagelark From CGI$"  # the profile's name, then the caption
MESSAGE_TITLE = "^PagelarkCGI$"  # the program's message boxes: a run's end, the save question

STARTUP_TIMEOUT = 30  # the X server, the window manager, servers and the window each
RUN_TIMEOUT = 40  # a whole run of the sample site
SLOW_DELAY_MS = 2500  # each answer of the slow server: a run of many seconds to stop
FILES_BEFORE_STOP = 6  # a few progress lines for the screenshot, half the site or less
LIST_FRAME = 3  # pixels of the list's frame, which are dark
SCROLL_BAR = 24  # room for a scroll bar, whose arrows are dark
PICTURES = [".png", ".pdf"]  # files a mirror stores unchanged
FULL_BAR = 0.8  # the share of blue in a full progress bar's middle row, its frame left out
BAR_END = 60  # pixels of the progress bar's right end looked at, and as many beyond it


class WindowTest:
    def __init__(self, options, session, work_dir):
        self.options = options
        self.session = session
        self.x = XDriver(session.env)
        self.work_dir = work_dir
        self.shots_dir = os.path.abspath(os.environ.get("PAGELARK_SHOTS_DIR") or os.path.join(work_dir, "shots"))
        os.makedirs(self.shots_dir, exist_ok=True)
        self.program_dir = self.folder("program")
        self.program = None
        self.window = None
        self.places = {}

    def folder(self, name, mode=0o755):
        path = os.path.join(self.work_dir, name)
        os.makedirs(path, mode=mode, exist_ok=True)
        return path

    # The window and where its controls are.

    def start_program(self, scale=1):
        runtime = self.folder("runtime", 0o700)
        self.session.env.update(QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime, NO_AT_BRIDGE="1",
                                QT_SCALE_FACTOR=str(scale))
        self.program = self.session.start("pagelark", [self.options.pagelark, "--program-dir", self.program_dir])
        self.window = self.x.find_window(MAIN_TITLE, STARTUP_TIMEOUT)
        self.places = self.read_places()

    def read_places(self, *how):
        """Where the controls are at the window's size; with "end", once the
        window is scrolled to its far end."""
        width, height = self.x.window_size(self.window)
        answer = subprocess.run([self.options.places, str(width), str(height), *how], env=self.session.env,
                                capture_output=True, text=True, timeout=STARTUP_TIMEOUT)
        if answer.returncode != 0:
            raise TestFailure("window_places failed: " + answer.stderr)
        places = {}
        for line in answer.stdout.splitlines():
            name, *numbers = line.split()
            places[name] = tuple(map(int, numbers))
        return places

    def click(self, name):
        x, y, width, height = self.places[name]
        self.x.click(self.window, x + width // 2, y + height // 2)

    def type_into(self, name, text):
        """Replaces a field's text: a click near its left end, all selected, typed over."""
        x, y, width, height = self.places[name]
        self.x.click(self.window, x + min(20, width // 4), y + height // 2)
        self.x.key("ctrl+a")
        self.x.type_text(text)

    def fill_in(self, url, folder):
        self.type_into("url", url)
        self.type_into("folder", folder)

    def shot(self, name, window=None):
        path = os.path.join(self.shots_dir, name)
        self.x.park_mouse()
        self.x.screenshot(window or self.window, path)
        if os.path.getsize(path) == 0:
            raise TestFailure(f"empty screenshot {path}")

    def list_ink(self):
        """Ink rows of the progress list's text area: its frame and the room of
        its scroll bars left out."""
        x, y, width, height = self.places["list"]
        return self.x.ink_rows(self.window, (x + LIST_FRAME, y + LIST_FRAME, width - LIST_FRAME - SCROLL_BAR,
                                             height - LIST_FRAME - SCROLL_BAR))

    # Messages.

    def wait_for_message(self, what, timeout):
        ids = wait_for(what, lambda: self.x.visible_windows(MESSAGE_TITLE), timeout)
        return ids[0]

    def answer_message(self, message, key):
        self.x.activate(message)
        self.x.key(key)
        wait_for("the message box to close", lambda: message not in self.x.visible_windows(MESSAGE_TITLE), 10)

    def no_message_within(self, seconds):
        """Waits the given time (a fault shows as a window that appears) and
        checks that the main window is there, the program runs and no
        message box is open."""
        time.sleep(seconds)
        if self.x.visible_windows(MESSAGE_TITLE):
            raise TestFailure("a message box is open")
        if self.window not in self.x.visible_windows(MAIN_TITLE) or self.program.poll() is not None:
            raise TestFailure("the main window is gone")


def mirror_files(folder):
    return [os.path.join(root, name) for root, _, names in os.walk(folder) for name in names]


def check_whole_mirror(site, folder, port):
    """Every file of the site is in the mirror, pictures byte for byte."""
    root = os.path.join(folder, "http", f"127.0.0.1{port}")
    for served in mirror_files(site):
        relative = os.path.relpath(served, site)
        saved = os.path.join(root, relative.lower())
        if not os.path.isfile(saved):
            raise TestFailure(f"{relative} is not in the mirror {root}")
        if os.path.splitext(relative)[1].lower() in PICTURES:
            with open(served, "rb") as a, open(saved, "rb") as b:
                if a.read() != b.read():
                    raise TestFailure(f"{saved} differs from the served {relative}")


class Steps:
    """The test's steps in order; each names what it checks."""

    def __init__(self, test, fast_port, slow_port):
        self.t = test
        self.fast_url = f"http://127.0.0.1:{fast_port}/index.html"
        self.slow_url = f"http://127.0.0.1:{slow_port}/index.html"
        self.fast_port = fast_port
        self.whole_count = 0

    def run_to_its_end(self):
        folder = self.t.folder("mirror")
        self.t.fill_in(self.fast_url, folder)
        # A first start leaves the duplicate-link limit empty, which a run refuses.
        self.t.type_into("max-links", "500")
        if self.t.list_ink():
            raise TestFailure("the progress list of a new window is not empty")
        self.t.click("start")
        self.whole_run_ends(folder)
        self.whole_count = len(mirror_files(folder))

    def whole_run_ends(self, folder, list_in_view=True):
        message = self.t.wait_for_message("the message at the run's end", RUN_TIMEOUT)
        if list_in_view and not self.t.list_ink():
            raise TestFailure("the progress list stayed empty through a whole run")
        check_whole_mirror(self.t.options.site, folder, self.fast_port)
        self.t.answer_message(message, "Return")

    def enter_keeps_the_window(self):
        """Enter in the folder field does nothing; in the URL field it starts
        a run. The window stays either way."""
        folder = self.t.folder("entered")
        self.t.type_into("folder", folder)
        self.t.x.key("Return")
        self.t.no_message_within(2)
        if mirror_files(folder):
            raise TestFailure("Enter in the folder field started a run")
        self.t.click("url")
        self.t.x.key("Return")
        self.whole_run_ends(folder)
        self.t.no_message_within(0)

    def stop_a_run(self):
        folder = self.t.folder("stopped")
        self.t.fill_in(self.slow_url, folder)
        self.t.click("start")
        wait_for("the slow run's first file", lambda: mirror_files(folder), RUN_TIMEOUT)
        first_lines = self.t.list_ink()
        wait_for(f"{FILES_BEFORE_STOP} files of the slow run", lambda: len(mirror_files(folder)) >= FILES_BEFORE_STOP,
                 RUN_TIMEOUT)
        self.t.shot("window-running.png")
        if not 0 < first_lines < self.t.list_ink():
            raise TestFailure("no progress lines arrived in the list while the files did")
        self.t.click("stop")
        message = self.t.wait_for_message("the message at the stopped run's end", RUN_TIMEOUT)
        stopped_count = len(mirror_files(folder))
        if stopped_count >= self.whole_count:
            raise TestFailure(f"the stopped run saved {stopped_count} files, the whole site has {self.whole_count}")
        self.t.answer_message(message, "Return")

    def resize(self):
        width, height = self.t.x.window_size(self.t.window)
        wanted = (width + 200, height + 80)
        self.t.x.resize(self.t.window, *wanted)
        wait_for(f"the window to take the size {wanted}", lambda: self.t.x.window_size(self.t.window) == wanted, 10)
        time.sleep(0.5)  # the repaint at the new size has no signal outside the program
        self.t.shot("window-resized.png")

    def close_and_save(self):
        """Escape takes the save question back to the window; Enter saves."""
        question = self.ask_to_close()
        self.t.shot("window-save-question.png", question)
        self.t.answer_message(question, "Escape")
        self.t.no_message_within(1)
        self.t.answer_message(self.ask_to_close(), "Return")
        wait_for("pagelark to end", lambda: self.t.program.poll() is not None, 20)
        if self.t.program.returncode != 0:
            raise TestFailure(f"pagelark ended with {self.t.program.returncode}")
        set_ini = os.path.join(self.t.program_dir, "set.ini")
        profile = os.path.join(self.t.program_dir, "Pagelark.ini")
        for path in (set_ini, profile):
            if not os.path.isfile(path):
                raise TestFailure(f"no {path} after saving")
        with open(profile, "rb") as file:
            if self.slow_url.encode() not in file.read():
                raise TestFailure(f"{profile} does not hold the URL typed last, {self.slow_url}")

    def ask_to_close(self):
        self.t.x.activate(self.t.window)
        self.t.x.key("alt+F4")
        return self.t.wait_for_message("the save question", 10)

    def at_scale_two(self):
        """At QT_SCALE_FACTOR=2 the controls need more than the screen: the
        window opens within the screen's free area, with scroll bars. A run
        (Enter in the URL field; the fast server's files go beside the slow
        one's in the folder saved last) ends; scrolled to its far end with its
        scroll bars, the window shows the right end of the full progress bar
        where window_places says it is. The screenshot shows the bottom left."""
        self.t.start_program(scale=2)
        x, y, width, height = self.t.x.frame_rect(self.t.window)
        left, top, free_width, free_height = self.t.x.work_area()
        if x < left or y < top or x + width > left + free_width or y + height > top + free_height:
            raise TestFailure(f"the window at scale 2 lies at {width}x{height}+{x}+{y}, "
                              f"beyond the free area {free_width}x{free_height}+{left}+{top}")
        end = self.t.read_places("end")
        if not {"vertical-bar", "horizontal-bar"} <= end.keys():
            raise TestFailure("the window at scale 2 has no scroll bars, yet the screen cannot hold it")
        self.t.type_into("url", self.fast_url)
        self.t.x.key("Return")
        self.whole_run_ends(self.t.folder("stopped"), list_in_view=False)
        self.click_trough(end["vertical-bar"], far=True)
        self.click_trough(end["horizontal-bar"], far=True)
        x, y, width, height = end["progress-bar"]
        bar_end = (x + width - BAR_END, y + height // 2, BAR_END - 4, 1)
        beyond = (x + width + 4, y + height // 2, BAR_END, 1)
        if self.t.x.blue_share(self.t.window, bar_end) < FULL_BAR or self.t.x.blue_share(self.t.window, beyond) > 0:
            raise TestFailure("scrolled to its end, the window at scale 2 does not show the progress bar's end")
        self.click_trough(end["horizontal-bar"], far=False)
        self.t.shot("window-scale2.png")

    def click_trough(self, bar, far):
        """A click on a scroll bar's trough beside the arrow at its far or near
        end: the window scrolls to that end (a page takes it there)."""
        x, y, width, height = bar
        if width > height:  # a horizontal bar, whose arrows are as wide as it is high
            self.t.x.click(self.t.window, x + (width - 2 * height if far else 2 * height), y + height // 2)
        else:
            self.t.x.click(self.t.window, x + width // 2, y + (height - 2 * width if far else 2 * width))
        time.sleep(0.3)  # the repaint has no signal outside the program

    def all(self):
        return [self.run_to_its_end, self.enter_keeps_the_window, self.stop_a_run, self.resize, self.close_and_save,
                self.at_scale_two]


def parse_options():
    parser = argparse.ArgumentParser()
    for option in ("--pagelark", "--places", "--sample-server", "--site"):
        parser.add_argument(option, required=True)
    return parser.parse_args()


def run(options, session, work_dir):
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        raise TestFailure("missing " + ", ".join(missing) + " (tools/setup-deps.sh installs them)")
    session.start_x_server(STARTUP_TIMEOUT)
    session.start_window_manager(STARTUP_TIMEOUT)
    fast_port = session.start_sample_server("fast-server", options.sample_server, options.site, STARTUP_TIMEOUT)
    slow_port = session.start_sample_server("slow-server", options.sample_server, options.site, STARTUP_TIMEOUT,
                                            delay_ms=SLOW_DELAY_MS)
    test = WindowTest(options, session, work_dir)
    test.start_program()
    began = time.monotonic()
    try:
        for step in Steps(test, fast_port, slow_port).all():
            print(f"{time.monotonic() - began:5.1f} s  {step.__name__}", flush=True)
            step()
    except TestFailure:
        test.x.screenshot_screen(os.path.abspath("real_window_failure.png"))
        print("pagelark's output:\n" + session.log_of("pagelark"), file=sys.stderr)
        raise
    print(f"{time.monotonic() - began:5.1f} s  done; screenshots in {test.shots_dir}")


def main():
    options = parse_options()
    # A stop from outside (ctest's timeout) still stops every process started here.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    with tempfile.TemporaryDirectory(prefix="pagelark-window-") as work_dir, Session(work_dir) as session:
        try:
            run(options, session, work_dir)
        except TestFailure as failure:
            print(f"FAIL: {failure}", file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
