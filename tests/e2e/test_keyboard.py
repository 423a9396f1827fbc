"""The keyboard stays with the game around the menus: after a menu opened with the mouse is
closed, by one Esc or by a click outside it, and after Alt is tapped alone, the arrow keys
undo and redo, and no menu opens from the keyboard."""

import kalmeno_e2e as e2e
from kalmeno_e2e import check


def test(x, binary):
    reader = e2e.BoardReader(e2e.resources_dir(binary))
    game = e2e.Game(x, binary)
    try:
        start, _ = e2e.wait_for_board(game, reader)
        a, b = next(e2e.legal_moves(start))
        played = e2e.apply_move(start, a, b)
        game.drag_cells(a, b)
        check(e2e.read_settled(game, reader, played) == played, "the move %s -> %s was not made" % (a, b))
        game.focus()

        def press(key, expected, after):
            x.run("xdotool", "key", key)
            board = e2e.read_settled(game, reader, expected)
            check(board == expected, "%s after %s: the board is\n%s\nnot\n%s" % (key, after, board, expected))
            check(not game.open_popups(), "%s after %s opened a menu" % (key, after))

        # A menu that a key wrongly opens is caught by the next press: the game handles keys
        # in order, so once that press shows on the board the menu would be open.
        def close_with(what, *keys):
            x.run("xdotool", "key", *keys)
            game.wait_menus_closed(what)

        game.open_menu(2)
        close_with("one Esc", "Escape")
        press("Left", start, "a menu closed with one Esc")
        press("Right", played, "a menu closed with one Esc")

        game.open_menu(0)
        strip, (left, top) = game.menu_bar()
        game.click(left + strip.width - 4, top + strip.height // 2)
        game.wait_menus_closed("a click outside")
        press("Left", start, "a menu closed by a click outside")

        close_with("Alt alone", "alt")
        press("Right", played, "Alt alone")
        close_with("Alt alone, then Down", "alt", "Down")
        press("Left", start, "Alt alone, then Down")
    finally:
        game.stop()


if __name__ == "__main__":
    e2e.main(test)
