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


def start(x, binary, mib):
    env = dict(os.environ, DISPLAY=x.display, QT_QPA_PLATFORM="xcb", **e2e.own_folders())
    env.pop("QT_QPA_PLATFORMTHEME", None)
    return subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            preexec_fn=limited_to(mib))


def test(x, binary):
    # Too little for the toolkit: one line, status 1.
    game = start(x, binary, 100)
    try:
        error = game.communicate(timeout=10)[1]
    except subprocess.TimeoutExpired:
        raise AssertionError("under 100 MiB the game neither came up nor ended within 10 s")
    finally:
        if game.poll() is None:
            game.kill()
            game.wait()
    lines = error.decode(errors="replace").splitlines()
    check(game.returncode == 1, "under 100 MiB the game ended with status %d" % game.returncode)
    check(len(lines) == 1 and "memory" in lines[0], "under 100 MiB standard error got %r" % lines)

    # Enough, though not for the sound's shared memory: the window comes up and the game quits.
    game = start(x, binary, 160)
    try:
        deadline = time.time() + 10
        window = []
        while not window and game.poll() is None and time.time() < deadline:
            window = x.run("xdotool", "search", "--onlyvisible", "--name", "^Kalmeno$", check=False).split()
            time.sleep(0.05)
        check(window, "under 160 MiB the game showed no window within 10 s")
        x.run("xdotool", "windowfocus", "--sync", window[0], "key", "ctrl+q")
        game.communicate(timeout=10)
        check(game.returncode == 0, "under 160 MiB the game ended with status %d" % game.returncode)
    except subprocess.TimeoutExpired:
        raise AssertionError("under 160 MiB the game did not quit")
    finally:
        if game.poll() is None:
            game.kill()
            game.wait()


if __name__ == "__main__":
    e2e.main(test)
