#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Rings many alarms in the built program, one after another, and prints its memory as it goes.

    alarm-memory.py PROGRAM_FOLDER [ALARMS]

The program starts on a virtual display (xvfb-run) under openbox with ALARMS to-dos (60 by
default) that fell due while it was not running; "One by one" is chosen and every alarm is
answered with Enter after a pause, as a person reads and confirms it. The anonymous memory
(RssAnon) is read after the first ten alarms and after the last: an answered alarm should leave
nothing behind. Prints figures only; nothing here passes or fails.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time


def xdo(*args):
    run = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True)
    return run.stdout.split() if run.returncode == 0 else []


def wait_for(what, probe, seconds=20.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.05)
    raise SystemExit(f"gave up waiting for {what}")


def anonymous_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("RssAnon:"):
                return int(line.split()[1])
    return 0


def data_file(alarms):
    todos = "".join(f"Alarm {n}\xa4Alarm {n}\xb60\xb61\xb60%\xb61/1/2020 {n % 11 + 1}:00:00 AM\xb6\xb60\xb6\xb6c\xa7\r\n"
                    for n in range(alarms))
    end = "<end of section>\r\n"
    return ("Quillet 1.0 - 1.0.9\r\n" + end * 3 + todos + end).encode("cp1252")


def answer(title):
    """Answers the window with this title by Enter, after the pause a reader takes."""
    window = wait_for(f"the {title} window", lambda: xdo("search", "--onlyvisible", "--name", f"^{title}$"))[0]
    xdo("windowactivate", "--sync", window)
    time.sleep(1.3)
    xdo("key", "Return")
    wait_for(f"the {title} window to go", lambda: window not in xdo("search", "--onlyvisible", "--name", f"^{title}$"))


def on_display(folder, alarms):
    wm = subprocess.Popen(["openbox", "--sm-disable"], stderr=subprocess.DEVNULL)
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=tempfile.mkdtemp(dir=folder))
    program = subprocess.Popen([os.path.join(folder, "quillet", "quillet")], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        answer("Missed reminders")
        figures = []
        for n in range(1, alarms + 1):
            answer("Reminder")
            if n in (10, alarms):
                time.sleep(0.5)
                figures.append((n, anonymous_kib(program.pid)))
        (first, before), (last, after) = figures
        print(f"anonymous memory after {first} alarms: {before} KiB, after {last}: {after} KiB")
        print(f"per answered alarm: {(after - before) / (last - first):.1f} KiB")
    finally:
        program.kill()
        wm.kill()


def main(argv):
    if len(argv) == 4 and argv[1] == "--on-display":
        on_display(argv[2], int(argv[3]))
        return 0
    if len(argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 2
    alarms = int(argv[2]) if len(argv) == 3 else 60
    with tempfile.TemporaryDirectory(prefix="quillet-alarms-") as folder:
        shutil.copytree(argv[1], os.path.join(folder, "quillet"), ignore=shutil.ignore_patterns("savedfile.qlt*"))
        with open(os.path.join(folder, "quillet", "savedfile.qlt"), "wb") as saved:
            saved.write(data_file(alarms))
        return subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", sys.executable,
                               os.path.abspath(__file__), "--on-display", folder, str(alarms)]).returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv))
