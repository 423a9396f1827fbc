"""The real game started with no room for files: under `ulimit -f 0` it starts and plays, and only
its save fails, keeping the file of an earlier run."""

import resource

import kalmeno_e2e as e2e
from kalmeno_e2e import check


def test(x, binary):
    reader = e2e.BoardReader(e2e.resources_dir(binary))
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
        game.choose_volume(2)
        game.key("ctrl+q")
        status = game.wait_exit()
        check(status == 0, "under a file-size limit of 0 the game ended with %d" % status)
        check(game.preferences() == saved, "the failed save left %r" % game.preferences())
    finally:
        game.stop()


if __name__ == "__main__":
    e2e.main(test)
