#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs tools/quillet.sh against fake package and build tools, and checks what it asked of them.

    setupscript.py SOURCE_FOLDER

The fakes log every call; none installs or builds anything, and the fake sleep returns at once.
"""

import os
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest

SOURCE = sys.argv.pop(1) if len(sys.argv) > 1 else os.getcwd()
LOCKED = "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 7 (apt-get)"

# Each fake logs its name and arguments; apt-get answers from a script of exit codes and errors.
FAKE = """#!/bin/sh
echo "$(basename "$0") $*" >> "$FAKE_LOG"
"""
FAKE_APT = FAKE + """n=$(grep -c '^apt-get' "$FAKE_LOG")
answer=$(sed -n "${n}p" "$FAKE_APT_ANSWERS")
[ -z "$answer" ] && exit 0
echo "${answer#* }" >&2
exit "${answer%% *}"
"""


class SetupScriptTest(unittest.TestCase):
    def run_script(self, what, apt_answers=()):
        """The log of calls, and the script's exit status."""
        folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, folder)
        bin_dir = os.path.join(folder, "bin")
        os.makedirs(os.path.join(folder, "build", "quillet"))
        os.makedirs(bin_dir)
        fakes = {name: FAKE for name in ("cmake", "ctest", "sleep")}
        fakes["apt-get"] = FAKE_APT
        # Nothing is installed yet, so every package is asked for.
        fakes["dpkg-query"] = FAKE + "exit 1\n"
        fakes["sudo"] = FAKE + 'exec "$@"\n'
        for name, text in fakes.items():
            self.write_program(os.path.join(bin_dir, name), text)
        self.write_program(os.path.join(folder, "build", "quillet", "quillet"),
                           '#!/bin/sh\necho "program $*" >> "$FAKE_LOG"\n')
        log = os.path.join(folder, "log")
        answers = os.path.join(folder, "answers")
        with open(answers, "w") as out:
            out.write("".join(f"{a}\n" for a in apt_answers))
        env = dict(os.environ, PATH=f"{bin_dir}:{os.environ['PATH']}", FAKE_LOG=log,
                   FAKE_APT_ANSWERS=answers, QUILLET_BUILD_DIR=os.path.join(folder, "build"),
                   DISPLAY=":99")
        run = subprocess.run(["bash", os.path.join(SOURCE, "tools", "quillet.sh"), what], env=env,
                             capture_output=True, text=True, timeout=60)
        with open(log) as calls:
            return [line.split() for line in calls], run.returncode

    @staticmethod
    def write_program(path, text):
        with open(path, "w") as out:
            out.write(text)
        os.chmod(path, stat.S_IRWXU)

    def test_builds(self):
        # (command, what cmake is asked to build, what runs after the build)
        table = [
            ("run", ["--target", "quillet"], "program"),
            ("test", [], "ctest"),
        ]
        for what, target, then in table:
            with self.subTest(what):
                calls, status = self.run_script(what)
                self.assertEqual(status, 0)
                builds = [c for c in calls if c[0] == "cmake" and "--build" in c]
                self.assertEqual(len(builds), 1)
                self.assertEqual(builds[0][builds[0].index("--build") + 3:], target)
                self.assertEqual(calls[-1][0], then)

    def test_package_manager(self):
        # (apt-get's answers in turn, the script's status, apt-get calls: update or install)
        table = [
            ("free", [], 0, ["update", "install"]),
            ("lists locked twice", [f"100 {LOCKED}", f"100 {LOCKED}"], 0, ["update"] * 3 + ["install"]),
            ("install locked", ["0 ", f"100 {LOCKED}"], 0, ["update", "install", "install"]),
            ("no network", ["100 E: Failed to fetch http://deb.debian.org"], 1, ["update"]),
        ]
        for name, answers, expected_status, expected_calls in table:
            with self.subTest(name):
                calls, status = self.run_script("run", answers)
                self.assertEqual(status, expected_status)
                apt_calls = [c for c in calls if c[0] == "apt-get"]
                self.assertEqual([next(a for a in c[1:] if a in ("update", "install")) for c in apt_calls],
                                 expected_calls)
                for call in apt_calls:
                    self.assertIn("DPkg::Lock::Timeout=600", call)
                self.assertEqual([c for c in calls if c[0] == "sleep"], [["sleep", "5"]] * (len(expected_calls) - 2))
                self.assertEqual(any(c[0] == "cmake" for c in calls), expected_status == 0)


if __name__ == "__main__":
    unittest.main()
