"""A run that saves its preferences through a temporary folder leaves nothing behind: the last
copy of the game to quit removes the folder, a later run removes what a killed one left there, and
no run removes what a live copy holds."""

import fcntl
import os
import signal
import tempfile

import kalmeno_e2e as e2e
from kalmeno_e2e import check

OWN = "kalmeno-%d" % os.getuid()
PREFERENCES = "Kalmenoの設定"
# Copies quitting together, and how many times.
COPIES = 4
ROUNDS = 5


def play_and_quit(x, binary, tmpdir=None):
    game = e2e.Game(x, binary, tmpdir=tmpdir)
    try:
        game.key("ctrl+q")
        check(game.wait_exit() == 0, "the game did not end cleanly")
        check(game.preferences() is not None, "the game saved no preferences")
        return game.tmpdir
    finally:
        game.stop()


def catches_sigterm(pid):
    """Whether the process has a handler of its own for SIGTERM."""
    for line in open("/proc/%d/status" % pid):
        if line.startswith("SigCgt:"):
            return int(line.split()[1], 16) & (1 << (signal.SIGTERM - 1)) != 0
    return False


def quit_together(x, binary, tmpdir, rounds=ROUNDS):
    """Copies of the game on one preferences folder, each saving as it quits on one SIGTERM."""
    config = tempfile.mkdtemp(prefix="config-")
    for _ in range(rounds):
        games = []
        try:
            for _ in range(COPIES):
                games.append(e2e.Game(x, binary, config=config, tmpdir=tmpdir))
            # The window shows before the game takes SIGTERM for a quit.
            for game in games:
                e2e.wait_until(lambda: catches_sigterm(game.process.pid),
                               "a handler for SIGTERM", e2e.PROCESS_WAIT)
            for game in games:
                game.process.send_signal(signal.SIGTERM)
            for game in games:
                status = game.wait_exit()
                check(status == 0, "a copy ended with %d" % status)
        finally:
            for game in games:
                game.stop()
        left = sorted(os.listdir(config)), os.listdir(tmpdir)
        check(left == ([PREFERENCES], []),
              "left in the preferences and temporary folders: %r" % (left,))
        # The next copies find no file, and save one again.
        os.remove(os.path.join(config, PREFERENCES))


def test(x, binary):
    tmpdir = play_and_quit(x, binary)
    check(os.listdir(tmpdir) == [], "left in the temporary folder: %r" % os.listdir(tmpdir))

    # The folder was there already: empty, holding what a killed copy left, and holding what a
    # live copy holds.
    for dead, live in (([], []), (["Kalmenoの設定000001"], []), ([], ["Kalmenoの設定000002"])):
        tmpdir = tempfile.mkdtemp(prefix="kalmeno-tmp-")
        own = os.path.join(tmpdir, OWN)
        os.mkdir(own, 0o700)
        for name in dead:
            open(os.path.join(own, name), "w").close()
        held = [open(os.path.join(own, name), "w") for name in live]
        for claim in held:
            fcntl.flock(claim, fcntl.LOCK_EX)
        play_and_quit(x, binary, tmpdir)
        if live:
            check(sorted(os.listdir(own)) == live, "the folder holds %r" % os.listdir(own))
        else:
            check(os.listdir(tmpdir) == [], "left in the temporary folder: %r" % os.listdir(tmpdir))
        for claim in held:
            claim.close()

    # The temporary folder on the file system of the preferences, then on another.
    quit_together(x, binary, tempfile.mkdtemp(prefix="tmp-"))
    with tempfile.TemporaryDirectory(prefix="kalmeno-e2e-", dir="/dev/shm") as other:
        quit_together(x, binary, other)


if __name__ == "__main__":
    e2e.main(test)
