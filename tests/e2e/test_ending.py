"""How the real game ends when it is not quit from its menu: a quit signal after a volume change,
the display going away under it, a start with no room for files, and a start without a display or
on a platform that cannot be loaded."""

import os
import resource
import signal
import subprocess

import kalmeno_e2e as e2e
from kalmeno_e2e import check
from test_game import open_volume_menu


def choose_volume(game, downs):
    """The volume item that many rows down the submenu, chosen from the keyboard."""
    open_volume_menu(game)
    game.x.run("xdotool", "key", "--delay", "80", *["Down"] * downs, "Return")
    game.wait_menus_closed("the volume item")


def quit_signals(x, binary, reader):
    """SIGTERM, SIGINT and SIGHUP (the terminal closed) quit as the quit item does: the volume
    chosen in the run is saved."""
    for sent, downs, expected in ((signal.SIGTERM, 2, b"00D"), (signal.SIGINT, 1, b"00C"),
                                  (signal.SIGHUP, 3, b"00E")):
        game = e2e.Game(x, binary)
        try:
            e2e.wait_for_board(game, reader)
            choose_volume(game, downs)
            game.process.send_signal(sent)
            status = game.wait_exit()
            check(status == 0, "after %s the game ended with %d" % (sent.name, status))
            check(game.preferences() == expected,
                  "after %s the preferences hold %r" % (sent.name, game.preferences()))
        finally:
            game.stop()


def ignored_hang_up(x, binary, reader):
    """Started with SIGHUP ignored (nohup), the game stays ignoring it: it plays on after one and
    saves what is chosen afterwards."""
    game = e2e.Game(x, binary, preexec=lambda: signal.signal(signal.SIGHUP, signal.SIG_IGN))
    try:
        e2e.wait_for_board(game, reader)
        game.process.send_signal(signal.SIGHUP)
        choose_volume(game, 2)
        game.key("ctrl+q")
        status = game.wait_exit()
        check(status == 0, "after an ignored SIGHUP the game ended with %d" % status)
        check(game.preferences() == b"00D", "after an ignored SIGHUP the preferences hold %r"
              % game.preferences())
    finally:
        game.stop()


def display_lost(binary, reader):
    """The X server stops under the game: an ordinary failure status, the volume saved first."""
    own = e2e.Xvfb()
    game = e2e.Game(own, binary)
    try:
        e2e.wait_for_board(game, reader)
        choose_volume(game, 2)
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


def file_size_limit(x, binary, reader):
    """Under `ulimit -f 0` the game starts and plays; only its save fails, keeping the old file."""
    game = e2e.Game(x, binary)
    try:
        e2e.wait_for_board(game, reader)
        game.key("ctrl+q")
        check(game.wait_exit() == 0, "the first run did not end cleanly")
    finally:
        game.stop()
    saved = game.preferences()
    check(saved == b"001", "the first run saved %r" % saved)

    def no_room_for_files():
        resource.setrlimit(resource.RLIMIT_FSIZE, (0, resource.getrlimit(resource.RLIMIT_FSIZE)[1]))

    game = e2e.Game(x, binary, config=game.config, preexec=no_room_for_files)
    try:
        e2e.wait_for_board(game, reader)
        choose_volume(game, 2)
        game.key("ctrl+q")
        status = game.wait_exit()
        check(status == 0, "under a file-size limit of 0 the game ended with %d" % status)
        check(game.preferences() == saved, "the failed save left %r" % game.preferences())
    finally:
        game.stop()


def failed_start(binary, env, where):
    """Standard error's lines of a game that cannot start in the environment, checked to end with
    a failure status."""
    result = subprocess.run([binary], env=dict(env, **e2e.own_folders()), capture_output=True, text=True,
                            timeout=60)
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
    reader = e2e.BoardReader(e2e.resources_dir(binary))
    quit_signals(x, binary, reader)
    ignored_hang_up(x, binary, reader)
    display_lost(binary, reader)
    file_size_limit(x, binary, reader)
    no_display(binary)
    unknown_platform(x, binary)


if __name__ == "__main__":
    e2e.main(test)
