#!/usr/bin/env python3
"""Start-up of the calculator on a real X server with a window manager.

Run it inside an X server that has a window manager (DISPLAY set), for example Xvfb with
openbox. It measures, all in that one server:

  * the time from process start to a visible window, and to a fully drawn one, for the
    calculator and for another program (SpeedCrunch by default), started in turns; medians of
    --runs starts each. Fully drawn is the first moment from which the window's picture stays
    as it finally is (a blinking caret aside): the calculator's keypad included;
  * the memory after start-up: PSS of the calculator and its web processes, once the keypad
    has loaded (CORVANE_REPORT_READY makes the program print "ready" then);
  * with --frames DIR, the first frames after the window appears, as PNG files with a table of
    how much of the window is still unpainted black or white.

Every calculator start is a first run: a fresh copy of the program in a scratch folder (its
settings file lives beside it) with HOME and XDG_* of its own; the other program gets a
scratch HOME too. A window counts as visible when `xdotool search --onlyvisible --pid` finds
one, polled every few milliseconds.

    scripts/measure-startup.py [--runs N] [--program PATH] [--compare CMD] [--frames DIR]
"""
import argparse
import ctypes
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from array import array

POLL_S = 0.003
TIMEOUT_S = 30.0


def scratch_env(root):
    env = dict(os.environ, HOME=root, XDG_CONFIG_HOME=f"{root}/config",
               XDG_CACHE_HOME=f"{root}/cache", XDG_DATA_HOME=f"{root}/data",
               XDG_STATE_HOME=f"{root}/state", XDG_RUNTIME_DIR=f"{root}/runtime")
    for sub in ("config", "cache", "data", "state"):
        os.makedirs(f"{root}/{sub}", exist_ok=True)
    os.makedirs(f"{root}/runtime", mode=0o700, exist_ok=True)
    return env


def prepare_run(base, program, name):
    """A scratch folder with its own copy of the program; returns (argv, env, folder)."""
    root = tempfile.mkdtemp(prefix=f"{name}-", dir=base)
    env = scratch_env(root)
    if name == "corvane":
        copy = os.path.join(root, "corvane")
        shutil.copy2(program, copy)
        return [copy], env, root
    return program.split(), env, root


def visible_windows(pid):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                         capture_output=True, text=True).stdout
    return [int(w) for w in out.split()]


def start_until_visible(argv, env, cwd, stdout=subprocess.DEVNULL):
    """Starts argv and polls for its visible window; returns (process, ms, window id)."""
    began = time.monotonic()
    proc = subprocess.Popen(argv, env=env, cwd=cwd, stdout=stdout,
                            stderr=subprocess.DEVNULL, start_new_session=True, text=True)
    while time.monotonic() - began < TIMEOUT_S:
        windows = visible_windows(proc.pid)
        if windows:
            return proc, (time.monotonic() - began) * 1000.0, windows[0]
        if proc.poll() is not None:
            break
        time.sleep(POLL_S)
    stop(proc)
    raise SystemExit(f"{argv[0]} showed no window within {TIMEOUT_S:.0f} s")


def stop(proc):
    # The program and its helper processes form the session started above.
    try:
        os.killpg(proc.pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()


# --- memory ---------------------------------------------------------------------------------

def rollup(pid):
    values = {}
    try:
        with open(f"/proc/{pid}/smaps_rollup") as f:
            for line in f:
                parts = line.split()
                if parts and parts[0] in ("Rss:", "Pss:"):
                    values[parts[0][:-1]] = int(parts[1])
    except OSError:
        pass
    return values


def descendants(pid):
    try:
        with open(f"/proc/{pid}/task/{pid}/children") as f:
            children = [int(c) for c in f.read().split()]
    except OSError:
        return []
    found = list(children)
    for child in children:
        found += descendants(child)
    return found


def command_name(pid):
    try:
        with open(f"/proc/{pid}/comm") as f:
            return f.read().strip()
    except OSError:
        return "?"


def measure_memory(base, program):
    argv, env, root = prepare_run(base, program, "corvane")
    env["CORVANE_REPORT_READY"] = "1"
    proc, _, _ = start_until_visible(argv, env, root, stdout=subprocess.PIPE)
    line = proc.stdout.readline().strip()
    if line != "ready":
        stop(proc)
        raise SystemExit(f"the program did not report ready (got {line!r})")
    time.sleep(1.0)  # let the page settle
    print(f"{'process':<30}{'RSS MB':>10}{'PSS MB':>10}")
    total_rss = total_pss = 0.0
    for pid in [proc.pid] + descendants(proc.pid):
        mem = rollup(pid)
        rss, pss = mem.get("Rss", 0) / 1024, mem.get("Pss", 0) / 1024
        total_rss += rss
        total_pss += pss
        print(f"{command_name(pid) + ' (' + str(pid) + ')':<30}{rss:>10.1f}{pss:>10.1f}")
    print(f"{'all':<30}{total_rss:>10.1f}{total_pss:>10.1f}")
    stop(proc)


# --- frames ---------------------------------------------------------------------------------

class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int),
                ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
                ("data", ctypes.POINTER(ctypes.c_char)), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong),
                ("blue_mask", ctypes.c_ulong), ("obdata", ctypes.c_void_p),
                ("create_image", ctypes.c_void_p),
                ("destroy_image", ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p))]


class ScreenGrabber:
    """Grabs parts of the screen straight from the X server (XGetImage), a few ms a frame."""
    ZPIXMAP = 2

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                       ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                       ctypes.c_ulong, ctypes.c_int]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            raise SystemExit("cannot open the X display")
        self.root = self.x11.XDefaultRootWindow(self.display)

    def grab(self, x, y, w, h):
        """The rectangle's raw rows (32 bits a pixel) and the bytes of one row."""
        image = self.x11.XGetImage(self.display, self.root, x, y, w, h, 0xFFFFFFFF,
                                   self.ZPIXMAP)
        if not image:
            raise SystemExit("XGetImage failed")
        img = image.contents
        if img.bits_per_pixel != 32:
            raise SystemExit("frames need a 24-bit screen (32 bits a pixel)")
        raw = ctypes.string_at(img.data, img.bytes_per_line * h)
        stride = img.bytes_per_line
        img.destroy_image(image)
        return raw, stride


def to_pixels(raw, stride, w, h):
    """Raw rows as 0xRRGGBB values, row by row."""
    words = array("I")
    words.frombytes(raw)
    pixels = array("I")
    for row in range(h):
        start = row * stride // 4
        pixels.extend(words[start:start + w])
    return array("I", (p & 0xFFFFFF for p in pixels))


def window_rect(window):
    """The client area of a window in root coordinates (x, y, width, height)."""
    info = subprocess.run(["xwininfo", "-id", str(window)], capture_output=True,
                          text=True).stdout
    values = {}
    for line in info.splitlines():
        key, _, value = line.strip().partition(":")
        values[key] = value.strip()
    if "Absolute upper-left X" not in values:
        return None  # gone: a window that is re-created gets a new id
    return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
            int(values["Width"]), int(values["Height"]))


def share(pixels, colour):
    return 100.0 * pixels.count(colour) / max(1, len(pixels))


def column_band(pixels, width, left, right):
    """The pixels of columns left..right-1 of every row."""
    band = array("I")
    for start in range(0, len(pixels), width):
        band.extend(pixels[start + left:start + right])
    return band


def write_ppm(path, pixels, w, h):
    with open(path, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (w, h))
        f.write(bytes(b for p in pixels for b in ((p >> 16) & 255, (p >> 8) & 255, p & 255)))


def capture_frames(base, program, folder, seconds=1.5, keypad_width=178):
    os.makedirs(folder, exist_ok=True)
    grabber = ScreenGrabber()
    argv, env, root = prepare_run(base, program, "corvane")
    proc, elapsed, window = start_until_visible(argv, env, root)
    frames = []  # only those that differ from the one before
    recreated = 0
    began = time.monotonic()
    try:
        while time.monotonic() - began < seconds:
            at = (time.monotonic() - began) * 1000.0
            rect = window_rect(window)  # the window manager may still move or size it
            if rect is None:
                windows = visible_windows(proc.pid)
                if windows:
                    window, recreated = windows[0], recreated + 1
                rect = frames[-1][1] if frames else None
                if rect is None:
                    continue
            frame = grabber.grab(*rect)
            if not frames or rect != frames[-1][1] or frame[0] != frames[-1][2][0]:
                frames.append((at, rect, frame))
    finally:
        stop(proc)
    print(f"visible after {elapsed:.0f} ms; {len(frames)} different frames in the first "
          f"{seconds * 1000:.0f} ms; the window was re-created {recreated} times")
    print(f"{'frame':>6}{'ms':>8}{'window':>18}{'window black %':>16}{'window white %':>16}"
          f"{'keypad white %':>16}")
    worst = (0.0, 0.0)
    for index, (at, (x, y, w, h), (raw, stride)) in enumerate(frames):
        pixels = to_pixels(raw, stride, w, h)
        keypad = column_band(pixels, w, w - keypad_width, w)
        black, white = share(pixels, 0x000000), share(pixels, 0xFFFFFF)
        keypad_white = share(keypad, 0xFFFFFF)
        worst = (max(worst[0], black), max(worst[1], keypad_white))
        print(f"{index:>6}{at:>8.0f}{f'{w}x{h}+{x}+{y}':>18}{black:>16.1f}{white:>16.1f}{keypad_white:>16.1f}")
        ppm = os.path.join(folder, f"frame-{index:03d}.ppm")
        write_ppm(ppm, pixels, w, h)
        subprocess.run(["convert", ppm, ppm[:-4] + ".png"], check=False)
        os.remove(ppm)
    print(f"most black in the window: {worst[0]:.1f} %; most white in the keypad area: "
          f"{worst[1]:.1f} %; frames in {folder}")
    print("(painted, the window has about 7 % black (text) and its keypad about 20 % white "
          "(the digit keys))")


# --- fully drawn ---------------------------------------------------------------------------

SETTLED_S = 3.0        # a picture unchanged this long is the final one
CARET_SHARE = 0.002    # a change of fewer pixels than this share is a blinking caret


def differs(a, b):
    """Whether two grabs of one size differ by more than a blinking caret."""
    if len(a) != len(b):
        return True
    words_a, words_b = array("I"), array("I")
    words_a.frombytes(a)
    words_b.frombytes(b)
    changed = sum(1 for x, y in zip(words_a, words_b) if (x ^ y) & 0xFFFFFF)
    return changed > CARET_SHARE * len(words_a)


def time_to_drawn(grabber, proc, began, window):
    """ms from the start to the first grab from which the window's picture stays final."""
    frames = []  # (ms, rect, raw) of every grab that differs from the one before it
    last_change = time.monotonic()
    while time.monotonic() - last_change < SETTLED_S and time.monotonic() - began < TIMEOUT_S:
        rect = window_rect(window)
        if rect is None:  # re-created: follow the new window
            windows = visible_windows(proc.pid)
            if not windows:
                break
            window = windows[0]
            continue
        raw, _ = grabber.grab(*rect)
        at = (time.monotonic() - began) * 1000.0
        if not frames or rect != frames[-1][1] or differs(raw, frames[-1][2]):
            frames.append((at, rect, raw))
            last_change = time.monotonic()
    final = frames[-1]
    # The earliest grab after which nothing but the caret changed.
    drawn = final[0]
    for at, rect, raw in reversed(frames[:-1]):
        if rect != final[1] or differs(raw, final[2]):
            break
        drawn = at
    return drawn


# --- main -----------------------------------------------------------------------------------

def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[1])
    parser.add_argument("--runs", type=int, default=7, help="starts of each program")
    repo = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--program", default=os.path.join(repo, "build/installed/corvane"))
    parser.add_argument("--compare", default="speedcrunch",
                        help="the other program's command line ('' for none)")
    parser.add_argument("--frames", metavar="DIR", help="capture the first frames into DIR")
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        raise SystemExit("needs an X server with a window manager (DISPLAY is not set)")
    program = os.path.abspath(args.program)
    base = tempfile.mkdtemp(prefix="corvane-startup-")
    try:
        if args.frames:
            capture_frames(base, program, args.frames)
            return
        names = ["corvane"] + ([args.compare] if args.compare else [])
        times = {name: [] for name in names}
        drawn = {name: [] for name in names}
        grabber = ScreenGrabber()
        for _ in range(args.runs):
            for name in names:  # in turns, so that both see the same machine
                argv, env, root = prepare_run(base, program if name == "corvane" else name,
                                              "corvane" if name == "corvane" else "other")
                began = time.monotonic()
                proc, elapsed, window = start_until_visible(argv, env, root)
                times[name].append(elapsed)
                drawn[name].append(time_to_drawn(grabber, proc, began, window))
                stop(proc)
                time.sleep(0.3)
        for name in names:
            print(f"{name:<14} to a visible window, ms: "
                  + " ".join(f"{t:.0f}" for t in times[name])
                  + f"   median {statistics.median(times[name]):.0f} (n={len(times[name])})")
        for name in names:
            print(f"{name:<14} to a fully drawn window, ms: "
                  + " ".join(f"{t:.0f}" for t in drawn[name])
                  + f"   median {statistics.median(drawn[name]):.0f} (n={len(drawn[name])})")
        if args.compare:
            for what, table in (("visible", times), ("fully drawn", drawn)):
                ratio = statistics.median(table["corvane"]) / statistics.median(table[args.compare])
                print(f"ratio corvane / {args.compare}, {what}: {ratio:.2f}")
        measure_memory(base, program)
    finally:
        shutil.rmtree(base, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
