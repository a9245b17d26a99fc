"""Keyboard, mouse and screenshots from outside the program, through
xdotool, xwininfo and ImageMagick's import, on the display of `env`."""

import re
import subprocess

from xsession import TestFailure, wait_for

TOOLS = ["Xvfb", "openbox", "xdotool", "xprop", "xwininfo", "import"]


class XDriver:
    def __init__(self, env):
        self.env = env

    def _run(self, argv, check=True):
        try:
            answer = subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=30)
        except subprocess.TimeoutExpired:
            raise TestFailure(f"{' '.join(argv)} did not finish in 30 s")
        if check and answer.returncode != 0:
            raise TestFailure(f"{' '.join(argv)} failed: {answer.stderr.strip()}")
        return answer.stdout

    def xdotool(self, *args):
        return self._run(["xdotool", *map(str, args)])

    def visible_windows(self, title_pattern):
        """Ids of the mapped windows whose title matches the regular expression."""
        found = self._run(["xdotool", "search", "--onlyvisible", "--name", title_pattern], check=False)
        return [int(word) for word in found.split()]

    def find_window(self, title_pattern, timeout):
        ids = wait_for(f"a window titled {title_pattern}", lambda: self.visible_windows(title_pattern), timeout)
        if len(ids) != 1:
            raise TestFailure(f"{len(ids)} windows titled {title_pattern}")
        return ids[0]

    def window_size(self, window):
        info = self._run(["xwininfo", "-id", str(window)])
        width = re.search(r"^\s*Width: (\d+)", info, re.M)
        height = re.search(r"^\s*Height: (\d+)", info, re.M)
        return int(width.group(1)), int(height.group(1))

    def click(self, window, x, y):
        """A left click at (x, y) of the window, frame not counted."""
        self.xdotool("mousemove", "--window", window, x, y, "click", "1")

    def park_mouse(self):
        """The pointer to the screen's corner, where it highlights nothing."""
        self.xdotool("mousemove", 0, 0)

    def key(self, *keys):
        """Keys to the window that has the focus, as xdotool names them."""
        self.xdotool("key", *keys)

    def type_text(self, text):
        self.xdotool("type", "--delay", 20, text)

    def activate(self, window):
        self.xdotool("windowactivate", "--sync", window)

    def resize(self, window, width, height):
        self.xdotool("windowsize", window, width, height)

    def frame_rect(self, window):
        """Where the window lies on the screen with its frame: x, y, width, height."""
        info = self._run(["xwininfo", "-id", str(window)])
        x, y, width, height = (int(re.search(rf"^\s*{name}:\s+(-?\d+)", info, re.M).group(1))
                               for name in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
        left, right, top, bottom = self._cardinals(["-id", str(window)], "_NET_FRAME_EXTENTS")
        return x - left, y - top, width + left + right, height + top + bottom

    def work_area(self):
        """The screen's free area as the window manager gives it: x, y, width, height."""
        return tuple(self._cardinals(["-root"], "_NET_WORKAREA")[:4])

    def _cardinals(self, where, name):
        answer = self._run(["xprop", *where, name])
        if "=" not in answer:
            raise TestFailure(f"no {name} property")
        return [int(number) for number in answer.split("=", 1)[1].split(",")]

    def pixels(self, window, rect):
        """Columns, rows and RGB bytes of the window's rectangle (x, y, width, height)."""
        x, y, width, height = rect
        image = subprocess.run(["import", "-window", str(window), "-crop", f"{width}x{height}+{x}+{y}", "-depth", "8",
                                "ppm:-"],
                               env=self.env, capture_output=True, timeout=30).stdout
        return read_ppm(image)

    def ink_rows(self, window, rect):
        """How many pixel rows of the window's rectangle (x, y, width, height)
        hold a dark pixel: text on a light background shows as ink rows."""
        columns, rows, pixels = self.pixels(window, rect)
        stride = columns * 3
        return sum(1 for row in range(rows) if has_dark_pixel(pixels[row * stride:(row + 1) * stride]))

    def blue_share(self, window, rect):
        """The share of the rectangle's pixels that are clearly blue, as a
        progress bar's filled part is."""
        columns, rows, pixels = self.pixels(window, rect)
        blue = sum(1 for i in range(0, len(pixels), 3) if pixels[i + 2] > pixels[i] + 60)
        return blue / max(1, columns * rows)

    def screenshot(self, window, path):
        """The window with its frame as it shows on screen, windows above it included."""
        self._run(["import", "-screen", "-frame", "-window", str(window), path])

    def screenshot_screen(self, path):
        self._run(["import", "-window", "root", path])


def read_ppm(image):
    """Width, height and RGB bytes of a binary PPM (P6) with 8-bit channels."""
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", image)
    if not header:
        raise TestFailure("import gave no 8-bit PPM picture")
    return int(header.group(1)), int(header.group(2)), image[header.end():]


def has_dark_pixel(rgb):
    return any(rgb[i] + rgb[i + 1] + rgb[i + 2] < 300 for i in range(0, len(rgb), 3))
