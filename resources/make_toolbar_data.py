#!/usr/bin/env python3
"""Writes toolbar_data.bin, the main window's tool bar description.

Layout (every integer 32-bit little-endian):

  header, 36 bytes
    0   format tag 0x0000D101 (bytes 01 D1 00 00)
    4   image width (16)         8   image height (16)
    12  button width (23)        16  button height (22)
    20  number of items          24  0    28  1    32  0
  items, packed one after the other from offset 36
    0   kind: 0 button, 1 separator
    4   image index
    8   0
    12  five flag bytes (1, 0, 0, 0, 0)
    17  flag byte (0)
    18  flag byte (1)
    19  one byte nobody reads (1)
    20  length L1 of the button text, without terminator
    24  length L2 of the tool tip, without terminator
    28  button text, L1 bytes and a zero byte
    29+L1  tool tip, L2 bytes and a zero byte
    -> the item takes L1 + L2 + 30 bytes; a separator with empty texts 30
  trailer: three integers (100, 1, 0)

The command id of item n (counted from 0, separators included) is 100 + n.
Texts are code page 1252.
"""
import pathlib
import struct

FORMAT_TAG = 0x0000D101
IMAGE_SIZE = (16, 16)
BUTTON_SIZE = (23, 22)
BUTTON, SEPARATOR = 0, 1
FLAGS = bytes([1, 0, 0, 0, 0, 0, 1, 1])
TRAILER = (100, 1, 0)

# (kind, image index, button text, tool tip)
ITEMS = [
    (BUTTON, 7, "", "Schwellwerte laden"),
    (BUTTON, 8, "", "Schwellwerte speichern"),
    (SEPARATOR, 0, "", ""),
    (BUTTON, 27, "", "Beenden"),
]


def item_bytes(kind, image, text, tip):
    text_bytes = text.encode("cp1252")
    tip_bytes = tip.encode("cp1252")
    return (struct.pack("<3i", kind, image, 0) + FLAGS
            + struct.pack("<2i", len(text_bytes), len(tip_bytes))
            + text_bytes + b"\0" + tip_bytes + b"\0")


def description_bytes():
    header = struct.pack("<9i", FORMAT_TAG, *IMAGE_SIZE, *BUTTON_SIZE,
                         len(ITEMS), 0, 1, 0)
    items = b"".join(item_bytes(*item) for item in ITEMS)
    return header + items + struct.pack("<3i", *TRAILER)


if __name__ == "__main__":
    target = pathlib.Path(__file__).with_name("toolbar_data.bin")
    target.write_bytes(description_bytes())
