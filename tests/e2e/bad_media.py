"""Playing the real game on a copy of its bundle in which some media files are bad in one way:
each time the game keeps running through a few seconds of play, quits when asked, stays as small
as on intact media, and writes each distinct line to standard error at most once."""

import os
import shutil
import tempfile
import time

import kalmeno_e2e as e2e
from kalmeno_e2e import check

PLAY_TIME = 3.0
# The picture looked for at every tick, the idle sound played twice a second and the cursor
# shown over the board.
MEDIA = ["BackPict.png", "SilenceSnd.wav", "Cursor169.png"]


def write_bytes(make):
    def lay(path, good):
        with open(path, "wb") as f:
            f.write(make(good))
    return lay


def bundle_with(binary, names, lay):
    """A copy of the game's bundle whose files `names` are laid by `lay`."""
    bundle = tempfile.mkdtemp(prefix="kalmeno-bad-")
    os.makedirs(os.path.join(bundle, "bin"))
    shutil.copy2(binary, os.path.join(bundle, "bin", "kalmeno"))
    resources = os.path.join(bundle, "Resources")
    shutil.copytree(e2e.resources_dir(binary), resources)
    for name in names:
        path = os.path.join(resources, name)
        with open(path, "rb") as f:
            good = f.read()
        os.remove(path)
        lay(path, good)
    return bundle


def wait_with_usage(process, timeout):
    """The exit status and peak resident bytes of the process, or None when it is still running
    after timeout seconds."""
    for last in e2e.looks(timeout):
        pid, status, usage = os.wait4(process.pid, os.WNOHANG)
        if pid:
            process.returncode = os.waitstatus_to_exitcode(status)
            return process.returncode, usage.ru_maxrss * 1024
        if last:
            return None


def play(game):
    """A few seconds of play: the pointer over the board and the buttons, the buttons clicked,
    moves, undo and redo."""
    fx, fy = game.field_origin()
    deadline = time.time() + PLAY_TIME
    spots = [(150, 124), (90, 150), (210, 150), (38, 277), (262, 277), (150, 60)]
    buttons = spots[3:5]
    step = 0
    while time.time() < deadline:
        x, y = spots[step % len(spots)]
        if (x, y) in buttons:
            game.click(fx + x, fy + y)
        else:
            game.point(fx + x, fy + y)
        if step % 3 == 0:
            a = e2e.cells()[step % 24]
            near = e2e.neighbours(a)
            b = near[step % len(near)]
            game.drag_cells(a, b)
        if step % 4 == 1:
            game.key("Left", "Right")
        step += 1
        time.sleep(0.1)


def run_case(x, binary, kind, good_peak=None):
    """Plays on a bundle with the kind's bad files; the game's peak resident bytes, which must
    stay near good_peak, the peak on the intact bundle, when that is given."""
    label, lay, names = kind
    what = "%s %s" % ("/".join(names), label)
    bundle = bundle_with(binary, names, lay)
    game = e2e.Game(x, os.path.join(bundle, "bin", "kalmeno"))
    try:
        play(game)
        check(game.process.poll() is None, "%s: the game ended while it was played" % what)
        asked = time.monotonic()
        game.key("ctrl+q")
        ended = wait_with_usage(game.process, e2e.PROCESS_WAIT)
        check(ended is not None, "%s: the game did not quit within %.0f s" % (what, e2e.PROCESS_WAIT))
        status, peak = ended
        check(status == 0, "%s: the game ended with status %d" % (what, status))
        check(good_peak is None or peak < good_peak + e2e.MEMORY_MARGIN,
              "%s: peak resident memory %.1f MiB, on intact media %.1f"
              % (what, peak / 2**20, (good_peak or 0) / 2**20))
        lines = [line for line in game.process.stderr.read().decode(errors="replace").splitlines()
                 if line.strip()]
        repeated = sorted({line for line in lines if lines.count(line) > 1})
        check(not repeated, "%s: repeated on standard error: %r" % (what, repeated[:3]))
        print("%-24s quit in %.2f s, peak %.1f MiB, %d lines on standard error"
              % (label, time.monotonic() - asked, peak / 2**20, len(lines)), flush=True)
        return peak
    finally:
        game.stop()
        shutil.rmtree(bundle, ignore_errors=True)


def test_kinds(kinds):
    """The test of the bad kinds: each a name, how to lay the file at path from the good file's
    bytes, and the files laid so in one game. A game on the intact bundle comes first, for the
    peak resident memory that the others must stay near."""
    def test(x, binary):
        good_peak = run_case(x, binary, ("intact", None, []))
        for kind in kinds:
            run_case(x, binary, kind, good_peak)
    return test
