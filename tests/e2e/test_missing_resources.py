"""The game started from a bundle without its Resources folder: silent and without pictures,
it keeps running, takes input and quits cleanly."""

import os
import shutil
import tempfile
import time

import kalmeno_e2e as e2e
from kalmeno_e2e import check

# Seconds the game runs on its own, before the input and after it, for a fault to show.
RUN_ON = 1.0


def test(x, binary):
    bundle = tempfile.mkdtemp(prefix="kalmeno-bare-")
    os.makedirs(os.path.join(bundle, "bin"))
    bare = os.path.join(bundle, "bin", "kalmeno")
    shutil.copy2(binary, bare)

    game = e2e.Game(x, bare)
    try:
        time.sleep(RUN_ON)
        check(game.process.poll() is None, "the game ended without its media")
        fx, fy = game.field_origin()
        for cx, cy in ((150, 124), (38, 277), (262, 277)):
            game.click(fx + cx, fy + cy)
        game.key("ctrl+t", "Left", "Right", "a", "ctrl+r", "ctrl+period")
        game.open_menu(3)
        game.x.run("xdotool", "key", "--delay", "80", "Down", "Return")
        about = game.find_window("^Kalmenoについて$")
        game.key("space", window=about)
        game.wait_closed("^Kalmenoについて$")
        time.sleep(RUN_ON)
        check(game.process.poll() is None, "the game ended under input")
        game.x.screenshot(game.window).save_png(
            os.path.join(e2e.screenshot_dir(binary), "main-window-without-media.png"))
        game.key("ctrl+q")
        check(game.wait_exit() == 0, "the game did not end cleanly")
        check(game.preferences() == b"001", "preferences hold %r" % game.preferences())
    finally:
        game.stop()
        shutil.rmtree(bundle, ignore_errors=True)


if __name__ == "__main__":
    e2e.main(test)
