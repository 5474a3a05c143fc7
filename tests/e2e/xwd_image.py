#!/usr/bin/env python3
"""Screenshots in X's xwd format: convert to PNG, or compare with a golden PNG within a tolerance.

  xwd_image.py png <in.xwd> <out.png>
  xwd_image.py compare <in.xwd> <golden.png> [channel tolerance] [fraction of pixels allowed off]

The pixel size, row length and colour masks come from the xwd header. Only 24- and 32-bit
true-colour images (what Xvfb's 24-bit screen gives) are read; PNGs are 8-bit RGB as written here.
"""
import struct
import sys
import zlib


def read_xwd(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = struct.unpack(">25I", data[:100])
    header_size, version = fields[0], fields[1]
    if version != 7:
        raise ValueError("not an xwd version 7 file")
    width, height = fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    masks = fields[14:17]
    colours = fields[19]
    if bits_per_pixel not in (24, 32):
        raise ValueError("only 24- and 32-bit pixels are read, not %d" % bits_per_pixel)
    start = header_size + colours * 12
    step = bits_per_pixel // 8
    order = "little" if byte_order == 0 else "big"
    shifts = [(m & -m).bit_length() - 1 for m in masks]
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * step]
        row = bytearray()
        for x in range(width):
            pixel = int.from_bytes(line[x * step:(x + 1) * step], order)
            row += bytes(((pixel & m) >> s) & 0xFF for m, s in zip(masks, shifts))
        rows.append(bytes(row))
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\x00" + row for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour_type = struct.unpack(">IIBB", body[:10])
            if depth != 8 or colour_type != 2:
                raise ValueError("only 8-bit RGB PNGs are read")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 3
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 3] if i >= 3 else 0
            up = previous[i]
            corner = previous[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 0xFF
        rows.append(bytes(line))
        previous = line
    return width, height, rows


def compare(actual, golden, tolerance, allowed_fraction):
    (aw, ah, arows), (gw, gh, grows) = actual, golden
    if (aw, ah) != (gw, gh):
        print("size %dx%d, golden %dx%d" % (aw, ah, gw, gh))
        return False
    off = 0
    for arow, grow in zip(arows, grows):
        for x in range(0, len(arow), 3):
            if max(abs(arow[x + c] - grow[x + c]) for c in range(3)) > tolerance:
                off += 1
    fraction = off / float(aw * ah)
    print("%d of %d pixels differ by more than %d (%.4f%%, %.4f%% allowed)"
          % (off, aw * ah, tolerance, 100 * fraction, 100 * allowed_fraction))
    return fraction <= allowed_fraction


def main(args):
    if len(args) == 3 and args[0] == "png":
        write_png(args[2], *read_xwd(args[1]))
        return 0
    if len(args) >= 3 and args[0] == "compare":
        tolerance = int(args[3]) if len(args) > 3 else 16
        fraction = float(args[4]) if len(args) > 4 else 0.002
        return 0 if compare(read_xwd(args[1]), read_png(args[2]), tolerance, fraction) else 1
    print(__doc__.strip(), file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
