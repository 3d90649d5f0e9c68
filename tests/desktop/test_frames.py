"""The frames openbox gives the real windows: the buttons they ask for, and what minimising
does while a dialog is open."""
import time
import unittest

from desktop import DesktopTest, wait_until


class Frames(DesktopTest):
    def motif_hints(self, window):
        """(functions, decorations) of the window's _MOTIF_WM_HINTS."""
        text = self.desktop.x("xprop", "-id", window, "_MOTIF_WM_HINTS")
        values = [int(v, 16) for v in text.split("=", 1)[1].split(",")]
        self.assertEqual(values[0] & 3, 3, text)  # both fields are given
        return values[1], values[2]

    def test_windows_ask_for_no_maximise_and_dialogs_for_a_close_button_only(self):
        calc = self.calculator().start()
        calc.wait_active()
        minimise, maximise = (MWM_FUNC_MINIMIZE, MWM_DECOR_MINIMIZE), \
            (MWM_FUNC_MAXIMIZE, MWM_DECOR_MAXIMIZE)
        functions, decorations = self.motif_hints(calc.window)
        self.assertTrue(functions & minimise[0] and decorations & minimise[1])
        self.assertFalse(functions & maximise[0] or decorations & maximise[1])
        for title, button in (("Settings", 32), ("Help", 53), ("About", 74)):
            calc.click(button, 11)
            dialog = wait_until(lambda: self.desktop.window_named(title), 10, title)
            functions, decorations = self.motif_hints(dialog)
            self.assertTrue(functions & MWM_FUNC_CLOSE, title)
            for function, decoration in (minimise, maximise):
                self.assertFalse(functions & function or decorations & decoration, title)
            # What openbox grants is what its frame shows: it draws a maximise button, even a
            # disabled one, wherever it draws a minimise button.
            actions = self.allowed_actions(dialog)
            self.assertIn("CLOSE", actions, title)
            for action in ("MINIMIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT"):
                self.assertNotIn(action, actions, title)
            if title == "Help":
                self.assertIn("RESIZE", actions)
            self.desktop.xdotool("windowactivate", "--sync", dialog, "key", "Return")
            wait_until(lambda: not self.desktop.window_named(title), 10, f"{title} to close")
        self.assertEqual(calc.close(), 0)

    def allowed_actions(self, window):
        """The _NET_WM_ACTION_* names the window manager allows the window, without prefix."""
        text = self.desktop.x("xprop", "-id", window, "_NET_WM_ALLOWED_ACTIONS")
        return {name.strip().replace("_NET_WM_ACTION_", "")
                for name in text.split("=", 1)[1].split(",")} if "=" in text else set()

    def shown(self, window):
        """Whether the window is on the screen: mapped and in the normal state."""
        return "IsViewable" in self.desktop.x("xwininfo", "-id", window) and \
            "Normal" in self.desktop.x("xprop", "-id", window, "WM_STATE")

    def test_minimising_a_modal_dialog_or_its_owner_leaves_both_on_screen(self):
        calc = self.calculator().start()
        calc.wait_active()
        calc.click(32, 11)
        dialog = wait_until(lambda: self.desktop.window_named("Settings"), 10, "Settings")
        wait_until(lambda: self.desktop.active_window() == dialog, 10, "Settings to be active")
        # As a pager or a key binding would: openbox minimises the owner with the dialog.
        for target in (dialog, calc.window):
            self.desktop.xdotool("windowminimize", target)
            time.sleep(1)  # the window manager's minimising and the program's answer
            wait_until(lambda: self.shown(calc.window) and self.shown(dialog), 10,
                       "the window and its dialog back on the screen")
            wait_until(lambda: self.desktop.active_window() == dialog, 10,
                       "Settings to be active again")
        self.desktop.xdotool("key", "Escape")
        wait_until(lambda: not self.desktop.window_named("Settings"), 10, "Settings to close")
        self.assertEqual(calc.close(), 0)



# The bits of _MOTIF_WM_HINTS that a window manager reads for the frame's buttons.
MWM_FUNC_MINIMIZE, MWM_FUNC_MAXIMIZE, MWM_FUNC_CLOSE = 0x08, 0x10, 0x20
MWM_DECOR_MINIMIZE, MWM_DECOR_MAXIMIZE = 0x20, 0x40


if __name__ == "__main__":
    unittest.main()
