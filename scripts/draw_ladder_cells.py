#!/usr/bin/env python3
"""Draws the ten ladder cell pictures (62 by 36 pixels, 24-bit BMP) into the given folder.

The ladder grid draws contacts and coils 11 pixels lower than the other cells, so their wire is
drawn 11 rows higher here: on screen every wire then meets its neighbours on the same row.
Usage: draw_ladder_cells.py [FOLDER]   (default: the system folder of this checkout)
"""
import os
import struct
import sys

WIDTH, HEIGHT = 62, 36
WIRE = 24                 # wire row of wires and junctions
CONTACT_WIRE = WIRE - 11  # wire row of contacts and coils
MID = WIDTH // 2
WHITE, INK = (255, 255, 255), (0, 0, 0)


class Cell:
    def __init__(self):
        self.pixels = [[WHITE] * WIDTH for _ in range(HEIGHT)]

    def dot(self, x, y):
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            self.pixels[y][x] = INK

    def hline(self, x0, x1, y, thick=2):
        for x in range(x0, x1 + 1):
            for t in range(thick):
                self.dot(x, y + t)

    def vline(self, x, y0, y1, thick=2):
        for y in range(y0, y1 + 1):
            for t in range(thick):
                self.dot(x + t, y)

    def junction(self, x, y):
        for dy in range(-2, 4):
            for dx in range(-2, 4):
                self.dot(x + dx, y + dy)

    def bmp(self):
        row_size = (WIDTH * 3 + 3) // 4 * 4
        image = bytearray()
        for y in reversed(range(HEIGHT)):  # BMP rows run bottom-up
            row = bytearray()
            for r, g, b in self.pixels[y]:
                row += bytes((b, g, r))
            row += bytes(row_size - len(row))
            image += row
        header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(image), 0, 0, 14 + 40)
        info = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 24, 0, len(image), 2835, 2835, 0, 0)
        return header + info + bytes(image)


def blank():
    return Cell()


def line_h():
    c = Cell()
    c.hline(0, WIDTH - 1, WIRE)
    return c


def line_v():
    c = Cell()
    c.vline(MID, 0, HEIGHT - 1)
    return c


def down():
    c = line_h()
    c.vline(MID, WIRE, HEIGHT - 1)
    c.junction(MID, WIRE)
    return c


def up():
    c = line_h()
    c.vline(MID, WIRE, HEIGHT - 1)
    for k in range(4):  # arrow head: the branch comes back up here
        c.hline(MID - k, MID + 1 + k, WIRE + 4 + k, thick=1)
    return c


def angle():
    c = Cell()
    c.hline(0, MID + 1, WIRE)
    c.vline(MID, 0, WIRE + 1)
    return c


def contact(closed):
    c = Cell()
    y = CONTACT_WIRE
    c.hline(0, 22, y)
    c.hline(39, WIDTH - 1, y)
    c.vline(23, y - 8, y + 9)
    c.vline(37, y - 8, y + 9)
    if closed:
        for k in range(17):
            c.dot(34 - k * 9 // 16, y - 7 + k)
            c.dot(35 - k * 9 // 16, y - 7 + k)
    return c


def coil():
    c = Cell()
    y = CONTACT_WIRE
    c.hline(0, 20, y)
    for dy in range(-8, 10):
        bulge = 3 - (abs(dy) * 3) // 8  # the two arcs of "( )"
        c.dot(24 - bulge, y + dy)
        c.dot(25 - bulge, y + dy)
        c.dot(37 + bulge, y + dy)
        c.dot(38 + bulge, y + dy)
    return c


def left():
    c = line_v()
    c.hline(0, MID, WIRE)
    c.junction(MID, WIRE)
    return c


PICTURES = [
    ('CBlank.BMP', blank), ('CLineH.BMP', line_h), ('CLineV.BMP', line_v), ('CDown.BMP', down),
    ('CUp.BMP', up), ('CAngle.BMP', angle), ('CClosed.BMP', lambda: contact(True)),
    ('COpen.BMP', lambda: contact(False)), ('CCoil.BMP', coil), ('CLeft.BMP', left),
]


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'system')
    for name, draw in PICTURES:
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(draw().bmp())


if __name__ == '__main__':
    main()
