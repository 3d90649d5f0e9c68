#!/usr/bin/env python3
"""Build-time converter for the Windows resource compiler, which reads BMP and ICO only.

  win32_images.py bmp IN.png OUT.bmp          a 24-bit bottom-up BMP of the picture
  win32_images.py bmp8 IN.png OUT.bmp         an 8-bit BMP with a palette of at most 256 colours
                                              (median cut), a third of the size
  win32_images.py ico OUT.ico IN.png...       one icon holding every picture (up to 64 x 64
                                              as DIBs with a mask, larger ones as PNG)

The PNG reader handles what tools/artwork writes: 8-bit RGB or RGBA, not interlaced.
"""

import struct
import sys
import zlib


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunk = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", chunk)
        elif kind == b"IDAT":
            idat += chunk
        elif kind == b"IEND":
            break
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError(f"{path}: only 8-bit RGB or RGBA, not interlaced")
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind = raw[pos]
        line = bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 0xFF
        rows.append([tuple(line[x * channels:(x + 1) * channels]) + ((255,) if channels == 3 else ())
                     for x in range(width)])
        previous = line
    return width, height, rows


def dib_rows_bgr(rows, width):
    """Bottom-up rows of 24-bit pixels, each padded to 4 bytes."""
    pad = (4 - width * 3 % 4) % 4
    out = bytearray()
    for row in reversed(rows):
        for r, g, b, _ in row:
            out += bytes((b, g, r))
        out += b"\0" * pad
    return bytes(out)


def write_bmp(src, dst):
    width, height, rows = read_png(src)
    pixels = dib_rows_bgr(rows, width)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(dst, "wb") as f:
        f.write(header + info + pixels)


def median_cut(counts, size):
    """At most size colours for the colour counts {(r, g, b): n}: the box of colours with the
    widest channel is cut at its weighted median until there are enough boxes; each box gives
    its weighted mean."""
    boxes = [list(counts.items())]
    while len(boxes) < size:
        best, axis, spread = None, 0, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for a in range(3):
                values = [c[a] for c, _ in box]
                if max(values) - min(values) > spread:
                    best, axis, spread = i, a, max(values) - min(values)
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda item: item[0][axis])
        half, seen, cut = sum(n for _, n in box) / 2, 0, 1
        for i, (_, n) in enumerate(box[:-1]):
            seen += n
            cut = i + 1
            if seen >= half:
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(round(sum(c[a] * n for c, n in box) / total) for a in range(3)))
    return palette


def write_bmp8(src, dst):
    width, height, rows = read_png(src)
    counts = {}
    for row in rows:
        for r, g, b, _ in row:
            counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
    palette = median_cut(counts, 256)
    index = {}
    for colour in counts:
        index[colour] = min(range(len(palette)), key=lambda i: sum(
            (colour[a] - palette[i][a]) ** 2 for a in range(3)))
    pad = (4 - width % 4) % 4
    pixels = bytearray()
    for row in reversed(rows):
        pixels += bytes(index[(r, g, b)] for r, g, b, _ in row) + b"\0" * pad
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835,
                       len(palette), 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(dst, "wb") as f:
        f.write(header + info + table + bytes(pixels))


def icon_dib(width, height, rows):
    """A 32-bit icon image: BGRA bottom-up, then the AND mask (1 = transparent)."""
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                       len(colour) + len(mask), 0, 0, 0, 0)
    return info + bytes(colour) + bytes(mask)


def write_ico(dst, sources):
    images = []
    for src in sources:
        width, height, rows = read_png(src)
        if width <= 64:
            body = icon_dib(width, height, rows)
        else:
            with open(src, "rb") as f:
                body = f.read()
        images.append((width, height, body))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for width, height, body in images:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    for _, _, body in images:
        out += body
    with open(dst, "wb") as f:
        f.write(out)


def main(argv):
    if len(argv) == 4 and argv[1] == "bmp":
        write_bmp(argv[2], argv[3])
    elif len(argv) == 4 and argv[1] == "bmp8":
        write_bmp8(argv[2], argv[3])
    elif len(argv) >= 4 and argv[1] == "ico":
        write_ico(argv[2], argv[3:])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
