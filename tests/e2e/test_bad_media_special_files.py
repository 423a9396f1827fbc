"""The real game on a copy of its bundle in which a picture, a sound and a cursor file are not
regular files at all: a named pipe, a folder, a link to a device or to a named pipe. Each time it
plays on, quits when asked, stays small and repeats no line on standard error (see bad_media)."""

import os

import bad_media
import kalmeno_e2e as e2e
from bad_media import MEDIA


def pipe(path, good):
    os.mkfifo(path)


def folder(path, good):
    os.mkdir(path)


def link_to_device(path, good):
    os.symlink("/dev/zero", path)


def link_to_pipe(path, good):
    os.mkfifo(path + ".fifo")
    os.symlink(os.path.basename(path) + ".fifo", path)


KINDS = [
    ("a named pipe", pipe, MEDIA),
    ("a folder", folder, MEDIA),
    ("a link to a device", link_to_device, MEDIA),
    ("a link to a named pipe", link_to_pipe, MEDIA),
]


if __name__ == "__main__":
    e2e.main(bad_media.test_kinds(KINDS))
