"""End-to-end tests: the real trimwell binary on a private X desktop,
driven with real key events, read through screenshots and AT-SPI."""

import os
import subprocess
import time
import unittest

from harness import (TWIPS_PER_PIXEL, Accessible, Desktop, Trimwell, hrii_path,
                     pixels, run, wait_for)

BINARY = os.environ["TRIMWELL_BINARY"]
DESKTOP = None
UNAVAILABLE = "System Information Is Unavailable At This Time"
HRII_COLOURS = {"envelope red": (255, 0, 0), "aerobatic": (255, 0, 255),
                "oil and passenger blue": (0, 0, 128), "pilot": (0, 0, 0),
                "wing fuel grey": (128, 128, 128)}


def setUpModule():
    global DESKTOP
    DESKTOP = Desktop().start()
    os.environ.update(DESKTOP.env)  # pyatspi finds its bus through these


def tearDownModule():
    DESKTOP.stop()


def field_text(value):
    """A result as the program should write it, worked out with Python's
    own formatting: 15 significant digits, a blank for the sign of 0 and
    above, no 0 before the point."""
    text = "%.15G" % abs(value)
    if "E" not in text and "." in text:
        text = text.rstrip("0").rstrip(".")
    return ("-" if value < 0 else " ") + text.removeprefix("0")


def hrii_results(pilot_weight):
    points, _ = hrii_path(pilot_weight)
    cg, weight = points[-1]
    return field_text(cg), field_text(weight)


class Running(unittest.TestCase):
    """Each test starts the program with a fresh settings folder."""

    app = None

    def tearDown(self):
        if self.app:
            self.app.stop()

    def launch(self, home=None, settings=None):
        if self.app:
            self.app.stop()
        self.app = Trimwell(DESKTOP, BINARY, home)
        if settings is not None:
            self.app.write_settings(settings)
        self.app.start()
        self.a11y = Accessible(self.app)
        window = self.app.wait_window()
        wait_for(lambda: self.a11y.find("Aircraft weight") and
                 self.a11y.text("Aircraft weight"), 15, "HR-II results")
        return window

    def assert_results(self, pilot_weight):
        cg, weight = hrii_results(pilot_weight)
        try:
            wait_for(lambda: self.a11y.text("Aircraft weight") == weight, 5,
                     "result")
        finally:
            self.assertEqual(self.a11y.text("Aircraft weight"), weight)
        self.assertEqual(self.a11y.text("Aircraft CG"), cg)

    def exit_with_menu(self, window):
        self.app.keys(window, "alt+f", "x")
        return self.app.process.wait(timeout=15)


class Startup(Running):
    def test_splash_then_main_window_with_hrii(self):
        app = Trimwell(DESKTOP, BINARY).start()
        self.app = app
        app.wait_window(kind="SPLASH", timeout=10)
        shown = time.monotonic()
        self.assertIsNone(app.window())
        wait_for(lambda: not app.window(kind="SPLASH"), 10, "splash to go",
                 interval=0.02)
        self.assertAlmostEqual(time.monotonic() - shown, 3.0, delta=0.5)
        self.a11y = Accessible(app)
        main = app.wait_window(timeout=5)
        for got in main.frame()[:2]:
            self.assertAlmostEqual(got, 1000 / TWIPS_PER_PIXEL, delta=1.5)
        wait_for(lambda: self.a11y.find("Aircraft CG"), 10, "results")
        self.assertTrue(self.a11y.checked("HR-II"))
        # The first start shows the whole layout: results, chart, status bar.
        left, top, width, height = main.frame()
        for name in ("Aircraft CG", "Aircraft weight", "Loading path chart",
                     "Status"):
            x, y, w, h = self.a11y.extents(name)
            self.assertLessEqual(x + w, left + width, name)
            self.assertLessEqual(y + h, top + height, name)
        self.assert_results(170)
        self.assertTrue(self.a11y.text("Aircraft CG").startswith(" 93.341"))


class Typing(Running):
    def retype_pilot_weight(self, text):
        x, y, w, h = self.a11y.extents("Pilot weight")
        run(self.app.env, "xdotool", "mousemove", str(x + w // 2),
            str(y + h // 2), "click", "1", "key", "ctrl+a", "BackSpace")
        for key in text:
            run(self.app.env, "xdotool", "type", key)
            yield key

    def test_every_keystroke_recalculates(self):
        self.launch()
        typed = ""
        for key in self.retype_pilot_weight("205"):
            typed += key
            self.assert_results(float(typed))
        self.assertEqual(self.a11y.text("Pilot weight"), "205")

    def test_lenient_reading(self):
        self.launch()
        for text, weight in (("12abc", 12), ("1,5", 1), (" 1 7 5", 175),
                             ("abc", 0), ("&H20", 32)):
            with self.subTest(text=text):
                list(self.retype_pilot_weight(text))
                self.assert_results(weight)


class ScreenReader(Running):
    BOXES = [f"{station} {what}" for station in (
        "Oil", "Front baggage", "Pilot", "Passenger", "Rear baggage",
        "Fuselage fuel", "Wing fuel", "Empty aircraft", "Aerobatic limit")
        for what in ("arm", "weight")] + [
        "Forward CG limit", "Aft CG limit", "Max allowable weight"]

    def test_every_box_can_be_read_and_written(self):
        self.launch()
        for name in self.BOXES:
            with self.subTest(box=name):
                before = self.a11y.text(name)
                self.assertTrue(before)
                self.a11y.find(name).queryEditableText().setTextContents(
                    before + "0")
                wait_for(lambda: self.a11y.text(name) == before + "0", 5,
                         "the written text")
                self.a11y.find(name).queryEditableText().setTextContents(
                    before)
        self.a11y.find("Pilot weight").queryEditableText().setTextContents(
            "100")
        self.assert_results(100)


class Chart(Running):
    def colours(self):
        data = pixels(self.app.env, self.a11y.extents("Loading path chart"))
        counts = {}
        for i in range(0, len(data) - 2, 3):
            counts[data[i:i + 3]] = counts.get(data[i:i + 3], 0) + 1
        return {name: counts.get(bytes(rgb), 0)
                for name, rgb in HRII_COLOURS.items()}

    def assert_chart(self):
        wait_for(lambda: min(self.colours().values()) > 20, 5, "chart")

    def test_chart_survives_being_covered(self):
        self.launch()
        self.assert_chart()
        x, y, w, h = self.a11y.extents("Loading path chart")
        cover = subprocess.Popen(
            ["display", "-geometry", f"+{x}+{y}", "-size", f"{w}x{h}",
             "xc:yellow"], env=self.app.env)
        try:
            wait_for(lambda: self.colours()["envelope red"] < 20, 10, "cover")
        finally:
            cover.kill()
            cover.wait()
        self.assert_chart()


class Lifecycle(Running):
    def test_menu_exit_stores_placement(self):
        window = self.launch()
        frame = window.frame()
        self.assertEqual(self.exit_with_menu(window), 0)
        stored = self.app.placement()
        for key, pixels in zip(("MainLeft", "MainTop", "MainWidth",
                                "MainHeight"), frame):
            self.assertEqual(int(stored[key]), pixels * TWIPS_PER_PIXEL)

    def test_moved_and_resized_window_comes_back(self):
        window = self.launch()
        run(self.app.env, "xdotool", "windowsize", "--sync", window.id,
            "600", "500", "windowmove", "--sync", window.id, "150", "120")
        wait_for(lambda: window.frame()[:2] != (67, 67), 5, "move")
        time.sleep(0.3)  # let the window manager settle the frame
        before = window.frame()
        self.app.keys(window, "alt+F4")  # the close box's way out
        self.assertEqual(self.app.process.wait(timeout=15), 0)
        window = self.launch(self.app.home)
        wait_for(lambda: window.frame() == before, 5, f"frame {before}")

    def test_ten_cycles_do_not_drift(self):
        self.assertEqual(self.exit_with_menu(self.launch()), 0)
        first = self.app.placement()
        for _ in range(10):
            self.assertEqual(self.exit_with_menu(self.launch(self.app.home)),
                             0)
        self.assertEqual(self.app.placement(), first)

    def test_corrupt_settings_do_not_stop_the_program(self):
        window = self.launch(settings="[Settings]\nMainLeft=abc\nMainTop=nan"
                             "\nMainWidth=1e30\nMainHeight=-5\n\x00\xff\n")
        self.assert_results(170)
        self.assertEqual(self.exit_with_menu(window), 0)


class About(Running):
    def test_about_box(self):
        main = self.launch()
        self.app.keys(main, "alt+h", "a")
        about = self.app.wait_window("About Trimwell", "DIALOG")
        self.assertIn("_NET_WM_STATE_MODAL", about.prop("_NET_WM_STATE"))
        (mx, my, mw, mh), (ax, ay, aw, ah) = main.frame(), about.frame()
        self.assertAlmostEqual(ax + aw / 2, mx + mw / 2, delta=2)
        self.assertAlmostEqual(ay + ah / 2, my + mh / 2, delta=2)

        run(self.app.env, "xdotool", "key", "alt+s")
        wait_for(lambda: self.a11y.find(UNAVAILABLE), 10, "message")
        run(self.app.env, "xdotool", "key", "Return")
        wait_for(lambda: not self.a11y.find(UNAVAILABLE), 5, "message to go")
        self.assertIsNotNone(self.app.window("About Trimwell", "DIALOG"))
        run(self.app.env, "xdotool", "key", "Escape")
        wait_for(lambda: not self.app.window("About Trimwell", "DIALOG"), 5,
                 "About box to close")


if __name__ == "__main__":
    unittest.main(verbosity=2)
