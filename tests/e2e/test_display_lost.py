"""The X server killed at moments through the game's start-up and once its window is up: each time
the game ends with status 1 and one line on standard error about the display. Killed after a
volume change, it leaves the volume saved."""

import os
import subprocess
import time

import kalmeno_e2e as e2e
from kalmeno_e2e import check

# Seconds after launch: before the connection, while the toolkit sets up its screens, while the
# windows are made, and with the game running.
MOMENTS = (0.0, 0.02, 0.03, 0.04, 0.05, 0.07, 0.1, 0.2, 0.3, 0.6)
DISPLAY_LINES = ("kalmeno: no display available", "kalmeno: the connection to the display was lost")


def run_and_lose_display(binary, moment):
    """Standard error's lines, other than the sound back end's, and the exit status."""
    x = e2e.Xvfb()
    env = dict(os.environ, DISPLAY=x.display, QT_QPA_PLATFORM="xcb", **e2e.own_folders())
    env.pop("QT_QPA_PLATFORMTHEME", None)
    game = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        time.sleep(moment)
        x.process.kill()
        x.process.wait()
        try:
            error = game.communicate(timeout=e2e.PROCESS_WAIT)[1]
        except subprocess.TimeoutExpired:
            raise AssertionError("display lost at %.2f s: the game did not end" % moment)
    finally:
        if game.poll() is None:
            game.kill()
            game.wait()
    return e2e.problem_lines(error), game.returncode


def lost_after_a_volume_change(binary):
    """The X server stops under the game: an ordinary failure status, the volume saved first."""
    own = e2e.Xvfb()
    game = e2e.Game(own, binary)
    try:
        e2e.wait_for_board(game, e2e.BoardReader(e2e.resources_dir(binary)))
        game.choose_volume(2)
        own.kill()
        status = game.wait_exit()
        check(status > 0, "without its display the game ended with %d (negative: a signal)" % status)
        check(game.preferences() == b"00D", "the preferences hold %r" % game.preferences())
        errors = game.process.stderr.read().decode(errors="replace")
        check("Sanitizer" not in errors and "runtime error" not in errors, errors)
    finally:
        game.stop()
        if own.process.poll() is None:
            own.close()


def test(x, binary):
    for moment in MOMENTS:
        lines, status = run_and_lose_display(binary, moment)
        check(status == 1, "display lost at %.2f s: exit status %d" % (moment, status))
        check(len(lines) == 1 and lines[0].startswith(DISPLAY_LINES),
              "display lost at %.2f s: standard error got %r" % (moment, lines))

    lost_after_a_volume_change(binary)

    # Lost in the middle of a game.
    game = e2e.Game(x, binary)
    try:
        game.focus()
        x.process.kill()
        x.process.wait()
        status = game.wait_exit()
        lines = e2e.problem_lines(game.process.stderr.read())
        check(status == 1, "display lost in a game: exit status %d" % status)
        check(lines == [DISPLAY_LINES[1]], "display lost in a game: standard error got %r" % lines)
    finally:
        game.stop()


if __name__ == "__main__":
    e2e.main(test)
