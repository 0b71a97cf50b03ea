#!/usr/bin/env python3
"""Makes the program's pictures from their sources in assets/pictures.txt.

Writes assets/actions.bmp, the Windows tool bar's strip of twelve 16x16 pictures (24-bit, magenta
where transparent); assets/tarvex.ico, the program's icon (16x16, 32x32 and 48x48 in 32-bit colour
plus 32x32 in the 16 standard colours for old displays); and the same icon for the Linux icon
theme, assets/hicolor/<size>x<size>/apps/tarvex.png at 16 to 256 pixels. All are committed; run
this after changing a picture. --preview FILE also writes an enlarged PNG sheet to look at.
Standard library only.
"""

import argparse
import pathlib
import struct
import sys
import zlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
ASSETS = ROOT / "assets"
SOURCE = ASSETS / "pictures.txt"
STRIP = ASSETS / "actions.bmp"
ICON = ASSETS / "tarvex.ico"
THEME = ASSETS / "hicolor"
THEME_SIZES = (16, 32, 48, 64, 128, 256)

SIZE = 16
ACTION_PICTURES = 12
TRANSPARENT_RGB = (255, 0, 255)  # the tool bar code masks this colour out
# The 16 colours every display shows, in the order of the standard palette.
STANDARD_COLOURS = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


class SourceError(Exception):
    pass


def parse(text):
    """Returns (palette, pictures): palette maps a character to an RGB tuple or None for
    transparent; pictures is a list of (name, rows of RGB-or-None), in file order."""
    palette = {}
    pictures = []
    current = None
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.rstrip()
        if not line or line.startswith("#"):
            continue
        words = line.split()
        if words[0] == "colour":
            if len(words) != 3 or len(words[1]) != 1:
                raise SourceError(f"line {number}: expected 'colour <char> <rrggbb|none>'")
            palette[words[1]] = None if words[2] == "none" else _rgb(words[2], number)
        elif words[0] == "picture":
            if len(words) != 2:
                raise SourceError(f"line {number}: expected 'picture <name>'")
            current = (words[1], [])
            pictures.append(current)
        else:
            if current is None:
                raise SourceError(f"line {number}: pixels outside a picture")
            if len(line) != SIZE:
                raise SourceError(f"line {number}: a row has {SIZE} pixels, not {len(line)}")
            unknown = set(line) - palette.keys()
            if unknown:
                raise SourceError(f"line {number}: no colour for {''.join(sorted(unknown))}")
            current[1].append([palette[c] for c in line])
    for name, rows in pictures:
        if len(rows) != SIZE:
            raise SourceError(f"picture {name} has {len(rows)} rows, not {SIZE}")
    return palette, pictures


def _rgb(text, number):
    try:
        value = int(text, 16)
    except ValueError:
        raise SourceError(f"line {number}: {text} is not a colour") from None
    if len(text) != 6:
        raise SourceError(f"line {number}: {text} is not rrggbb")
    return (value >> 16 & 255, value >> 8 & 255, value & 255)


def scaled(rows, factor):
    return [[pixel for pixel in row for _ in range(factor)] for row in rows for _ in range(factor)]


def _padded(data):
    return data + b"\0" * (-len(data) % 4)


def strip_bitmap(pictures):
    """A bottom-up 24-bit BMP file of the pictures side by side."""
    width = SIZE * len(pictures)
    rows = []
    for y in reversed(range(SIZE)):
        row = bytearray()
        for _, picture in pictures:
            for pixel in picture[y]:
                r, g, b = pixel if pixel is not None else TRANSPARENT_RGB
                row += bytes((b, g, r))
        rows.append(_padded(bytes(row)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + pixels


def _and_mask(rows):
    """1 where transparent, bottom-up, rows padded to 32 bits."""
    out = bytearray()
    for row in reversed(rows):
        bits = bytearray(-(-len(row) // 8))
        for x, pixel in enumerate(row):
            if pixel is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += _padded(bytes(bits))
    return bytes(out)


def _nearest_standard(rgb):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(rgb, STANDARD_COLOURS[i])))


def icon_image(rows, bits):
    """One icon image: BITMAPINFOHEADER (double height), colours, pixels, mask."""
    size = len(rows)
    if bits == 32:
        colours = b""
        pixels = b"".join(
            bytes((0, 0, 0, 0)) if p is None else bytes((p[2], p[1], p[0], 255))
            for row in reversed(rows) for p in row)
    elif bits == 4:
        colours = b"".join(bytes((b, g, r, 0)) for r, g, b in STANDARD_COLOURS)
        pixels = bytearray()
        for row in reversed(rows):
            indices = [0 if p is None else _nearest_standard(p) for p in row]
            packed = bytes(indices[i] << 4 | indices[i + 1] for i in range(0, size, 2))
            pixels += _padded(packed)
        pixels = bytes(pixels)
    else:
        raise ValueError(bits)
    mask = _and_mask(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(pixels) + len(mask), 0, 0, 16 if bits == 4 else 0, 0)
    return header + colours + pixels + mask


def icon_file(rows):
    images = [(16, 32, rows), (32, 4, scaled(rows, 2)), (32, 32, scaled(rows, 2)),
              (48, 32, scaled(rows, 3))]
    data = [icon_image(picture, bits) for _, bits, picture in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bits, _), image in zip(images, data):
        directory += struct.pack("<BBBBHHII", size, size, 16 if bits == 4 else 0, 0, 1, bits,
                                 len(image), offset)
        offset += len(image)
    return directory + b"".join(data)


def png_file(canvas, alpha):
    """A PNG file of rows of pixels: RGB tuples, or with alpha, RGB tuples and None (clear)."""

    def pixel(p):
        if not alpha:
            return bytes(p)
        return b"\0\0\0\0" if p is None else bytes(p) + b"\xff"

    raw = b"".join(b"\0" + b"".join(pixel(p) for p in row) for row in canvas)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", len(canvas[0]), len(canvas), 8, 6 if alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def preview_png(pictures, factor=8, gap=4):
    """The pictures enlarged side by side on a grey ground, as a PNG file."""
    ground = (212, 208, 200)
    cell = SIZE * factor
    width = len(pictures) * (cell + gap) + gap
    height = cell + 2 * gap
    canvas = [[ground] * width for _ in range(height)]
    for i, (_, rows) in enumerate(pictures):
        for y, row in enumerate(scaled(rows, factor)):
            for x, pixel in enumerate(row):
                if pixel is not None:
                    canvas[gap + y][gap + i * (cell + gap) + x] = pixel
    return png_file(canvas, alpha=False)


def write_theme_icons(rows):
    """The icon at each size of the icon theme, each pixel an exact square of the source's."""
    for size in THEME_SIZES:
        path = THEME / f"{size}x{size}" / "apps" / "tarvex.png"
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(png_file(scaled(rows, size // SIZE), alpha=True))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", type=pathlib.Path, help="also write an enlarged PNG sheet")
    args = parser.parse_args()
    try:
        _, pictures = parse(SOURCE.read_text(encoding="ascii"))
        actions = [p for p in pictures if p[0] != "icon"]
        icons = [rows for name, rows in pictures if name == "icon"]
        if len(actions) != ACTION_PICTURES or len(icons) != 1:
            raise SourceError(f"expected {ACTION_PICTURES} action pictures and one 'icon', "
                              f"found {len(actions)} and {len(icons)}")
    except SourceError as error:
        sys.exit(f"{SOURCE}: {error}")
    STRIP.write_bytes(strip_bitmap(actions))
    ICON.write_bytes(icon_file(icons[0]))
    write_theme_icons(icons[0])
    if args.preview:
        args.preview.write_bytes(preview_png(pictures))


if __name__ == "__main__":
    main()
