"""The running game idle in a game against a still toolkit window of the same size, under Xvfb.

    python3 bench/bench_idle.py BUILD/Kalmeno/bin/kalmeno [--seconds 30] [--rounds 1]

Each round measures the bare window (BUILD/bench/bare_window: a menu bar over a 300 by 300
painted area) and then the game sitting in a game, each for the given time on the same display,
and prints the CPU of both, their difference and the game's resident memory. The exit status is
1 when the difference (the median over the rounds) or the memory misses its target, 2 when they
could not be measured."""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time
import traceback

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import kalmeno_e2e as e2e  # noqa: E402

ABOVE_BARE_TARGET = 0.5  # percent of one core more than the bare window
RSS_TARGET = 80.0        # MiB
SETTLE = 2.0             # seconds: the first board is up and the start sound over


def cpu_seconds(pid):
    """User and system time of the whole process, its ended threads included."""
    fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def resident_mib(pid):
    for line in open("/proc/%d/status" % pid):
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024.0
    return 0.0


def idle_cpu(pid, seconds):
    """Percent of one core that the process used over the next seconds."""
    start_cpu, start = cpu_seconds(pid), time.monotonic()
    time.sleep(seconds)
    return 100.0 * (cpu_seconds(pid) - start_cpu) / (time.monotonic() - start)


class BareWindow:
    def __init__(self, x, binary):
        env = dict(os.environ, DISPLAY=x.display, QT_QPA_PLATFORM="xcb")
        env.pop("QT_QPA_PLATFORMTHEME", None)
        self.process = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        deadline = time.time() + 60  # a loaded machine can take long to show even a bare window
        while not x.run("xdotool", "search", "--onlyvisible", "--name", "^Bare window$",
                        check=False).split():
            if time.time() > deadline or self.process.poll() is not None:
                self.stop()
                raise RuntimeError("the bare window did not show")
            time.sleep(0.05)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def measure_bare(x, binary, seconds):
    window = BareWindow(x, binary)
    try:
        time.sleep(SETTLE)
        return idle_cpu(window.process.pid, seconds)
    finally:
        window.stop()


def measure_game(x, binary, seconds):
    config = tempfile.TemporaryDirectory(prefix="kalmeno-idle-")
    game = None
    try:
        game = e2e.Game(x, binary, config=config.name)
        time.sleep(SETTLE)
        cpu = idle_cpu(game.process.pid, seconds)
        return cpu, resident_mib(game.process.pid)
    finally:
        if game:
            game.stop()
        config.cleanup()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("--bare", help="the bare window program (default: BUILD/bench/bare_window)")
    parser.add_argument("--seconds", type=float, default=30.0)
    parser.add_argument("--rounds", type=int, default=1)
    args = parser.parse_args()
    bare_binary = args.bare or os.path.join(e2e.build_dir(args.binary), "bench", "bare_window")

    x = e2e.Xvfb()
    differences, rss = [], 0.0
    try:
        for _ in range(args.rounds):
            bare = measure_bare(x, bare_binary, args.seconds)
            game, rss = measure_game(x, args.binary, args.seconds)
            differences.append(game - bare)
            print("bare window   %6.2f %% of a core" % bare)
            print("game idle     %6.2f %% of a core" % game)
            print("difference    %6.2f %% of a core" % (game - bare))
    finally:
        x.close()
    above = statistics.median(differences)
    cpu_ok = above <= ABOVE_BARE_TARGET
    rss_ok = rss <= RSS_TARGET
    print("game above bare window %6.2f %% of a core  (target <= %.1f %%)%s"
          % (above, ABOVE_BARE_TARGET, "" if cpu_ok else "  MISSED"))
    print("resident               %6.1f MiB          (target <= %.0f MiB)%s"
          % (rss, RSS_TARGET, "" if rss_ok else "  MISSED"))
    sys.exit(0 if cpu_ok and rss_ok else 1)


if __name__ == "__main__":
    try:
        main()
    except Exception:  # a run that measured nothing is no missed target
        traceback.print_exc()
        sys.exit(2)
