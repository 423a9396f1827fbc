"""The resident size of the running game while its about window is opened and closed, and its help
window cycled, many times over, under Xvfb.

    python3 bench/bench_windows.py BUILD/Kalmeno/bin/kalmeno [--about 500] [--help-cycles 200]

Each window is opened from the help menu and closed as a player does (the about window by a key,
the help window by Ctrl+W). The resident size is read after each tenth of the cycles; while the
toolkit's caches fill it may grow, and the figure is its growth per cycle over the second half.
The exit status is 1 when a growth misses its target, 2 when it could not be measured."""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import kalmeno_e2e as e2e  # noqa: E402

GROWTH_TARGET = 0.5  # kB per cycle over the second half of the cycles
WINDOWS = {  # title, help menu position, closing key
    "about": ("Kalmenoについて", 1, "space"),
    "help": ("Kalmenoの説明", 2, "ctrl+w"),
}


def cycle(game, menu, title, position, closing):
    """Opens the window from the help menu, then closes it and waits until it is gone."""
    game.x.run("xdotool", "mousemove", str(menu[0]), str(menu[1]), "click", "1",
               "sleep", "0.15", "key", *["Down"] * position, "Return")
    window = game.find_window("^%s$" % title)
    game.x.run("xdotool", "windowfocus", "--sync", window, "key", closing, check=False)
    game.wait_closed("^%s$" % title)


def measure(game, name, cycles):
    """The resident size in KiB after each tenth of the cycles."""
    title, position, closing = WINDOWS[name]
    menu = game.menu_titles()[3]
    sizes = []
    for done in range(1, cycles + 1):
        cycle(game, menu, title, position, closing)
        if done * 10 % cycles < 10:
            sizes.append(e2e.resident_kib(game.process.pid))
    return sizes


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("--about", type=int, default=500)
    parser.add_argument("--help-cycles", type=int, default=200)
    args = parser.parse_args()

    x = e2e.Xvfb()
    results = []
    try:
        for name, cycles in (("about", args.about), ("help", args.help_cycles)):
            game = e2e.Game(x, args.binary)
            try:
                time.sleep(1.0)
                results.append((name, cycles, measure(game, name, cycles)))
            finally:
                game.stop()
    finally:
        x.close()
    ok = True
    for name, cycles, sizes in results:
        half = len(sizes) // 2
        growth = (sizes[-1] - sizes[half - 1]) / (cycles * (len(sizes) - half) / len(sizes))
        met = growth <= GROWTH_TARGET
        ok = ok and met
        print("%-5s window, %d cycles: resident at each tenth %s MiB" % (
            name, cycles, " ".join("%.2f" % (size / 1024.0) for size in sizes)))
        print("%-5s window: %+.2f kB per cycle over the second half (target <= %.1f kB)%s"
              % (name, growth, GROWTH_TARGET, e2e.mark(met)))
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    e2e.run_benchmark("bench_windows", main)
