#!/usr/bin/env python3
# tools/opponent_strength/make_fleets.py: fleet files for opponent_strength --fleets, laid the ways
# people lay fleets out. Two runs with the same arguments write the same file.
#
# Usage: make_fleets.py KIND COUNT [SEED] > FILE
#   uniform   every legal layout alike
#   rim       every ship touching the board's edge, each such layout alike
#   touching  every ship side by side with another, the fleet grown ship by ship
#   spread    no two ships within a cell of each other, corners too, each such layout alike
#   fixed     one fleet (laid as uniform lays it), the same on every line: a player who found
#             a layout that works
import random
import sys

SIZE = 12
LENGTHS = [5, 4, 3, 3, 2]


def positions(length):
    for vertical in (False, True):
        for x in range(SIZE - (0 if vertical else length - 1)):
            for y in range(SIZE - (length - 1 if vertical else 0)):
                yield (x, y, vertical)


def cells(length, x, y, vertical):
    return [(x, y + i) if vertical else (x + i, y) for i in range(length)]


def on_rim(length, place):
    return any(c in (0, SIZE - 1) or r in (0, SIZE - 1) for c, r in cells(length, *place))


def around(taken_cells, diagonal):
    near = set()
    for x, y in taken_cells:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                if (dx or dy) and (diagonal or not (dx and dy)):
                    near.add((x + dx, y + dy))
    return near


def draw_fleet(rng, choices):
    """Each ship drawn evenly from its own choices, the whole fleet again when two overlap."""
    while True:
        fleet = [rng.choice(choices[k]) for k in range(len(LENGTHS))]
        taken = [c for k, p in enumerate(fleet) for c in cells(LENGTHS[k], *p)]
        if len(set(taken)) == len(taken):
            return fleet


def uniform(rng):
    return draw_fleet(rng, [list(positions(n)) for n in LENGTHS])


def rim(rng):
    return draw_fleet(rng, [[p for p in positions(n) if on_rim(n, p)] for n in LENGTHS])


def touching(rng):
    order = list(range(len(LENGTHS)))
    rng.shuffle(order)
    fleet = [None] * len(LENGTHS)
    taken = set()
    for k in order:
        beside = around(taken, diagonal=False) - taken
        fits = [p for p in positions(LENGTHS[k])
                if not taken & set(cells(LENGTHS[k], *p))
                and (not taken or beside & set(cells(LENGTHS[k], *p)))]
        if not fits:
            return touching(rng)
        fleet[k] = rng.choice(fits)
        taken |= set(cells(LENGTHS[k], *fleet[k]))
    return fleet


def spread(rng):
    while True:
        fleet = uniform(rng)
        ships = [set(cells(LENGTHS[k], *p)) for k, p in enumerate(fleet)]
        if all(not (around(a, diagonal=True) & b)
               for i, a in enumerate(ships) for b in ships[i + 1:]):
            return fleet


def main():
    kinds = {"uniform": uniform, "rim": rim, "touching": touching, "spread": spread}
    if len(sys.argv) not in (3, 4) or sys.argv[1] not in list(kinds) + ["fixed"]:
        sys.exit("usage: make_fleets.py uniform|rim|touching|spread|fixed COUNT [SEED]")
    kind, count = sys.argv[1], int(sys.argv[2])
    seed = int(sys.argv[3]) if len(sys.argv) == 4 else 1
    rng = random.Random(f"{kind} {seed}")
    print(f"# {kind} fleets, {count}, seed {seed}: make_fleets.py {kind} {count} {seed}")
    one = uniform(rng)
    for _ in range(count):
        fleet = one if kind == "fixed" else kinds[kind](rng)
        print(" ".join(f"{x},{y},{'v' if v else 'h'}" for x, y, v in fleet))


if __name__ == "__main__":
    main()
