#!/usr/bin/env python3
"""What a screenshot of the submarine ball game shows, for the end-to-end player (by the manifest's colours).

  game5_look.py <shot.xwd> <manifest.json> <distance>
      prints "<fish animation> <fish x> <door> <clear>": the fish's animation and the left edge of its
      block (-1 -1 when it is not found), the door (0 to 2) where the shark shows (-1 when it is away
      or leaving),
      and 1 when no jellyfish shows within that distance of the way a throw into that door takes
      (from the fish's mouth under it to the door's middle), else 0

Exit status 2 on bad arguments or an unreadable file.
"""
import json
import math
import sys

from screen_check import TOLERANCE, Xwd, parse_colour

# The shark's doors (x, y of the door's rectangle); the shark's block stands 4 pixels inside.
DOORS = [(118, 110), (364, 26), (600, 110)]
SHARK_WIDTH, SHARK_HEIGHT = 86, 62
# The fish's block stands on its arc, whose top is at y 428 and which dips to 501 at its ends; the
# navigation bar covers it from y 533.
FISH_ROWS = (520,)


def colours(manifest, sprite):
    for database in manifest["databases"].values():
        if sprite in database.get("sprites", {}):
            return [parse_colour(a["colour"]) for a in database["sprites"][sprite]["animations"]]
    raise KeyError(sprite)


def near(a, b):
    return a is not None and max(abs(p - q) for p, q in zip(a, b)) <= TOLERANCE


def which(pixel, palette):
    for index, colour in enumerate(palette):
        if near(pixel, colour):
            return index
    return -1


def door(shot, shark):
    for index, (x, y) in enumerate(DOORS):
        # Away from the block's top-left corner, which carries the frame number.
        points = [(x + 4 + SHARK_WIDTH - 10, y + 4 + SHARK_HEIGHT - 10), (x + 4 + SHARK_WIDTH // 2, y + 4 + SHARK_HEIGHT // 2)]
        found = [which(shot.pixel(px, py), shark) for px, py in points]
        # Of its eight animations in a door, the last two are the shark on its way out.
        if all(8 * index <= f < 8 * index + 6 for f in found):
            return index
    return -1


def fish(shot, palette):
    for y in FISH_ROWS:
        for x in range(0, 800, 2):
            found = which(shot.pixel(x, y), palette)
            # Two pixels on, the same colour: not a stray pixel of another sprite.
            if found >= 0 and which(shot.pixel(x + 20, y), palette) == found:
                return found, x
    return -1, -1


def distance(point, a, b):
    (px, py), (ax, ay), (bx, by) = point, a, b
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def clear(shot, palette, a, b, within):
    left, right = int(max(36, min(a[0], b[0]) - within)), int(min(764, max(a[0], b[0]) + within))
    top, bottom = int(max(0, min(a[1], b[1]) - within)), int(min(420, max(a[1], b[1]) + within))
    for y in range(top, bottom, 4):
        for x in range(left, right, 4):
            if distance((x, y), a, b) < within and which(shot.pixel(x, y), palette) >= 0:
                return False
    return True


# Where a throw into each door leaves (98 pixels right of the fish's arc point under it, 4 above) and
# where it aims.
THROWS = [((270, 446), (173, 149)), ((450, 424), (411, 72)), ((596, 439), (649, 145))]


def main(args):
    try:
        if len(args) != 3:
            raise ValueError("three arguments expected")
        shot, within = Xwd(args[0]), float(args[2])
        with open(args[1]) as f:
            manifest = json.load(f)
        anim, x = fish(shot, colours(manifest, "FeedingFrenzy_Pilo"))
        at = door(shot, colours(manifest, "FeedingFrenzy_Garmo"))
        jellyfish = colours(manifest, "FF_JellyFish_Back") + colours(manifest, "FF_JellyFish_Front")
        free = at >= 0 and clear(shot, jellyfish, THROWS[at][0], THROWS[at][1], within)
        print("%d %d %d %d" % (anim, x, at, 1 if free else 0))
        return 0
    except (OSError, ValueError, KeyError) as error:
        print("game5_look: %s" % error, file=sys.stderr)
        print(__doc__.strip(), file=sys.stderr)
        return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
