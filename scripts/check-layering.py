#!/usr/bin/env python3
"""Checks the floors of the source tree by its #include lines.

    src/core       shared utilities: includes nothing else of src
    src/store      connections and record access: includes core
    src/shell      the session and what every subsystem shares: includes core, store
    subsystems     reference, matrix, employees, reports, wagetable, plot, projects, raise:
                   their logic includes core, store, shell and other subsystems' logic,
                   without a cycle between subsystems
    */screens      the forms of a folder: include logic, the screen kit (shell/screens)
                   and their own folder's screens
    src/app        the main window and main.cpp: the one place that includes the screens
                   of several subsystems
    src/batch      the batch tool's commands: logic only

Logic (every file outside screens/ and app/) never includes a screen header, nor Qt
Widgets. Prints each broken rule as FILE:LINE: message and exits 1; exits 0 when the tree
keeps every rule.

Usage: check-layering.py [SOURCE_ROOT] [--widgets-headers DIR]
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
LOWER = ("core", "store", "shell")
TOP = ("app", "batch")

# Qt Widgets headers that may be included without the module prefix. The installed module
# folder is read when it is there; this list covers the classes our code would reach for.
KNOWN_WIDGETS = {
    "QApplication", "QWidget", "QDialog", "QMainWindow", "QMessageBox", "QFileDialog",
    "QPushButton", "QLabel", "QLineEdit", "QComboBox", "QCheckBox", "QRadioButton",
    "QTableWidget", "QTableView", "QHeaderView", "QGridLayout", "QHBoxLayout", "QVBoxLayout",
    "QFormLayout", "QGroupBox", "QTabWidget", "QSpinBox", "QScrollArea", "QMenu", "QMenuBar",
    "QToolButton", "QStatusBar", "QSplashScreen", "QColorDialog", "QPrintDialog", "QPrintPreviewDialog",
}


def widget_headers(folder):
    names = set(KNOWN_WIDGETS)
    if folder and os.path.isdir(folder):
        names.update(n for n in os.listdir(folder) if n.startswith("Q") and "." not in n)
    return names


def default_widgets_folder():
    for candidate in ("/usr/include/x86_64-linux-gnu/qt6/QtWidgets", "/usr/include/aarch64-linux-gnu/qt6/QtWidgets",
                      "/usr/include/qt6/QtWidgets"):
        if os.path.isdir(candidate):
            return candidate
    return None


def place_of(relative):
    """(folder, is_screen) of a path below the source root, e.g. ('plot', True)."""
    parts = relative.split("/")
    folder = parts[0] if len(parts) > 1 else ""
    return folder, "screens" in parts[1:-1]


def check(root, widgets):
    problems = []
    uses = {}   # subsystem logic -> {subsystem logic it includes: first (file, line)}
    for directory, _, files in os.walk(root):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(directory, name)
            relative = os.path.relpath(path, root).replace(os.sep, "/")
            folder, screen = place_of(relative)
            with open(path, encoding="utf-8", errors="replace") as f:
                lines = f.readlines()
            for number, line in enumerate(lines, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                quote, target = m.groups()
                where = "%s:%d" % (os.path.join(root, relative), number)

                def refuse(message):
                    problems.append("%s: %s (#include %s)" % (where, message, line.strip()[len("#include"):].strip()))

                if quote == "<":
                    header = target.split("/")[-1]
                    if not screen and folder not in ("app",) and (target.startswith("QtWidgets/")
                                                                   or header in widgets):
                        refuse("logic includes Qt Widgets")
                    continue
                tfolder, tscreen = place_of(target)
                if tfolder == "app" and folder != "app":
                    refuse("only the main window's folder includes src/app")
                elif tfolder == "batch" and folder != "batch":
                    refuse("only the batch tool includes src/batch")
                elif folder == "core" and tfolder != "core":
                    refuse("src/core includes nothing else of src")
                elif folder == "store" and tfolder not in ("core", "store"):
                    refuse("src/store includes only core")
                elif folder == "shell" and not screen and tfolder not in LOWER:
                    refuse("the shell's logic includes only core, store and shell")
                elif tscreen and not screen and folder != "app":
                    refuse("logic includes a screen header")
                elif tscreen and screen and tfolder not in (folder, "shell"):
                    refuse("a subsystem's screens include only their own screens and shell/screens; "
                           "src/app is the one place that includes the screens of several subsystems")
                elif (folder not in LOWER + TOP and not screen and tfolder not in LOWER
                      and tfolder != folder and not tscreen):
                    uses.setdefault(folder, {}).setdefault(tfolder, where)

    # No cycle between subsystems' logic: each must be able to stand on the ones below it.
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt, where in sorted(uses.get(node, {}).items()):
            if state.get(nxt) == "open":
                # Every include along the cycle is named, so whichever was added last shows.
                cycle = trail[trail.index(nxt):] + [nxt]
                for a, b in zip(cycle, cycle[1:]):
                    problems.append("%s: subsystems include each other: %s" % (uses[a][b], " -> ".join(cycle)))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in sorted(uses):
        if node not in state:
            visit(node, [node])
    return problems


def main(argv):
    root = "src"
    widgets_folder = default_widgets_folder()
    args = list(argv)
    while args:
        a = args.pop(0)
        if a == "--widgets-headers":
            widgets_folder = args.pop(0)
        else:
            root = a
    problems = check(root, widget_headers(widgets_folder))
    for p in problems:
        print(p)
    if problems:
        print("%d include(s) break the floors of %s" % (len(problems), root))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
