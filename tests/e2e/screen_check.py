#!/usr/bin/env python3
"""Checks a screenshot of the game window (X's xwd format) against what the content's manifest says.

  screen_check.py movie <shot.xwd> <manifest.json> <movie name>
      the movie's colour inside its picture, centred on the 800 x 600 screen, and black just outside
  screen_check.py pixels <shot.xwd> <x>,<y>=<#RRGGBB> ...
      each pixel in the colour given
  screen_check.py sprites <shot.xwd> <manifest.json> <sprite>:<animation>@<x>,<y> ...
      each sprite's animation in its colour, placed at x, y (plus the sprite's origin): three points 8
      pixels in from its corners, all but the top-left one (which carries the frame number), so that an
      object that bobs by a few pixels still passes
  screen_check.py locate <shot.xwd> <#RRGGBB> ...
      finds the areas in each colour: prints a line per colour, the colour and then x,y,w,h for each
      area (its centre and size, found on a 4-pixel grid, so to within 4 pixels), largest first;
      fails when a colour is nowhere
  screen_check.py colour <manifest.json> movie <name>
      prints a movie's colour from the manifest (#RRGGBB)

Coordinates are the window's. Only the pixels asked for are read; the pixel size, row length, byte
order and colour masks come from the xwd header. A channel may be off by at most 8, which the
16-bit back buffer's widening to the 24-bit screen can cost. Exit status 0 when everything matches,
1 when something does not (what, on stdout), 2 on bad arguments or an unreadable file.
"""
import json
import struct
import sys

SCREEN_WIDTH, SCREEN_HEIGHT = 800, 600
TOLERANCE = 8


class Xwd:
    def __init__(self, path, data=None):
        """The screenshot in the file at path, or in data (then path only names it)."""
        if data is None:
            with open(path, "rb") as f:
                data = f.read()
        self.data = data
        if len(self.data) < 100:
            raise ValueError("%s is too short for an xwd header" % path)
        fields = struct.unpack(">25I", self.data[:100])
        header_size, version = fields[0], fields[1]
        if version != 7:
            raise ValueError("%s is not an xwd version 7 file" % path)
        self.width, self.height = fields[4], fields[5]
        self.order = "little" if fields[7] == 0 else "big"
        bits_per_pixel, self.bytes_per_line = fields[11], fields[12]
        if bits_per_pixel not in (24, 32):
            raise ValueError("only 24- and 32-bit pixels are read, not %d" % bits_per_pixel)
        self.step = bits_per_pixel // 8
        self.masks = fields[14:17]
        self.shifts = [(m & -m).bit_length() - 1 for m in self.masks]
        self.start = header_size + fields[19] * 12
        if self.start + self.height * self.bytes_per_line > len(self.data):
            raise ValueError("%s is cut short" % path)

    def pixel(self, x, y):
        """(r, g, b) of a pixel, or None outside the image."""
        if not (0 <= x < self.width and 0 <= y < self.height):
            return None
        at = self.start + y * self.bytes_per_line + x * self.step
        value = int.from_bytes(self.data[at:at + self.step], self.order)
        return tuple(((value & m) >> s) & 0xFF for m, s in zip(self.masks, self.shifts))


def parse_colour(text):
    text = text.lstrip("#")
    if len(text) != 6:
        raise ValueError("colour %r is not #RRGGBB" % text)
    value = int(text, 16)
    return (value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF)


def hex_colour(rgb):
    return "none" if rgb is None else "#%02X%02X%02X" % rgb


def check(shot, expectations):
    """expectations: (x, y, rgb, what); returns the lines of those that do not match."""
    wrong = []
    for x, y, rgb, what in expectations:
        actual = shot.pixel(x, y)
        if not matches(actual, rgb):
            wrong.append("%s at %d,%d is %s, expected %s" % (what, x, y, hex_colour(actual), hex_colour(rgb)))
    return wrong


def matches(actual, rgb):
    return actual is not None and max(abs(a - e) for a, e in zip(actual, rgb)) <= TOLERANCE


def locate(shot, colours, grid=4):
    """For each colour, its areas (x, y, w, h: centre and size) of grid points joined side by side."""
    columns, rows = (shot.width + grid - 1) // grid, (shot.height + grid - 1) // grid
    cells = [set() for _ in colours]
    for row in range(rows):
        for column in range(columns):
            actual = shot.pixel(column * grid, row * grid)
            for index, rgb in enumerate(colours):
                if matches(actual, rgb):
                    cells[index].add((column, row))
    found = []
    for points in cells:
        areas = []
        while points:
            stack = [points.pop()]
            left = right = stack[0][0]
            top = bottom = stack[0][1]
            while stack:
                column, row = stack.pop()
                left, right = min(left, column), max(right, column)
                top, bottom = min(top, row), max(bottom, row)
                for near in ((column + 1, row), (column - 1, row), (column, row + 1), (column, row - 1)):
                    if near in points:
                        points.remove(near)
                        stack.append(near)
            w, h = (right - left + 1) * grid, (bottom - top + 1) * grid
            areas.append((left * grid + w // 2, top * grid + h // 2, w, h))
        areas.sort(key=lambda area: (-area[2] * area[3], area[1], area[0]))
        found.append(areas)
    return found


def movie_entry(manifest_path, name):
    with open(manifest_path) as f:
        manifest = json.load(f)
    for database in manifest["databases"].values():
        if name in database.get("movies", {}):
            return database["movies"][name]
    raise ValueError("no movie %r in %s" % (name, manifest_path))


def sprite_entry(manifest_path, name):
    with open(manifest_path) as f:
        manifest = json.load(f)
    for database in manifest["databases"].values():
        for sprite, entry in database.get("sprites", {}).items():
            if sprite.lower() == name.lower():
                return entry
    raise ValueError("no sprite %r in %s" % (name, manifest_path))


def sprite_expectations(manifest_path, item):
    """item: <sprite>:<animation>@<x>,<y>"""
    name, rest = item.split(":", 1)
    animation, place = rest.split("@", 1)
    x, y = (int(v) for v in place.split(","))
    sprite = sprite_entry(manifest_path, name)
    colour = parse_colour(sprite["animations"][int(animation)]["colour"])
    left, top = x + sprite["origin"][0], y + sprite["origin"][1]
    right, bottom = left + sprite["width"] - 1, top + sprite["height"] - 1
    inset = 8
    points = [(right - inset, top + inset), (left + inset, bottom - inset), (right - inset, bottom - inset)]
    what = "%s animation %s" % (name, animation)
    return [(px, py, colour, what) for px, py in points]


def movie_expectations(movie):
    colour = parse_colour(movie["colour"])
    left = (SCREEN_WIDTH - movie["width"]) // 2
    top = (SCREEN_HEIGHT - movie["height"]) // 2
    right, bottom = left + movie["width"] - 1, top + movie["height"] - 1
    middle_x, middle_y = SCREEN_WIDTH // 2, SCREEN_HEIGHT // 2
    inside = [(middle_x, middle_y), (left, top), (right, top), (left, bottom), (right, bottom)]
    outside = [(left - 1, middle_y), (right + 1, middle_y), (middle_x, top - 1), (middle_x, bottom + 1),
               (0, 0), (SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1)]
    black = (0, 0, 0)
    return ([(x, y, colour, "movie") for x, y in inside] +
            [(x, y, black, "outside the movie") for x, y in outside if 0 <= x < SCREEN_WIDTH and 0 <= y < SCREEN_HEIGHT])


def main(args):
    try:
        if len(args) == 4 and args[0] == "movie":
            wrong = check(Xwd(args[1]), movie_expectations(movie_entry(args[2], args[3])))
        elif len(args) >= 3 and args[0] == "pixels":
            expectations = []
            for item in args[2:]:
                point, colour = item.split("=")
                x, y = (int(v) for v in point.split(","))
                expectations.append((x, y, parse_colour(colour), "pixel"))
            wrong = check(Xwd(args[1]), expectations)
        elif len(args) >= 4 and args[0] == "sprites":
            expectations = []
            for item in args[3:]:
                expectations += sprite_expectations(args[2], item)
            wrong = check(Xwd(args[1]), expectations)
        elif len(args) >= 3 and args[0] == "locate":
            colours = [parse_colour(text) for text in args[2:]]
            wrong = []
            for text, areas in zip(args[2:], locate(Xwd(args[1]), colours)):
                print(" ".join([text] + ["%d,%d,%d,%d" % area for area in areas]))
                if not areas:
                    wrong.append("%s is nowhere" % text)
            for line in wrong:
                print(line, file=sys.stderr)
            return 1 if wrong else 0
        elif len(args) == 4 and args[0] == "colour" and args[2] == "movie":
            print(movie_entry(args[1], args[3])["colour"])
            return 0
        else:
            print(__doc__.strip(), file=sys.stderr)
            return 2
    except (OSError, ValueError, KeyError) as error:
        print("screen_check: %s" % error)
        return 2
    for line in wrong:
        print(line)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
