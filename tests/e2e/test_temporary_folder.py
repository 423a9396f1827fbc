"""A run that saves its preferences through a temporary folder leaves the system's temporary
folder as it found it: the folder it made is gone, one that was there stays, with what is in it."""

import os
import tempfile

import kalmeno_e2e as e2e
from kalmeno_e2e import check

OWN = "kalmeno-%d" % os.getuid()


def play_and_quit(x, binary, tmpdir=None):
    game = e2e.Game(x, binary, tmpdir=tmpdir)
    try:
        game.key("ctrl+q")
        check(game.wait_exit() == 0, "the game did not end cleanly")
        check(game.preferences() is not None, "the game saved no preferences")
        return game.tmpdir
    finally:
        game.stop()


def test(x, binary):
    tmpdir = play_and_quit(x, binary)
    check(os.listdir(tmpdir) == [], "left in the temporary folder: %r" % os.listdir(tmpdir))

    # The folder was there already: empty, and holding another copy's file.
    for held in ([], ["Kalmenoの設定000001"]):
        tmpdir = tempfile.mkdtemp(prefix="kalmeno-tmp-")
        own = os.path.join(tmpdir, OWN)
        os.mkdir(own, 0o700)
        for name in held:
            open(os.path.join(own, name), "w").close()
        play_and_quit(x, binary, tmpdir)
        check(os.path.isdir(own), "the folder that was there was removed")
        check(sorted(os.listdir(own)) == held, "the folder that was there holds %r" % os.listdir(own))


if __name__ == "__main__":
    e2e.main(test)
