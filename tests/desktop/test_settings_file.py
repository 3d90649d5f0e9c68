"""The settings file on a real run: one the user may not write is left exactly as it was."""
import os
import stat
import unittest

from desktop import DesktopTest, scratch_folder

READ_ONLY_FILE = (b"pos: 150 120 660 405 0\r\npin: 0\r\nkeyp: 1\r\nresd: 4\r\nres0: 1\r\n"
                  b"resg: 1\r\nsave: 1\r\nesc: 2\r\nexpr: \r\n 1+1\r\n")


class SettingsFile(DesktopTest):
    def test_read_only_file_in_writable_folder_is_left_as_it_was(self):
        folder = scratch_folder(self)
        calc = self.calculator(folder, settings=READ_ONLY_FILE, mode=0o444)
        self.assertTrue(os.access(folder, os.W_OK))
        inode = os.stat(calc.settings_path).st_ino
        calc.start()
        calc.wait_active()
        # Typing, moving the window and closing would all be saved to a writable file.
        self.desktop.xdotool("type", "--delay", "20", "*3")
        self.desktop.xdotool("windowmove", calc.window, "40", "50")
        self.assertEqual(calc.close(), 0)
        self.assertEqual(calc.read_settings(), READ_ONLY_FILE)
        after = os.stat(calc.settings_path)
        self.assertEqual(after.st_ino, inode)  # not replaced by a new file either
        self.assertEqual(stat.S_IMODE(after.st_mode), 0o444)
        self.assertEqual(sorted(os.listdir(folder)), ["corvane", "corvane.cfg", "home",
                                                      "program.log"])


if __name__ == "__main__":
    unittest.main()
