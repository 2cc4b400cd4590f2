#!/usr/bin/env python3
"""The floor check refuses a planted bad include, naming the file and line, and passes a
tree that keeps the floors."""
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "check-layering.py")

# A small tree that keeps every rule.
CLEAN = {
    "core/Numbers.h": '#pragma once\n#include <QString>\n',
    "store/Records.h": '#include "core/Numbers.h"\n',
    "shell/Session.h": '#include "store/Records.h"\n#include "core/Numbers.h"\n',
    "shell/screens/Kit.h": '#include <QWidget>\n#include "shell/Session.h"\n',
    "plot/Chart.h": '#include "shell/Session.h"\n#include "employees/List.h"\n',
    "employees/List.h": '#include "store/Records.h"\n',
    "plot/screens/TPX1100.h": '#include <QDialog>\n#include "plot/Chart.h"\n#include "shell/screens/Kit.h"\n',
    "app/TPX0000.cpp": '#include "plot/screens/TPX1100.h"\n#include "employees/screens/TPX0030.h"\n',
    "employees/screens/TPX0030.h": '#include "employees/List.h"\n',
    "batch/Commands.cpp": '#include "plot/Chart.h"\n',
}

# (file, its text, the message expected) for each planted fault.
PLANTED = [
    ("core/Dates.cpp", '#include <QDate>\n#include "store/Records.h"\n', "src/core includes nothing else of src"),
    ("store/Access.cpp", '#include "shell/Session.h"\n', "src/store includes only core"),
    ("shell/Lookups.cpp", '#include "plot/Chart.h"\n', "the shell's logic includes only core, store and shell"),
    ("plot/Model.cpp", '#include "plot/screens/TPX1100.h"\n', "logic includes a screen header"),
    ("plot/Model.cpp", '#include <QMessageBox>\n', "logic includes Qt Widgets"),
    ("plot/Model.cpp", '#include <QtWidgets/QLabel>\n', "logic includes Qt Widgets"),
    ("batch/Run.cpp", '#include "shell/screens/Kit.h"\n', "logic includes a screen header"),
    ("plot/screens/TPX1010.cpp", '#include "employees/screens/TPX0030.h"\n',
     "a subsystem's screens include only their own screens and shell/screens"),
    ("employees/Export.cpp", '#include "plot/Chart.h"\n', "subsystems include each other: employees -> plot -> employees"),
    ("plot/Model.cpp", '#include "app/TPX0000.h"\n', "only the main window's folder includes src/app"),
]


def write_tree(root, files):
    for relative, text in files.items():
        path = os.path.join(root, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)


def run(root):
    return subprocess.run([sys.executable, SCRIPT, root, "--widgets-headers", os.path.join(root, "none")],
                          capture_output=True, text=True)


class CheckLayering(unittest.TestCase):
    def test_a_tree_that_keeps_the_floors_passes(self):
        with tempfile.TemporaryDirectory() as root:
            write_tree(root, CLEAN)
            result = run(root)
            self.assertEqual(result.returncode, 0, result.stdout)
            self.assertEqual(result.stdout, "")

    def test_each_planted_include_is_refused_with_its_file_and_line(self):
        for relative, text, message in PLANTED:
            with self.subTest(file=relative, include=text.strip()):
                with tempfile.TemporaryDirectory() as root:
                    write_tree(root, CLEAN)
                    write_tree(root, {relative: text})
                    result = run(root)
                    self.assertEqual(result.returncode, 1, result.stdout)
                    # The last include of the planted file is the bad one.
                    line = len(text.splitlines())
                    located = [l for l in result.stdout.splitlines()
                               if l.startswith("%s:" % os.path.join(root, relative))]
                    self.assertTrue(located, result.stdout)
                    self.assertIn("%s:%d: " % (os.path.join(root, relative), line), located[0])
                    self.assertIn(message, located[0])


if __name__ == "__main__":
    unittest.main(verbosity=2)
