"""The include-graph check on small made-up trees: it must find what it is meant to find."""

import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "check_includes.py")


def run_check(files):
    """Writes files ({path: text}) into a fresh tree and runs the check on it."""
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as f:
                f.write(text)
        done = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)
        return done.returncode, done.stdout


class CheckIncludesTest(unittest.TestCase):
    def test_clean_tree_passes(self):
        code, out = run_check({
            "engine/Value.h": "#pragma once\n#include <string>\n",
            "engine/Value.cpp": '#include "engine/Value.h"\n',
            "worksheet/Sheet.cpp": '#include "engine/Value.h"\n#include "Generated.h"\n',
            "qt/ui/Window.cpp": '#include "uilogic/Layout.h"\n#include "qt/controls/Box.h"\n',
            "uilogic/Layout.h": '#include "settings/Model.h"\n',
            "settings/Model.h": "",
            "qt/controls/Box.h": "",
            "tests/engine/ValueTest.cpp": '#include "worksheet/Sheet.h"\n',
        })
        self.assertEqual(code, 0, out)

    def test_cycle_through_sources_is_found(self):
        # Headers alone are acyclic; the sources close the ring a -> b -> c -> a.
        code, out = run_check({
            "qt/controls/A.h": "", "qt/controls/B.h": "", "qt/controls/C.h": "",
            "qt/controls/A.cpp": '#include "qt/controls/A.h"\n#include "qt/controls/B.h"\n',
            "qt/controls/B.cpp": '#include "qt/controls/C.h"\n',
            "qt/controls/C.cpp": '#include "qt/controls/A.h"\n',
            "qt/controls/D.cpp": '#include "qt/controls/A.h"\n',
        })
        self.assertEqual(code, 1)
        self.assertIn("cycle: qt/controls/A <-> qt/controls/B <-> qt/controls/C", out)
        self.assertIn("qt/controls/C.cpp -> qt/controls/A.h", out)
        self.assertNotIn("qt/controls/D", out)

    def test_includes_up_a_layer_are_found(self):
        code, out = run_check({
            "engine/Eval.cpp": '#include "worksheet/List.h"\n',
            "worksheet/List.h": "",
            "uilogic/Keys.cpp": '#include "qt/ui/Window.h"\n#include "platform/Files.h"\n',
            "qt/ui/Window.h": "",
            "platform/Files.h": '#include "../settings/Model.h"\n',
            "settings/Model.h": "",
            "cli/main.cpp": '#include "qt/controls/Box.h"\n',
            "qt/controls/Box.h": "",
            "settings/Load.cpp": '#include "tools/Sources.h"\n',
            "tools/Sources.h": '#include "settings/Model.h"\n',
            "win32/ui/Window.cpp": '#include "qt/controls/Box.h"\n',
            "win32/controls/Box.h": '#include "win32/ui/Window.h"\n',
            "win32/ui/Window.h": "",
        })
        self.assertEqual(code, 1)
        for fault in ("engine/Eval.cpp includes worksheet/List.h",
                      "uilogic/Keys.cpp includes qt/ui/Window.h",
                      "uilogic/Keys.cpp includes platform/Files.h",
                      "platform/Files.h includes settings/Model.h",
                      'path: platform/Files.h includes "../settings/Model.h"',
                      "cli/main.cpp includes qt/controls/Box.h",
                      "settings/Load.cpp includes tools/Sources.h",
                      "win32/ui/Window.cpp includes qt/controls/Box.h",
                      "win32/controls/Box.h includes win32/ui/Window.h"):
            self.assertIn(fault, out)
        self.assertIn("9 include fault(s)", out)

    def test_include_beside_the_file_wins(self):
        # "Support.h" names tests/ui/Support.h, not a root-level Support.h.
        code, out = run_check({
            "tests/ui/Support.h": '#include "tests/ui/Test.h"\n',
            "tests/ui/Test.h": "",
            "tests/ui/Test.cpp": '#include "Support.h"\n',
            "Support.h": "",
        })
        self.assertEqual(code, 1)
        self.assertIn("cycle: tests/ui/Support <-> tests/ui/Test", out)


if __name__ == "__main__":
    unittest.main()
