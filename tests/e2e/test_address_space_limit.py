"""The game under a limit on its address space: it shows its window, or it ends at once with one
line and status 1; it never waits for ever."""

import os
import resource
import subprocess
import time

import kalmeno_e2e as e2e
from kalmeno_e2e import check

MIB = 1024 * 1024


def limited_to(mib):
    def limit():
        resource.setrlimit(resource.RLIMIT_AS, (mib * MIB, mib * MIB))
    return limit


def test(x, binary):
    # Too little for the toolkit: one line, status 1.
    env = dict(os.environ, DISPLAY=x.display, QT_QPA_PLATFORM="xcb", **e2e.own_folders())
    env.pop("QT_QPA_PLATFORMTHEME", None)
    try:
        run = subprocess.run([binary], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                             preexec_fn=limited_to(100), timeout=10)
    except subprocess.TimeoutExpired:
        raise AssertionError("under 100 MiB the game neither came up nor ended within 10 s")
    lines = run.stderr.decode(errors="replace").splitlines()
    check(run.returncode == 1, "under 100 MiB the game ended with status %d" % run.returncode)
    check(len(lines) == 1 and "memory" in lines[0], "under 100 MiB standard error got %r" % lines)

    # Enough, though not for the sound's shared memory: the window comes up and the game quits.
    game = e2e.Game(x, binary, preexec=limited_to(160))
    try:
        game.key("ctrl+q")
        check(game.wait_exit() == 0, "under 160 MiB the game did not end cleanly")
    finally:
        game.stop()


if __name__ == "__main__":
    e2e.main(test)
