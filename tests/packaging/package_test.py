#!/usr/bin/env python3
"""The Debian package, built and used as a user would.

Builds the package with CPack into a scratch folder, checks that it holds the programs, the
supplied files, the menu entry, the icons, the metainfo and the manual page, and that its
dependencies were filled in; checks the menu entry and the metainfo with their validators;
unpacks it into a scratch root with dpkg -x and runs the unpacked wageloom-batch with HOME
on a scratch folder: the first run makes the user's program folder from the supplied files
and lists the sample companies, a second run leaves the user's folder as it is.

Usage: package_test.py --cpack CPACK --config CPackConfig.cmake --templates data/Report
"""
import argparse
import glob
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

ARGS = None
DESKTOP = "usr/share/applications/org.wageloom.Wageloom.desktop"
METAINFO = "usr/share/metainfo/org.wageloom.Wageloom.metainfo.xml"
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
SAMPLE_COMPANIES_2020 = "1\tサンプル精機株式会社\n2\tサンプルサービス株式会社\n"


def run(command, **kwargs):
    """Runs a command; its completed process (text output)."""
    return subprocess.run(command, capture_output=True, text=True, timeout=300, **kwargs)


def png_size(path):
    """(width, height) of a PNG file, from its IHDR chunk."""
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="wageloom-package-")
        built = run([ARGS.cpack, "-G", "DEB", "--config", ARGS.config, "-B", os.path.join(cls.scratch, "out")])
        if built.returncode != 0:
            raise AssertionError("cpack failed:\n" + built.stdout + built.stderr)
        debs = glob.glob(os.path.join(cls.scratch, "out", "wageloom_*.deb"))
        if len(debs) != 1:
            raise AssertionError("expected one package, found %s" % debs)
        cls.deb = debs[0]
        cls.root = os.path.join(cls.scratch, "root")
        unpacked = run(["dpkg", "-x", cls.deb, cls.root])
        if unpacked.returncode != 0:
            raise AssertionError("dpkg -x failed:\n" + unpacked.stderr)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def test_lists_the_programs_supplied_files_and_desktop_files(self):
        listing = run(["dpkg-deb", "-c", self.deb])
        self.assertEqual(listing.returncode, 0, listing.stderr)
        paths = {line.split()[-1].lstrip(".") for line in listing.stdout.splitlines()}
        expected = ["/usr/bin/wageloom", "/usr/bin/wageloom-batch",
                    "/usr/share/wageloom/DATA/SEIGYO.MDB", "/usr/share/wageloom/DATA/DATA.MDB",
                    "/usr/share/wageloom/WageloomSlim.html",
                    "/usr/share/wageloom/CSV/", "/usr/share/wageloom/Picture/",
                    "/" + DESKTOP, "/" + METAINFO,
                    "/usr/share/icons/hicolor/scalable/apps/wageloom.svg",
                    "/usr/share/man/man1/wageloom-batch.1.gz"]
        expected += ["/usr/share/wageloom/DATA/%d/DATA.MDB" % year for year in (2018, 2019, 2020)]
        expected += ["/usr/share/wageloom/Report/" + name for name in sorted(os.listdir(ARGS.templates))]
        expected += ["/usr/share/icons/hicolor/%dx%d/apps/wageloom.png" % (s, s) for s in ICON_SIZES]
        for path in expected:
            self.assertIn(path, paths)
        # Neither the developer's own work nor the template marks of a laid-out folder.
        self.assertFalse([p for p in paths if ".shipped" in p or p.endswith(".pdf") or "/wk" in p], paths)

    def test_dependencies_are_filled_in(self):
        depends = run(["dpkg-deb", "-f", self.deb, "Depends"]).stdout
        for library in ("libqt6widgets6", "libqt6core6", "libsqlite3-0", "fonts-noto-cjk"):
            self.assertIn(library, depends)

    def test_menu_entry_and_metainfo_pass_their_validators(self):
        for command in (["desktop-file-validate", os.path.join(self.root, DESKTOP)],
                        ["appstreamcli", "validate", "--no-net", os.path.join(self.root, METAINFO)]):
            checked = run(command)
            self.assertEqual(checked.returncode, 0, " ".join(command) + "\n" + checked.stdout + checked.stderr)
        with open(os.path.join(self.root, DESKTOP), encoding="utf-8") as f:
            entry = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        # The entry starts the packaged program and names the packaged icon.
        self.assertTrue(os.access(os.path.join(self.root, "usr/bin", entry["Exec"].split()[0]), os.X_OK))
        self.assertTrue(os.path.isfile(os.path.join(self.root, "usr/share/icons/hicolor/scalable/apps",
                                                    entry["Icon"] + ".svg")))
        self.assertIn("賃金", entry["Name"] + entry["Comment"])

    def test_icons_are_drawn_at_their_sizes(self):
        for s in ICON_SIZES:
            path = os.path.join(self.root, "usr/share/icons/hicolor/%dx%d/apps/wageloom.png" % (s, s))
            self.assertEqual(png_size(path), (s, s), path)

    def test_manual_page_renders(self):
        page = os.path.join(self.root, "usr/share/man/man1/wageloom-batch.1.gz")
        shown = run(["man", "-l", page], env=dict(os.environ, LANG="C.UTF-8", MANPAGER="cat", PAGER="cat"))
        self.assertEqual(shown.returncode, 0, shown.stderr)
        for text in ("wageloom-batch", "WAGELOOM_FOLDER", "companies", ".local/share/wageloom"):
            self.assertIn(text, shown.stdout)

    def test_batch_tool_makes_the_users_folder_once(self):
        home = os.path.join(self.scratch, "home")
        os.makedirs(home)
        env = {k: v for k, v in os.environ.items()
               if k not in ("XDG_DATA_HOME", "WAGELOOM_FOLDER", "QT_QPA_PLATFORM")}
        env["HOME"] = home
        tool = os.path.join(self.root, "usr/bin/wageloom-batch")
        user = os.path.join(home, ".local/share/wageloom")

        first = run([tool, "companies", "--year", "2020"], env=env)
        self.assertEqual(first.returncode, 0, first.stderr)
        self.assertEqual(first.stdout, SAMPLE_COMPANIES_2020)
        self.assertIn("プログラムフォルダを作りました", first.stderr)
        for f in ("DATA/SEIGYO.MDB", "DATA/DATA.MDB", "DATA/2018/DATA.MDB", "DATA/2020/DATA.MDB",
                  "Report/PrintSalaryList.jfm", "WageloomSlim.html"):
            self.assertTrue(os.path.isfile(os.path.join(user, f)), f)
        for d in ("CSV", "Picture"):
            self.assertTrue(os.path.isdir(os.path.join(user, d)), d)
        # Nothing was written into the unpacked package.
        self.assertFalse(os.path.exists(os.path.join(self.root, "usr/bin/DATA")))

        # The user's own changes stay: a deleted year is not brought back, a changed
        # template is not replaced, and nothing is said about making the folder.
        shutil.rmtree(os.path.join(user, "DATA/2018"))
        template = os.path.join(user, "Report/PrintSalaryList.jfm")
        with open(template, "w", encoding="utf-8") as f:
            f.write("{}")
        second = run([tool, "companies", "--year", "2020"], env=env)
        self.assertEqual(second.returncode, 0, second.stderr)
        self.assertEqual(second.stdout, SAMPLE_COMPANIES_2020)
        self.assertEqual(second.stderr, "")
        self.assertFalse(os.path.exists(os.path.join(user, "DATA/2018")))
        with open(template, encoding="utf-8") as f:
            self.assertEqual(f.read(), "{}")

        # WAGELOOM_FOLDER and --folder choose another folder, here the unpacked supplied
        # files themselves (read only by this command).
        supplied = os.path.join(self.root, "usr/share/wageloom")
        other = run([tool, "companies", "--year", "2018"], env=dict(env, WAGELOOM_FOLDER=supplied))
        self.assertEqual(other.stdout, SAMPLE_COMPANIES_2020, other.stderr)
        missing = run([tool, "--folder", os.path.join(self.scratch, "nowhere"), "companies"], env=env)
        self.assertEqual(missing.returncode, 2)
        self.assertIn("プログラムフォルダがありません", missing.stderr)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--cpack", required=True)
    parser.add_argument("--config", required=True)
    parser.add_argument("--templates", required=True)
    ARGS, rest = parser.parse_known_args()
    for tool in ("dpkg-deb", "dpkg-shlibdeps", "desktop-file-validate", "appstreamcli", "man"):
        if not shutil.which(tool):
            sys.exit("%s is missing: run scripts/install-deps.sh" % tool)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
