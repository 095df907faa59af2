"""End-to-end tests: the real trimwell binary on a private X desktop,
driven with real key events and read through screenshots and the
accessibility interface."""

import os
import subprocess
import time
import unittest

from desktop import Desktop, wait_for
from trimwell_app import TWIPS_PER_PIXEL, Accessible, Trimwell, x_tool

BINARY = os.environ.get("TRIMWELL_BINARY", os.path.join(
    os.path.dirname(__file__), "..", "..", "build", "src", "trimwell"))
SPLASH_SECONDS = 3.0
FULL_SIZE_SETTINGS = ("[Settings]\nMainLeft=300\nMainTop=300\n"
                      "MainWidth=12000\nMainHeight=10500\n")
DESKTOP = None

# Palette colours the HR-II chart draws in.
RED = (255, 0, 0)
MAGENTA = (255, 0, 255)
BLUE = (0, 0, 128)
BLACK = (0, 0, 0)
GREY = (128, 128, 128)


def setUpModule():
    global DESKTOP
    DESKTOP = Desktop().start()
    # pyatspi finds the accessibility bus through these at import time.
    os.environ.update(DESKTOP.env)


def tearDownModule():
    DESKTOP.stop()


def screen_pixels(env, x, y, w, h):
    """The screen's pixels in a rectangle, as a list of rows of RGB tuples."""
    data = subprocess.run(["import", "-window", "root", "-crop",
                           f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8",
                           "rgb:-"], env=env, capture_output=True,
                          check=True).stdout
    return [[tuple(data[(r * w + c) * 3:(r * w + c) * 3 + 3])
             for c in range(w)] for r in range(h)]


def colour_counts(rows):
    counts = {}
    for row in rows:
        for pixel in row:
            counts[pixel] = counts.get(pixel, 0) + 1
    return counts


def expected_text(value):
    """How a result field writes a number, worked out independently with
    Python's own formatting: up to 15 significant digits, a blank for the
    sign of 0 and above, no 0 before the point."""
    text = "%.15G" % abs(value)
    if "E" not in text and "." in text:
        text = text.rstrip("0").rstrip(".")
    if text.startswith("0."):
        text = text[1:]
    return ("-" if value < 0 else " ") + text


HRII = {  # (arm, weight) per station, and the gross weight
    "stations": [(86, 1213), (45, 15), (0, 0), (105, 170), (136, 170),
                 (164, 30), (0, 0), (86.5, 252)],
}


def hrii_with_pilot(weight):
    stations = list(HRII["stations"])
    stations[3] = (105, weight)
    total = sum(w for _, w in stations)
    moment = 0.0
    for arm, w in stations:
        moment += w * arm
    return moment / total, total


class Running(unittest.TestCase):
    """Each test starts the program with a fresh settings folder."""

    def setUp(self):
        self.app = None

    def tearDown(self):
        if self.app:
            self.app.stop()

    def launch(self, settings_root=None, whole_layout=False):
        if self.app:
            self.app.stop()
        app = Trimwell(DESKTOP, BINARY, settings_root)
        if whole_layout:
            # The first-run size clips the chart; open large enough for it.
            app.write_settings(FULL_SIZE_SETTINGS)
        self.app = app.start()
        self.a11y = Accessible(self.app)
        return self.app

    def main_window(self, timeout=15):
        window = self.app.wait_window("Trimwell", timeout)
        self.a11y.wait_find("Aircraft weight")
        wait_for(lambda: self.result("Aircraft weight") != "", 10,
                 what="the HR-II results")
        return window

    def result(self, name):
        return Accessible.text(self.a11y.find(name))

    def wait_result(self, name, expected):
        try:
            wait_for(lambda: self.result(name) == expected, 5,
                     what=f"{name} = {expected!r}")
        except TimeoutError:
            self.assertEqual(self.result(name), expected)

    def close_with_menu(self, window):
        self.app.key(window, "alt+f", "x")
        return self.app.wait_exit()


class Startup(Running):
    def test_splash_then_main_window_with_hrii(self):
        app = self.launch()
        splash = app.wait_window("Trimwell", 10, kind="SPLASH")
        shown = time.monotonic()
        self.assertIsNone(app.window_named("Trimwell"))
        wait_for(lambda: app.window_named("Trimwell", kind="SPLASH") is None,
                 10, interval=0.02, what="the splash screen to go")
        self.assertAlmostEqual(time.monotonic() - shown, SPLASH_SECONDS,
                               delta=0.5)
        main = app.wait_window("Trimwell", 5)

        # Default placement: 1000 twips from the left and top, 6500 twips
        # wide and high, frame included.
        left, top, width, height = main.frame_geometry()
        expected = (1000 / TWIPS_PER_PIXEL, 1000 / TWIPS_PER_PIXEL,
                    6500 / TWIPS_PER_PIXEL, 6500 / TWIPS_PER_PIXEL)
        for got, want in zip((left, top, width, height), expected):
            self.assertAlmostEqual(got, want, delta=1.5)

        self.main_window()
        self.assertTrue(self.a11y.is_checked(self.a11y.find("HR-II",
                                                            "radio button")))
        cg, weight = hrii_with_pilot(170)
        self.assertTrue(self.result("Aircraft CG").startswith(" 93.341"))
        self.assertEqual(self.result("Aircraft CG"), expected_text(cg))
        self.assertEqual(self.result("Aircraft weight"), " 1850")


class Typing(Running):
    def focus_pilot_weight(self, window):
        box = self.a11y.find("Pilot weight", "text")
        x, y, w, h = self.a11y.extents(box)
        x_tool(self.app.env, "xdotool", "mousemove", str(x + w // 2),
               str(y + h // 2), "click", "1")
        x_tool(self.app.env, "xdotool", "key", "ctrl+a", "BackSpace")
        return box

    def test_every_keystroke_recalculates(self):
        self.launch()
        window = self.main_window()
        box = self.focus_pilot_weight(window)
        typed = ""
        for key in "205":
            typed += key
            x_tool(self.app.env, "xdotool", "type", key)
            cg, weight = hrii_with_pilot(float(typed))
            self.wait_result("Aircraft weight", expected_text(weight))
            self.assertEqual(self.result("Aircraft CG"), expected_text(cg))
        self.assertEqual(Accessible.text(box), "205")

    def test_lenient_reading(self):
        self.launch()
        window = self.main_window()
        for typed, pilot in (("12abc", 12), ("1,5", 1), (" 1 7 5", 175),
                             ("abc", 0), ("&H20", 32)):
            with self.subTest(typed=typed):
                self.focus_pilot_weight(window)
                x_tool(self.app.env, "xdotool", "type", "--delay", "20", typed)
                cg, weight = hrii_with_pilot(pilot)
                self.wait_result("Aircraft weight", expected_text(weight))
                self.assertEqual(self.result("Aircraft CG"),
                                 expected_text(cg))


class Chart(Running):
    def chart_colours(self):
        chart = self.a11y.find("Loading path chart")
        x, y, w, h = self.a11y.extents(chart)
        return colour_counts(screen_pixels(self.app.env, x, y, w, h))

    def assert_hrii_chart(self, counts):
        for name, colour in (("envelope red", RED), ("aerobatic", MAGENTA),
                             ("oil and passenger blue", BLUE),
                             ("pilot black", BLACK), ("wing fuel grey", GREY)):
            self.assertGreater(counts.get(colour, 0), 20,
                               f"{name}: {sorted(counts.items(), key=lambda kv: -kv[1])[:12]}")

    def test_chart_survives_being_covered(self):
        self.launch(whole_layout=True)
        self.main_window()
        wait_for(lambda: self.chart_colours().get(RED, 0) > 20, 5,
                 what="the chart")
        self.assert_hrii_chart(self.chart_colours())

        chart = self.a11y.find("Loading path chart")
        x, y, w, h = self.a11y.extents(chart)
        cover = subprocess.Popen(
            ["display", "-geometry", f"{w}x{h}+{x}+{y}", "-size", f"{w}x{h}",
             "xc:yellow"], env=self.app.env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        try:
            wait_for(lambda: self.chart_colours().get(RED, 0) < 20, 10,
                     what="the cover over the chart")
        finally:
            cover.kill()
            cover.wait()
        wait_for(lambda: self.chart_colours().get(RED, 0) > 20, 5,
                 what="the chart to come back")
        self.assert_hrii_chart(self.chart_colours())


class Lifecycle(Running):
    def test_menu_exit_stores_placement(self):
        app = self.launch()
        window = self.main_window()
        self.assertEqual(self.close_with_menu(window), 0)
        stored = app.stored_placement()
        self.assertEqual(sorted(stored), ["MainHeight", "MainLeft", "MainTop",
                                          "MainWidth"])
        for key, default in (("MainLeft", 1000), ("MainTop", 1000),
                             ("MainWidth", 6500), ("MainHeight", 6500)):
            self.assertAlmostEqual(float(stored[key]), default,
                                   delta=TWIPS_PER_PIXEL)

    def test_moved_and_resized_window_comes_back(self):
        app = self.launch()
        window = self.main_window()
        x_tool(app.env, "xdotool", "windowsize", "--sync", window.id, "600",
               "500")
        x_tool(app.env, "xdotool", "windowmove", "--sync", window.id, "150",
               "120")
        wait_for(lambda: window.client_geometry()[2:] == (600, 500), 5,
                 what="the resize")
        time.sleep(0.3)
        before = window.frame_geometry()
        x_tool(app.env, "xdotool", "windowactivate", "--sync", window.id)
        x_tool(app.env, "xdotool", "key", "alt+F4")
        self.assertEqual(app.wait_exit(), 0)

        app = self.launch(app.settings_root)
        window = self.main_window()
        wait_for(lambda: window.frame_geometry() == before, 5,
                 what=f"the window back at {before}")

    def test_ten_cycles_do_not_drift(self):
        app = self.launch()
        self.assertEqual(self.close_with_menu(self.main_window()), 0)
        first = app.stored_placement()
        for _ in range(10):
            app = self.launch(app.settings_root)
            self.assertEqual(self.close_with_menu(self.main_window()), 0)
        self.assertEqual(app.stored_placement(), first)

    def test_corrupt_settings_do_not_stop_the_program(self):
        app = Trimwell(DESKTOP, BINARY)
        app.write_settings("[Settings]\nMainLeft=abc\nMainTop=nan\n"
                           "MainWidth=1e30\nMainHeight=-5\n\x00\xff garbage\n")
        self.launch(app.settings_root)
        window = self.main_window()
        self.assertEqual(self.result("Aircraft weight"), " 1850")
        self.assertEqual(self.close_with_menu(window), 0)


class About(Running):
    def open_about(self, main):
        self.app.key(main, "alt+h", "a")
        return self.app.wait_window("About Trimwell", 10, kind="DIALOG")

    def test_about_box_is_modal_and_centred(self):
        app = self.launch()
        main = self.main_window()
        about = self.open_about(main)
        state = x_tool(app.env, "xprop", "-id", about.id, "_NET_WM_STATE")
        self.assertIn("_NET_WM_STATE_MODAL", state)
        mx, my, mw, mh = main.frame_geometry()
        ax, ay, aw, ah = about.frame_geometry()
        self.assertAlmostEqual(ax + aw / 2, mx + mw / 2, delta=2)
        self.assertAlmostEqual(ay + ah / 2, my + mh / 2, delta=2)

        x_tool(app.env, "xdotool", "key", "Escape")
        wait_for(lambda: app.window_named("About Trimwell", kind="DIALOG") is None, 5,
                 what="the About box to close")

    def test_system_info_without_a_tool_says_so(self):
        app = self.launch()
        main = self.main_window()
        self.open_about(main)
        x_tool(app.env, "xdotool", "key", "alt+s")
        self.a11y.wait_find("System Information Is Unavailable At This Time")
        x_tool(app.env, "xdotool", "key", "Return")
        wait_for(lambda: self.a11y.find(
            "System Information Is Unavailable At This Time") is None, 5,
            what="the message to close")
        self.assertIsNotNone(app.window_named("About Trimwell", kind="DIALOG"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
