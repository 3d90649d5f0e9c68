"""The calculator on a real X server: Xvfb with openbox, driven by real X input.

A VirtualDesktop is an Xvfb on a free display (chosen by Xvfb itself) with openbox running in
it. A Calculator is one run of the real program, copied into a scratch folder of its own so
that its settings file (beside the executable) belongs to that test alone. True geometry comes
from xwininfo and the frame from _NET_FRAME_EXTENTS, since xdotool's geometry is wrong under a
reparenting window manager. Every wait polls a condition with a time limit.
"""
import ctypes
import os
import shutil
import subprocess
import tempfile
import time
import unittest

PROGRAM = os.environ.get("CORVANE_PROGRAM", "")
SETTINGS_NAME = "corvane.cfg"
TITLE = "Corvane Calculator"
SCREEN_WIDTH, SCREEN_HEIGHT = 1280, 800


class Timeout(AssertionError):
    pass


def wait_until(condition, timeout, what, interval=0.02):
    """Polls condition() until it returns something true; returns that, or fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Timeout(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class Rect:
    def __init__(self, left, top, width, height):
        self.left, self.top, self.width, self.height = left, top, width, height

    @property
    def right(self):
        return self.left + self.width

    @property
    def bottom(self):
        return self.top + self.height

    def __eq__(self, other):
        return (self.left, self.top, self.width, self.height) == \
            (other.left, other.top, other.width, other.height)

    def __repr__(self):
        return f"Rect({self.left}, {self.top}, {self.width} x {self.height})"


class Image:
    """A screenshot as RGB pixels (read from ImageMagick's PPM output)."""

    def __init__(self, ppm):
        parts = []
        pos = 0
        while len(parts) < 4:  # magic, width, height, maximum value
            while ppm[pos:pos + 1].isspace():
                pos += 1
            end = pos
            while not ppm[end:end + 1].isspace():
                end += 1
            parts.append(ppm[pos:end])
            pos = end
        if parts[0] != b"P6" or parts[3] != b"255":
            raise ValueError("not an 8-bit PPM image")
        self.width, self.height = int(parts[1]), int(parts[2])
        self.data = ppm[pos + 1:]

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def dark_rows(self, rect, threshold=110):
        """The rows of rect (relative to its top) that hold at least one dark pixel (one
        whose darkest channel is below threshold: text on the panes' light grounds)."""
        rows = []
        for y in range(rect.top, rect.bottom):
            start = (y * self.width + rect.left) * 3
            if min(self.data[start:start + rect.width * 3]) < threshold:
                rows.append(y - rect.top)
        return rows

    def colour_count(self, rect):
        return len({self.pixel(x, y) for y in range(rect.top, rect.bottom, 2)
                    for x in range(rect.left, rect.right, 2)})


class VirtualDesktop:
    """Xvfb on a display it picks itself, with openbox as the window manager."""

    def __init__(self):
        self.xvfb = None
        self.openbox = None
        self.display = None
        self.env = None
        self.logs = []

    def __enter__(self):
        # Xvfb and openbox have been seen to fail to start, rarely, on a busy machine where
        # other X servers come and go: a failed start is tried again on a new display.
        problems = []
        for _ in range(3):
            problem = self._start()
            if not problem:
                return self
            problems.append(problem)
            self.__exit__(None, None, None)
        raise Timeout("no virtual desktop: " + " / ".join(problems))

    def _start(self):
        """Starts Xvfb on a display it picks and openbox in it; returns what went wrong."""
        read_end, write_end = os.pipe()
        self.logs = [tempfile.TemporaryFile(), tempfile.TemporaryFile()]
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=self.logs[0], stderr=self.logs[0])
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            deadline = time.monotonic() + 15
            while not number.endswith(b"\n") and time.monotonic() < deadline:
                chunk = pipe.read(1)
                if not chunk:
                    break
                number += chunk
        if not number.strip():
            return "Xvfb did not report its display: " + self._log(0)
        self.display = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.openbox = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                        stdout=self.logs[1], stderr=self.logs[1])
        # openbox is ready once it has announced itself on the root window.
        try:
            wait_until(self._openbox_ready, 20, "openbox to start")
        except Timeout as timeout:
            return (f"{timeout} on {self.display} (Xvfb {self.xvfb.poll()}): "
                    f"{self._log(1)} {self._log(0)}")
        return None

    def _log(self, which):
        self.logs[which].seek(0)
        return self.logs[which].read().decode(errors="replace").strip()

    def _openbox_ready(self):
        if self.openbox.poll() is not None:
            raise Timeout("openbox ended")
        return "window id" in self.x("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")

    @staticmethod
    def _stop(proc):
        if proc and proc.poll() is None:
            proc.terminate()
            try:
                proc.wait(5)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait()

    def __exit__(self, *exc):
        self._stop(self.openbox)
        self._stop(self.xvfb)
        for log in self.logs:
            log.close()
        self.logs = []

    def x(self, *command, check=False):
        """Runs an X client program on this display and returns its standard output."""
        result = subprocess.run(command, env=self.env, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, text=True, timeout=20)
        if check and result.returncode != 0:
            raise RuntimeError(f"{' '.join(command)} failed with {result.returncode}")
        return result.stdout

    def xdotool(self, *args):
        return self.x("xdotool", *args, check=True)

    def screenshot(self, path=None):
        """The whole screen; also saved as a PNG at path when given."""
        ppm = subprocess.run(["import", "-display", self.display, "-window", "root", "-depth", "8", "ppm:-"],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True,
                             timeout=20).stdout
        if path:
            subprocess.run(["convert", "ppm:-", path], input=ppm, check=True, timeout=20)
        return Image(ppm)

    def send_wm_state(self, window, add, *states):
        """Asks the window manager to add (or remove) _NET_WM_STATE_<state> for each of up to
        two states, with the client message a pager or a key binding sends."""
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.c_void_p]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                        ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                        ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                        ("pad", ctypes.c_long * 12)]  # the size of an XEvent

        display = x11.XOpenDisplay(self.display.encode())
        if not display:
            raise RuntimeError(f"cannot open {self.display}")
        try:
            atom = lambda name: x11.XInternAtom(display, name.encode(), 0)
            names = [atom("_NET_WM_STATE_" + state) for state in states] + [0, 0]
            message = ClientMessage(type=33, send_event=1, display=display, window=int(window),
                                    message_type=atom("_NET_WM_STATE"), format=32)
            message.data[:] = [1 if add else 0, names[0], names[1], 2, 0]
            substructure = (1 << 19) | (1 << 20)  # SubstructureNotify and Redirect
            x11.XSendEvent(display, x11.XDefaultRootWindow(display), 0, substructure,
                           ctypes.byref(message))
            x11.XFlush(display)
        finally:
            x11.XCloseDisplay(display)

    def window_named(self, name):
        """The visible window whose title is exactly name, or None."""
        ids = self.x("xdotool", "search", "--onlyvisible", "--name", f"^{name}$").split()
        return ids[0] if ids else None

    def active_window(self):
        return self.x("xdotool", "getactivewindow").strip()

    def client_rect(self, window):
        """The window's inside on the screen, from xwininfo."""
        info = {}
        for line in self.x("xwininfo", "-id", window).splitlines():
            key, _, value = line.strip().partition(":")
            info[key] = value.strip()
        return Rect(int(info["Absolute upper-left X"]), int(info["Absolute upper-left Y"]),
                    int(info["Width"]), int(info["Height"]))

    def frame_extents(self, window):
        """(left, right, top, bottom) of the frame, or None while the manager has not set it."""
        text = self.x("xprop", "-id", window, "_NET_FRAME_EXTENTS")
        if "=" not in text:
            return None
        return tuple(int(v) for v in text.split("=", 1)[1].split(","))

    def outer_rect(self, window):
        extents = wait_until(lambda: self.frame_extents(window), 10, "the frame extents")
        left, right, top, bottom = extents
        inner = self.client_rect(window)
        return Rect(inner.left - left, inner.top - top, inner.width + left + right,
                    inner.height + top + bottom)

    def click(self, x, y, button=1):
        # A click right after the move can miss an owner-drawn button: wait until the pointer
        # is there, and give the widget a moment to see it arrive.
        self.xdotool("mousemove", "--sync", str(x), str(y))
        time.sleep(0.3)
        self.xdotool("click", str(button))


class Calculator:
    """One run of the real program from a scratch folder of its own."""

    def __init__(self, desktop, folder, settings=None, mode=None):
        self.desktop = desktop
        self.folder = folder
        self.program = os.path.join(folder, "corvane")
        if not os.path.exists(self.program):
            shutil.copy2(PROGRAM, self.program)
        self.settings_path = os.path.join(folder, SETTINGS_NAME)
        if settings is not None:
            with open(self.settings_path, "wb") as f:
                f.write(settings)
        if mode is not None:
            os.chmod(self.settings_path, mode)
        self.proc = None
        self.window = None
        self.log = open(os.path.join(folder, "program.log"), "ab")

    def start(self, wait_for_keypad=True, visible=True):
        home = os.path.join(self.folder, "home")
        runtime = os.path.join(home, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        env = dict(self.desktop.env, HOME=home, XDG_RUNTIME_DIR=runtime,
                   XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_CACHE_HOME=os.path.join(home, "cache"),
                   QTWEBENGINE_DISABLE_SANDBOX="1", QT_QPA_PLATFORM="xcb",
                   CORVANE_REPORT_READY="1")
        self.proc = subprocess.Popen([self.program], env=env, cwd=self.folder,
                                     stdout=subprocess.PIPE, stderr=self.log)
        if wait_for_keypad:
            line = self.proc.stdout.readline()  # "ready" once the keypad page has loaded
            if line.strip() != b"ready":
                raise AssertionError(f"the program ended before its keypad loaded ({line!r})")
        self.window = wait_until(lambda: self._find_window(visible), 20, "the calculator window")
        return self

    def _find_window(self, visible):
        ids = self.desktop.x("xdotool", "search", "--all", *(["--onlyvisible"] if visible else []),
                             "--pid", str(self.proc.pid), "--name", f"^{TITLE}").split()
        return ids[0] if ids else None

    def wait_active(self):
        wait_until(lambda: self.desktop.active_window() == self.window, 10,
                   "the calculator to be the active window")

    def client_rect(self):
        return self.desktop.client_rect(self.window)

    def outer_rect(self):
        return self.desktop.outer_rect(self.window)

    def at(self, x, y):
        """A point of the inside of the window on the screen."""
        inner = self.client_rect()
        return inner.left + x, inner.top + y

    def click(self, x, y, button=1):
        self.desktop.click(*self.at(x, y), button=button)

    def close(self, timeout=20):
        """Closes the window as a person does (Alt+F4) and waits for the program to end."""
        self.desktop.xdotool("windowactivate", "--sync", self.window,
                             "key", "--clearmodifiers", "alt+F4")
        self.proc.wait(timeout)
        self.proc.stdout.close()
        return self.proc.returncode

    def kill(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        if self.proc and self.proc.stdout:
            self.proc.stdout.close()
        self.log.close()

    def read_settings(self):
        with open(self.settings_path, "rb") as f:
            return f.read()

    def settings_line(self, key):
        for line in self.read_settings().split(b"\r\n"):
            if line.startswith(key.encode()):
                return line.decode()
        return None

    def expressions(self):
        """The expression lines the program saved, in order."""
        lines = self.read_settings().split(b"\r\n")
        start = lines.index(b"expr: ") + 1
        return [line[1:].decode() for line in lines[start:] if line.startswith(b" ")]


def scratch_folder(test):
    """A fresh folder for one test, removed when the test ends."""
    folder = tempfile.mkdtemp(prefix="corvane-desktop-")
    test.addCleanup(shutil.rmtree, folder, True)
    return folder


class DesktopTest(unittest.TestCase):
    """Tests that share one virtual desktop per class; each run of the program is ended (if
    the test did not close it) when its test ends."""

    @classmethod
    def setUpClass(cls):
        cls.desktop = VirtualDesktop().__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.desktop.__exit__(None, None, None)

    def calculator(self, folder=None, **kwargs):
        calc = Calculator(self.desktop, folder or scratch_folder(self), **kwargs)
        self.addCleanup(calc.kill)
        return calc
