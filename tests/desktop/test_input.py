"""Real keys, clicks and wheel turns: nothing typed is lost, results stay on their lines, and
the keypad keeps working whatever the mouse does to it."""
import time
import unittest

from desktop import DesktopTest, Rect, wait_until

PANEL_WIDTH = 178    # the keypad along the right edge
PANEL_SPACE = 181    # what the keypad takes from the panes
RESULTS_WIDTH = 150
PANE_TOP = 22
SETTINGS_BUTTON = (32, 11)
KEEP_ON_TOP_BUTTON = (11, 11)
KEYPAD_ROWS = ["sin cos tan pi del", "asin acos atan ln log", "exp rad pow par1 par2",
               "n7 n8 n9 div ox", "n4 n5 n6 mul ob", "n1 n2 n3 sub equ",
               "n0 n0 dot add up", "ent ent le dn ri"]
FAST_TYPIST = "0123456789"
LINE_COUNT = 80


def is_prime(n):
    return n > 1 and all(n % d for d in range(2, int(n ** 0.5) + 1))


def sheet_lines():
    """Line n holds n, except that prime lines are empty: no stretch of lines repeats, so
    results standing one line too high or too low never look level."""
    return ["" if is_prime(n) else str(n) for n in range(1, LINE_COUNT + 1)]


def similar(lines, others):
    """Two lists of line middles that stand level, give or take the border of a pane."""
    return len(lines) == len(others) and all(abs(a - b) <= 3 for a, b in zip(lines, others))


def bands(rows):
    """The middles of the runs of consecutive rows: one per text line drawn."""
    found, start = [], None
    for i, row in enumerate(rows):
        if start is None:
            start = row
        if i + 1 == len(rows) or rows[i + 1] != row + 1:
            found.append((start + row) / 2)
            start = None
    return found


class Input(DesktopTest):
    def start(self, settings=None):
        calc = self.calculator(settings=settings)
        calc.start()
        calc.wait_active()
        return calc

    def key_point(self, calc, key):
        """The middle of a keypad key, inside the window."""
        inner = calc.client_rect()
        height = min(inner.height - 1, 300)
        for row, names in enumerate(KEYPAD_ROWS):
            columns = [i for i, name in enumerate(names.split()) if name == key]
            if columns:
                middle = (columns[0] + columns[-1] + 1) / 2
                return (inner.width - PANEL_WIDTH + 1 + int(middle * (PANEL_WIDTH - 2) / 5),
                        int((row + 0.5) * height / len(KEYPAD_ROWS)))
        raise KeyError(key)

    def type_fast(self):
        """A fast typist: ten keys, 20 ms apart."""
        self.desktop.xdotool("type", "--delay", "20", FAST_TYPIST)

    def test_keys_right_after_closing_settings_all_arrive(self):
        calc = self.start()
        calc.click(*SETTINGS_BUTTON)
        settings = wait_until(lambda: self.desktop.window_named("Settings"), 10,
                              "the Settings dialog")
        wait_until(lambda: self.desktop.active_window() == settings, 10,
                   "the Settings dialog to be active")
        self.desktop.xdotool("key", "Escape")
        time.sleep(0.1)  # the typist starts 100 ms after the Esc
        self.type_fast()
        wait_until(lambda: not self.desktop.window_named("Settings"), 10,
                   "the Settings dialog to close")
        self.assertEqual(calc.close(), 0)
        self.assertEqual(calc.expressions(), [FAST_TYPIST])

    def pane_rects(self, calc):
        """The text areas of the expression pane and the results pane on the screen."""
        inner = calc.client_rect()
        w = inner.width - PANEL_SPACE
        height = inner.height - PANE_TOP - 1
        expressions = Rect(inner.left + 4, inner.top + PANE_TOP + 3,
                           w - RESULTS_WIDTH - 2 - 8, height - 6)
        results = Rect(inner.left + w - RESULTS_WIDTH + 2, inner.top + PANE_TOP + 3,
                       RESULTS_WIDTH - 4, height - 6)
        return expressions, results

    def text_lines(self, calc):
        """Where the text lines of both panes stand: two lists of row middles."""
        shot = self.desktop.screenshot()
        return [bands(shot.dark_rows(rect)) for rect in self.pane_rects(calc)]

    def assert_level(self, calc, what):
        expressions, results = self.text_lines(calc)
        self.assertGreater(len(expressions), 3, what)
        self.assertTrue(similar(expressions, results), f"{what}: {expressions} {results}")
        return expressions

    def test_wheel_over_results_scrolls_both_panes_level(self):
        block = b"".join(b" " + line.encode() + b"\r\n" for line in sheet_lines())
        calc = self.start(settings=b"expr: \r\n" + block)
        top = self.assert_level(calc, "at the start")

        _, results = self.pane_rects(calc)
        self.desktop.xdotool("mousemove", "--sync", str(results.left + results.width // 2),
                             str(results.top + results.height // 2))
        self.desktop.xdotool("click", "--repeat", "4", "--delay", "30", "5")  # wheel down
        wait_until(lambda: not similar(self.text_lines(calc)[0], top), 10,
                   "the expression pane to scroll")
        scrolled = self.assert_level(calc, "after the wheel over the results")

        self.desktop.xdotool("click", "--repeat", "2", "--delay", "30", "4")  # wheel up
        wait_until(lambda: not similar(self.text_lines(calc)[0], scrolled), 10,
                   "the expression pane to scroll back")
        self.assert_level(calc, "after the wheel up")

        # Ctrl+wheel over the results must not zoom them off their lines either.
        self.desktop.xdotool("keydown", "ctrl", "click", "--repeat", "3", "--delay", "30", "4",
                             "keyup", "ctrl")
        self.assert_level(calc, "after Ctrl+wheel")

        # The caret taken to the end scrolls the expressions to their last line.
        self.desktop.xdotool("key", "ctrl+End")
        wait_until(lambda: not similar(self.text_lines(calc)[0], scrolled), 10,
                   "the scroll to the end")
        end = self.assert_level(calc, "at the end")

        # The results pane's own caret, taken to the top, brings the expressions along.
        self.desktop.xdotool("key", "Tab", "ctrl+Home")
        wait_until(lambda: not similar(self.text_lines(calc)[0], end), 10,
                   "the scroll back to the top")
        self.assert_level(calc, "after the results' caret went to the top")

    def test_keypad_keeps_working_after_right_click_and_back_button(self):
        calc = self.start()
        calc.click(*self.key_point(calc, "n7"))
        # A right click on a key, then the keys that would pick the first entry (Back) of a
        # context menu, had one opened; without a menu they reach the expression pane.
        calc.click(*self.key_point(calc, "n5"), button=3)
        time.sleep(0.3)
        self.desktop.xdotool("key", "Down", "Return")
        calc.click(*self.key_point(calc, "n8"))
        calc.click(*self.key_point(calc, "n5"), button=8)  # the mouse's back button
        time.sleep(0.3)
        calc.click(*self.key_point(calc, "n9"))
        # Ctrl+wheel over the keypad would zoom it, and the next click would miss its key.
        self.desktop.xdotool("keydown", "ctrl", "click", "--repeat", "3", "--delay", "30", "4",
                             "keyup", "ctrl")
        calc.click(*self.key_point(calc, "n4"))
        self.assertEqual(calc.close(), 0)
        self.assertEqual(calc.expressions(), ["7", "894"])

    def panel_button(self, calc, shown):
        width = calc.client_rect().width
        return (width - (PANEL_SPACE if shown else 0) - 21 + 10, 11)

    def test_keys_right_after_a_small_button_or_a_keypad_key_all_arrive(self):
        # A tall window: below the keys, the keypad view shows only its background.
        calc = self.start(settings=b"pos: 300 100 810 600 0\r\n")
        below_keys = (calc.client_rect().width - PANEL_WIDTH // 2, 400)
        clicks = [lambda: KEEP_ON_TOP_BUTTON,
                  lambda: self.panel_button(calc, shown=True),   # hides the keypad
                  lambda: self.panel_button(calc, shown=False),  # shows it again
                  lambda: below_keys,
                  lambda: self.key_point(calc, "n7")]
        for n, point in enumerate(clicks):
            if n:
                self.desktop.xdotool("key", "Return")
            calc.click(*point())
            time.sleep(0.1)
            self.type_fast()
        # Every key has reached the pane once the last one has been evaluated and saved.
        self.assertEqual(calc.close(), 0)
        self.assertEqual(calc.expressions(), [FAST_TYPIST] * 4 + ["7" + FAST_TYPIST])
        self.assertEqual(calc.settings_line("pin:"), "pin: 1")
        self.assertEqual(calc.settings_line("keyp:"), "keyp: 1")

    def test_results_show_their_left_edge_again_after_scrolling_sideways(self):
        calc = self.start(settings=b"expr: \r\n -1,u\r\n 2\r\n 33\r\n")
        expressions, results = self.pane_rects(calc)
        wait_until(lambda: len(bands(self.desktop.screenshot().dark_rows(results))) == 3, 10,
                   "three results")
        # Read the long result to its end: the pane scrolls sideways.
        self.desktop.xdotool("key", "Tab", "ctrl+Home", "End")
        wait_until(lambda: len(bands(self.desktop.screenshot().dark_rows(results))) == 1, 10,
                   "the short results to scroll out of sight")
        # Back in the expressions, a change recalculates: every result shows from its start.
        self.desktop.click(expressions.left + 40, expressions.top + 60)
        self.desktop.xdotool("key", "ctrl+End")
        self.desktop.xdotool("type", "--delay", "20", "+1")
        wait_until(lambda: len(bands(self.desktop.screenshot().dark_rows(results))) == 3, 10,
                   "the results' left edge to show again")
        self.assertEqual(calc.close(), 0)
        self.assertEqual(calc.expressions(), ["-1,u", "2", "33+1"])


if __name__ == "__main__":
    unittest.main()
