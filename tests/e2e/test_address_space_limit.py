"""The game under a limit on its address space: it shows its window, or it ends at once with one
line and status 1; it never waits for ever."""

import os
import re
import resource
import subprocess

import kalmeno_e2e as e2e
from kalmeno_e2e import check

MIB = 1024 * 1024
# Above what the dynamic loader needs to load the game's libraries, below what the game needs.
LOADABLE = 120


def limited_to(mib):
    def limit():
        resource.setrlimit(resource.RLIMIT_AS, (mib * MIB, mib * MIB))
    return limit


def start(x, binary, mib):
    env = dict(os.environ, DISPLAY=x.display, QT_QPA_PLATFORM="xcb", **e2e.own_folders())
    env.pop("QT_QPA_PLATFORMTHEME", None)
    return subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            preexec_fn=limited_to(mib))


def refused(x, binary, mib):
    """Under too little the game ends at once, with one line and status 1: the MiB it needs."""
    game = start(x, binary, mib)
    try:
        error = game.communicate(timeout=e2e.PROCESS_WAIT)[1]
    except subprocess.TimeoutExpired:
        raise AssertionError("under %d MiB the game neither came up nor ended" % mib)
    finally:
        if game.poll() is None:
            game.kill()
            game.wait()
    lines = error.decode(errors="replace").splitlines()
    check(game.returncode == 1, "under %d MiB the game ended with status %d" % (mib, game.returncode))
    needed = re.fullmatch(r"kalmeno: not enough memory \(the address space is limited to %d MiB, "
                          r"(\d+) MiB are needed\)" % mib, lines[0]) if len(lines) == 1 else None
    check(needed, "under %d MiB standard error got %r" % (mib, lines))
    return int(needed.group(1))


def test(x, binary):
    needed = refused(x, binary, LOADABLE)
    check(needed > LOADABLE, "the game asks for %d MiB, under the %d it refused" % (needed, LOADABLE))
    refused(x, binary, needed - 4)

    # As much as it asks for, though not for the sound's shared memory: the window comes up and
    # the game quits.
    game = start(x, binary, needed)
    try:
        window = e2e.wait_for_window(x, "^Kalmeno$", game)
        x.run("xdotool", "windowfocus", "--sync", window, "key", "ctrl+q")
        game.communicate(timeout=e2e.PROCESS_WAIT)
        check(game.returncode == 0, "under %d MiB the game ended with status %d" % (needed, game.returncode))
    except subprocess.TimeoutExpired:
        raise AssertionError("under %d MiB the game did not quit" % needed)
    finally:
        if game.poll() is None:
            game.kill()
            game.wait()


if __name__ == "__main__":
    e2e.main(test)
