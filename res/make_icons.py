#!/usr/bin/env python3
"""Draws ListIcons.bmp: three 16x16 list icons (open folder, closed folder,
note page) side by side on the cyan mask colour. Run it to regenerate."""
import struct
from pathlib import Path

OPEN_FOLDER = [
    "................",
    "................",
    ".kkkk...........",
    "kyyyyk..........",
    "kyyyyykkkkkkk...",
    "kyoooooooooook..",
    "kyokkkkkkkkkkkkk",
    "kyokyyyyyyyyyyyk",
    "kykyyyyyyyyyyyk.",
    "kykyyyyyyyyyyyk.",
    "kkyyyyyyyyyyyk..",
    "kkyyyyyyyyyyyk..",
    "kyyyyyyyyyyyk...",
    "kkkkkkkkkkkkk...",
    "................",
    "................",
]
CLOSED_FOLDER = [
    "................",
    "................",
    ".kkkk...........",
    "kyyyyk..........",
    "kyyyyykkkkkkkk..",
    "kwwwwwwwwwwwwok.",
    "kyyyyyyyyyyyyok.",
    "kyyyyyyyyyyyyok.",
    "kyyyyyyyyyyyyok.",
    "kyyyyyyyyyyyyok.",
    "kyyyyyyyyyyyyok.",
    "kyyyyyyyyyyyyok.",
    "koooooooooooook.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
]
NOTE_PAGE = [
    "..kkkkkkkkk.....",
    "..kwwwwwwwkk....",
    "..kwwwwwwwklk...",
    "..kwbbbbwwkllk..",
    "..kwwwwwwwkkkkk.",
    "..kwbbbbbbbbwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwbbbbbbbwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwbbbbbbbbbwk.",
    "..kwwwwwwwwwwwk.",
    "..kwbbbbbbwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kkkkkkkkkkkkk.",
    "................",
]
COLOURS = {
    ".": (0, 255, 255),      # mask
    "k": (64, 48, 0),        # outline
    "y": (255, 216, 96),     # folder
    "o": (208, 160, 40),     # folder shade
    "w": (255, 255, 255),    # paper
    "l": (192, 192, 192),    # folded corner
    "b": (64, 96, 176),      # text lines
}


def main():
    images = [OPEN_FOLDER, CLOSED_FOLDER, NOTE_PAGE]
    width, height = 16 * len(images), 16
    rows = []
    for y in range(height):
        row = bytearray()
        for image in images:
            assert len(image[y]) == 16
            for ch in image[y]:
                r, g, b = COLOURS[ch]
                row += bytes((b, g, r))
        rows.append(bytes(row))
    pixels = b"".join(reversed(rows))  # bottom-up, 48*3 = 144 bytes per row, already aligned
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    Path(__file__).with_name("ListIcons.bmp").write_bytes(header + info + pixels)


if __name__ == "__main__":
    main()
