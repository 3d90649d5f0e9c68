#!/usr/bin/env python3
"""Start-up time and memory of the calculator, offscreen.

Starts the installed form of the program (build/installed/corvane) several times with
CORVANE_REPORT_READY=1, which makes it print "ready" once its keypad page has loaded, and
reports the median time from process start to that line. After the last start it reads RSS
and PSS of the program and of its web processes from /proc/<pid>/smaps_rollup.

    scripts/measure-startup.py [runs] [program]
"""
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time


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
    children = []
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


def start(program, env):
    began = time.monotonic()
    proc = subprocess.Popen([program], env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, start_new_session=True, text=True)
    line = proc.stdout.readline().strip()
    elapsed = (time.monotonic() - began) * 1000.0
    if line != "ready":
        stop(proc)
        raise SystemExit(f"the program did not report ready (got {line!r})")
    return proc, elapsed


def stop(proc):
    # The program and its web processes form the session started above.
    try:
        os.killpg(proc.pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    proc.wait(timeout=10)


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    program = sys.argv[2] if len(sys.argv) > 2 else "build/installed/corvane"
    scratch = tempfile.mkdtemp(prefix="corvane-startup-")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", CORVANE_REPORT_READY="1",
               HOME=scratch, XDG_CONFIG_HOME=f"{scratch}/config",
               XDG_CACHE_HOME=f"{scratch}/cache", XDG_DATA_HOME=f"{scratch}/data",
               XDG_RUNTIME_DIR=f"{scratch}/runtime")
    os.makedirs(f"{scratch}/runtime", mode=0o700, exist_ok=True)
    times = []
    for run in range(runs):
        proc, elapsed = start(program, env)
        times.append(elapsed)
        if run == runs - 1:
            time.sleep(1.0)  # let the page settle before reading memory
            print(f"{'process':<28}{'RSS MB':>10}{'PSS MB':>10}")
            total_rss = total_pss = 0
            for pid in [proc.pid] + descendants(proc.pid):
                mem = rollup(pid)
                rss, pss = mem.get("Rss", 0) / 1024, mem.get("Pss", 0) / 1024
                total_rss += rss
                total_pss += pss
                print(f"{command_name(pid) + ' (' + str(pid) + ')':<28}{rss:>10.1f}{pss:>10.1f}")
            print(f"{'all':<28}{total_rss:>10.1f}{total_pss:>10.1f}")
        stop(proc)
    print("start-up to keypad loaded, ms: " + " ".join(f"{t:.0f}" for t in times))
    print(f"median {statistics.median(times):.0f} ms over {runs} runs")


if __name__ == "__main__":
    main()
