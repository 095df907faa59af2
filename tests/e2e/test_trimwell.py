"""End-to-end tests: the real program as a user meets it, on a private X
desktop (the Linux binary by tests/e2e/run, trimwell.exe under wine by
tests/windows/run: harness.py) or as the web build's page in the engine
TRIMWELL_BROWSER names (tests/e2e/run build-web/trimwell.html: web.py)."""

import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from harness import wait_for
from web import PAGE, Unsupported, serve

TARGET = None
KEYS = ("MainLeft", "MainTop", "MainWidth", "MainHeight")
WEB = os.environ.get("TRIMWELL_BINARY", "").endswith(".html")
WINDOWS = "TRIMWELL_WINDOWS_BUILD" in os.environ

TWIPS_PER_PIXEL = 15

# What a screen reader finds, by accessible name and by its role as AT-SPI
# names it: in the main window with the HR-II loaded, and in the About
# box, with the version the build was configured with (tests/e2e/run and
# tests/windows/run read it from the build's CMakeCache.txt). The desktop's
# tests read them through AT-SPI, the page's through the browser's
# accessibility tree.
BOXES = [f"{station} {what}" for station in (
    "Oil", "Front baggage", "Pilot", "Passenger", "Rear baggage",
    "Fuselage fuel", "Wing fuel", "Empty aircraft", "Aerobatic limit")
    for what in ("arm", "weight")] + [
    "Forward CG limit", "Aft CG limit", "Max allowable weight"]
TYPES = ["HR-II", "RV-3", "RV-4", "RV-6", "RV-8", "RV-9", "Other"]
MAIN_WINDOW = {(name, "text") for name in BOXES + [
    "Aircraft CG", "Aircraft weight"]} | {
    (name, "radio button") for name in TYPES} | {(name, "label") for name in (
        "Oil", "User Defined", "Pilot", "Passenger", "Rear Baggage",
        "Wing Fuel", "ARM", "Weight", "Forward CG Limit", "Empty Aircraft",
        "Aerobatic Limits", "Aft CG Limit", "Max Allowable Weight",
        "Aircraft ", "CG", "Center of Gravity Graphic", "W", "E", "I", "G",
        "H", "T")}
ABOUT_BOX = {("OK", "push button"), ("System Info...", "push button"),
             ("Trimwell", "label"),
             (f"Version {os.environ.get('TRIMWELL_VERSION')}", "label"),
             ("App Description : Using User defined values, this program "
              "will calculate the aircraft CG and Gross Weight.  It will also "
              "show the results in a graphical manner.", "label"),
             ("Warning : ... Use this program at your own risk.  It has no "
              "known bugs.  It was written for my education and therefore "
              "should be distributed at NO COST!", "label")}


def setUpModule():
    global TARGET
    if WEB:
        Target = __import__(os.environ.get("TRIMWELL_BROWSER",
                                           "chromium")).Engine
    elif WINDOWS:
        from wine import Wine as Target
    else:
        from linux import Linux as Target
    TARGET = Target()


def tearDownModule():
    TARGET.stop()


@unittest.skipIf(WEB, "a desktop's windows")
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
        window.place(150, 120, 600, 500)
        wait_for(lambda: window.frame() != first, 10, "move")
        time.sleep(0.3)  # let the window manager settle the frame
        before = window.frame()
        self.app.keys(window, "alt+F4")  # the close box's way out
        self.assertEqual(self.app.wait(), 0)
        window = self.start()
        wait_for(lambda: window.frame() == before, 10, f"frame {before}")


    @unittest.skipIf(WINDOWS, "the registry has no lock")
    def test_exit_never_waits_for_a_lock_it_cannot_have(self):
        """A folder where the store's lock goes; a stale lock in a folder
        the user cannot write, as a user whom folders bind, unlike root."""
        for user in (None, "nobody"):
            with self.subTest(user=user):
                TARGET.fresh_store(user)
                self.assertEqual(self.exit_with_menu(self.start()), 0)
                conf = TARGET.store_file()
                before = pathlib.Path(conf).read_bytes()
                if user:
                    open(conf + ".lock", "w").close()
                    os.utime(conf + ".lock", (0, 0))  # left long ago
                    os.chmod(os.path.dirname(conf), 0o555)
                else:
                    os.mkdir(conf + ".lock")
                window = self.start()
                window.place(150, 120, 600, 500)
                wait_for(lambda: window.frame()[:2] != (67, 67), 10, "move")
                self.app.keys(window, "alt+f", "x")
                self.assertEqual(self.app.wait(timeout=5), 0)
                self.assertEqual(pathlib.Path(conf).read_bytes(), before)


class SystemInfo(Running):
    def test_about_box_starts_the_registered_tool(self):
        folder = self.enterContext(tempfile.TemporaryDirectory())
        marker = os.path.join(folder, "started")
        self.addCleanup(TARGET.forget_tool)
        main = self.start(TARGET.register_tool(folder, marker))
        self.app.keys(main, "alt+h", "a")
        about = wait_for(lambda: self.app.window("About Trimwell"), 20,
                         "About box")
        self.app.keys(about, "alt+s")
        wait_for(lambda: os.path.exists(marker), 30, "tool to start")
        self.assertEqual(pathlib.Path(marker).read_text(), "")  # no arguments
        self.app.keys(about, "Escape")
        wait_for(lambda: not self.app.window("About Trimwell"), 10,
                 "About box to close")
        self.assertEqual(self.exit_with_menu(main), 0)


@unittest.skipUnless(os.environ.get("TRIMWELL_BINARY"), "AT-SPI is Linux's")
class ScreenReader(Running):
    """What a screen reader finds through AT-SPI, by accessible name."""

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
        self.assertLessEqual(MAIN_WINDOW, self.a11y.found())
        # HR-II: 1850 lb, CG 172681 / 1850.
        self.assertEqual(self.a11y.text("Aircraft CG"), " 93.3410810810811")
        self.assert_gross_weight(" 1850")
        for name in BOXES:
            with self.subTest(box=name):
                before = self.a11y.text(name)
                self.assertTrue(before)
                self.a11y.write(name, before + "0")
                wait_for(lambda: self.a11y.text(name) == before + "0", 5,
                         "the written text")
                self.a11y.write(name, before)
        self.a11y.write("Pilot weight", "100")  # 170 lb before
        self.assert_gross_weight(" 1780")
        self.assertEqual([self.a11y.checked(t) for t in TYPES],
                         [True] + [False] * 6)
        # A screen reader's toggle chooses a type, as a click does.
        self.a11y.act("RV-3", "Toggle")
        self.assert_gross_weight(" 1114")
        self.assertTrue(self.a11y.checked("RV-3"))
        left, top, width, height = main.frame()
        x, y, w, h = self.a11y.extents("Loading path chart")
        self.assertTrue(left <= x and x + w <= left + width and w > 0)
        self.assertTrue(top <= y and y + h <= top + height and h > 0)
        self.app.keys(main, "alt+h", "a")
        wait_for(lambda: ABOUT_BOX <= self.a11y.found(), 10, "the About box")

    def test_typing_through_the_window_manager(self):
        main = self.start()
        x, y, w, h = self.a11y.extents("Pilot weight")
        self.app.click(x + w // 2, y + h // 2)
        self.app.keys(main, "ctrl+a", "BackSpace", "2", "5", "0")
        self.assert_gross_weight(" 1930")  # 1850 + 80
        self.assertEqual(self.a11y.text("Pilot weight"), "250")


class BrowserCase(unittest.TestCase):
    """The page opened from disk; points are taken from the main window's
    top left corner, on the page at (67, 67) when nothing is stored."""

    ORIGIN = (67, 67)
    FRAME = (770, 636)  # the main window's outer size
    SPLASH = (510, 383)  # the splash card's middle, centred on the page
    TITLE_BAR = (233, 12)
    PILOT_WEIGHT = (232, 181)
    HRII, RV3 = (38, 68), (86, 68)
    STORE = "qt-v0-Trimwell-Trimwell-Settings/"
    # HR-II's envelope in red, its aerobatic box in magenta, on the white
    # chart, on the window's grey face below its frames.
    HRII_CHART = (((380, 233), (255, 0, 0)), ((533, 100), (255, 0, 0)),
                  ((533, 348), (255, 0, 255)), ((706, 433), (255, 0, 255)),
                  ((533, 233), (255, 255, 255)), ((10, 560), (240, 240, 240)))
    # Counts the page's writes to its local storage, where Qt keeps the
    # program's settings.
    COUNT_WRITES = """(window.storeWrites = 0, Storage.prototype.setItem = (
        set => function (key, value) { ++window.storeWrites;
            return set.call(this, key, value); })(Storage.prototype.setItem),
        0)"""

    def start(self, **how):
        self.page = TARGET.start(**how)
        self.addCleanup(self.page.stop)
        self.addCleanup(self.assert_no_problems, self.page)

    def problems(self, page=None):
        try:
            return (page or self.page).problems()
        except Unsupported:
            return []

    def assert_no_problems(self, page):
        self.assertEqual(self.problems(page), [], TARGET.name)

    def engine_can(self, action, *args):
        """Does the action, or skips the test for what the engine lacks."""
        try:
            return action(*args)
        except Unsupported as reason:
            self.skipTest(f"{TARGET.name}: {reason}")

    def wait(self, predicate, timeout, what, interval=0.05):
        return wait_for(predicate, timeout, f"{TARGET.name}: {what}",
                        interval)

    def main_window(self, at=ORIGIN):
        """Waits for the main window to show with its corner there."""
        self.wait(lambda: (self.page.windows() or (0, 0))[:2] == at,
                  TARGET.first_start + 10, f"main window at {at}", 0.1)

    def at(self, point, origin=ORIGIN, scale=1):
        return (round(origin[0] + point[0] * scale),
                round(origin[1] + point[1] * scale))

    def screen(self):
        """The main window's client area above its status bar, whose clock
        ticks, and what lies over it. Not its frame: the title bar's look
        follows whether the browser deems the page active, which engines
        decide differently at start."""
        return self.page.screenshot(
            (self.ORIGIN[0] + 4, self.ORIGIN[1] + 26, 762, 574)).tobytes()

    def press(self, point, *keys):
        self.page.click(*self.at(point))
        self.page.keys(*keys)

    def enable_screen_reader(self):
        # What a screen reader's user does first: Qt's switch for them, the
        # first stop of Tab from outside the windows (from the address bar;
        # here, with nothing focused), then Enter.
        self.page.evaluate("""((at = document.activeElement) => {
            while (at.shadowRoot?.activeElement)
                at = at.shadowRoot.activeElement;
            at.blur(); })()""")
        self.page.keys("Tab", "Enter")

    def exit_from_menu(self):
        self.page.keys("alt+f", "x")
        self.wait(lambda: self.page.text() == "Trimwell has ended. Reload "
                  "the page to start it again.", 10, "the page's last words")

    def assert_hrii_chart(self):
        picture = self.page.screenshot()
        for point, colour in self.HRII_CHART:
            self.assertEqual(picture.getpixel(self.at(point)), colour,
                             f"{TARGET.name}: {point}")


@unittest.skipUnless(WEB, "the web build's page")
class InBrowser(BrowserCase):
    """The page on a desktop's browser, used with keys and the mouse."""

    def setUp(self):
        self.start()

    def test_splash_card_for_3_s_and_deaf_then_the_main_window(self):
        marks = self.wait(lambda: "frmSplash painted" in (
            m := self.page.marks()) and m, TARGET.first_start,
            "splash card", 0.02)
        # The arrow would choose the RV-3 once the main window had the
        # focus, Alt+H, A open the About box; a click on the card would
        # close it early if anything did.
        self.page.keys("ArrowRight", "alt+h", "a")
        self.page.click(*self.SPLASH)
        marks = self.wait(lambda: "frmMain painted" in (
            m := self.page.marks()) and m, 10, "main window")
        self.assertGreaterEqual(
            marks["frmMain painted"] - marks["frmSplash painted"], 3000)
        self.main_window()
        self.assert_hrii_chart()
        self.assertNotIn("frmAbout painted", self.page.marks())

    def test_placement_is_stored_as_the_user_leaves_it(self):
        self.main_window()
        self.page.evaluate(self.COUNT_WRITES)
        time.sleep(1)  # twice the time a moved window must keep still
        self.assertEqual(self.page.storage(), {}, TARGET.name)
        x, y = self.at(self.TITLE_BAR)
        self.page.drag((x, y), (x + 100, y + 50))
        moved = (self.ORIGIN[0] + 100, self.ORIGIN[1] + 50)
        self.main_window(moved)
        self.wait(lambda: self.page.storage().get(self.STORE + "MainTop") ==
                  str(moved[1] * TWIPS_PER_PIXEL), 5, "the place stored")
        # One write of each of the four for the whole drag.
        self.assertEqual(self.page.evaluate("window.storeWrites"), 4)
        self.page.open(TARGET.url)
        self.main_window(moved)
        # A stored place far off the page: the window comes back on it, all
        # of it, and the user's own values stay stored.
        far = {self.STORE + "MainLeft": "-30000",
               self.STORE + "MainTop": "30000"}
        self.page.evaluate(" ,".join(f"localStorage.setItem('{k}', '{v}')"
                                     for k, v in far.items()))
        self.page.open(TARGET.url)
        # In the page's bottom left corner.
        self.main_window((0, 768 - self.FRAME[1]))
        self.assertEqual(self.page.windows()[2:], self.FRAME)
        self.page.evaluate(self.COUNT_WRITES)
        time.sleep(1)
        self.assertEqual(self.page.evaluate("window.storeWrites"), 0)
        stored = self.page.storage()
        self.assertEqual({k: stored[k] for k in far}, far)

    def test_screen_reader_finds_every_control(self):
        self.main_window()
        self.engine_can(self.page.missing_accessible, set())
        self.enable_screen_reader()
        for window, wanted in (("main window", MAIN_WINDOW),
                               ("About box", ABOUT_BOX)):
            self.wait(lambda: not self.page.missing_accessible(wanted), 10,
                      f"the {window}'s controls in the accessibility tree")
            # Keys to the window again: Qt takes the focus back for a box.
            self.press(self.PILOT_WEIGHT, "alt+h", "a")

    def test_page_dims_at_night_and_the_windows_keep_their_colours(self):
        self.main_window()
        shown = []
        for scheme, colour in PAGE.items():
            self.engine_can(self.page.color_scheme, scheme)
            self.wait(lambda: self.page.screenshot().getpixel((5, 5)) ==
                      colour, 5, f"the {scheme} page")
            self.assertEqual(self.page.windows()[:2], self.ORIGIN)
            # Title bar and all, above the status bar's clock.
            shown.append(self.page.screenshot(
                (*self.ORIGIN, self.FRAME[0], 600)).tobytes())
        self.assertEqual(shown[0], shown[1], TARGET.name)

    def test_about_box_system_info_and_exit(self):
        self.main_window()
        main = self.screen()
        self.page.keys("alt+h", "a")
        about = self.wait(lambda: (rows := self.screen()) != main and rows,
                          10, "About box")
        self.page.keys("alt+s")
        message = self.wait(lambda: (rows := self.screen()) not in (
            main, about) and rows, 10, "System Info's message")
        self.page.keys("Enter")
        self.wait(lambda: self.screen() != message, 10, "the message to close")
        self.page.keys("Escape")
        self.wait(lambda: self.screen() == main, 10, "About box to close")
        self.exit_from_menu()


@unittest.skipUnless(WEB, "the web build's page")
class OnTablet(BrowserCase):
    """The page on an iPad held by a pilot: after each thing a tablet does,
    a tap on another box and a digit typed land there, the box and the
    results change (read as a screen reader reads them), and the page's
    console stays clean."""

    LANDSCAPE, PORTRAIT = (1024, 768), (768, 1024)
    # The weight boxes the check takes in turn, by their height in the
    # window; the rows that write text write the pilot's weight.
    CHECKED = {"Oil weight": 133, "Front baggage weight": 157,
               "Passenger weight": 205, "Rear baggage weight": 229,
               "Fuselage fuel weight": 253, "Wing fuel weight": 277}

    def on_page(self, point, dx=0):
        # A point of the main window where it is now, at its scale.
        box = self.page.windows()
        return self.at((point[0] + dx, point[1]), box[:2],
                       box[3] / self.FRAME[1])

    def assert_next_tap_and_digit_land(self, turn):
        name = list(self.CHECKED)[turn % len(self.CHECKED)]
        digit, text = str(turn % 9 + 1), self.page.value(name)
        results = self.page.value("Aircraft weight")
        self.tap(self.on_page((self.PILOT_WEIGHT[0], self.CHECKED[name]), 25))
        self.page.keys(digit)
        self.wait(lambda: self.page.value(name) == text + digit, 5,
                  f"{digit} typed at the end of {name}'s {text!r}")
        self.assertNotEqual(self.page.value("Aircraft weight"), results)

    def tap(self, point):
        # A tap of its own: two taps within Qt's double-click interval (0.4
        # s) and its double-tap distance (a quarter inch, 24 pixels: the
        # rows' pitch) are a double tap, which selects a word.
        time.sleep(0.5)
        self.touch(*point)

    def assert_whole(self, viewport):
        # All the main window on the page, as wide for its height as it is
        # (a window cut off by the page's edge is narrower).
        self.wait(lambda: (x := self.page.windows()) and min(x[:2]) >= 0 and
                  x[0] + x[2] <= viewport[0] and x[1] + x[3] <= viewport[1]
                  and abs(x[2] - x[3] * self.FRAME[0] / self.FRAME[1]) <= 1,
                  TARGET.first_start + 10, f"all the window on {viewport}")

    def drag_title(self, dx, dy):
        (x, y), box = self.on_page(self.TITLE_BAR), self.page.windows()
        self.page.drag((x, y), (x + dx, y + dy), "touch")
        self.wait(lambda: self.page.windows()[:2] == (box[0] + dx,
                  box[1] + dy), 5, "the window dragged by its title bar")

    def test_what_a_tablet_does(self):
        # Held upright where the browser lays the page out as a tablet's.
        upright = self.PORTRAIT if TARGET.reads_viewport_tag else \
            self.LANDSCAPE
        self.start(viewport=upright, tablet=True)
        self.assert_whole(upright)
        self.enable_screen_reader()
        page, at = self.page, self.on_page
        # A click where the engine's driver has no finger.
        self.touch = page.click if page.no_fingers else page.tap
        # The chart's middle.
        title, chart, pilot = self.TITLE_BAR, (548, 316), self.PILOT_WEIGHT
        # Taps the pilot's weight at its end, types 98 over it, then does
        # the action.
        typed = lambda action, *args: lambda: (
            self.tap(at(pilot, 25)), page.keys("control+a", "9", "8"),
            action(*args))
        rows = [  # what the tablet does; the pilot's weight then, if written
            ("a tap on an option button", lambda: page.tap(*at(self.RV3))),
            ("a finger on the title bar", lambda: self.drag_title(-24, 48)),
            ("cancelled on a box", lambda: page.cancel_touch([at(pilot)])),
            ("cancelled on the chart", lambda: page.cancel_touch([at(chart)])),
            ("cancelled on an option button",
             lambda: page.cancel_touch([at(self.HRII)])),
            ("cancelled in a drag of the title bar", lambda: page.cancel_touch(
                [at(title), at(title, 10), at(title, 30)])),
            ("two fingers down, moved and lifted", lambda: page.two_fingers(
                [at(chart), at(chart, 60)], [at(chart, -40), at(chart, 100)])),
            ("a pinch out and back", lambda: (page.pinch(*at(chart), 2),
                                              page.pinch(*at(chart), 0.5))),
            ("a long press on a box", lambda: page.tap(*at(pilot), hold=1)),
            ("turned to landscape", lambda: (
                page.turn(self.LANDSCAPE), self.assert_whole(self.LANDSCAPE))),
            ("turned upright again", lambda: page.turn(self.PORTRAIT)),
            ("hidden and shown again", page.hide_and_show),
            ("a box emptied by select-all and one keystroke",
             typed(page.keys, "control+a", "Backspace"), ""),
            ("text committed whole", typed(page.commit_text, "5"), "985"),
            ("text composed", typed(page.compose, "12"), "9812"),
            ("text pasted", typed(page.edit, "insertFromPaste", "25"),
             "9825"),
            ("a selected word corrected", typed(lambda: (
                page.keys("control+a"),
                page.edit("insertReplacementText", "75"))), "75"),
            ("the word just typed corrected",
             typed(page.edit, "insertReplacementText", "75"), "75"),
            ("a character deleted with no key",
             typed(page.edit, "deleteContentBackward"), "9"),
            ("a word deleted with no key",
             typed(page.edit, "deleteWordBackward"), ""),
        ]
        for turn, (name, action, *written) in enumerate(rows):
            seen = len(self.problems())
            with self.subTest(name):
                time.sleep(0.5)  # apart from the last tap
                self.engine_can(action)
                if written:
                    self.wait(lambda: page.value("Pilot weight") == written[0],
                              5, f"the pilot's weight {written[0]!r}")
                self.assert_next_tap_and_digit_land(turn)
                self.assertEqual(self.problems()[seen:], [], TARGET.name)


@unittest.skipUnless(WEB, "the web build's page")
class Installable(BrowserCase):
    """The served site, as a tablet adds it to its home screen: installable,
    and once visited it starts with no network, from the version it last
    kept whole. Served as a plain server does, with Last-Modified alone."""

    # Which index.html and trimwell.js run: the marks of publish().
    RUNNING = "[document.lastChild.data, window.published]"
    # The visit's check for a new worker, and its install to its end.
    UPDATED = """navigator.serviceWorker.ready.then(r => r.update()).then(r =>
        (w => w && new Promise(end => (w.onstatechange = () =>
            /activated|redundant/.test(w.state) && end())()))(r.installing))"""
    OTHERS = "caches.match('x', {cacheName: 'another'}).then(r => r.text())"

    def publish(self, site, version, cut=False):
        # The built site marked as version n in its page and its program,
        # sealed by the build's own script, published n minutes after a day
        # ago: with no Cache-Control, a browser's HTTP cache deems such files
        # fresh for a tenth of their age. With cut, trimwell.js lacks its end.
        for name, mark in (("index.html", f"<!--{version}-->"), (
                "trimwell.js", f"\nvar published = '{version}';")):
            text = pathlib.Path(self.built, name).read_text("utf-8") + mark
            pathlib.Path(site, name).write_text(text, "utf-8")
        subprocess.run([sys.executable, os.path.join(os.path.dirname(
            __file__), "..", "..", "scripts", "web-page"), "--seal", site],
            check=True)
        if cut:
            os.truncate(os.path.join(site, "trimwell.js"), len(text) // 2)
        when = time.time() - 86400 + 60 * int(version[1:])
        for name in os.listdir(site):
            os.utime(os.path.join(site, name), (when, when))

    def test_each_version_whole_after_one_visit_online(self):
        self.built = os.path.join(os.path.dirname(TARGET.url[7:]), "site")
        site = shutil.copytree(self.built, os.path.join(
            self.enterContext(tempfile.TemporaryDirectory()), "site"))
        self.publish(site, "v1")
        server, port = serve(site)
        self.addCleanup(server.wait)
        self.addCleanup(server.terminate)
        url = f"http://127.0.0.1:{port}/"
        self.start(url=url)
        self.engine_can(self.page.installability_errors)
        self.main_window()
        self.assertEqual(self.page.installability_errors(), [])
        # Another program of the same site, with a cache of its own.
        self.page.evaluate("caches.open('another').then(c => "
                           "c.put('x', new Response('kept')))")
        # What the server has, and what then starts with no network: a
        # version cut short during the install leaves the last one whole.
        for version, cut, runs in (("v1", False, "v1"), ("v2", False, "v2"),
                                   ("v3", True, "v2"), ("v3", False, "v3")):
            with self.subTest(version, cut=cut):
                if version != "v1":
                    self.publish(site, version, cut)
                self.page.offline(False)
                self.page.open(url)
                self.main_window()
                self.page.evaluate(self.UPDATED)
                self.page.offline(True)
                self.page.open(url)
                self.main_window()
                self.assertEqual(self.page.evaluate(self.RUNNING),
                                 [runs, runs])
                self.assertEqual(self.page.evaluate(self.OTHERS), "kept")


@unittest.skipUnless(WEB, "the web build's page")
class WithoutStorage(BrowserCase):
    """A browser that keeps nothing for the page, as its scripts run before
    the page's own make it: the program runs all the same, only the main
    window's place is not kept."""

    BROWSERS = {
        # One that blocks the site's data, or a sandboxed frame.
        "refused": "Object.defineProperty(window, 'localStorage', {get() {"
                   "throw new DOMException('The operation is insecure.', "
                   "'SecurityError'); }});",
        # One whose storage is full.
        "quota": "Storage.prototype.setItem = function () { throw new "
                 "DOMException('The quota has been exceeded.', "
                 "'QuotaExceededError'); };"}

    def test_starts_computes_moves_and_ends(self):
        for name, prelude in self.BROWSERS.items():
            with self.subTest(name):
                self.engine_can(lambda: self.start(prelude=prelude))
                self.main_window()
                self.enable_screen_reader()
                self.press(self.PILOT_WEIGHT, "control+a", "1", "0", "0")
                self.wait(lambda: self.page.value("Aircraft weight") ==
                          " 1780", 5, "results for a pilot of 100 lb")
                x, y = self.at(self.TITLE_BAR)
                self.page.drag((x, y), (x + 100, y + 50))
                self.main_window(self.at((100, 50)))
                time.sleep(1)  # twice the time a moved window must keep still
                self.exit_from_menu()
                self.doCleanups()  # no uncaught error in the page
