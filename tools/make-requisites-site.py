#!/usr/bin/env python3
"""Writes the binary files of the requisites test site (tests/sites/requisites/):
its pictures, each a tiny PNG of one colour with a darker corner, and the
Shift_JIS page, whose bytes are CP932. The text pages and the style sheets are
edited by hand. Run it again after changing a picture or the Shift_JIS page;
the output is the same bytes every time."""
import pathlib
import struct
import zlib

SITE = pathlib.Path(__file__).resolve().parent.parent / "tests/sites/requisites"

# Each picture has a colour of its own, so a missing one changes the pixels
# of a page wherever it should stand.
PICTURES = {
    "img/bg.png": (230, 236, 245),
    "img/imported.png": (40, 150, 90),
    "img/css.png": (60, 90, 200),
    "img/style-block.png": (200, 120, 30),
    "img/style-attr.png": (150, 40, 160),
    "img/one.png": (20, 160, 170),
    "img/two.png": (90, 90, 90),
    "img/fallback.png": (250, 250, 60),
    "img/picture.png": (200, 40, 60),
    "img/picture-fallback.png": (255, 200, 220),
    "img/lazy.png": (110, 170, 40),
    "img/poster.png": (30, 60, 110),
    "img/icon.png": (240, 90, 20),
    "assets/mark.png": (100, 60, 20),
    "画像/写真.png": (220, 60, 120),
    "写真.png": (60, 130, 220),
    "画像/絵.png": (140, 200, 60),
}

# The Shift_JIS page; its picture's name is written in CP932 like the rest.
SJIS_PAGE = """<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="Shift_JIS">
<title>シフトJISのページ</title>
<link rel="stylesheet" href="css/site.css?v=3">
</head>
<body>
<h1>シフトJISのページ</h1>
<p>このページはShift_JISで書かれ、日本語の名前の画像を使います。</p>
<div class="frame"><img class="big" src="画像/絵.png" alt=""><span>画像/絵.png</span></div>
</body>
</html>
"""


def png(rgb, size=4):
    """A size x size RGB picture of `rgb` whose top-left pixel is a quarter darker."""
    dark = tuple(c * 3 // 4 for c in rgb)
    rows = b""
    for y in range(size):
        row = b"\0"
        for x in range(size):
            row += bytes(dark if (x, y) == (0, 0) else rgb)
        rows += row

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")


def main():
    for name, rgb in PICTURES.items():
        path = SITE / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(png(rgb))
    (SITE / "sjis.html").write_bytes(SJIS_PAGE.encode("cp932"))


if __name__ == "__main__":
    main()
