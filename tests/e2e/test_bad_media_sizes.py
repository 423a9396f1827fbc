"""The real game on a copy of its bundle in which media files have sizes no medium has: a picture,
a sound and a cursor file larger than any medium, pictures of 1 by 1 and of 5000 by 5000. Each
time it plays on, quits when asked, stays small and repeats no line on standard error (see
bad_media)."""

import struct
import zlib

import bad_media
import kalmeno_e2e as e2e
from bad_media import MEDIA, write_bytes

# Far above the layer's bound on a medium's file size.
OVERSIZE = 6 * 1024 * 1024
PICTURES = ["BackPict.png", "Cursor169.png"]
# A huge picture also in place of the mask that is largest when decoded (it becomes a hit mask
# too) and of the board's triangles.
HUGE = PICTURES + ["Button0Mask.png", "TrianglePict.png"]


def grey_png(width, height):
    """A valid white greyscale PNG of any size, made without holding its pixels."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    packer = zlib.compressobj(9)
    row = b"\0" + b"\xff" * width
    idat = b"".join(packer.compress(row) for _ in range(height)) + packer.flush()
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0))
            + chunk(b"IDAT", idat) + chunk(b"IEND", b""))


def padded(good):
    """The good file followed by more bytes than a medium may have (a PNG ignores them)."""
    return good + b"\0" * OVERSIZE


KINDS = [
    ("oversized", write_bytes(padded), MEDIA),
    ("1 by 1", write_bytes(lambda good: grey_png(1, 1)), PICTURES),
    ("5000 by 5000", write_bytes(lambda good: grey_png(5000, 5000)), HUGE),
]


if __name__ == "__main__":
    e2e.main(bad_media.test_kinds(KINDS))
