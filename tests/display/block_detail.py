#!/usr/bin/env python3
# tests/display/block_detail.py PNG GEOMETRY: of the 2 by 2 pixel blocks inside GEOMETRY
# (WIDTHxHEIGHT+X+Y, X and Y on the block grid) that an edge passes through, the share that hold
# more than one colour. A picture drawn at one pixel and doubled has none; one drawn at the
# screen's own pixels has many. Prints the share.
import subprocess
import sys

EDGE = 48  # a colour channel changing by this much around a block is an edge
DETAIL = 3  # pixels of a block further apart than this are not one colour


def read_ppm(data):
    # "P6\nW H\n255\n" then the pixels
    fields = []
    at = 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[at + 1:]


def main():
    png, geometry = sys.argv[1], sys.argv[2]
    ppm = subprocess.run(["convert", png, "-crop", geometry, "+repage", "ppm:-"],
                         check=True, capture_output=True).stdout
    width, height, pixels = read_ppm(ppm)

    def pixel(x, y):
        i = 3 * (y * width + x)
        return pixels[i], pixels[i + 1], pixels[i + 2]

    def spread(points):
        return max(max(p[c] for p in points) - min(p[c] for p in points) for c in range(3))

    edged = detailed = 0
    for y in range(2, height - 3, 2):
        for x in range(2, width - 3, 2):
            ring = [pixel(x + dx, y + dy) for dx in range(-1, 3) for dy in range(-1, 3)]
            if spread(ring) < EDGE:
                continue
            edged += 1
            block = [pixel(x + dx, y + dy) for dx in range(2) for dy in range(2)]
            if spread(block) > DETAIL:
                detailed += 1
    print(f"{detailed / edged if edged else 0:.3f} of {edged} edge blocks")


main()
