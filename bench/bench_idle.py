"""The running game idle in a game under Xvfb: CPU over 10 s and resident memory.

    python3 bench/bench_idle.py BUILD/Kalmeno/bin/kalmeno

Prints the figures beside their targets; the exit status is 1 when one misses, 2 when the
game could not be measured."""

import os
import sys
import tempfile
import time
import traceback

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import kalmeno_e2e as e2e  # noqa: E402

CPU_TARGET = 1.5      # percent of one core
RSS_TARGET = 80.0     # MiB
SECONDS = 10.0


def cpu_seconds(pid):
    fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def resident_mib(pid):
    for line in open("/proc/%d/status" % pid):
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024.0
    return 0.0


def main():
    binary = sys.argv[1]
    x = e2e.Xvfb()
    config = tempfile.TemporaryDirectory(prefix="kalmeno-idle-")
    game = None
    try:
        game = e2e.Game(x, binary, config=config.name)
        pid = game.process.pid
        time.sleep(2.0)  # the first board is up and the start sound over
        start_cpu, start = cpu_seconds(pid), time.monotonic()
        time.sleep(SECONDS)
        cpu = 100.0 * (cpu_seconds(pid) - start_cpu) / (time.monotonic() - start)
        rss = resident_mib(pid)
    finally:
        if game:
            game.stop()
        x.close()
        config.cleanup()
    print("idle CPU      %6.2f %% of a core  (target <= %.1f %%)" % (cpu, CPU_TARGET))
    print("resident      %6.1f MiB          (target <= %.0f MiB)" % (rss, RSS_TARGET))
    sys.exit(0 if cpu <= CPU_TARGET and rss <= RSS_TARGET else 1)


if __name__ == "__main__":
    try:
        main()
    except Exception:  # a run that measured nothing is no missed target
        traceback.print_exc()
        sys.exit(2)
