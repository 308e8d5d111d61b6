#!/usr/bin/env python3
"""Tests of StartupWatch on a bare X server:

    scripts/with-xvfb python3 test_startup_watch.py STARTUPWATCH BAREWINDOW
"""

import json
import os
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

WATCH = BARE = None


def watch(*arguments, timeout=60):
    return subprocess.run([WATCH, *arguments], capture_output=True, text=True, timeout=timeout)


def alive(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    # A zombie is gone for our purposes.
    return "State:\tZ" not in Path(f"/proc/{pid}/status").read_text()


class StartupWatchTest(unittest.TestCase):
    def test_times_the_first_window_and_reads_idle_memory(self):
        done = watch("--rss-after", "0.5", "--", BARE)
        self.assertEqual(done.returncode, 0, done.stderr)
        result = json.loads(done.stdout)
        self.assertGreater(result["map_ms"], 1)
        self.assertLess(result["map_ms"], 30000)
        # A Qt Widgets window costs tens of megabytes, never a few kilobytes
        # (which would be the watcher's own or a wrong process).
        self.assertGreater(result["rss_kb"], 8 * 1024)

    def test_without_rss_after_only_the_time_is_reported(self):
        done = watch("--", BARE)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(set(json.loads(done.stdout)), {"map_ms"})

    def test_a_program_that_ends_without_a_window_is_an_error(self):
        done = watch("--", "/bin/true")
        self.assertEqual(done.returncode, 2)
        self.assertIn("ended before it showed a window", done.stderr)
        self.assertEqual(done.stdout, "")

    def test_a_program_that_shows_no_window_is_ended_at_the_time_out(self):
        with tempfile.TemporaryDirectory() as folder:
            pid_file = Path(folder) / "pid"
            script = Path(folder) / "silent.sh"
            script.write_text(f"#!/bin/sh\necho $$ > {pid_file}\nexec sleep 60\n")
            script.chmod(0o755)
            started = time.monotonic()
            done = watch("--timeout", "1", "--", str(script))
            self.assertLess(time.monotonic() - started, 15)
            self.assertEqual(done.returncode, 2)
            self.assertIn("no window within the time-out", done.stderr)
            self.assertFalse(alive(int(pid_file.read_text())), "the program was left running")

    def test_the_program_runs_in_its_own_folder_and_is_ended_after(self):
        with tempfile.TemporaryDirectory() as folder:
            # A shell script that notes its folder and pid, then becomes the
            # bare window.
            script = Path(folder) / "wrapper.sh"
            script.write_text(f"#!/bin/sh\npwd > {folder}/cwd\necho $$ > {folder}/pid\nexec {BARE}\n")
            script.chmod(0o755)
            done = watch("--log", f"{folder}/log", "--", str(script))
            self.assertEqual(done.returncode, 0, done.stderr)
            self.assertEqual(Path(folder, "cwd").read_text().strip(), folder)
            self.assertFalse(alive(int(Path(folder, "pid").read_text())), "the program was left running")

    def test_bad_arguments_are_refused(self):
        for arguments in (["--"], ["--rss-after"], ["--colour", "1", "--", BARE]):
            with self.subTest(arguments=arguments):
                done = watch(*arguments)
                self.assertEqual(done.returncode, 2)
                self.assertTrue(done.stderr.startswith("StartupWatch: "))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    WATCH, BARE = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    del sys.argv[1:3]
    unittest.main()
