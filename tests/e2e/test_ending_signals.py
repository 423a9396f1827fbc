"""How the real game ends on a signal rather than from its menu: a quit signal after a volume
change saves the volume, and a hang-up that was ignored at the start stays ignored."""

import signal

import kalmeno_e2e as e2e
from kalmeno_e2e import check


def quit_signals(x, binary, reader):
    """SIGTERM, SIGINT and SIGHUP (the terminal closed) quit as the quit item does: the volume
    chosen in the run is saved."""
    for sent, downs, expected in ((signal.SIGTERM, 2, b"00D"), (signal.SIGINT, 1, b"00C"),
                                  (signal.SIGHUP, 3, b"00E")):
        game = e2e.Game(x, binary)
        try:
            e2e.wait_for_board(game, reader)
            game.choose_volume(downs)
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
        game.choose_volume(2)
        game.key("ctrl+q")
        status = game.wait_exit()
        check(status == 0, "after an ignored SIGHUP the game ended with %d" % status)
        check(game.preferences() == b"00D", "after an ignored SIGHUP the preferences hold %r"
              % game.preferences())
    finally:
        game.stop()


def test(x, binary):
    reader = e2e.BoardReader(e2e.resources_dir(binary))
    quit_signals(x, binary, reader)
    ignored_hang_up(x, binary, reader)


if __name__ == "__main__":
    e2e.main(test)
