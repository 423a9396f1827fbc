"""How long the game takes to come up and to go, under Xvfb.

    python3 bench/bench_launch.py BUILD/Kalmeno/bin/kalmeno [--rounds 5]

Each round starts the game on a fresh preferences folder, times it from launch until its first
full board is on screen, asks it to quit with Ctrl+Q and times it until the process has ended.
It prints each round and the medians beside their targets. The exit status is 1 when a median
misses its target, 2 when the figures could not be measured (the reason on standard error)."""

import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import kalmeno_e2e as e2e  # noqa: E402

FIRST_BOARD_TARGET = 1.5  # seconds from launch until the first board is on screen
QUIT_TARGET = 1.0         # seconds from the quit key until the process has ended
WAIT = 60.0               # seconds a loaded machine may take before the run counts as failed


def measure(x, binary, reader):
    """One launch: the seconds until the first board, and from the quit key until the end."""
    game = e2e.Game(x, binary, show_within=WAIT)
    try:
        # Looks every 20 ms, so the figure is late by 20 ms at most.
        _, first_board = e2e.wait_for_board(game, reader, WAIT, longest_pause=0.02)
        game.focus()
        asked = time.monotonic()
        x.run("xdotool", "key", "ctrl+q")
        status = game.process.wait(WAIT)
        quit_time = time.monotonic() - asked
        if status != 0:
            raise RuntimeError("the game ended with status %d" % status)
        return first_board, quit_time
    except subprocess.TimeoutExpired:
        raise RuntimeError("the game did not quit within %.0f s" % WAIT)
    finally:
        game.stop()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()
    reader = e2e.BoardReader(e2e.resources_dir(args.binary))

    x = e2e.Xvfb()
    boards, quits = [], []
    try:
        for round_number in range(1, args.rounds + 1):
            first_board, quit_time = measure(x, args.binary, reader)
            boards.append(first_board)
            quits.append(quit_time)
            print("round %d: first board after %.2f s, quit in %.2f s"
                  % (round_number, first_board, quit_time), flush=True)
    finally:
        x.close()
    board_ok = statistics.median(boards) <= FIRST_BOARD_TARGET
    quit_ok = statistics.median(quits) <= QUIT_TARGET
    print("medians over %d rounds:" % args.rounds)
    print("first board after launch  %5.2f s  (target <= %.1f s)%s"
          % (statistics.median(boards), FIRST_BOARD_TARGET, e2e.mark(board_ok)))
    print("quit after Ctrl+Q         %5.2f s  (target <= %.1f s)%s"
          % (statistics.median(quits), QUIT_TARGET, e2e.mark(quit_ok)))
    sys.exit(0 if board_ok and quit_ok else 1)


if __name__ == "__main__":
    e2e.run_benchmark("bench_launch", main)
