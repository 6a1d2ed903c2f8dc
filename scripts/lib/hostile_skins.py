#!/usr/bin/env python3
"""Writes the hostile skins of the robustness checks into a folder, one subfolder each."""
import random
import struct
import sys
import zlib
from pathlib import Path


def png(width, height):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", b"\0" * 8) + chunk(b"IEND", b"")


def lines(items):
    return "".join(line + "\r\n" for line in items).encode("latin-1")


def main(root):
    rnd = random.Random(7)
    skins = {
        "megabyte-line": lines(["skinname=" + "x" * (1 << 20), "width=100"]),
        "100000-lines": lines(f"left={i % 500}" for i in range(100000)),
        "10MB-random": bytes(rnd.getrandbits(8) for _ in range(10 << 20)),
        "nested-braces": lines(["runcode=" + "{" * 10000 + "stop" + "}" * 10000]),
        "10000-labels": lines(f"label=0;{i};50;14;[Title]" for i in range(10000)),
        "100000-placeholders": lines(["label=0;0;100;14;" + "[Artist]" * 100000]),
        "800KB-label": lines(["scrolltimer=50", "label=0;0;60;14;" + "z" * (800 << 10)]),
        "giant-numbers": lines(["label=1000000000;1000000000;1000000000;1000000000;[Title]",
                                "labelfont=1;Tahoma;1000000000", "left=1000000000", "width=1000000000"]),
        "10000-widths": lines(f"width={i}" for i in range(10000)),
        "nul-bytes": b"skinname=a\0b\r\nwidth=1\0" b"00\r\n",
        "broken-utf8": b"\xef\xbb\xbfskinname=\xc3\x28\xff\xfe\r\nlabel=0;0;100;14;\xe2\x82\r\n",
        "no-pictures": lines(["image=0;0;10;10;;text.png", "image=0;0;10;10;;cut.png",
                              "image=0;0;10;10;;huge.png", "backgroundpicture=huge.png"]),
    }
    for name, content in skins.items():
        folder = Path(root) / name
        folder.mkdir(parents=True, exist_ok=True)
        (folder / "skin.ini").write_bytes(content)
    pictures = Path(root) / "no-pictures"
    (pictures / "text.png").write_bytes(b"not a picture")
    (pictures / "cut.png").write_bytes(png(20, 20)[:30])
    (pictures / "huge.png").write_bytes(png(30000, 30000))
    print("\n".join(skins))


if __name__ == "__main__":
    main(sys.argv[1])
