#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the built program in a real X window, as a person would, and checks what it saved.

    realwindow.py PROGRAM_FOLDER CASE      CASE: wm-close | sigterm | close-button

Each run copies the program folder to a fresh temporary folder and starts it on a display of its
own (xvfb-run -a) under openbox, typing and clicking with xdotool. Exits 77 (skipped) only when
the virtual display cannot start. QUILLET_E2E_SHOTS=DIR keeps screenshots of every step.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
CAPTION, TEXT, STILL_TYPED = "Groceries", "milk and eggs", "Later"
SAVED = [f"{CAPTION}\xa4{TEXT}\xa7".encode("cp1252"), f"{STILL_TYPED}\xa4\xa7".encode("cp1252")]
# Where things sit in the 600 x 400 main window.
NOTES_BUTTON, ADD_NOTE, NOTE_TEXT = (87, 141), (195, 322), (467, 160)
ABOUT_BUTTON, CLOSE_BUTTON = (472, 382), (580, 19)


def wait_for(what, probe, seconds=10.0):
    """Polls probe until it returns something true; fails naming what never happened."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.05)
    raise AssertionError(f"gave up waiting for {what}")


def xdo(*args):
    run = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True)
    return run.stdout.split() if run.returncode == 0 else []


def window_named(title, size=None):
    """The visible window with this exact title (and this size, if given), if there is one."""
    for window in xdo("search", "--onlyvisible", "--name", f"^{title}$"):
        geometry = dict(field.split("=") for field in xdo("getwindowgeometry", "--shell", window))
        if size is None or (geometry.get("WIDTH"), geometry.get("HEIGHT")) == size:
            return window
    return None


def active(window):
    return xdo("getactivewindow") == [window]


def wait_for_focused(what, title):
    """The window with this title, once it is up and has taken the focus."""
    window = wait_for(what, lambda: window_named(title))
    wait_for(f"{what} to take the focus", lambda: active(window))
    return window


def click(window, point):
    # Two moves: the first enters the picture, the second is a move over it, as a hand makes.
    xdo("mousemove", "--window", window, point[0] - 1, point[1])
    xdo("mousemove", "--window", window, *point)
    xdo("click", "1")


class Session:
    def __init__(self, folder):
        self.folder = folder
        self.shots = os.environ.get("QUILLET_E2E_SHOTS")
        self.step = 0

    def shot(self, name):
        if self.shots and shutil.which("import"):
            self.step += 1
            os.makedirs(self.shots, exist_ok=True)
            subprocess.run(["import", "-window", "root",
                            os.path.join(self.shots, f"{self.step:02d}-{name}.png")])

    def start(self):
        ready = os.path.join(self.folder, "wm-ready")
        self.wm = subprocess.Popen(["openbox", "--sm-disable", "--startup", f"touch {ready}"],
                                   stderr=subprocess.DEVNULL)
        wait_for("openbox", lambda: os.path.exists(ready))
        runtime = tempfile.mkdtemp(dir=self.folder)
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime)
        env.pop("QT_SCALE_FACTOR", None)  # the clicks below are placed for a ratio of 1
        self.program = subprocess.Popen([os.path.join(self.folder, "quillet", "quillet")], env=env)
        self.window = wait_for("the main window", lambda: window_named("Quillet", ("600", "400")))
        wait_for("the main window to take the focus", lambda: active(self.window))
        self.shot("started")

    def add_notes(self):
        click(self.window, NOTES_BUTTON)
        click(self.window, ADD_NOTE)
        xdo("type", "--delay", "20", CAPTION)
        xdo("key", "Return")
        click(self.window, NOTE_TEXT)
        xdo("type", "--delay", "20", TEXT)
        # A second note whose name is still being typed when the program is closed.
        click(self.window, ADD_NOTE)
        xdo("type", "--delay", "20", STILL_TYPED)
        self.shot("notes-typed")

    def wait_for_exit(self):
        wait_for("the program to end", lambda: self.program.poll() is not None)
        self.shot("ended")

    def saved(self):
        try:
            with open(os.path.join(self.folder, "quillet", "savedfile.qlt"), "rb") as f:
                return f.read()
        except FileNotFoundError:
            return b""

    def stop(self):
        for process in (getattr(self, "program", None), getattr(self, "wm", None)):
            if process and process.poll() is None:
                process.kill()
                process.wait()


def close_through_window_manager(session):
    session.add_notes()
    xdo("key", "alt+F4")  # openbox's close: a WM_DELETE_WINDOW request to the frameless window
    session.wait_for_exit()


def terminate(session):
    session.add_notes()
    # The program handles input in order: once About is up and gone, the typing has arrived.
    click(session.window, ABOUT_BUTTON)
    wait_for_focused("the About window", "About")
    xdo("key", "Escape")
    wait_for("the About window to close", lambda: not window_named("About"))
    session.program.send_signal(signal.SIGTERM)
    session.wait_for_exit()


def close_button_and_enter(session):
    session.add_notes()
    click(session.window, CLOSE_BUTTON)
    wait_for_focused("the exit question", "Confirm")
    session.shot("question")
    xdo("key", "Return")
    session.wait_for_exit()


CASES = {"wm-close": close_through_window_manager, "sigterm": terminate,
         "close-button": close_button_and_enter}


def on_display(folder, case):
    """Runs inside xvfb-run, which goes on to run this even when every display it tried failed."""
    if subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True).returncode != 0:
        return SKIPPED
    open(os.path.join(folder, "display-up"), "w").close()
    session = Session(folder)
    try:
        session.start()
        CASES[case](session)
        missing = [record for record in SAVED if record not in session.saved()]
        assert not missing, (f"savedfile.qlt lacks {missing} (the program ended with "
                             f"{session.program.returncode}): {session.saved()!r}")
        # A good save ends well: a session or a script reads the status, not the file.
        assert session.program.returncode == 0, (
            f"the notes were saved, but the program ended with {session.program.returncode}")
        print(f"{case}: the notes were saved")
        return 0
    except AssertionError as failure:
        session.shot("failed")
        print(f"{case}: FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        session.stop()


def main(argv):
    if len(argv) == 4 and argv[1] == "--on-display":
        return on_display(argv[2], argv[3])
    if len(argv) != 3 or argv[2] not in CASES:
        print(__doc__, file=sys.stderr)
        return 2
    program, case = argv[1], argv[2]
    for tool in ("openbox", "xdotool"):
        if not shutil.which(tool):
            print(f"{tool} is missing (tools/quillet.sh test installs it)", file=sys.stderr)
            return 1
    if not shutil.which("xvfb-run"):
        print("SKIPPED: no virtual display (xvfb-run is missing)")
        return SKIPPED
    with tempfile.TemporaryDirectory(prefix="quillet-e2e-") as folder:
        shutil.copytree(program, os.path.join(folder, "quillet"),
                        ignore=shutil.ignore_patterns("savedfile.qlt*"))
        run = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", sys.executable,
                              os.path.abspath(__file__), "--on-display", folder, case])
        if not os.path.exists(os.path.join(folder, "display-up")):
            print("SKIPPED: the virtual display (Xvfb) could not start")
            return SKIPPED
        return run.returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv))
