#!/usr/bin/env python3
"""Draws the program's icons and bitmaps into images/ (standard library only).

Icons are 16-colour pictures in the standard palette with a transparency mask;
the tool bar strip is a 16-colour bitmap on a light grey background (the
colour a tool bar maps to its button face); the maker's logo is a 24-bit
bitmap. Each picture keeps a margin where its button would clip it: the arrow
and cross icons sit on buttons smaller than 32 x 32 pixels, the plug icons on
a button lower than 48 pixels.
"""
import math
import pathlib
import struct

HERE = pathlib.Path(__file__).parent
IMAGES = HERE / "images"

# The standard 16-colour palette, in its usual order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)


# --------------------------------------------------------------------------
# Palette pictures: each pixel is a palette index or None (transparent).

class Picture:
    def __init__(self, width, height, background=None):
        self.width, self.height = width, height
        self.pixels = [[background] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with inclusive corners."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)

    def box(self, x0, y0, x1, y1, fill, outline=BLACK, light=None, shade=None):
        """A filled rectangle with outline and an optional bevel inside it."""
        self.rect(x0, y0, x1, y1, fill)
        if light is not None:
            self.rect(x0 + 1, y0 + 1, x1 - 1, y0 + 1, light)
            self.rect(x0 + 1, y0 + 1, x0 + 1, y1 - 1, light)
        if shade is not None:
            self.rect(x0 + 1, y1 - 1, x1 - 1, y1 - 1, shade)
            self.rect(x1 - 1, y0 + 1, x1 - 1, y1 - 1, shade)
        self.frame(x0, y0, x1, y1, outline)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, colour)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polygon(self, points, fill, outline=BLACK):
        """Fills the pixels whose centres lie inside, then draws the edges."""
        for y in range(self.height):
            for x in range(self.width):
                if inside_polygon(points, x + 0.5, y + 0.5):
                    self.set(x, y, fill)
        if outline is not None:
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                self.line(round(ax), round(ay), round(bx), round(by), outline)

    def disc(self, cx, cy, radius, colour):
        for y in range(self.height):
            for x in range(self.width):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius:
                    self.set(x, y, colour)

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                if other.pixels[y][x] is not None:
                    self.set(left + x, top + y, other.pixels[y][x])

    def mirrored_vertically(self):
        result = Picture(self.width, self.height)
        result.pixels = [row[:] for row in reversed(self.pixels)]
        return result


def inside_polygon(points, px, py):
    inside = False
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        if (ay > py) != (by > py):
            if px < ax + (py - ay) * (bx - ax) / (by - ay):
                inside = not inside
    return inside


# --------------------------------------------------------------------------
# File formats

def bitmap_info_header(width, height, bits, colours):
    row_bytes = ((width * bits + 31) // 32) * 4
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                       row_bytes * abs(height), 2835, 2835, colours, 0)


def packed_rows(rows, bits):
    """Bottom-up rows of values packed at `bits` per pixel, 4-byte aligned."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        accumulator, filled = 0, 0
        for value in row:
            accumulator = (accumulator << bits) | value
            filled += bits
            if filled == 8:
                line.append(accumulator)
                accumulator, filled = 0, 0
        if filled:
            line.append(accumulator << (8 - filled))
        line.extend(b"\0" * (-len(line) % 4))
        out += line
    return bytes(out)


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def icon_image_bytes(picture):
    colours = [[BLACK if p is None else p for p in row] for row in picture.pixels]
    mask = [[1 if p is None else 0 for p in row] for row in picture.pixels]
    return (bitmap_info_header(picture.width, picture.height * 2, 4, 16)
            + palette_bytes() + packed_rows(colours, 4) + packed_rows(mask, 1))


def write_icon(name, pictures):
    images = [icon_image_bytes(p) for p in pictures]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    directory = b""
    for picture, data in zip(pictures, images):
        directory += struct.pack("<BBBBHHII", picture.width % 256, picture.height % 256,
                                 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    (IMAGES / name).write_bytes(header + directory + b"".join(images))


def write_bitmap_4bit(name, picture):
    info = bitmap_info_header(picture.width, picture.height, 4, 16) + palette_bytes()
    write_bitmap_file(name, info, packed_rows(picture.pixels, 4))


def write_bitmap_24bit(name, canvas):
    info = bitmap_info_header(canvas.width, canvas.height, 24, 0)
    rows = bytearray()
    for row in reversed(canvas.pixels):
        line = b"".join(bytes((round(b), round(g), round(r))) for r, g, b in row)
        rows += line + b"\0" * (-len(line) % 4)
    write_bitmap_file(name, info, bytes(rows))


def write_bitmap_file(name, info, pixel_bytes):
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_bytes), 0, 0, offset)
    (IMAGES / name).write_bytes(header + info + pixel_bytes)


# --------------------------------------------------------------------------
# Icons

def arrow_up():
    """Black arrow, 14 x 14 in the middle, inside what a 30 x 21 button shows."""
    picture = Picture(32, 32)
    for step in range(7):
        picture.rect(15 - step, 9 + step, 16 + step, 9 + step, BLACK)
    picture.rect(13, 16, 18, 22, BLACK)
    return picture


def error_cross():
    """Red diagonal cross with a dark red rim, 16 x 16 in the middle."""
    picture = Picture(32, 32)
    low, high = 8, 24
    for y in range(low, high):
        for x in range(low, high):
            cx, cy = x + 0.5, y + 0.5
            distance = min(abs((cx - low) - (cy - low)),
                           abs((cx - low) - (high - cy))) / math.sqrt(2)
            if distance <= 1.6:
                picture.set(x, y, RED)
            elif distance <= 2.4:
                picture.set(x, y, MAROON)
    return picture


def plug_and_socket(plug_left):
    """Side view of a 9-pin serial plug with its cable, at `plug_left`, before
    the device's panel at the right edge. The socket's sleeve is drawn last,
    so that it hides the plug's metal shell when the plug sits in it."""
    picture = Picture(48, 48)
    left = plug_left
    picture.rect(0, 22, left + 1, 26, BLACK)                          # cable
    picture.rect(0, 23, left + 1, 23, GREY)
    picture.polygon([(left, 20), (left + 4, 18), (left + 4, 30), (left, 28)], GREY)  # boot
    picture.polygon([(left + 4, 16), (left + 13, 13), (left + 13, 35), (left + 4, 32)], GREY)  # hood
    picture.line(left + 5, 17, left + 12, 15, SILVER)
    for rib in range(left + 6, left + 12, 2):                        # grip
        picture.rect(rib, 20, rib, 28, BLACK)
    picture.box(left + 13, 11, left + 15, 37, SILVER, light=WHITE)    # flange
    picture.box(left + 16, 17, left + 21, 31, SILVER, light=WHITE, shade=GREY)  # shell
    picture.box(41, 8, 47, 39, SILVER, light=WHITE, shade=GREY)       # panel
    picture.box(35, 15, 41, 33, GREY, light=SILVER)                   # sleeve
    picture.rect(42, 14, 42, 34, BLACK)
    return picture


def plug_apart():
    return plug_and_socket(4)


def plug_connected():
    return plug_and_socket(19)


def measuring_device_32():
    """An instrument with a trace on its screen, two knobs and two jacks."""
    picture = Picture(32, 32)
    picture.box(1, 4, 30, 27, SILVER, light=WHITE, shade=GREY)
    picture.box(4, 7, 20, 20, BLACK)
    for x in range(6, 19, 3):
        picture.set(x, 13, TEAL)
    trace = [(x, 13 - round(4 * math.sin((x - 5) * 2 * math.pi / 14))) for x in range(5, 20)]
    for (ax, ay), (bx, by) in zip(trace, trace[1:]):
        picture.line(ax, ay, bx, by, LIME)
    for cy in (10.5, 17.5):
        picture.disc(25.5, cy, 3.2, BLACK)
        picture.disc(25.5, cy, 2.2, GREY)
        picture.rect(25, int(cy) - 2, 25, int(cy), WHITE)
    picture.disc(7.5, 24, 1.8, RED)
    picture.disc(12.5, 24, 1.8, BLACK)
    picture.rect(17, 23, 20, 24, GREEN)
    picture.rect(2, 28, 4, 28, GREY)
    picture.rect(27, 28, 29, 28, GREY)
    return picture


def measuring_device_16():
    picture = Picture(16, 16)
    picture.box(0, 2, 15, 13, SILVER, light=WHITE, shade=GREY)
    picture.box(2, 4, 10, 10, BLACK)
    for x, y in zip(range(3, 10), (7, 5, 5, 7, 8, 8, 7)):
        picture.set(x, y, LIME)
    picture.rect(12, 4, 13, 5, BLACK)
    picture.rect(12, 7, 13, 8, BLACK)
    picture.set(12, 10, RED)
    picture.set(13, 10, RED)
    return picture


# --------------------------------------------------------------------------
# Tool bar strip: open, save, exit; 16 x 16 each on light grey.

def toolbar_open():
    picture = Picture(16, 16, SILVER)
    picture.polygon([(1, 3), (6, 3), (7, 5), (14, 5), (14, 13), (1, 13)], OLIVE)
    picture.polygon([(1, 13), (4, 7), (15, 7), (12, 13)], YELLOW)
    picture.line(2, 4, 5, 4, YELLOW)
    return picture


def toolbar_save():
    picture = Picture(16, 16, SILVER)
    picture.polygon([(1, 1), (14, 1), (14, 14), (2, 14), (1, 13)], NAVY)
    picture.box(4, 1, 11, 6, SILVER)
    picture.rect(8, 2, 9, 5, NAVY)
    picture.box(3, 9, 12, 14, WHITE)
    picture.rect(5, 11, 10, 11, GREY)
    return picture


def toolbar_exit():
    picture = Picture(16, 16, SILVER)
    picture.box(2, 1, 10, 14, GREY)
    picture.polygon([(3, 2), (8, 3), (8, 15), (3, 13)], MAROON)
    picture.set(7, 8, YELLOW)
    picture.polygon([(9, 6), (12, 6), (12, 4), (15, 8), (12, 12), (12, 10), (9, 10)], GREEN)
    return picture


def toolbar_strip():
    strip = Picture(48, 16, SILVER)
    for index, picture in enumerate((toolbar_open(), toolbar_save(), toolbar_exit())):
        strip.paste(picture, 16 * index, 0)
    return strip


# --------------------------------------------------------------------------
# The maker's logo: emblem and word-mark in a pixel font of our own.

class Canvas:
    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.pixels = [[background] * width for _ in range(height)]

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.pixels[y][x] = colour

    def shape(self, inside, colour_at, box, samples=4):
        """Blends a shape in with its coverage measured on a sub-pixel grid."""
        x0, y0, x1, y1 = box
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = sum(inside(x + (i + 0.5) / samples, y + (j + 0.5) / samples)
                           for i in range(samples) for j in range(samples))
                if hits:
                    share = hits / samples ** 2
                    colour = colour_at(x, y)
                    self.pixels[y][x] = tuple(c * share + o * (1 - share)
                                              for c, o in zip(colour, self.pixels[y][x]))


GLYPHS = {
    "B": ["###.", "#..#", "#..#", "###.", "#..#", "#..#", "###."],
    "r": ["....", "....", "#.##", "##..", "#...", "#...", "#..."],
    "a": ["....", "....", ".##.", "...#", ".###", "#..#", ".###"],
    "s": ["....", "....", ".###", "#...", ".##.", "...#", "###."],
    "e": ["....", "....", ".##.", "#..#", "####", "#...", ".###"],
    "l": ["#", "#", "#", "#", "#", "#", "#"],
    "w": [".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    "d": ["...#", "...#", ".###", "#..#", "#..#", "#..#", ".###"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "E": ["####", "#...", "#...", "###.", "#...", "#...", "####"],
    "S": [".###", "#...", "#...", ".##.", "...#", "...#", "###."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "C": [".###", "#...", "#...", "#...", "#...", "#...", ".###"],
    "H": ["#..#", "#..#", "#..#", "####", "#..#", "#..#", "#..#"],
    "N": ["#...#", "##..#", "#.#.#", "#.#.#", "#..##", "#...#", "#...#"],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "K": ["#..#", "#.#.", "##..", "#...", "##..", "#.#.", "#..#"],
}


def text_width(text, scale, spacing):
    return sum((len(GLYPHS[c][0]) + spacing) * scale for c in text) - spacing * scale


def draw_text(canvas, text, left, top, scale, spacing, colour):
    for character in text:
        rows = GLYPHS[character]
        for row_index, row in enumerate(rows):
            for column, cell in enumerate(row):
                if cell == "#":
                    x, y = left + column * scale, top + row_index * scale
                    canvas.rect(x, y, x + scale, y + scale, colour)
        left += (len(rows[0]) + spacing) * scale


def rounded_square(left, top, size, radius):
    def inside(x, y):
        dx = max(left + radius - x, 0, x - (left + size - radius))
        dy = max(top + radius - y, 0, y - (top + size - radius))
        return left <= x <= left + size and top <= y <= top + size and dx * dx + dy * dy <= radius * radius
    return inside


def triangle(points):
    return lambda x, y: inside_polygon(points, x, y)


def brasselwald_logo():
    white, ink, forest = (255, 255, 255), (28, 42, 72), (30, 110, 62)
    canvas = Canvas(230, 60, white)
    dark, light = (18, 72, 42), (46, 140, 82)

    def emblem_colour(x, y):
        share = (y - 8) / 44
        return tuple(l + (d - l) * share for l, d in zip(light, dark))

    canvas.shape(rounded_square(8, 8, 44, 8), emblem_colour, (8, 8, 53, 53))
    for tip, base, half in ((14, 26, 8), (21, 35, 11), (28, 44, 14)):
        canvas.shape(triangle([(30, tip), (30 + half, base), (30 - half, base)]),
                     lambda x, y: white, (14, tip, 46, base + 1))
    canvas.rect(28, 44, 32, 48, white)

    left = 64
    draw_text(canvas, "Brasselwald", left, 12, 3, 1, ink)
    width = text_width("Brasselwald", 3, 1)
    canvas.rect(left, 38, left + width, 40, forest)
    tagline_left = left + width - text_width("MESSTECHNIK", 1, 2)
    draw_text(canvas, "MESSTECHNIK", tagline_left, 44, 1, 2, (96, 104, 120))
    for x in range(230):
        canvas.pixels[0][x] = canvas.pixels[59][x] = (200, 204, 210)
    for y in range(60):
        canvas.pixels[y][0] = canvas.pixels[y][229] = (200, 204, 210)
    return canvas


def main():
    IMAGES.mkdir(exist_ok=True)
    write_icon("tarvek.ico", [measuring_device_32(), measuring_device_16()])
    write_icon("plug_connected.ico", [plug_connected()])
    write_icon("plug_apart.ico", [plug_apart()])
    write_icon("error_cross.ico", [error_cross()])
    write_icon("arrow_up.ico", [arrow_up()])
    write_icon("arrow_down.ico", [arrow_up().mirrored_vertically()])
    write_bitmap_4bit("toolbar.bmp", toolbar_strip())
    write_bitmap_24bit("brasselwald_logo.bmp", brasselwald_logo())


if __name__ == "__main__":
    main()
