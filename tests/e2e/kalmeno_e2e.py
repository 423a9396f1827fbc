"""Driving the real game under Xvfb: the display, the program, real input through xdotool,
and the screen read back through xwd. Plain Python 3 standard library only."""

import atexit
import os
import select
import struct
import subprocess
import sys
import tempfile
import time
import traceback
import zlib

FIELD = 300
# Seconds to wait for the game's answer to input (a menu open or closed, a move drawn, a window
# shown from a menu): far beyond what it needs even on a loaded machine, so only a fault runs out.
WAIT = 10.0
# Seconds to wait for a process to come up or to end: the X server, or the game until its window,
# its first board or its signal handlers are there, or until it has saved and exited. That is the
# loader's, the toolkit's and the disk's work, which load slows most and a test cannot make
# cheaper, so this is a guard against a hang only.
PROCESS_WAIT = 60.0
# What a bad or huge input file may add to the game's peak resident memory over its run on
# good files: far less than reading such a file whole, or decoding a huge picture, takes.
MEMORY_MARGIN = 8 * 1024 * 1024
# How the toolkit's sound back end's lines begin when it finds no sound server, as under the tests.
SOUND_LINES = ("PulseAudioService:", "No audio device detected",
               "qt.multimedia.soundeffect: Failed to update audio output. No audio devices available.")


def looks(timeout, longest_pause=0.1):
    """Yields, for each look at an awaited state, whether it is the last: the first at once, the
    next ones at pauses growing from 20 ms to longest_pause, so that a long wait starts few
    processes beside the game, and the last once timeout seconds have passed."""
    deadline = time.monotonic() + timeout
    pause = 0.02
    while True:
        yield time.monotonic() > deadline
        time.sleep(pause)
        pause = min(2 * pause, longest_pause)


def wait_until(condition, what, timeout=WAIT):
    """The first true value of condition(), polled until timeout seconds have passed; an
    AssertionError naming what was awaited when it never came."""
    for last in looks(timeout):
        value = condition()
        if value:
            return value
        if last:
            raise AssertionError("%s: not within %.0f s" % (what, timeout))


class Image:
    """An RGB picture: rows of (r, g, b) tuples."""

    def __init__(self, width, height, pixels):
        self.width = width
        self.height = height
        self.pixels = pixels  # bytes, 3 per pixel

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def crop(self, x, y, w, h):
        rows = bytearray()
        for row in range(y, y + h):
            start = (row * self.width + x) * 3
            rows += self.pixels[start:start + w * 3]
        return Image(w, h, bytes(rows))

    def difference(self, other):
        """Mean absolute difference per channel of two pictures of the same size."""
        a, b = self.pixels, other.pixels
        return sum(abs(x - y) for x, y in zip(a, b)) / len(a)

    def save_png(self, path):
        raw = b"".join(b"\0" + self.pixels[r * self.width * 3:(r + 1) * self.width * 3]
                       for r in range(self.height))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(raw)))
            f.write(chunk(b"IEND", b""))


def read_png(path):
    """An 8-bit RGB or RGBA PNG, without interlace, as an Image (alpha dropped)."""
    data = open(path, "rb").read()
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            if depth != 8 or colour not in (2, 6):
                raise ValueError("unsupported PNG %s" % path)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    channels = 3 if colour == 2 else 4
    stride = width * channels
    raw = zlib.decompress(idat)
    out, previous = bytearray(), bytearray(stride)
    for r in range(height):
        kind = raw[r * (stride + 1)]
        line = bytearray(raw[r * (stride + 1) + 1:(r + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + pred) & 255
        previous = line
        for x in range(width):
            out += line[x * channels:x * channels + 3]
    return Image(width, height, bytes(out))


def parse_xwd(data):
    """A ZPixmap XWD dump of 24 or 32 bits per pixel, as an Image."""
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    byte_order, bits_per_pixel, line_bytes = header[7], header[11], header[12]
    red_mask, green_mask, blue_mask = header[14], header[15], header[16]
    colours = header[19]
    if bits_per_pixel not in (24, 32):
        raise ValueError("unsupported XWD depth %d" % bits_per_pixel)
    start = header_size + colours * 12
    step = bits_per_pixel // 8
    out = bytearray(width * height * 3)
    if step == 4 and byte_order == 0 and (red_mask, green_mask, blue_mask) == (0xFF0000, 0xFF00, 0xFF):
        # The usual layout: B, G, R, pad per pixel.
        for y in range(height):
            row = data[start + y * line_bytes:start + y * line_bytes + width * 4]
            line = out[y * width * 3:(y + 1) * width * 3]
            line[0::3], line[1::3], line[2::3] = row[2::4], row[1::4], row[0::4]
            out[y * width * 3:(y + 1) * width * 3] = line
        return Image(width, height, bytes(out))
    order = "<" if byte_order == 0 else ">"
    shifts = [(m, (m & -m).bit_length() - 1) for m in (red_mask, green_mask, blue_mask)]
    i = 0
    for y in range(height):
        row = data[start + y * line_bytes:start + y * line_bytes + width * step]
        for x in range(width):
            chunk = row[x * step:(x + 1) * step]
            value = struct.unpack(order + "I", chunk + b"\0" if step == 3 else chunk)[0]
            out[i:i + 3] = bytes((value & m) >> s for m, s in shifts)
            i += 3
    return Image(width, height, bytes(out))


def cells():
    """The 24 cells of the board as (posX, posY, up), in sequence order."""
    found = []
    for x in range(4):
        for y in range(4):
            for z in range(2):
                pos_y = 2 * (y - x) - 1 + 2 * z
                if -4 < pos_y < 4:
                    found.append((x + y + 1, pos_y, z == 1))
    return found


def neighbours(cell):
    """The cells across the three edges of a cell, those on the board."""
    p, q, up = cell
    across = [(p, q - 2 if up else q + 2, not up), (p - 1, q, not up), (p + 1, q, not up)]
    board = set(cells())
    return [c for c in across if c in board]


def cell_centre(cell):
    p, q, _ = cell
    return 30 * p + 30, 150 - 26 * q


def digit_origin(cell):
    p, q, up = cell
    left = 30 * p
    top = 150 - int((q + 1) / 2) * 52
    return left + 21, top + (26 if up else 8)


class Xvfb:
    def __init__(self, width=1024, height=768):
        # Xvfb picks a free display itself and names it once it accepts connections. Without
        # -noreset it resets whenever its last client leaves, as between two games, and refuses
        # a client that connects meanwhile.
        ready, announce = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(announce), "-noreset", "-screen", "0",
             "%dx%dx24" % (width, height), "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(announce,))
        os.close(announce)
        number = b""
        deadline = time.monotonic() + PROCESS_WAIT
        while not number.endswith(b"\n"):
            waiting, _, _ = select.select([ready], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(ready, 16) if waiting else b""
            if not chunk:
                os.close(ready)
                self.process.kill()
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(ready)
        self.display = ":%d" % int(number)

    def run(self, *command, check=True):
        env = dict(os.environ, DISPLAY=self.display)
        result = subprocess.run(command, env=env, capture_output=True, text=True)
        if check and result.returncode != 0:
            raise RuntimeError("%s: %s" % (" ".join(command), result.stderr))
        return result.stdout

    def screenshot(self, window):
        """One window's contents."""
        env = dict(os.environ, DISPLAY=self.display)
        data = subprocess.run(["xwd", "-silent", "-id", window], env=env, capture_output=True,
                              check=True).stdout
        return parse_xwd(data)

    def close(self):
        self.process.terminate()
        self.process.wait(PROCESS_WAIT)

    def kill(self):
        """Ends the server at once, as a crash would, and removes the lock file and socket that
        it had no chance to remove."""
        self.process.kill()
        self.process.wait()
        number = self.display[1:]
        # The X server keeps these in /tmp whatever TMPDIR says.
        for path in ("/tmp/.X%s-lock" % number, "/tmp/.X11-unix/X%s" % number):
            try:
                os.remove(path)
            except FileNotFoundError:
                pass


_scratch = None


def scratch_folder():
    """The one temporary folder of this process under which the harness makes every folder,
    removed when the process ends."""
    global _scratch
    if _scratch is None:
        _scratch = tempfile.TemporaryDirectory(prefix="kalmeno-e2e-")
        atexit.register(_scratch.cleanup)
    return _scratch.name


def wait_for_window(x, title, process, timeout=PROCESS_WAIT):
    """The id of the first shown window of the process whose name matches title, once there is
    one: only its own, for the window of a game that has just ended may still be listed, and
    another copy's may be there. Fails when the process ends first (with its standard error when
    that is piped), or when timeout seconds pass."""
    for last in looks(timeout):
        found = x.run("xdotool", "search", "--all", "--onlyvisible", "--pid", str(process.pid),
                      "--name", title, check=False).split()
        if found:
            return found[0]
        if process.poll() is not None:
            errors = process.stderr.read().decode(errors="replace") if process.stderr else ""
            raise RuntimeError("%s ended with status %d before showing %s %s"
                               % (process.args[0], process.returncode, title, errors))
        if last:
            raise RuntimeError("no window %s within %.0f s" % (title, timeout))


def own_folders(config=None):
    """Environment entries that give one game process folders of its own: a fresh TMPDIR, HOME
    and XDG folders, the preferences folder (XDG_CONFIG_HOME) config when given."""
    root = tempfile.mkdtemp(prefix="game-", dir=scratch_folder())
    home = os.path.join(root, "home")
    folders = {"TMPDIR": os.path.join(root, "tmp"), "HOME": home,
               "XDG_CONFIG_HOME": os.path.join(home, ".config"),
               "XDG_STATE_HOME": os.path.join(home, ".local", "state"),
               "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
               "XDG_CACHE_HOME": os.path.join(home, ".cache"),
               "XDG_RUNTIME_DIR": os.path.join(root, "runtime")}
    for folder in folders.values():
        os.makedirs(folder, mode=0o700)
    if config:
        folders["XDG_CONFIG_HOME"] = config
    return folders


class Game:
    """The program on a display, with folders of its own and an empty preferences folder, or
    config (that of an earlier run, say), and a temporary folder of its own, or tmpdir. preexec,
    when given, runs in the child just before the program starts (a resource limit, say)."""

    def __init__(self, x, binary, config=None, preexec=None, tmpdir=None,
                 show_within=PROCESS_WAIT):
        self.x = x
        folders = own_folders(config)
        if tmpdir:
            folders["TMPDIR"] = tmpdir
        self.config = folders["XDG_CONFIG_HOME"]
        self.tmpdir = folders["TMPDIR"]
        env = dict(os.environ, DISPLAY=x.display, QT_QPA_PLATFORM="xcb", **folders)
        env.pop("QT_QPA_PLATFORMTHEME", None)
        self.started = time.monotonic()
        self.process = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE, preexec_fn=preexec)
        self.window = self.find_window("^Kalmeno$", show_within)

    def find_window(self, title, timeout=WAIT):
        return wait_for_window(self.x, title, self.process, timeout)

    def geometry(self, window=None):
        out = self.x.run("xwininfo", "-id", window or self.window)
        value = {}
        for line in out.splitlines():
            line = line.strip()
            for key, name in (("Absolute upper-left X:", "x"), ("Absolute upper-left Y:", "y"),
                              ("Width:", "w"), ("Height:", "h")):
                if line.startswith(key):
                    value[name] = int(line.split(":")[1])
        return value["x"], value["y"], value["w"], value["h"]

    def field_origin(self):
        """The screen position of the field: the bottom 300 by 300 of the main window."""
        x, y, w, h = self.geometry()
        return x, y + h - FIELD

    def field(self):
        """The field as it is on screen: the bottom 300 by 300 of the main window."""
        shot = self.x.screenshot(self.window)
        return shot.crop(0, shot.height - FIELD, FIELD, FIELD)

    def menu_bar(self):
        """The strip of the main window above the field, and its screen position."""
        shot = self.x.screenshot(self.window)
        x, y, _, _ = self.geometry()
        return shot.crop(0, 0, shot.width, shot.height - FIELD), (x, y)

    def focus(self, window=None):
        self.x.run("xdotool", "windowfocus", "--sync", window or self.window, check=False)

    def key(self, *keys, window=None):
        self.focus(window)
        self.x.run("xdotool", "key", "--delay", "60", *keys)

    # The pointer is moved and the button pressed by one xdotool, whose requests the server
    # handles in order: the press lands where the pointer was put. (Its mousemove --sync would
    # wait 15 s for a move that never comes when the pointer is there already.)

    def point(self, sx, sy):
        """The pointer put at that screen position."""
        self.x.run("xdotool", "mousemove", str(sx), str(sy))

    def click(self, sx, sy):
        self.x.run("xdotool", "mousemove", str(sx), str(sy), "click", "1")

    def drag_cells(self, a, b):
        fx, fy = self.field_origin()
        (ax, ay), (bx, by) = cell_centre(a), cell_centre(b)
        steps = []
        for t in (0.33, 0.66, 1.0):
            steps += ["sleep", "0.03", "mousemove", str(int(fx + ax + (bx - ax) * t)),
                      str(int(fy + ay + (by - ay) * t))]
        self.x.run("xdotool", "mousemove", str(fx + ax), str(fy + ay), "mousedown", "1", *steps,
                   "sleep", "0.03", "mouseup", "1")

    def menu_titles(self):
        """The screen centres of the menu titles, left to right, found as runs of dark text."""
        strip, (x, y) = self.menu_bar()
        background = strip.pixel(strip.width - 2, strip.height // 2)
        columns = []
        for cx in range(strip.width):
            dark = any(sum(abs(a - b) for a, b in zip(strip.pixel(cx, cy), background)) > 200
                       for cy in range(strip.height))
            columns.append(dark)
        runs, start = [], None
        for cx, dark in enumerate(columns + [False]):
            if dark and start is None:
                start = cx
            if start is not None and not any(columns[cx:cx + 8]):
                runs.append((start, cx))
                start = None
        return [(x + (a + b) // 2, y + strip.height // 2) for a, b in runs]

    def open_menu(self, index):
        def drawn_titles():
            titles = self.menu_titles()
            return titles if len(titles) == 4 else None

        titles = wait_until(drawn_titles, "4 menu titles drawn on the bar")
        self.click(*titles[index])
        wait_until(self.open_popups, "the menu opened by a click on its title")

    def open_volume_menu(self):
        """Opens Game > 効果音 from the keyboard: the last item of the Game menu."""
        self.open_menu(2)
        self.x.run("xdotool", "key", "--delay", "80", "Up", "Right")
        wait_until(lambda: len(self.open_popups()) == 2, "the volume submenu")

    def choose_volume(self, downs):
        """The volume item that many rows down the submenu, chosen from the keyboard."""
        self.open_volume_menu()
        self.x.run("xdotool", "key", "--delay", "80", *["Down"] * downs, "Return")
        self.wait_menus_closed("the volume item")

    def open_popups(self):
        """The program's menus that are on screen: its shown windows other than the main one."""
        shown = self.x.run("xdotool", "search", "--all", "--onlyvisible", "--pid",
                           str(self.process.pid), "--class", "kalmeno", check=False).split()
        return [w for w in shown if w != self.window]

    def wait_menus_closed(self, what):
        """Waits until no menu of the program is on screen; what is the action that closed them."""
        wait_until(lambda: not self.open_popups(), "%s left a menu open" % what)

    def wait_closed(self, title):
        """Waits until no window whose name matches title is on screen."""
        wait_until(lambda: not self.x.run("xdotool", "search", "--onlyvisible", "--name", title,
                                          check=False).split(), "%s is still open" % title)

    def wait_exit(self, timeout=PROCESS_WAIT):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            raise AssertionError("the game did not quit")

    def preferences(self):
        path = os.path.join(self.config, "Kalmenoの設定")
        return open(path, "rb").read() if os.path.exists(path) else None

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


class BoardReader:
    """Reads the digits on the field by comparing each cell's glyph square with TilePict."""

    def __init__(self, resources):
        tiles = read_png(os.path.join(resources, "TilePict.png"))
        self.glyphs = [tiles.crop(18 * v, 0, 18, 18) for v in range(10)]
        # The digit of each square seen: the same squares come back read after read.
        self.known = {}

    def read(self, field):
        """Per cell in sequence order: its digit, or None for an empty cell."""
        return [self.digit(field.crop(*digit_origin(cell), 18, 18)) for cell in cells()]

    def digit(self, square):
        if square.pixels not in self.known:
            scores = [square.difference(g) for g in self.glyphs]
            best = min(range(10), key=scores.__getitem__)
            self.known[square.pixels] = best if scores[best] < 12 else None
        return self.known[square.pixels]


def wait_for_board(game, reader, timeout=PROCESS_WAIT, longest_pause=0.1):
    """The first full board on screen, and the seconds from launch until its screenshot was
    taken, which is late by up to longest_pause."""
    for last in looks(timeout, longest_pause):
        taken = time.monotonic()
        board = reader.read(game.field())
        if all(v is not None for v in board):
            return board, taken - game.started
        if last:
            raise AssertionError("no full board within %.0f s" % timeout)


def read_settled(game, reader, expected, timeout=WAIT):
    """The board once it shows `expected`, else the last board read."""
    for last in looks(timeout):
        board = reader.read(game.field())
        if board == expected or last:
            return board


def apply_move(board, a, b):
    """The board after the move of tile a onto neighbour b by the rule; None when illegal."""
    order = cells()
    i, j = order.index(a), order.index(b)
    va, vb = board[i], board[j]
    if va is None or vb is None or abs(va - vb) > 1:
        return None
    after = list(board)
    after[i] = None
    after[j] = (va + vb) % 10 or None
    return after


def legal_moves(board):
    order = cells()
    for a in order:
        for b in neighbours(a):
            if apply_move(board, a, b) is not None:
                yield a, b


def build_dir(binary):
    """The build tree of the bundle's binary (build/Kalmeno/bin/kalmeno)."""
    return os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(binary))))


def resources_dir(binary):
    return os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(binary))), "Resources")


def screenshot_dir(binary):
    path = os.path.join(build_dir(binary), "e2e-screenshots")
    os.makedirs(path, exist_ok=True)
    return path


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def main(test):
    """Runs test(x, binary) on a fresh display; exit status 0 when it passed."""
    binary = sys.argv[1]
    x = Xvfb()
    # Every preferences folder and bundle the test makes goes into the scratch folder.
    tempfile.tempdir = scratch_folder()
    try:
        test(x, binary)
    except AssertionError as e:
        print("FAILED:", e)
        sys.exit(1)
    finally:
        x.close()
        tempfile.tempdir = None
    print("passed")


def problem_lines(error):
    """The lines of a standard error's bytes other than blank ones and the sound back end's."""
    return [line for line in error.decode(errors="replace").splitlines()
            if line.strip() and not line.startswith(SOUND_LINES)]


def resident_kib(pid):
    """The process's resident size in KiB."""
    for line in open("/proc/%d/status" % pid):
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    raise RuntimeError("no resident size for process %d" % pid)


def mark(met):
    """What a benchmark prints after a figure beside its target."""
    return "" if met else "  MISSED"


def run_benchmark(name, measure):
    """Runs a benchmark's measure(), which exits 0, or 1 for a missed target; a run that could
    not measure exits 2 and says why on standard error: it is no missed target."""
    try:
        measure()
    except Exception as error:
        traceback.print_exc()
        print("%s could not measure: %s" % (name, error), file=sys.stderr)
        sys.exit(2)
