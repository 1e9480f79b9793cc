#!/usr/bin/python3
"""Makes the value labels' seven-segment face from DSEG7 Classic Bold.

The face has a decimal point but no comma, and under a decimal-comma locale the comma then
comes from a fallback face whose taller line cuts every digit. Here the comma is drawn as the
readout's own decimal point (a zero-width dot in the digit before it, as on the meter's own
display), so "26,2" keeps its text and reads as a readout. The Open Font Licence reserves the
name "DSEG" for the unmodified font, so the result is named "LMR Readout".

usage: readout_font.py IN.ttf OUT.ttf
"""
import sys

from fontTools.ttLib import TTFont

FAMILY = "LMR Readout"
STYLE = "Bold"


def main(source, target):
    font = TTFont(source)
    for table in font["cmap"].tables:
        point = table.cmap.get(ord("."))
        if point is not None:
            table.cmap[ord(",")] = point
    names = {
        1: FAMILY,
        2: STYLE,
        3: FAMILY + " " + STYLE + " (DSEG7 Classic Bold, comma as decimal point)",
        4: FAMILY + " " + STYLE,
        6: FAMILY.replace(" ", "") + "-" + STYLE,
        16: FAMILY,
        17: STYLE,
    }
    name = font["name"]
    for record in list(name.names):
        if record.nameID in (16, 17, 19):
            name.removeNames(nameID=record.nameID)
    for name_id, text in names.items():
        name.setName(text, name_id, 3, 1, 0x409)
        name.setName(text, name_id, 1, 0, 0)
    font.save(target)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
