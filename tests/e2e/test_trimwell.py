"""End-to-end tests: the real program on a private X desktop, what only a
real window system shows. The same cases run against the Linux binary
(tests/e2e/run) and against trimwell.exe under wine (tests/windows/run);
the target object holds what differs between the two."""

import os
import tempfile
import time
import unittest

from harness import TWIPS_PER_PIXEL, Desktop, run, wait_for

DESKTOP = TARGET = None
KEYS = ("MainLeft", "MainTop", "MainWidth", "MainHeight")


def setUpModule():
    global DESKTOP, TARGET
    DESKTOP = Desktop().start()
    os.environ.update(DESKTOP.env)  # pyatspi finds its bus through these
    if "TRIMWELL_WINDOWS_BUILD" in os.environ:
        from wine import Wine as target
    else:
        from linux import Linux as target
    TARGET = target(DESKTOP)


def tearDownModule():
    DESKTOP.stop()


class Running(unittest.TestCase):
    """Each test starts from an empty settings store."""

    app = None

    def setUp(self):
        TARGET.fresh_store()

    def tearDown(self):
        if self.app:
            self.app.stop()

    def start(self, env=None):
        """Starts the program; its main window once shown."""
        if self.app:
            self.app.stop()
        self.app = TARGET.start(env)
        return wait_for(lambda: self.app.window("Trimwell"),
                        TARGET.first_start + 5, "main window")

    def exit_with_menu(self, window):
        """File, Exit through the window manager; the exit status."""
        self.app.keys(window, "alt+f", "x")
        return self.app.wait()


class Startup(Running):
    def test_splash_card_then_main_window_after_3_s(self):
        self.app = TARGET.start()
        splash = lambda: self.app.window("Trimwell", framed=False)
        wait_for(splash, TARGET.first_start, "splash card", interval=0.02)
        shown = time.monotonic()
        self.assertIsNone(self.app.window("Trimwell"))
        wait_for(lambda: not splash(), 10, "splash to go", interval=0.02)
        self.assertAlmostEqual(time.monotonic() - shown, 3.0, delta=0.5)
        main = wait_for(lambda: self.app.window("Trimwell"), 10,
                        "main window")
        self.assertIsNone(splash())
        self.assertEqual(self.exit_with_menu(main), 0)


class Placement(Running):
    def test_closing_stores_the_outer_frame_in_twips(self):
        window = self.start()
        frame = window.frame()
        self.assertEqual(self.exit_with_menu(window), 0)
        stored = TARGET.placement()
        self.assertEqual(sorted(stored), sorted(KEYS))
        for key, pixels in zip(KEYS, frame):
            self.assertEqual(stored[key] % TWIPS_PER_PIXEL, 0, key)
            self.assertAlmostEqual(stored[key] // TWIPS_PER_PIXEL, pixels,
                                   delta=TARGET.frame_slack, msg=key)

    def test_moved_and_resized_window_comes_back(self):
        window = self.start()
        first = window.frame()
        run(self.app.env, "xdotool", "windowsize", "--sync", window.id, "600",
            "500", "windowmove", "--sync", window.id, "150", "120")
        wait_for(lambda: window.frame() != first, 10, "move")
        time.sleep(0.3)  # let the window manager settle the frame
        before = window.frame()
        self.app.keys(window, "alt+F4")  # the close box's way out
        self.assertEqual(self.app.wait(), 0)
        window = self.start()
        wait_for(lambda: window.frame() == before, 10, f"frame {before}")


class SystemInfo(Running):
    def test_about_box_starts_the_registered_tool(self):
        folder = tempfile.mkdtemp(dir=DESKTOP.root)
        marker = os.path.join(folder, "started")
        self.addCleanup(TARGET.forget_tool)
        main = self.start(TARGET.register_tool(folder, marker))
        self.app.keys(main, "alt+h", "a")
        about = wait_for(lambda: self.app.window("About Trimwell"), 20,
                         "About box")
        self.app.keys(about, "alt+s")
        wait_for(lambda: os.path.exists(marker), 30, "tool to start")
        with open(marker, encoding="utf-8") as f:
            self.assertEqual(f.read(), "")  # started with no arguments
        self.app.keys(about, "Escape")
        wait_for(lambda: not self.app.window("About Trimwell"), 10,
                 "About box to close")
        self.assertEqual(self.exit_with_menu(main), 0)


@unittest.skipUnless(os.environ.get("TRIMWELL_BINARY"), "AT-SPI is Linux's")
class ScreenReader(Running):
    """What a screen reader finds through AT-SPI, by accessible name."""

    BOXES = [f"{station} {what}" for station in (
        "Oil", "Front baggage", "Pilot", "Passenger", "Rear baggage",
        "Fuselage fuel", "Wing fuel", "Empty aircraft", "Aerobatic limit")
        for what in ("arm", "weight")] + [
        "Forward CG limit", "Aft CG limit", "Max allowable weight"]
    TYPES = ["HR-II", "RV-3", "RV-4", "RV-6", "RV-8", "RV-9", "Other"]

    def start(self, env=None):
        from linux import Accessible
        window = super().start(env)
        self.a11y = Accessible(self.app)
        wait_for(lambda: self.a11y.find("Aircraft weight") and
                 self.a11y.text("Aircraft weight"), 15, "HR-II's results")
        return window

    def assert_gross_weight(self, text):
        try:
            wait_for(lambda: self.a11y.text("Aircraft weight") == text, 5,
                     f"gross weight {text!r}")
        finally:
            self.assertEqual(self.a11y.text("Aircraft weight"), text)

    def test_every_field_is_found_read_and_written(self):
        main = self.start()
        # HR-II: 1850 lb, CG 172681 / 1850.
        self.assertEqual(self.a11y.text("Aircraft CG"), " 93.3410810810811")
        self.assert_gross_weight(" 1850")
        for name in self.BOXES:
            with self.subTest(box=name):
                before = self.a11y.text(name)
                self.assertTrue(before)
                self.a11y.write(name, before + "0")
                wait_for(lambda: self.a11y.text(name) == before + "0", 5,
                         "the written text")
                self.a11y.write(name, before)
        self.a11y.write("Pilot weight", "100")  # 170 lb before
        self.assert_gross_weight(" 1780")
        self.assertEqual([self.a11y.checked(t) for t in self.TYPES],
                         [True] + [False] * 6)
        # A screen reader's toggle chooses a type, as a click does.
        self.a11y.act("RV-3", "Toggle")
        self.assert_gross_weight(" 1114")
        self.assertTrue(self.a11y.checked("RV-3"))
        left, top, width, height = main.frame()
        x, y, w, h = self.a11y.extents("Loading path chart")
        self.assertTrue(left <= x and x + w <= left + width and w > 0)
        self.assertTrue(top <= y and y + h <= top + height and h > 0)

    def test_typing_through_the_window_manager(self):
        main = self.start()
        x, y, w, h = self.a11y.extents("Pilot weight")
        run(self.app.env, "xdotool", "mousemove", str(x + w // 2),
            str(y + h // 2), "click", "1")
        self.app.keys(main, "ctrl+a", "BackSpace", "2", "5", "0")
        self.assert_gross_weight(" 1930")  # 1850 + 80
        self.assertEqual(self.a11y.text("Pilot weight"), "250")
