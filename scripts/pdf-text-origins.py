#!/usr/bin/env python3
"""Compares where two PDFs of the same page start their texts.

Each text run's origin (the start of its baseline) is read from the page's drawing
operations, so the fonts' own metrics, which differ between machines, do not enter.
Usage: pdf-text-origins.py REFERENCE.pdf OTHER.pdf [TOLERANCE_MM]
Prints the runs and the worst distance; exits 1 when a run of one has no run of the
other within the tolerance (0.2 mm by default).
"""
import re
import sys
import zlib

MM_PER_PT = 25.4 / 72


def origins(path):
    data = open(path, "rb").read()
    found = []
    for stream in re.finditer(rb"stream\r?\n(.*?)\r?\nendstream", data, re.S):
        try:
            text = zlib.decompress(stream.group(1)).decode("latin-1")
        except zlib.error:
            continue
        scale = 1.0
        cm = re.search(r"([-\d.]+) 0 0 ([-\d.]+) [-\d.]+ [-\d.]+ cm", text)
        if cm:
            scale = float(cm.group(1))
        for block in re.finditer(r"BT(.*?)ET", text, re.S):
            td = re.search(r"([-\d.]+) ([-\d.]+) Td", block.group(1))
            if td:
                x, y = float(td.group(1)), float(td.group(2))
                found.append((x * scale * MM_PER_PT, -y * scale * MM_PER_PT))
    return found


def worst_miss(these, those):
    worst = 0.0
    for x, y in these:
        worst = max(worst, min((max(abs(x - u), abs(y - v)) for u, v in those),
                               default=float("inf")))
    return worst


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__, file=sys.stderr)
        return 2
    tolerance = float(sys.argv[3]) if len(sys.argv) == 4 else 0.2
    a, b = origins(sys.argv[1]), origins(sys.argv[2])
    there, back = worst_miss(a, b), worst_miss(b, a)
    print(f"{len(a)} text runs in the reference, {len(b)} in the other; "
          f"worst {there:.3f} mm one way, {back:.3f} mm the other")
    return 0 if a and max(there, back) <= tolerance else 1


if __name__ == "__main__":
    sys.exit(main())
