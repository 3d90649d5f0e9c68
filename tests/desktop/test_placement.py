"""Where the real window stands under openbox, and what it stores when it closes."""
import unittest

from desktop import (DesktopTest, Rect, SCREEN_HEIGHT, SCREEN_WIDTH, scratch_folder,
                     wait_until)


class Placement(DesktopTest):
    def test_first_run_is_centred_and_twenty_runs_do_not_move_it(self):
        folder = scratch_folder(self)
        calc = self.calculator(folder).start()
        # A busy window manager may frame the window after the keypad is ready: the window
        # fits itself then, so wait for that (a window that never fits still fails).
        sized = lambda: (lambda r: r if (r.width, r.height) == (510, 285) else None)(
            calc.outer_rect())
        outer = wait_until(sized, 10, "the outer window to be 510 x 285")
        self.assertLessEqual(abs(outer.left + outer.width / 2 - SCREEN_WIDTH / 2), 1)
        self.assertLessEqual(abs(outer.top + outer.height / 2 - SCREEN_HEIGHT / 2), 1)
        self.assertEqual(calc.close(), 0)
        first = calc.settings_line("pos:")
        self.assertEqual(first, f"pos: {outer.left} {outer.top} {outer.right} {outer.bottom} 0")

        for run in range(20):
            calc = self.calculator(folder).start()
            wait_until(lambda: calc.outer_rect() == outer, 10, f"run {run + 2} at the first place")
            self.assertEqual(calc.close(), 0)
            self.assertEqual(calc.settings_line("pos:"), first, f"run {run + 2}")

    def test_stored_rectangle_is_the_outer_one_and_minimum_size_too(self):
        folder = scratch_folder(self)
        calc = self.calculator(folder, settings=b"pos: 100 80 700 420 0\r\n").start()
        wait_until(lambda: calc.outer_rect() == Rect(100, 80, 600, 340), 10,
                   "the window on its stored rectangle")

        # Asking the window manager for a tiny window gives the outer minimum, 450 x 245.
        self.desktop.xdotool("windowsize", calc.window, "100", "100")
        wait_until(lambda: calc.outer_rect().width < 600, 10, "the window to shrink")
        self.assertEqual(calc.outer_rect(), Rect(100, 80, 450, 245))
        self.assertEqual(calc.close(), 0)
        self.assertEqual(calc.settings_line("pos:"), "pos: 100 80 550 325 0")

    def test_minimised_start_restores_onto_the_stored_rectangle(self):
        folder = scratch_folder(self)
        calc = self.calculator(folder, settings=b"pos: 200 150 710 435 1\r\n")
        calc.start(wait_for_keypad=True, visible=False)
        wm_state = lambda: self.desktop.x("xprop", "-id", calc.window, "WM_STATE")
        wait_until(lambda: "Iconic" in wm_state(), 10, "the window to be minimised")
        self.desktop.xdotool("windowactivate", "--sync", calc.window)
        wait_until(lambda: "Normal" in wm_state(), 10, "the window to be restored")
        wait_until(lambda: calc.outer_rect() == Rect(200, 150, 510, 285), 10,
                   "the window on its stored rectangle")
        self.assertEqual(calc.close(), 0)
        self.assertEqual(calc.settings_line("pos:"), "pos: 200 150 710 435 0")

    def test_a_place_off_every_screen_comes_fully_onto_the_screen(self):
        # Stored with a larger monitor: on 1280 x 800 only a corner would show.
        calc = self.calculator(settings=b"pos: 2000 1500 2510 1785 0\r\n").start()
        wait_until(lambda: calc.outer_rect() == Rect(SCREEN_WIDTH - 510, SCREEN_HEIGHT - 285,
                                                     510, 285), 10,
                   "the whole window in the screen's bottom right corner")
        self.assertEqual(calc.close(), 0)
        self.assertEqual(calc.settings_line("pos:"), "pos: 770 515 1280 800 0")

    def test_closing_maximised_stores_the_normal_rectangle(self):
        calc = self.calculator(settings=b"pos: 100 80 700 420 0\r\n").start()
        wait_until(lambda: calc.outer_rect() == Rect(100, 80, 600, 340), 10,
                   "the window on its stored rectangle")
        # The window manager maximises it, as a double click on the title bar would.
        self.desktop.send_wm_state(calc.window, True, "MAXIMIZED_VERT", "MAXIMIZED_HORZ")
        wait_until(lambda: calc.client_rect().width == SCREEN_WIDTH, 10,
                   "the window to be maximised")
        self.assertEqual(calc.close(), 0)
        self.assertEqual(calc.settings_line("pos:"), "pos: 100 80 700 420 0")

    def test_the_minimum_size_stays_and_shows_every_key_whole(self):
        folder = scratch_folder(self)
        least = Rect(100, 80, 450, 245)
        calc = self.calculator(folder, settings=b"pos: 100 80 550 325 0\r\n").start()
        wait_until(lambda: calc.outer_rect() == least, 10, "the window at its minimum size")
        # The new-line key's bottom border (green) runs along the keypad's last pixel row but one.
        inner = calc.client_rect()
        shot = self.desktop.screenshot()
        key = Rect(inner.right - PANEL_WIDTH + 10, inner.top, 50, inner.height - 1)
        green = [y for y in range(key.top, key.bottom)
                 if all(shot.pixel(x, y) == KEY_ENTER_BORDER for x in range(key.left, key.right))]
        self.assertTrue(green, "no bottom border of the new-line key")
        self.assertEqual(calc.close(), 0)
        self.assertEqual(calc.settings_line("pos:"), "pos: 100 80 550 325 0")


PANEL_WIDTH = 178
KEY_ENTER_BORDER = (0x3f, 0x8f, 0x3a)



if __name__ == "__main__":
    unittest.main()
