#!/usr/bin/env python3
"""Writes a static test site for the mirror benchmarks (bench/*.sh).

  make-bench-site.py [--pages N] [--seed S] OUT_DIR

OUT_DIR/www is the document root, its start page /index.html. The same
arguments always give the same bytes. OUT_DIR/manifest.json counts what a
whole mirror holds ("expected_files": every page, the style sheet and every
linked picture and file) and the distinct linked URLs that answer 404.

Shape: N pages spread over nested folders (depth 0 to 3); every page is
reachable from /index.html through a tree of links, and links besides to
other pages in relative, "../", root-relative and fragment forms; 1 to 4
pictures (small valid PNG files) per page; on some pages a link to a
download (text or binary file) and links to pages that do not exist.
Links are relative or root-relative only, so the site serves on any port.
File names are unique across folders, so a mirror that keeps every file in
one folder holds them all too.
"""

import argparse
import functools
import json
import os
import posixpath
import random
import struct
import sys
import zlib

WORDS = ("mirror fetch page folder link picture answer server request round trip "
         "catalogue section notes table figure index archive chapter entry list").split()
CHILDREN_PER_PAGE = 6
# words() draws as rng.choice(WORDS) does: the top WORD_BITS bits of one
# 32-bit output of the generator, drawn again while they index past WORDS.
WORD_BITS = len(WORDS).bit_length()
WORD_INDEX = bytes(byte >> (8 - WORD_BITS) for byte in range(256))
WORD_REJECTED = bytes(byte for byte in range(256) if byte >> (8 - WORD_BITS) >= len(WORDS))


def png(rng, size):
    """A valid RGB PNG of about `size` bytes (random pixels do not compress)."""
    width = 32
    height = max(1, size // (3 * width + 1))
    raw = b"".join(b"\0" + rng.randbytes(3 * width) for _ in range(height))

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 1)) + chunk(b"IEND", b""))


def words(rng, count):
    """The same `count` words, and the same generator state after, as `count`
    calls of rng.choice(WORDS), drawn in batches: each batch takes as many
    32-bit outputs as words are still wanted, never more than are used."""
    indexes = b""
    while len(indexes) < count:
        want = count - len(indexes)
        outputs = rng.getrandbits(32 * want).to_bytes(4 * want, "little")
        # Byte 3 of each little-endian output holds its top bits.
        indexes += outputs[3::4].translate(WORD_INDEX, WORD_REJECTED)
    return " ".join([WORDS[index] for index in indexes])


@functools.lru_cache(maxsize=None)
def folder_link(from_folder, to_folder):
    return posixpath.relpath(to_folder, from_folder)


def relative(page, target):
    """The relative link from `page` to `target` (server paths); folders are
    never named as files, so it is the link between their folders, cached."""
    folder, name = posixpath.split(target)
    link = folder_link(posixpath.dirname(page), folder)
    return name if link == "." else link + "/" + name


def href(rng, page, target):
    """A link from `page` to `target` in one of the usual forms."""
    relative_link = relative(page, target)
    form = rng.randrange(10)
    if form < 5:
        return relative_link
    if form < 7:
        return target
    if form < 8:
        return "./" + relative_link
    return relative_link + "#part%d" % rng.randint(1, 4)


class Site:
    def __init__(self, pages, seed):
        self.rng = random.Random(seed)
        self.files = {}  # server path -> bytes
        self.linked = {"/style.css"}  # server paths a whole mirror holds
        self.missing = set()  # linked server paths that answer 404
        self.folders = self.make_folders(max(3, pages // 25))
        self.pages = self.make_page_paths(pages)
        self.pictures = self.make_files(max(10, pages // 8), "pictures/set%d/pic%04d.png",
                                        lambda: png(self.rng, self.rng.randint(1000, 12000)))
        self.downloads = self.make_files(max(4, pages // 40), "files/item%d/file%04d.zip",
                                         lambda: self.rng.randbytes(self.rng.randint(2000, 30000)))

    def make_folders(self, count):
        folders = [""]
        for i in range(count):
            parent = self.rng.choice(folders)
            if parent.count("/") < 3:
                folders.append("%s/%s%d" % (parent, self.rng.choice(("docs", "news", "items", "ref")), i))
        return folders

    def make_page_paths(self, count):
        return ["/index.html"] + ["%s/page%05d.html" % (self.rng.choice(self.folders), i) for i in range(1, count)]

    def make_files(self, count, pattern, content):
        paths = ["/" + pattern % (i % 4, i) for i in range(count)]
        for path in paths:
            self.files[path] = content()
        return paths

    def links_of(self, index):
        rng, page = self.rng, self.pages[index]
        first = CHILDREN_PER_PAGE * index + 1
        tree = self.pages[first:first + CHILDREN_PER_PAGE]
        others = [rng.choice(self.pages) for _ in range(rng.randint(5, 20))]
        links = [href(rng, page, target) for target in tree + others]
        if rng.random() < 0.3:
            download = rng.choice(self.downloads)
            self.linked.add(download)
            links.append(href(rng, page, download))
        for _ in range(rng.choice((0, 0, 1, 2))):
            gone = "/gone/page%04d.html" % rng.randrange(max(10, len(self.pages) // 10))
            self.missing.add(gone)
            links.append(href(rng, page, gone))
        rng.shuffle(links)
        return links

    def page(self, index):
        rng, path = self.rng, self.pages[index]
        pictures = rng.sample(self.pictures, rng.randint(1, 4))
        self.linked.update(pictures)
        text = words(rng, rng.randint(300, 3000))
        body = ['<html><head><title>page %d</title>' % index,
                '<link rel="stylesheet" href="%s"></head><body>' % relative(path, "/style.css"),
                '<h1 id="part1">page %d</h1>' % index]
        body += ['<img src="%s" alt="">' % relative(path, picture) for picture in pictures]
        body += ['<p><a href="%s">link %d</a></p>' % (link, n) for n, link in enumerate(self.links_of(index))]
        body += ["<p>%s</p>" % text, "</body></html>\n"]
        return "\n".join(body).encode("ascii")

    def build(self):
        self.files["/style.css"] = b"body { margin: 2em; font-family: sans-serif; }\n"
        for index, path in enumerate(self.pages):
            self.files[path] = self.page(index)
            self.linked.add(path)

    def write(self, out_dir):
        www = os.path.join(out_dir, "www")
        if os.path.exists(www):
            sys.exit("make-bench-site: %s exists" % www)
        for path, data in sorted(self.files.items()):
            full = os.path.join(www, path.lstrip("/"))
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "wb") as f:
                f.write(data)
        manifest = {
            "pages": len(self.pages),
            "expected_files": len(self.linked),
            "missing_urls": len(self.missing),
            "files_on_disk": len(self.files),
            "bytes_on_disk": sum(len(data) for data in self.files.values()),
        }
        with open(os.path.join(out_dir, "manifest.json"), "w") as f:
            json.dump(manifest, f, indent=1)
            f.write("\n")
        return manifest


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--pages", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("out_dir")
    args = parser.parse_args()
    if args.pages < 1:
        parser.error("--pages must be at least 1")
    site = Site(args.pages, args.seed)
    site.build()
    print(json.dumps(site.write(args.out_dir)))


if __name__ == "__main__":
    main()
