"""End-to-end smoke test of the Windows build: the real trimwell.exe under
wine on a private X desktop, driven with real key and mouse events and read
off the screen and out of wine's registry. Run by tests/windows/run."""

import os
import tempfile
import unittest

from harness import (TWIPS_PER_PIXEL, Desktop, hrii_path, pixels, run,
                     wait_for)
from wine import BUILD, Program, reg, stored_placement, windows_path

DESKTOP = None
MSINFO = r"HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO"
# Path segments whose place shows a change of the pilot's weight: the
# passenger's (blue) and the wing fuel's (grey), by their end station.
MOVING = {4: (0, 0, 128), 7: (128, 128, 128)}


def setUpModule():
    global DESKTOP
    DESKTOP = Desktop().start()


def tearDownModule():
    DESKTOP.stop()


class Chart:
    """The chart box's drawing area on the screen, found by its first white
    pixels right of the input frames and below the title, its size from the
    layout less the box's border; and its mapping of arm and weight."""

    BOX = (4920, 720, 6495, 6735)  # twips, below the menu bar

    def __init__(self, env, window):
        self.env = env
        self.screen = window.client()
        width, height = self.screen[2:]
        data = pixels(env, self.screen)
        white = (lambda px, py:
                 data[3 * (py * width + px):3 * (py * width + px) + 3]
                 == b"\xff\xff\xff")
        left, _, box_width, box_height = (round(t / TWIPS_PER_PIXEL)
                                          for t in self.BOX)
        column = left + box_width // 2
        self.top = next(py for py in range(height) if white(column, py))
        self.left = next(px for px in range(left - 10, width)
                         if white(px, self.top + 1))
        border = self.left - left
        self.right = self.left + box_width - 2 * border - 1
        self.bottom = self.top + box_height - 2 * border - 1
        # What lies above the box is the menu bar.
        self.menu_bar = self.top - border - round(self.BOX[1] / TWIPS_PER_PIXEL)

    def place(self, point, bounds):
        """Window pixel of (arm, weight) under the chart's scale."""
        arm, weight = point
        min_arm, max_arm, min_weight, max_weight = bounds
        width = self.right - self.left + 1
        height = self.bottom - self.top + 1
        return (self.left + (arm - min_arm) / (max_arm - min_arm) * width,
                self.top + (max_weight - weight) / (max_weight - min_weight)
                * height)

    def colour_near(self, at, colour, reach=2):
        """Whether a pixel of `colour` lies within `reach` of `at`."""
        x, y = round(at[0]) - reach, round(at[1]) - reach
        side = 2 * reach + 1
        box = (self.screen[0] + x, self.screen[1] + y, side, side)
        data = pixels(self.env, box)
        return bytes(colour) in [data[i:i + 3] for i in range(0, len(data), 3)]

    def shows(self, pilot_weight):
        """Whether the moving segments lie where the pilot's weight puts
        them."""
        points, bounds = hrii_path(pilot_weight)
        middles = [((points[k - 1][0] + points[k][0]) / 2,
                    (points[k - 1][1] + points[k][1]) / 2) for k in MOVING]
        return all(self.colour_near(self.place(m, bounds), c)
                   for m, c in zip(middles, MOVING.values()))


class Smoke(unittest.TestCase):
    """One wine prefix for the whole run, as a user's would be."""

    app = None

    def tearDown(self):
        if self.app:
            self.app.stop()

    def start(self, env=None):
        self.app = Program(DESKTOP, env=env)
        # A first start in a new prefix sets wine up; later ones take ~3 s.
        return wait_for(lambda: self.app.window(smallest_width=700), 90,
                        "main window")

    def exit_with_menu(self, window):
        self.app.keys(window, "alt+f", "x")
        return self.app.wait()

    def test_1_first_start_typing_and_placement(self):
        self.app = Program(DESKTOP)
        splash = wait_for(lambda: self.app.window(), 90, "splash card")
        self.assertLess(splash.frame()[2], 600)  # the card, not the window
        main = wait_for(lambda: self.app.window(smallest_width=700), 30,
                        "main window")
        wait_for(lambda: len(self.app.windows()) == 1, 10, "splash to go")

        chart = Chart(DESKTOP.env, main)
        wait_for(lambda: chart.shows(170), 10, "HR-II chart")
        self.assertFalse(chart.shows(250))
        # Into the pilot's weight box: its place in the input frame, the
        # frame's in the window, below the menu bar.
        x = round((0 + 3000 + 855 / 2) / TWIPS_PER_PIXEL)
        y = chart.menu_bar + round((960 + 960 + 285 / 2) / TWIPS_PER_PIXEL)
        run(self.app.env, "xdotool", "mousemove", "--window", main.id,
            str(x), str(y), "click", "1")
        run(self.app.env, "xdotool", "key", "ctrl+a", "BackSpace", "2", "5",
            "0")
        wait_for(lambda: chart.shows(250), 10, "chart of pilot weight 250")
        self.assertFalse(chart.shows(170))

        frame = main.frame()
        self.assertEqual(self.exit_with_menu(main), 0)
        # Wine's registry holds the frame as wine sees it: within the few
        # pixels by which the window manager's frame differs from wine's.
        stored = stored_placement(DESKTOP)
        for key, pixels_on_screen in zip(
                ("MainLeft", "MainTop", "MainWidth", "MainHeight"), frame):
            self.assertAlmostEqual(int(stored[key]) / TWIPS_PER_PIXEL,
                                   pixels_on_screen, delta=4, msg=key)

        # The second start comes back where the first one was left.
        again = self.start()
        wait_for(lambda: again.frame() == frame, 10, f"frame {frame}")
        self.assertEqual(self.exit_with_menu(again), 0)

    def about_system_info(self, env=None):
        main = self.start(env)
        self.app.keys(main, "alt+h", "a")
        about = wait_for(lambda: self.app.window("About Trimwell"), 20,
                         "About box")
        self.app.keys(about, "alt+s")
        return main, about

    def test_2_system_info_unavailable_in_a_clean_prefix(self):
        self.assertIsNone(reg(DESKTOP, "query", MSINFO))
        main, about = self.about_system_info()
        # The message box, titled Trimwell as the main window is.
        shown = lambda: [w for w in self.app.windows() if w.id != main.id]
        message = wait_for(shown, 20, "message")[0]
        self.app.keys(message, "Return")
        wait_for(lambda: not shown(), 10, "message to go")
        self.assertIsNotNone(self.app.window("About Trimwell"))
        self.app.keys(about, "Escape")
        wait_for(lambda: not self.app.window("About Trimwell"), 10,
                 "About box to close")
        self.assertEqual(self.exit_with_menu(main), 0)

    def test_3_system_info_starts_the_registered_tool(self):
        folder = tempfile.mkdtemp(dir=DESKTOP.root)
        tool = os.path.join(folder, "tool with blanks.exe")
        os.link(os.path.join(BUILD, "tests", "trimwell_test_tool.exe"), tool)
        marker = os.path.join(folder, "started")
        self.assertIsNotNone(reg(DESKTOP, "add", MSINFO, "/v", "PATH", "/t",
                                 "REG_SZ", "/d", windows_path(tool), "/f"))
        try:
            main, about = self.about_system_info(
                {"TRIMWELL_TOOL_MARKER": windows_path(marker)})
            wait_for(lambda: os.path.exists(marker), 30, "tool to start")
            self.app.keys(about, "Escape")
            self.assertEqual(self.exit_with_menu(main), 0)
        finally:
            reg(DESKTOP, "delete", MSINFO, "/f")


if __name__ == "__main__":
    unittest.main(verbosity=2)
