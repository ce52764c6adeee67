#!/usr/bin/env python3
"""Draws the 16x16 toolbar and menu icons (resources 121 to 146, none at 129) as .ico files.

Usage: scripts/make-icons.py OUTPUT_DIR
"""
import math
import os
import struct
import sys

SIZE = 16

INK = (40, 40, 48)
BLUE = (38, 104, 200)
GREEN = (30, 140, 60)
RED = (200, 40, 40)
YELLOW = (230, 180, 40)
FOLDER = (232, 186, 76)
PAPER = (250, 250, 250)
GREY = (130, 130, 140)
PURPLE = (150, 40, 150)


class Canvas:
    def __init__(self):
        self.px = [[None] * SIZE for _ in range(SIZE)]

    def dot(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge:
                    self.dot(x, y, c)
                elif fill:
                    self.dot(x, y, fill)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.dot(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)

    def circle(self, cx, cy, r, c, fill=None):
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot(x - cx, y - cy)
                if abs(d - r) < 0.6:
                    self.dot(x, y, c)
                elif fill and d < r:
                    self.dot(x, y, fill)

    def text(self, x, y, rows, c):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == "#":
                    self.dot(x + dx, y + dy, c)


def folder(c, colour=FOLDER):
    c.rect(1, 4, 14, 13, INK, colour)
    c.rect(1, 2, 6, 4, INK, colour)


def page(c, x0=3, y0=1, x1=12, y1=14):
    c.rect(x0, y0, x1, y1, INK, PAPER)


def arrow_right(c, x0, x1, y, colour):
    c.line(x0, y, x1, y, colour)
    c.line(x1 - 3, y - 3, x1, y, colour)
    c.line(x1 - 3, y + 3, x1, y, colour)


def lines(c, x0, x1, ys, colour=GREY):
    for y in ys:
        c.line(x0, y, x1, y, colour)


LETTER_A = [".##.", "#..#", "####", "#..#", "#..#"]
LETTER_Z = ["####", "..#.", ".#..", "#...", "####"]


def draw(number):
    c = Canvas()
    if number == 121:  # back: up-left arrow
        c.line(3, 8, 12, 8, BLUE); c.line(3, 8, 7, 4, BLUE); c.line(3, 8, 7, 12, BLUE)
        c.line(12, 8, 12, 13, BLUE)
    elif number == 122:  # path: folder with a drive line
        folder(c); c.line(4, 10, 11, 10, INK)
    elif number == 123:  # sort: bars of growing length
        for i, w in enumerate((4, 7, 10, 13)):
            c.line(2, 3 + 3 * i, 1 + w, 3 + 3 * i, BLUE)
    elif number == 124:  # mode: columns
        c.rect(1, 2, 14, 13, INK, PAPER); c.line(7, 2, 7, 13, INK); lines(c, 3, 5, (5, 8, 11)); lines(c, 9, 12, (5, 8, 11))
    elif number == 125:  # select: plus
        c.rect(6, 2, 9, 13, GREEN, GREEN); c.rect(2, 6, 13, 9, GREEN, GREEN)
    elif number == 126:  # make folder: folder with a star
        folder(c); c.line(10, 6, 10, 12, GREEN); c.line(7, 9, 13, 9, GREEN)
    elif number == 127:  # pack: box with a strap
        c.rect(2, 4, 13, 13, INK, (196, 150, 90)); c.line(2, 4, 5, 1, INK); c.line(13, 4, 10, 1, INK)
        c.line(5, 1, 10, 1, INK); c.line(7, 4, 7, 13, RED); c.line(8, 4, 8, 13, RED)
    elif number == 128:  # copy: two pages
        page(c, 1, 1, 9, 11); page(c, 6, 4, 14, 14); lines(c, 8, 12, (7, 9, 11))
    elif number == 130:  # move: page with an arrow
        page(c, 1, 1, 8, 14); arrow_right(c, 6, 14, 8, BLUE)
    elif number == 131:  # delete: red cross
        c.line(2, 2, 13, 13, RED); c.line(3, 2, 13, 12, RED); c.line(13, 2, 2, 13, RED); c.line(12, 2, 2, 12, RED)
    elif number == 132:  # find: magnifier
        c.circle(6, 6, 4, INK, (200, 230, 255)); c.line(9, 9, 14, 14, INK); c.line(10, 9, 14, 13, INK)
    elif number == 133:  # console: black screen with a prompt
        c.rect(1, 2, 14, 13, INK, (20, 20, 20)); c.line(3, 5, 5, 7, PAPER); c.line(5, 7, 3, 9, PAPER); c.line(7, 10, 11, 10, PAPER)
    elif number == 134:  # sort by name: A to Z
        c.text(1, 1, LETTER_A, BLUE); c.text(1, 9, LETTER_Z, BLUE); c.line(11, 2, 11, 13, INK); c.line(9, 11, 11, 13, INK); c.line(13, 11, 11, 13, INK)
    elif number == 135:  # sort by extension: dot and letters
        c.rect(2, 11, 3, 12, INK, INK); c.text(6, 8, LETTER_A, PURPLE); c.text(10, 8, LETTER_Z, PURPLE); lines(c, 2, 13, (3, 5))
    elif number == 136:  # sort by size: growing blocks
        c.rect(1, 10, 4, 13, BLUE, BLUE); c.rect(6, 6, 9, 13, BLUE, BLUE); c.rect(11, 2, 14, 13, BLUE, BLUE)
    elif number == 137:  # sort by time: clock
        c.circle(7.5, 7.5, 6, INK, PAPER); c.line(8, 8, 8, 4, INK); c.line(8, 8, 11, 8, INK)
    elif number == 138:  # unsorted: scattered bars
        for y, (a, b) in zip((3, 6, 9, 12), ((2, 12), (2, 6), (2, 14), (2, 9))):
            c.line(a, y, b, y, GREY)
    elif number == 139:  # brief: three columns
        c.rect(1, 2, 14, 13, INK, PAPER); c.line(5, 2, 5, 13, INK); c.line(10, 2, 10, 13, INK)
    elif number == 140:  # extract: box with an arrow out
        c.rect(1, 7, 10, 14, INK, (196, 150, 90)); c.line(8, 6, 14, 0, GREEN); c.line(10, 1, 14, 1, GREEN); c.line(14, 1, 14, 5, GREEN)
    elif number == 141:  # program window
        c.rect(1, 2, 14, 13, INK, PAPER); c.rect(1, 2, 14, 4, INK, BLUE)
    elif number == 142:  # columns: four bars
        for x in (2, 6, 10, 14):
            c.line(x, 2, x, 13, INK)
    elif number == 143:  # font: a large A
        c.line(2, 14, 7, 1, INK); c.line(8, 1, 13, 14, INK); c.line(7, 1, 8, 1, INK); c.line(4, 9, 11, 9, INK)
    elif number == 144:  # deselect: minus
        c.rect(2, 6, 13, 9, RED, RED)
    elif number == 145:  # edit: pencil on a page
        page(c); c.line(5, 13, 13, 5, YELLOW); c.line(6, 13, 14, 5, INK); c.dot(4, 14, INK)
    elif number == 146:  # view: eye
        c.circle(7.5, 8, 6, INK, PAPER); c.circle(7.5, 8, 2.2, BLUE, BLUE)
        for y in range(0, 5):
            for x in range(SIZE):
                c.px[y][x] = None
        c.line(1, 8, 4, 5, INK); c.line(14, 8, 11, 5, INK); c.line(4, 5, 11, 5, INK)
    return c


def ico_bytes(canvas):
    xor = bytearray()
    for y in reversed(range(SIZE)):
        for x in range(SIZE):
            p = canvas.px[y][x]
            xor += bytes((p[2], p[1], p[0], 255)) if p else bytes((0, 0, 0, 0))
    mask = bytearray()
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            if canvas.px[y][x] is None:
                bits |= 1 << (15 - x)
        mask += struct.pack(">H", bits) + b"\0\0"  # rows padded to 32 bits
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    return directory + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    for number in range(121, 147):
        if number == 129:
            continue
        with open(os.path.join(out, f"{number}.ico"), "wb") as f:
            f.write(ico_bytes(draw(number)))


if __name__ == "__main__":
    main()
