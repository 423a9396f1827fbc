"""The running game idle in a game against a still toolkit window of the same size, under Xvfb.

    python3 bench/bench_idle.py BUILD/Kalmeno/bin/kalmeno [--seconds 30] [--rounds 3]

Each round measures, one after the other on the same display and each for the given time, the
bare window (BUILD/bench/bare_window: a menu bar over a 300 by 300 painted area), the same window
woken by an empty timer as often as the game's clock polls, and the game sitting in a game. It
prints the CPU of each and the medians over the rounds. The game is judged against the polled
window, which pays for the same wake-ups; its distance from the unpolled window is shown beside
as information. The exit status is 1 when that difference or the game's resident memory misses
its target, 2 when they could not be measured (the reason on standard error)."""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import kalmeno_e2e as e2e  # noqa: E402

ABOVE_POLLED_TARGET = 0.2  # percent of one core more than the window polled as the game's clock
RSS_TARGET = 80.0          # MiB
SETTLE = 2.0               # seconds after a window shows (the game's: its first board) before measuring
CLOCK_POLL_MS = 20         # the game's clock polls this often while its main window is open
SHOW_WITHIN = 60.0         # seconds each window may take to show on a loaded machine


def cpu_seconds(pid):
    """User and system time of the whole process, its ended threads included, in clock ticks."""
    fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def thread_run_seconds(pid):
    """For each living thread of the process, the time it has run, to the nanosecond."""
    times = {}
    for tid in os.listdir("/proc/%d/task" % pid):
        try:
            times[tid] = int(open("/proc/%d/task/%s/schedstat" % (pid, tid)).read().split()[0]) / 1e9
        except (FileNotFoundError, ProcessLookupError):
            pass  # the thread ended just now
    return times


def idle_cpu(x, process, seconds):
    """Percent of one core that the process used over the next seconds: from its threads' run
    times, or, when a thread came or went meanwhile, from the coarser count of the whole process.
    Fails when the process or the display ended meanwhile, which would read as no work at all."""
    pid = process.pid
    threads, ticks, start = thread_run_seconds(pid), cpu_seconds(pid), time.monotonic()
    time.sleep(seconds)
    threads_now, ticks_now, elapsed = thread_run_seconds(pid), cpu_seconds(pid), time.monotonic() - start
    if x.process.poll() is not None:
        raise RuntimeError("the X server ended with status %d while %s was measured"
                           % (x.process.returncode, process.args[0]))
    if process.poll() is not None:
        raise RuntimeError("%s ended with status %d while it was measured" % (process.args[0], process.returncode))
    if threads_now and threads_now.keys() == threads.keys():
        used = sum(threads_now.values()) - sum(threads.values())
    else:
        used = ticks_now - ticks
    return 100.0 * used / elapsed


class BareWindow:
    def __init__(self, x, command):
        # Folders of its own, as the game gets, so the toolkit writes nothing outside them.
        env = dict(os.environ, DISPLAY=x.display, QT_QPA_PLATFORM="xcb", **e2e.own_folders())
        env.pop("QT_QPA_PLATFORMTHEME", None)
        self.process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE)
        try:
            e2e.wait_for_window(x, "^Bare window$", self.process, SHOW_WITHIN)
        except RuntimeError:
            self.stop()
            raise

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def measure_bare(x, command, seconds):
    window = BareWindow(x, command)
    try:
        time.sleep(SETTLE)
        return idle_cpu(x, window.process, seconds)
    finally:
        window.stop()


def measure_game(x, binary, reader, seconds):
    config = tempfile.TemporaryDirectory(prefix="kalmeno-idle-")
    game = None
    try:
        game = e2e.Game(x, binary, config=config.name, show_within=SHOW_WITHIN)
        e2e.wait_for_board(game, reader, SHOW_WITHIN)
        time.sleep(SETTLE)
        cpu = idle_cpu(x, game.process, seconds)
        return cpu, e2e.resident_kib(game.process.pid) / 1024.0
    finally:
        if game:
            game.stop()
        config.cleanup()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("--bare", help="the bare window program (default: BUILD/bench/bare_window)")
    parser.add_argument("--seconds", type=float, default=30.0)
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()
    bare_binary = args.bare or os.path.join(e2e.build_dir(args.binary), "bench", "bare_window")

    reader = e2e.BoardReader(e2e.resources_dir(args.binary))
    x = e2e.Xvfb()
    bares, polled, games, rss = [], [], [], 0.0
    try:
        for round_number in range(1, args.rounds + 1):
            bares.append(measure_bare(x, [bare_binary], args.seconds))
            polled.append(measure_bare(x, [bare_binary, "--poll", str(CLOCK_POLL_MS)], args.seconds))
            game, rss = measure_game(x, args.binary, reader, args.seconds)
            games.append(game)
            print("round %d: bare window %.2f %%, polled %.2f %%, game %.2f %% of a core"
                  % (round_number, bares[-1], polled[-1], game), flush=True)
    finally:
        x.close()
    median = statistics.median
    above_polled = median(g - p for g, p in zip(games, polled))
    above_bare = median(g - b for g, b in zip(games, bares))
    cpu_ok = above_polled <= ABOVE_POLLED_TARGET
    rss_ok = rss <= RSS_TARGET
    print("medians over %d rounds of %.0f s:" % (args.rounds, args.seconds))
    print("bare window                    %6.2f %% of a core" % median(bares))
    print("bare window polled every %d ms %6.2f %% of a core" % (CLOCK_POLL_MS, median(polled)))
    print("game idle in a game            %6.2f %% of a core" % median(games))
    print("game above the polled window   %6.2f %% of a core  (target <= %.1f %%)%s"
          % (above_polled, ABOVE_POLLED_TARGET, e2e.mark(cpu_ok)))
    print("game above the bare window     %6.2f %% of a core  (information: the poll's wake-ups included)"
          % above_bare)
    print("resident                       %6.1f MiB          (target <= %.0f MiB)%s"
          % (rss, RSS_TARGET, e2e.mark(rss_ok)))
    sys.exit(0 if cpu_ok and rss_ok else 1)


if __name__ == "__main__":
    e2e.run_benchmark("bench_idle", main)
