#!/usr/bin/env python3
"""Writes config.ico, the program's icon, from the Linux window's 32 x 32 PNG: the same picture
as a 16-colour (4 bits per pixel) icon with the standard 16-colour palette and a transparency
mask. Run it again after the PNG changes; the .ico it writes is the one the build ships."""
import pathlib
import struct
import subprocess

HERE = pathlib.Path(__file__).resolve().parent
SOURCE = HERE.parent / "qt" / "krovan3d-config.png"
TARGET = HERE / "config.ico"
SIZE = 32

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def nearest(rgb):
    return min(range(len(PALETTE)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(PALETTE[i], rgb)))


def main():
    rgba = subprocess.run(["convert", str(SOURCE), "-resize", f"{SIZE}x{SIZE}!", "rgba:-"],
                          check=True, capture_output=True).stdout
    pixels = [rgba[i:i + 4] for i in range(0, len(rgba), 4)]
    colours, mask = bytearray(), bytearray()
    for row in reversed(range(SIZE)):  # bitmaps are stored bottom-up
        line = pixels[row * SIZE:(row + 1) * SIZE]
        opaque = [p[3] >= 128 for p in line]
        indexes = [nearest(p[:3]) if o else 0 for p, o in zip(line, opaque)]
        colours += bytes(indexes[i] << 4 | indexes[i + 1] for i in range(0, SIZE, 2))
        bits = "".join("0" if o else "1" for o in opaque)  # 1 = transparent
        mask += int(bits, 2).to_bytes(SIZE // 8, "big")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0,
                         len(colours) + len(mask), 0, 0, len(PALETTE), 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + colours + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", SIZE, SIZE, len(PALETTE), 0, 1, 4, len(image), 22)
    TARGET.write_bytes(directory + image)


if __name__ == "__main__":
    main()
