"""The Windows installer under wine: a silent install into a folder of the
test's, the installed program started on a private X desktop, then the
silent uninstaller, which must leave nothing behind. Run by
tests/windows/run BUILD installer."""

import glob
import os
import subprocess
import unittest
import zipfile

from harness import wait_for
from wine import BUILD, WINE, reg, windows_path
from x11 import Desktop, Program

# The packages carry the version the build was configured with.
VERSION = os.environ["TRIMWELL_VERSION"]
INSTALLER = os.path.join(BUILD, f"trimwell-{VERSION}-win64.exe")
ZIP = os.path.join(BUILD, f"trimwell-{VERSION}-win64.zip")
UNINSTALL_KEY = (r"HKLM\Software\Microsoft\Windows\CurrentVersion"
                 r"\Uninstall\Trimwell")
FILES = {"trimwell.exe", "LICENSE.txt", "Qt-copyright.txt",
         "fmt-copyright.txt", "fast-float-copyright.txt", "Uninstall.exe"}


class Installer(unittest.TestCase):
    def setUp(self):
        self.desktop = Desktop().start()
        self.addCleanup(self.desktop.stop)
        self.folder = os.path.join(self.desktop.root, "Trimwell")

    def shortcuts(self):
        drive_c = os.path.join(os.environ["WINEPREFIX"], "drive_c")
        return glob.glob(os.path.join(drive_c, "**", "Start Menu", "**",
                                      "Trimwell.lnk"), recursive=True)

    def test_install_start_uninstall(self):
        # /D names the folder; it must come last, unquoted.
        subprocess.run([WINE, INSTALLER, "/S", "/D=" + windows_path(
            self.folder)], env=self.desktop.env, check=True, timeout=300)
        self.assertEqual(set(os.listdir(self.folder)), FILES)
        self.assertIn("DisplayName", reg(self.desktop, "query", UNINSTALL_KEY))
        self.assertTrue(self.shortcuts())

        app = Program(self.desktop, [WINE, self.folder + "/trimwell.exe"])
        self.addCleanup(app.stop)
        main = wait_for(lambda: app.window("Trimwell"), 90, "main window")
        app.keys(main, "alt+f", "x")
        self.assertEqual(app.wait(), 0)

        # The uninstaller copies itself away and runs from there, so the
        # call returns before it is done.
        subprocess.run([WINE, os.path.join(self.folder, "Uninstall.exe"),
                        "/S"], env=self.desktop.env, check=True, timeout=300)
        wait_for(lambda: not os.path.exists(self.folder), 60,
                 "installed files to go")
        self.assertEqual(reg(self.desktop, "query", UNINSTALL_KEY), "")
        self.assertEqual(self.shortcuts(), [])

    def test_zip_holds_the_program_and_its_licences(self):
        with zipfile.ZipFile(ZIP) as archive:
            names = {os.path.basename(n) for n in archive.namelist()}
        self.assertEqual(names, FILES - {"Uninstall.exe"})
