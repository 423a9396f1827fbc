"""The real game on a copy of its bundle in which a picture, a sound and a cursor file hold bad
bytes in the same way: truncated, empty, or noise. Each time it plays on, quits when asked, stays
small and repeats no line on standard error (see bad_media)."""

import random

import bad_media
import kalmeno_e2e as e2e
from bad_media import MEDIA, write_bytes


def truncated(fraction):
    return lambda good: good[:int(len(good) * fraction)]


def noise(good):
    return random.Random(len(good)).randbytes(len(good))


KINDS = [
    ("truncated at 30 %", write_bytes(truncated(0.3)), MEDIA),
    ("truncated at 99 %", write_bytes(truncated(0.99)), MEDIA),
    ("empty", write_bytes(lambda good: b""), MEDIA),
    ("noise", write_bytes(noise), MEDIA),
]


if __name__ == "__main__":
    e2e.main(bad_media.test_kinds(KINDS))
