"""The real game started on a preferences file of 200 MiB that begins like its own and carries
its codes: it takes the file as damaged without reading it whole, starts at the default volume,
stays small, and its save on quit replaces the file."""

import os

import kalmeno_e2e as e2e
from kalmeno_e2e import check

HUGE = 200 * 1024 * 1024


def peak_resident(game):
    """The most memory the running game has held resident so far, in bytes (VmHWM)."""
    with open("/proc/%d/status" % game.process.pid) as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) * 1024
    raise AssertionError("no VmHWM for the game")


def run_to_quit(x, binary, reader, config=None, downs=None):
    """A run from start to quit, with a volume chosen when downs is given, and its peak resident
    memory."""
    game = e2e.Game(x, binary, config=config)
    try:
        e2e.wait_for_board(game, reader)
        if downs is not None:
            game.choose_volume(downs)
        peak = peak_resident(game)
        game.key("ctrl+q")
        check(game.wait_exit() == 0, "the game did not end cleanly")
        return game, peak
    finally:
        game.stop()


def test(x, binary):
    reader = e2e.BoardReader(e2e.resources_dir(binary))
    game, plain = run_to_quit(x, binary, reader, downs=2)
    check(game.preferences() == b"00D", "the first run saved %r" % game.preferences())

    # The same file, its codes kept, made 200 MiB long (sparse) past the volume letter.
    path = os.path.join(game.config, "Kalmenoの設定")
    os.truncate(path, HUGE)
    game, peak = run_to_quit(x, binary, reader, config=game.config)
    print("peak resident memory: %.1f MiB on the 200 MiB file, %.1f MiB on the game's own"
          % (peak / 2**20, plain / 2**20))
    check(peak < plain + e2e.MEMORY_MARGIN,
          "on the 200 MiB file the game peaked at %.1f MiB, on its own file at %.1f" % (peak / 2**20, plain / 2**20))
    size = os.path.getsize(path)
    check(size == 3 and game.preferences() == b"001",
          "after the run on the 200 MiB file the preferences hold %d bytes" % size)
    ours = [name for name in os.listdir(game.config) if name.startswith("Kalmeno")]
    check(ours == ["Kalmenoの設定"], "the preferences folder holds %r" % ours)


if __name__ == "__main__":
    e2e.main(test)
