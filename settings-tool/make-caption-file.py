#!/usr/bin/env python3
"""Writes a caption file from UTF-8 text: a byte-order mark, little-endian UTF-16, CR LF line ends."""
import sys


def main() -> int:
    if len(sys.argv) != 3:
        print("usage: make-caption-file.py <utf-8 text> <caption file>", file=sys.stderr)
        return 2
    with open(sys.argv[1], encoding="utf-8") as source:
        lines = source.read().splitlines()
    text = "".join(line + "\r\n" for line in lines)
    with open(sys.argv[2], "wb") as out:
        out.write(b"\xff\xfe" + text.encode("utf-16-le"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
