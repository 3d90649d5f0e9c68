"""Setup on Windows as a person meets it: the delivered corvane.exe under Wine in Xvfb with
openbox, started from Downloads and answered with Enter, Enter. The per-user folders point into
a folder whose name is not ASCII, so the program, its shortcuts, its registry values and its
uninstall command all carry such a name. Then the registered uninstall command: from a copy in
Downloads it changes nothing; run as registered and answered with Enter it leaves only its own
temporary copy. Screenshots of each page go to CORVANE_SCREENSHOTS."""
import getpass
import glob
import os
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "desktop"))
from desktop import VirtualDesktop, wait_until  # noqa: E402

DELIVERED = os.environ.get("CORVANE_DELIVERED", "")
LOADER = os.environ.get("CORVANE_WINE_LOADER", "wine")
PREFIX = os.environ.get("WINEPREFIX", "")
SHOTS = os.environ.get("CORVANE_SCREENSHOTS", "")
ODD = "Zürich 計算"
KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane Calculator"
SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders"
WIZARD = "Corvane Calculator Setup"
BOX = "Corvane Calculator"
CALCULATOR = "Corvane Calculator 1.0"


def utf16(text):
    return text.encode("utf-16-le")


class WineSetup(unittest.TestCase):
    def setUp(self):
        if not (DELIVERED and PREFIX and os.path.exists(DELIVERED)):
            self.skipTest("CORVANE_DELIVERED and WINEPREFIX name the program and the prefix")
        self.stop_server()
        self.wine("wineboot", "-i")
        self.user = os.path.join(PREFIX, "drive_c", "users", getpass.getuser())
        # Wine links Desktop and Downloads to the Unix home; the test keeps them in the prefix.
        for name in ("Desktop", "Downloads"):
            path = os.path.join(self.user, name)
            if os.path.islink(path):
                os.unlink(path)
            os.makedirs(path, exist_ok=True)
        self.odd = os.path.join(self.user, ODD)
        shutil.rmtree(self.odd, ignore_errors=True)
        os.makedirs(os.path.join(self.odd, "Local"))
        self.win_odd = "C:\\users\\" + getpass.getuser() + "\\" + ODD
        self.wine("reg", "add", SHELL_FOLDERS, "/v", "Local AppData", "/t", "REG_SZ", "/d",
                  self.win_odd + "\\Local", "/f")
        self.addCleanup(self.wine, "reg", "delete", SHELL_FOLDERS, "/v", "Local AppData", "/f")
        self.wine("reg", "delete", KEY, "/f", check=False)
        self.folder = os.path.join(self.odd, "Local", "Programs", "Corvane")
        self.desktop_link = os.path.join(self.user, "Desktop", "Corvane Calculator.lnk")
        self.group = os.path.join(self.user, "AppData", "Roaming", "Microsoft", "Windows",
                                  "Start Menu", "Programs", "Corvane Calculator")
        self.menu_link = os.path.join(self.group, "Corvane Calculator.lnk")
        for path in (self.desktop_link, self.menu_link):
            if os.path.exists(path):
                os.remove(path)
        self.downloads = os.path.join(self.user, "Downloads")
        shutil.copy(DELIVERED, os.path.join(self.downloads, "corvane.exe"))
        self.temp = os.path.join(self.user, "Temp")
        for old in glob.glob(os.path.join(self.temp, "corvane-uninstall-*")):
            shutil.rmtree(old, ignore_errors=True)
        if SHOTS:
            os.makedirs(SHOTS, exist_ok=True)
        # The commands above ran without a display; a Wine session they leave behind would give
        # the program's windows no X driver, so the program starts in a session of its own.
        self.stop_server()

    def tearDown(self):
        self.stop_server()
        shutil.rmtree(self.odd, ignore_errors=True)

    # --- Wine ---------------------------------------------------------------------------------
    def env(self, desk=None):
        env = dict(desk.env if desk else os.environ)
        if not desk:
            env.pop("DISPLAY", None)
        env.update(WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", WINELOADER=LOADER,
                   LANG="C.UTF-8")
        return env

    def wine(self, *args, check=True):
        result = subprocess.run([LOADER, *args], env=self.env(), stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, timeout=120)
        if check and result.returncode != 0:
            raise RuntimeError(f"wine {' '.join(args)} failed with {result.returncode}")
        return result.stdout.decode("utf-8", errors="replace")

    def stop_server(self):
        env = self.env()
        subprocess.run(["wineserver", "-k"], env=env, timeout=60)
        subprocess.run(["wineserver", "-w"], env=env, timeout=60)

    def start(self, desk, program, *args, cwd):
        proc = subprocess.Popen([LOADER, program, *args], env=self.env(desk), cwd=cwd,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: proc.poll() is None and proc.kill())
        return proc

    def answer(self, desk, title, key, shot=None):
        """Waits for the window titled title, makes it active and presses key."""
        window = wait_until(lambda: desk.window_named(title), 60, f"the window {title}")
        desk.xdotool("windowactivate", "--sync", window)
        desk.xdotool("sleep", "0.5")
        if shot and SHOTS:
            desk.screenshot(os.path.join(SHOTS, shot + ".png"))
        desk.xdotool("key", "--clearmodifiers", key)
        return window

    def entry(self):
        """The uninstall entry's values. `reg query` shows the entry, but writes its text in
        the console's code page; `reg export` writes UTF-16, so the values come from there."""
        if "DisplayName" not in self.wine("reg", "query", KEY, check=False):
            return {}
        exported = os.path.join(self.odd, "entry.reg")
        self.wine("reg", "export", KEY, "C:\\users\\" + getpass.getuser() + "\\" + ODD +
                  "\\entry.reg", "/y")
        with open(exported, "rb") as f:
            text = f.read().decode("utf-16")
        os.remove(exported)
        values = {}
        for line in text.splitlines():
            if not line.startswith('"') or '"=' not in line:
                continue
            name, _, value = line[1:].partition('"=')
            if value.startswith('"'):
                value = value[1:-1].replace('\\"', '"').replace("\\\\", "\\")
            values[name] = value
        return values

    def installed_whole(self):
        program = os.path.join(self.folder, "corvane.exe")
        return (os.path.isfile(program) and os.path.isfile(self.desktop_link)
                and os.path.isfile(self.menu_link) and "UninstallString" in self.entry())

    # --- the test -----------------------------------------------------------------------------
    def test_enter_enter_installs_and_the_registered_command_removes_it(self):
        program = self.win_odd + "\\Local\\Programs\\Corvane\\corvane.exe"
        with VirtualDesktop() as desk:
            wizard = self.start(desk, "corvane.exe", cwd=self.downloads)
            self.answer(desk, WIZARD, "Return", "setup-licence")
            desk.xdotool("sleep", "1")
            if SHOTS:
                desk.screenshot(os.path.join(SHOTS, "setup-options.png"))
            self.assertFalse(os.path.exists(self.folder))  # the first Enter installs nothing
            self.answer(desk, WIZARD, "Return")

            # "Run application after install": the installed calculator comes up.
            calculator = wait_until(lambda: desk.window_named(CALCULATOR), 60,
                                    "the installed calculator")
            wizard.wait(30)
            self.assertEqual(wizard.returncode, 0)
            if SHOTS:
                desk.screenshot(os.path.join(SHOTS, "setup-installed-calculator.png"))
            self.assertTrue(os.path.isfile(os.path.join(self.folder, "corvane.exe")))
            entry = self.entry()
            self.assertEqual(entry.get("UninstallString"), f'"{program}" --uninstall')
            self.assertEqual(entry.get("DisplayName"), "Corvane Calculator")
            self.assertEqual(entry.get("DisplayIcon"), program)
            self.assertEqual(entry.get("InstallLocation"), program[:-len("corvane.exe")])
            # Both links name the installed program: its folders as the shell stores them.
            for link in (self.desktop_link, self.menu_link):
                with open(link, "rb") as f:
                    data = f.read()
                for part in (ODD, "Programs", "Corvane", "corvane.exe"):
                    self.assertIn(utf16(part), data, f"{link}: {part}")
            desk.xdotool("windowactivate", "--sync", calculator, "key", "--clearmodifiers",
                         "alt+F4")
            wait_until(lambda: not desk.window_named(CALCULATOR), 30, "the calculator to end")

            # The uninstall command run from a copy in Downloads says so and changes nothing.
            copies = os.path.join(self.downloads, "copy")
            os.makedirs(copies, exist_ok=True)
            shutil.copy(os.path.join(self.folder, "corvane.exe"), copies)
            copy = self.start(desk, "corvane.exe", "--uninstall", cwd=copies)
            self.answer(desk, BOX, "Return", "setup-copy-refuses")
            copy.wait(30)
            self.assertTrue(self.installed_whole())

            # As registered: Enter on the question, Enter on the report.
            remover = self.start(desk, program, "--uninstall", cwd=self.downloads)
            self.answer(desk, BOX, "Return", "setup-uninstall-question")
            remover.wait(30)
            desk.xdotool("sleep", "1")
            self.answer(desk, BOX, "Return", "setup-uninstall-done")
            wait_until(lambda: not os.path.exists(self.folder), 30, "the install folder to go")
            self.assertFalse(os.path.exists(self.desktop_link))
            self.assertFalse(os.path.exists(self.group))
            self.assertEqual(self.entry(), {})
            self.assertEqual(os.listdir(os.path.join(self.odd, "Local", "Programs")), [])
            # Only the temporary copy stays, in a private folder of its own.
            left = glob.glob(os.path.join(self.temp, "corvane-uninstall-*", "*"))
            self.assertEqual([os.path.basename(p) for p in left], ["corvane-uninstall.exe"])
        self.stop_server()


if __name__ == "__main__":
    unittest.main()
