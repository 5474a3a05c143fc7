#!/usr/bin/env python3
"""Swims the swim game's fish along a route planned over a level's own tables, for the end-to-end player.

  game6_route.py <pid> <wid> <trace> <manifest.json> <level tables> <level> <seconds> <pattern> <count>

The level tables are the C++ source that holds them (its hoop, item and look tables); the level counts
from 1. The route is planned once, over the level's seabed unrolled for a few laps of the camera: a
path through rows the fish can reach at its steering slope, clear of what knocks or holds it (the
obstacles, kelp, spouts and hoop tops, by the sizes the manifest gives their sprites), flat through
bubble walls (which take the steering), and past the scallops. The game is then played in lock step:
stopped, the camera's scroll read off the seams of the background panels and the fish found by its
colours on a screenshot, the pointer put where the fish is to be a little ahead, and let on for a
slice of time that keeps the scroll advancing by about the same distance between looks, however busy
the machine. It stops once the trace has <count> lines matching the (Python) pattern: status 0; 1 when
the seconds run out first; 2 on bad arguments or tables it cannot read.

The game must run with a fixed step of 8 ms (PILO_FRAME_MS=8): the fish's rise and fall of 3 pixels a
step is then a little steeper than the scroll, the slope the route is planned for.
"""
import json
import os
import re
import signal
import subprocess
import sys
import time

from screen_check import TOLERANCE, Xwd, parse_colour

PANEL = 800
# The camera loops: past the first panel, the seabed repeats every 12 panels.
LOOP = 9600
# The stretch the route is planned over: the first lap and three more.
ROUTE_END = 400 + 10400 + 3 * LOOP
STEP = 10
ROWS = list(range(30, 431, 5))
# Rows the fish may change per column of the route: its 3 pixels a step against the scroll's 2.8.
SLOPE = 1.0
# The fish is 80 x 50; its centre keeps these margins more from what it must not touch.
HALF_WIDTH, HALF_HEIGHT = 40, 25
MARGIN_X, MARGIN_Y = 20, 10
# The fish steers for a point this far above the pointer.
POINTER_BELOW = 52
# The fish is pointed to where the route will be this far ahead of it, for the steps it takes to turn.
LEAD = 10
# The scroll each look should find advanced by.
ADVANCE = 16
# Kinds: 0 the scallop, 1 to 5 what is only picked up, 6 to 11 obstacles, 12 to 14 bubble walls,
# 15 kelp, 16 to 19 spouts.
SCALLOP, FIRST_OBSTACLE, FIRST_WALL, LAST_WALL = 0, 6, 12, 14
WALL_SHIFTS = (0, 57, 123)
WALL_HANGS_ABOVE = 300
# A hoop's parts are centred this far left of its record.
HOOP_SHIFT_X = -50


def fail(message):
    print("game6_route.py: " + message, file=sys.stderr)
    sys.exit(2)


def table(source, name):
    match = re.search(r"\b%s = \{\{(.*?)\n\}\};" % name, source, re.S)
    if not match:
        fail("no table %s in the level source" % name)
    return match.group(1)


def level_tables(source, level):
    """(items, hoops, looks) of a level: the records as (panel, x, y, kind or small), the looks' sprites."""
    levels = re.findall(r"// Level (\d+): (\d+) items\s*\{\{(.*?)\}\},", table(source, "kItems"), re.S)
    if len(levels) < level:
        fail("the level source has no item table for level %d" % level)
    number, count, records = levels[level - 1]
    items = [tuple(map(int, r)) for r in re.findall(r"\{(\d+), (\d+), (\d+), (\d+)\}", records)]
    if int(number) != level or len(items) != int(count):
        fail("level %d's item table does not hold its %s records" % (level, count))
    hoop_levels = [line for line in table(source, "kHoops").split("\n") if "{{{" in line]
    if len(hoop_levels) < level:
        fail("the level source has no hoop table for level %d" % level)
    hoops = [tuple(map(int, r)) for r in re.findall(r"\{(\d+), (\d+), (\d+), (\d)\}", hoop_levels[level - 1])]
    looks = [None if name == "nullptr" else name.strip('"')
             for name, _ in re.findall(r'\{("[^"]*"|nullptr), (\d+)\}', table(source, "kLooks"))]
    return items, hoops, looks


def seabed(items, hoops, looks, sprites):
    """The boxes (x, y, width, height: centres in the world) that knock or hold the fish, the bubble
    walls' boxes, and the scallops (x, y) the level counts."""
    def size(name):
        if name not in sprites:
            fail("the manifest has no sprite %s" % name)
        return sprites[name]["width"], sprites[name]["height"]
    hazards, walls, scallops = [], [], []
    for panel, x, y, kind in items:
        wx = panel * PANEL + x
        if kind == SCALLOP:
            # Panels 1 and 13 show the same stretch; the level counts the scallops of 2 to 12.
            if 2 <= panel <= 12:
                scallops.append((wx, y))
        elif kind >= FIRST_OBSTACLE:
            if kind >= len(looks) or not looks[kind]:
                fail("kind %d has no look" % kind)
            w, h = size(looks[kind])
            if FIRST_WALL <= kind <= LAST_WALL:
                shift = WALL_SHIFTS[kind - FIRST_WALL]
                walls.append((wx, y + shift if y < WALL_HANGS_ABOVE else y - shift, w, h))
            else:
                hazards.append((wx, y, w, h))
    for panel, x, y, small in hoops:
        w, h = size("Super_SmlArch_Top" if small else "Super_LrgArch_Top")
        hazards.append((panel * PANEL + x + HOOP_SHIFT_X, y, w, h))
    return hazards, walls, scallops


def world(u):
    """The world x of a point of the unrolled seabed."""
    return u if u < PANEL else PANEL + (u - PANEL) % LOOP


def rows_touching(boxes, wx, margin_x, margin_y):
    near = [b for b in boxes if abs(wx - b[0]) < HALF_WIDTH + b[2] / 2 + margin_x]
    return {y for y in ROWS if any(abs(y - by) < HALF_HEIGHT + bh / 2 + margin_y for _, by, _, bh in near)}


def plan(hazards, walls, scallops, start_y):
    """The route: the row for the fish's centre at each column of the unrolled seabed."""
    columns = list(range(400, ROUTE_END, STEP))
    blocked = {}
    in_wall = {}
    for wx in {world(u) for u in columns}:
        blocked[wx] = rows_touching(hazards, wx, MARGIN_X, MARGIN_Y)
        in_wall[wx] = rows_touching(walls, wx, 5, 5)
    reach = int(SLOPE * STEP)
    score = {start_y: 0.0}
    back = []
    for u in columns:
        wx = world(u)
        new, came = {}, {}
        for y in ROWS:
            if y in blocked[wx]:
                continue
            limit = 0 if y in in_wall[wx] else reach
            best = None
            for previous, value in score.items():
                change = abs(previous - y)
                # Of equal routes, the one that changes least; a wall costs a little.
                if change <= limit and (best is None or value - change * 0.001 > best[0]):
                    best = (value - change * 0.001, previous)
            if best is None:
                continue
            value = best[0] - (0.05 if limit == 0 else 0)
            value += sum(0.125 * (1 - abs(y - sy) / 40)
                         for sx, sy in scallops if abs(wx - sx) <= 40 and abs(y - sy) <= 30)
            new[y], came[y] = value, best[1]
        if not new:
            # Nowhere clear: the fish keeps its rows and takes the knock.
            new, came = dict(score), {y: y for y in score}
        score = new
        back.append(came)
    y = max(score, key=score.get)
    route = {}
    for u, came in zip(reversed(columns), reversed(back)):
        route[u] = y
        y = came[y]
    missed = [s for s in scallops
              if not any(abs(world(u) - s[0]) <= 40 and abs(ry - s[1]) <= 15 for u, ry in route.items())]
    return route, missed


class Screen:
    """Reads the camera's scroll and the fish off screenshots, by the manifest's colours."""

    ROWS_READ = (10, 150, 250, 350, 500)
    PLAY_HEIGHT = 530

    def __init__(self, sprites):
        def palette(name):
            if name not in sprites:
                fail("the manifest has no sprite %s" % name)
            return [parse_colour(a["colour"]) for a in sprites[name]["animations"]]
        # Panel i shows background (i % 4) of these.
        self.backgrounds = {}
        for index, name in enumerate(("Super_Bkgrnd4", "Super_Bkgrnd1", "Super_Bkgrnd2", "Super_Bkgrnd3")):
            self.backgrounds.update(dict.fromkeys(self.values(palette(name)[:1]), index))
        # The shield's bubble stands centred on the fish, and over it.
        self.fish = self.values(palette("SS_Pilo") + palette("Supe_Bubble"))
        self.scroll = 0

    @staticmethod
    def values(colours):
        """The pixel values the colours may show as: as they are, or through a 16-bit back buffer
        (cut to 5, 6 and 5 bits, and widened again); and the same for their second frames' colours,
        which are a little redder."""
        def forms(v, bits):
            cut = v & (0xFF << (8 - bits)) & 0xFF
            return {v, cut, cut | cut >> bits}
        found = set()
        for r, g, b in colours:
            for red in (r, r ^ 0x40):
                found.update(rr << 16 | gg << 8 | bb
                             for rr in forms(red, 5) for gg in forms(g, 6) for bb in forms(b, 5))
        return found

    @staticmethod
    def pixels(shot):
        """The screenshot's pixels as 32-bit words (red, green, blue from the high byte down) and the
        words a row holds."""
        if shot.step != 4 or shot.order != "little" or tuple(shot.masks) != (0xFF0000, 0xFF00, 0xFF):
            fail("the screenshot's pixels are not 32-bit words of red, green and blue")
        return memoryview(shot.data)[shot.start:shot.start + shot.height * shot.bytes_per_line].cast("I"), \
            shot.bytes_per_line // 4

    def read_scroll(self, shot):
        """The unrolled scroll: from the seam between the two panels a row shows (where nothing covers
        it), the one of its candidates nearest the last reading."""
        pixels, line = self.pixels(shot)
        best = None
        for y in self.ROWS_READ:
            first, last = {}, {}
            row = pixels[y * line:y * line + min(shot.width, PANEL)]
            for x in range(0, len(row), 2):
                index = self.backgrounds.get(row[x] & 0xFFFFFF)
                if index is not None:
                    first.setdefault(index, x)
                    last[index] = x
            for left, end in last.items():
                start = first.get((left + 1) % 4)
                if start is not None and 0 < start - end < 80 and (best is None or start - end < best[0]):
                    best = (start - end, start, left)
        if best:
            _, x, left = best
            self.scroll = min((PANEL * (k + 1) - x for k in range(left, 60, 4)), key=lambda s: abs(s - self.scroll))
        return self.scroll

    def fish_at(self, shot):
        """The fish's centre (the median of its pixels on a 4-pixel grid), or None when it is not on
        the play area."""
        pixels, line = self.pixels(shot)
        xs, ys = [], []
        for y in range(0, min(self.PLAY_HEIGHT, shot.height), 4):
            row = pixels[y * line:y * line + min(shot.width, PANEL):4]
            for i, value in enumerate(row):
                if value & 0xFFFFFF in self.fish:
                    xs.append(4 * i)
                    ys.append(y)
        if len(xs) < 40:
            return None
        xs.sort()
        ys.sort()
        return xs[len(xs) // 2], ys[len(ys) // 2]


def main(args):
    if len(args) != 9:
        fail("usage: game6_route.py <pid> <wid> <trace> <manifest> <level source> <level> <seconds> <pattern> "
             "<count>")
    pid, wid, trace, manifest, source = int(args[0]), args[1], args[2], args[3], args[4]
    level, seconds, done, count = int(args[5]), float(args[6]), re.compile(args[7], re.M), int(args[8])
    sprites = {}
    try:
        for database in json.load(open(manifest))["databases"].values():
            sprites.update(database.get("sprites", {}))
        source_text = open(source).read()
    except (OSError, ValueError, KeyError) as error:
        fail(str(error))
    hazards, walls, scallops = seabed(*level_tables(source_text, level), sprites)
    route, missed = plan(hazards, walls, scallops, 300)
    if missed:
        fail("the route misses the scallops at %s" % missed)
    last = max(route)
    screen = Screen(sprites)
    deadline = time.time() + seconds
    want, slice_seconds, scroll, looks = 300, 0.01, 0, 0
    try:
        while time.time() < deadline:
            if len(done.findall(open(trace).read())) >= count:
                return 0
            os.kill(pid, signal.SIGSTOP)
            looks += 1
            data = subprocess.run(["xwd", "-id", wid, "-silent"], capture_output=True).stdout
            try:
                shot = Xwd("screenshot", data)
            except ValueError:
                os.kill(pid, signal.SIGCONT)
                continue
            advanced = screen.read_scroll(shot) - scroll
            scroll = screen.scroll
            fish = screen.fish_at(shot)
            u = (scroll + (fish[0] if fish else 400) + LEAD) // STEP * STEP
            want = route.get(min(max(u, 400), last), 250)
            subprocess.run(["xdotool", "mousemove", "--window", wid, "440", str(want + POINTER_BELOW)])
            os.kill(pid, signal.SIGCONT)
            if advanced > 0:
                slice_seconds = min(max(slice_seconds * min(max(ADVANCE / advanced, 0.5), 2.0), 0.002), 0.2)
            else:
                # The banner or the fish's swim-in: the camera stands, so the slice cannot be measured.
                slice_seconds = min(slice_seconds * 1.5, 0.05)
            time.sleep(slice_seconds)
    except ProcessLookupError:
        fail("the game is gone")
    finally:
        try:
            os.kill(pid, signal.SIGCONT)
        except ProcessLookupError:
            pass
    print("game6_route.py: %d looks in %g s reached the scroll %d" % (looks, seconds, scroll), file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
