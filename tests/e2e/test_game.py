"""The real game under Xvfb with real input: the first board, a move read back from the screen,
a volume chosen through the menu and kept across a restart, the about and help windows; nothing
on standard error but the sound back end's word that it found no sound server."""

import os

import kalmeno_e2e as e2e
from kalmeno_e2e import check


def topmost_popup(game):
    """The id of the frontmost menu popup: the top child of the root named like the program."""
    for line in game.x.run("xwininfo", "-root", "-children").splitlines():
        if '"kalmeno": ("kalmeno"' in line:
            return line.split()[0]
    raise AssertionError("no menu popup open")


def checked_row(popup, rows=10):
    """The row of a menu of `rows` items whose check mark is drawn: the grey ink in the left
    margin inside the frame (a highlighted row's blue is passed over), by its height in the menu."""
    marks = []
    for y in range(3, popup.height - 3):
        for x in range(4, 26):
            r, g, b = popup.pixel(x, y)
            if max(r, g, b) - min(r, g, b) < 16 and max(r, g, b) < 200:
                marks.append(y)
    check(marks, "no check mark in the menu")
    return int(sum(marks) / len(marks) / (popup.height / rows))


def test(x, binary):
    shots = e2e.screenshot_dir(binary)
    reader = e2e.BoardReader(e2e.resources_dir(binary))

    game = e2e.Game(x, binary)
    try:
        board, _ = e2e.wait_for_board(game, reader)
        print("first board: %s" % board)
        game.field().save_png(os.path.join(shots, "main-window.png"))
        game.x.screenshot(game.window).save_png(os.path.join(shots, "main-window-with-menu.png"))

        # A move by dragging one tile onto a legal neighbour.
        a, b = next(e2e.legal_moves(board))
        expected = e2e.apply_move(board, a, b)
        game.drag_cells(a, b)
        after = e2e.read_settled(game, reader, expected)
        check(after == expected, "after the move %s -> %s:\n%s\nexpected\n%s" % (a, b, after, expected))

        # The volume step with Index 3 through the menu, then quit.
        game.choose_volume(2)
        game.key("ctrl+q")
        check(game.wait_exit() == 0, "the game did not end cleanly")
        check(game.preferences() == b"00D", "preferences hold %r" % game.preferences())
        lines = e2e.problem_lines(game.process.stderr.read())
        check(not lines, "a game played and quit wrote to standard error: %r" % lines)
    finally:
        game.stop()

    # The next run starts at step 3, checked in the menu.
    game = e2e.Game(x, binary, config=game.config)
    try:
        e2e.wait_for_board(game, reader)
        game.open_volume_menu()
        popup = game.x.screenshot(topmost_popup(game))
        popup.save_png(os.path.join(shots, "volume-menu.png"))
        check(checked_row(popup) == 3, "Index %d is the checked item, not 3" % checked_row(popup))
        game.x.run("xdotool", "key", "Escape", "Escape", "Escape")
        game.wait_menus_closed("three Esc")

        # The about window from the help menu, closed by a key; the help window, by Ctrl+W.
        about = open_from_help_menu(game, 1, "Kalmenoについて", (200, 80), shots, "about-window.png")
        game.key("space", window=about)
        game.wait_closed("^Kalmenoについて$")
        help_window = open_from_help_menu(game, 2, "Kalmenoの説明", (400, 370), shots, "help-window.png")
        game.key("ctrl+w", window=help_window)
        game.wait_closed("^Kalmenoの説明$")

        game.key("ctrl+q")
        check(game.wait_exit() == 0, "the game did not end cleanly")
        check(game.preferences() == b"00D", "an unchanged run changed the file")
    finally:
        game.stop()


def open_from_help_menu(game, position, title, size, shots, name):
    """Chooses the help menu's item at that position (from 1); the window it opens, kept as a
    screenshot."""
    game.open_menu(3)
    game.x.run("xdotool", "key", "--delay", "80", *["Down"] * position, "Return")
    window = game.find_window("^%s$" % title)
    check(game.geometry(window)[2:] == size, "%s is %s" % (title, game.geometry(window)[2:]))
    shot = e2e.wait_until(lambda: painted(game.x.screenshot(window)), "%s painted" % title)
    shot.save_png(os.path.join(shots, name))
    return window


def painted(shot):
    """The screenshot when it shows more than one colour (something drawn on the background)."""
    return shot if len(set(shot.pixels[i:i + 3] for i in range(0, len(shot.pixels), 3))) > 1 else None


if __name__ == "__main__":
    e2e.main(test)
