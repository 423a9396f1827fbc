"""The real game started where it cannot show a window: without a display, or on a platform that
cannot be loaded. Each time one line on standard error that says why, and a failure status."""

import os
import subprocess

import kalmeno_e2e as e2e
from kalmeno_e2e import check


def failed_start(binary, env, where):
    """Standard error's lines of a game that cannot start in the environment, checked to end with
    a failure status."""
    result = subprocess.run([binary], env=dict(env, **e2e.own_folders()), capture_output=True, text=True,
                            timeout=e2e.PROCESS_WAIT)
    check(result.returncode == 1, "%s the game ended with %d" % (where, result.returncode))
    return result.stderr.splitlines()


def no_display(binary):
    """Without a display: one line on standard error and a failure status."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    lines = failed_start(binary, env, "without a display")
    check(len(lines) == 1 and "no display" in lines[0], "without a display, standard error: %r" % lines)


def unknown_platform(x, binary):
    """A platform without a plugin, asked for beside a live display: one line that names it, not
    the display."""
    env = dict(os.environ, DISPLAY=x.display, QT_QPA_PLATFORM="nosuch")
    lines = failed_start(binary, env, "on an unknown platform")
    check(lines == ['kalmeno: the display platform "nosuch" (from QT_QPA_PLATFORM) could not be started'],
          "on an unknown platform, standard error: %r" % lines)


def test(x, binary):
    no_display(binary)
    unknown_platform(x, binary)


if __name__ == "__main__":
    e2e.main(test)
