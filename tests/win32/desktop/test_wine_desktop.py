"""The Windows calculator on a real X server: the installed-form corvane.exe under Wine in Xvfb
with openbox, started from a folder whose name is not ASCII and typed into with xdotool. A
second Windows program under the same Wine server (the pane reader) reads the panes' exact text
and the window's rectangle. Screenshots for a person to look at go to CORVANE_SCREENSHOTS."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "desktop"))
from desktop import Rect, Timeout, VirtualDesktop, wait_until  # noqa: E402

PROGRAM = os.environ.get("CORVANE_PROGRAM", "")
READER = os.environ.get("CORVANE_PANE_READER", "")
LOADER = os.environ.get("CORVANE_WINE_LOADER", "wine")
SOURCE = os.environ.get("CORVANE_SOURCE_DIR", "")
SHOTS = os.environ.get("CORVANE_SCREENSHOTS", "")
TITLE = "Corvane Calculator 1.0"
FOLDER_NAME = "Zürich 計算"
TOUR_LINES = 24  # typed from the tour of examples/, with the results the golden run checks
# The small buttons' middles in client pixels at 96 DPI: keep on top, Settings, Help, About.
BUTTONS = {"pin": (11, 11), "settings": (32, 11), "help": (53, 11), "about": (74, 11)}
# The middle of the fourth results line's start, in client pixels at 96 DPI.
FOURTH_RESULT = (190, 65)
SCREEN = (1280, 800)


def wine_env(desk):
    env = dict(desk.env)
    env.update(WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", WINELOADER=LOADER,
               LANG="C.UTF-8")
    return env


def parse_reading(raw):
    """The pane reader's output as a dict: rect, iconic, button, expressions, results."""
    reading, pos = {}, 0
    while pos < len(raw):
        end = raw.index(b"\n", pos)
        words = raw[pos:end].decode().split()
        pos = end + 1
        if words[0] in ("expressions", "results"):
            size = int(words[1])
            reading[words[0]] = raw[pos:pos + size].decode()
            pos += size + 1
        else:
            reading[words[0]] = [int(w) for w in words[1:]]
    return reading


class WineDesktop(unittest.TestCase):
    def setUp(self):
        if not (PROGRAM and READER and os.path.exists(PROGRAM)):
            self.skipTest("CORVANE_PROGRAM and CORVANE_PANE_READER name the built programs")
        self.scratch = tempfile.mkdtemp(prefix="corvane-wine-")
        self.folder = os.path.join(self.scratch, FOLDER_NAME)
        os.makedirs(self.folder)
        self.program = os.path.join(self.folder, "corvane.exe")
        shutil.copy(PROGRAM, self.program)
        if SHOTS:
            os.makedirs(SHOTS, exist_ok=True)
        self.stop_server()  # its desktop process may belong to a display that has gone

    def stop_server(self):
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        subprocess.run(["wineserver", "-k"], env=env, timeout=60)
        subprocess.run(["wineserver", "-w"], env=env, timeout=60)

    def tearDown(self):
        self.set_dpi(96)
        shutil.rmtree(self.scratch, ignore_errors=True)

    # --- Wine ---------------------------------------------------------------------------------
    def set_dpi(self, dpi):
        env = dict(os.environ, WINEDEBUG="-all", WINELOADER=LOADER)
        env.pop("DISPLAY", None)
        subprocess.run([LOADER, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                        "/t", "REG_DWORD", "/d", str(dpi), "/f"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        subprocess.run(["wineserver", "-k"], env=env, timeout=60)
        subprocess.run(["wineserver", "-w"], env=env, timeout=60)

    def start(self, desk):
        proc = subprocess.Popen([LOADER, self.program], env=wine_env(desk), cwd=self.folder,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: proc.poll() is None and proc.kill())
        window = wait_until(lambda: desk.window_named(TITLE), 30, "the calculator window")
        # Typing starts once the window manager has made it the active window.
        wait_until(lambda: desk.x("xdotool", "getactivewindow").strip() == window, 10,
                   "the calculator to be active")
        desk.xdotool("sleep", "0.5")
        return proc, window

    def read(self, desk):
        result = subprocess.run([LOADER, READER], env=wine_env(desk), stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, timeout=30)
        return parse_reading(result.stdout) if result.returncode == 0 else None

    def close(self, desk, proc, window):
        desk.xdotool("windowactivate", "--sync", window, "key", "--clearmodifiers", "alt+F4")
        proc.wait(20)

    # --- X ------------------------------------------------------------------------------------
    def outer_rect(self, desk, window):
        info = desk.x("xwininfo", "-id", window)
        values = {}
        for line in info.splitlines():
            if ":" in line:
                key, _, value = line.strip().partition(":")
                values[key] = value.strip()
        frame = desk.x("xprop", "-id", window, "_NET_FRAME_EXTENTS").split("=")[-1]
        left, right, top, bottom = (int(v) for v in frame.split(","))
        return Rect(int(values["Absolute upper-left X"]) - left,
                    int(values["Absolute upper-left Y"]) - top,
                    int(values["Width"]) + left + right, int(values["Height"]) + top + bottom)

    def client_origin(self, desk, window):
        info = desk.x("xwininfo", "-id", window)
        x = y = 0
        for line in info.splitlines():
            if "Absolute upper-left X" in line:
                x = int(line.split(":")[1])
            if "Absolute upper-left Y" in line:
                y = int(line.split(":")[1])
        return x, y

    def click(self, desk, window, point, scale=1):
        x, y = self.client_origin(desk, window)
        desk.xdotool("mousemove", str(x + point[0] * scale), str(y + point[1] * scale))
        desk.xdotool("sleep", "0.3", "click", "1")

    def shot(self, desk, name):
        if SHOTS:
            desk.screenshot(os.path.join(SHOTS, name + ".png"))

    def open_dialog(self, desk, window, button, title, scale, shot):
        self.click(desk, window, BUTTONS[button], scale)
        dialog = wait_until(lambda: desk.window_named(title), 15, f"the {title} dialog")
        desk.xdotool("sleep", "0.5")
        self.shot(desk, shot)
        # Made to fit the screen when it opens: nothing of it, frame included, lies outside.
        rect = self.outer_rect(desk, dialog)
        self.assertGreaterEqual(rect.left, 0, f"{title}: {rect}")
        self.assertGreaterEqual(rect.top, 0, f"{title}: {rect}")
        self.assertLessEqual(rect.right, SCREEN[0], f"{title}: {rect}")
        self.assertLessEqual(rect.bottom, SCREEN[1], f"{title}: {rect}")
        return dialog

    # --- the test -----------------------------------------------------------------------------
    def test_typed_lines_give_the_linux_results_and_come_back_after_a_restart(self):
        with open(os.path.join(SOURCE, "examples", "tour.sheet"), encoding="utf-8") as f:
            lines = f.read().splitlines()[:TOUR_LINES]
        with open(os.path.join(SOURCE, "examples", "tour.expected"), encoding="utf-8") as f:
            expected = "".join(line + "\n" for line in f.read().splitlines()[:TOUR_LINES])
        typed = "\n".join(lines)
        with VirtualDesktop() as desk:
            proc, window = self.start(desk)
            desk.xdotool("windowactivate", "--sync", window)
            desk.xdotool("type", "--delay", "25", typed)
            last = {}

            def typed_in():
                last.update(self.read(desk) or {})
                return last if last.get("expressions") == typed else None
            try:
                reading = wait_until(typed_in, 30, "the typed lines")
            except Timeout:
                self.assertEqual(last.get("expressions"), typed)
                raise
            self.assertEqual(reading["results"], expected)
            self.shot(desk, "main-96dpi")
            for button, title in (("settings", "Settings"), ("about", "About"),
                                  ("help", "Help")):
                dialog = self.open_dialog(desk, window, button, title, 1, f"{button}-96dpi")
                key = "Return" if title == "Help" else "Escape"
                desk.xdotool("windowactivate", "--sync", dialog, "key", key)
                wait_until(lambda: not desk.window_named(title), 15, f"{title} to close")
            rect = self.outer_rect(desk, window)
            self.close(desk, proc, window)
            with open(os.path.join(self.folder, "corvane.cfg"), encoding="utf-8") as f:
                self.assertIn("pos: ", f.read())

            proc, window = self.start(desk)
            again = wait_until(lambda: self.read(desk), 30, "the restarted window")
            self.assertEqual(again["expressions"], typed)
            self.assertEqual(again["results"], expected)
            self.assertEqual(again["rect"], reading["rect"])
            wait_until(lambda: self.outer_rect(desk, window) == rect, 10,
                       f"the window back on {rect}")
            self.close(desk, proc, window)
        self.stop_server()

    def test_at_192_dpi_the_window_and_dialogs_scale(self):
        self.set_dpi(192)
        with VirtualDesktop() as desk:
            proc, window = self.start(desk)
            reading = wait_until(lambda: self.read(desk), 30, "the window")
            self.assertEqual(reading["button"], [40, 40])
            left, top, right, bottom = reading["rect"]
            self.assertEqual((right - left, bottom - top), (1020, 570))
            desk.xdotool("windowactivate", "--sync", window)
            desk.xdotool("type", "--delay", "15", "1/3\n2^0.5\nsin(pi/6)\n1/0")
            wait_until(lambda: (r := self.read(desk)) and r["results"].count("\n") == 4, 20,
                       "four results")
            self.shot(desk, "main-192dpi")
            # Resting on err: the tooltip's two lines (plain words, the engine's text) to look at.
            x, y = self.client_origin(desk, window)
            desk.xdotool("mousemove", str(x + FOURTH_RESULT[0] * 2), str(y + FOURTH_RESULT[1] * 2))
            desk.xdotool("sleep", "0.3", "mousemove_relative", "--", "2", "0", "sleep", "2")
            self.shot(desk, "err-tooltip-192dpi")
            for button, title in (("settings", "Settings"), ("about", "About"),
                                  ("help", "Help")):
                dialog = self.open_dialog(desk, window, button, title, 2, f"{button}-192dpi")
                key = "Return" if title == "Help" else "Escape"
                desk.xdotool("windowactivate", "--sync", dialog, "key", key)
                wait_until(lambda: not desk.window_named(title), 15, f"{title} to close")
            self.close(desk, proc, window)
        self.stop_server()


if __name__ == "__main__":
    unittest.main()
