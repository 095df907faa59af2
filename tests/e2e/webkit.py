"""WebKit, Safari's engine, as a browser target of the end-to-end suite
(web.py): WebKitGTK's MiniBrowser on the private X desktop of x11.py,
driven through WebKitWebDriver by python3-selenium."""

import os

from selenium import webdriver
from selenium.webdriver.webkitgtk.options import Options

import input_method
from web import Page, Target, Unsupported

DRIVER = "/usr/bin/WebKitWebDriver"
BROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"


class WebKitPage(Page):
    driven_by = "WebKitWebDriver"
    no_fingers = ("WebKitGTK here has no touch screen: its driver hands a "
                  "finger on as the mouse")

    def __init__(self, desktop, tablet, prelude):
        if prelude:
            raise Unsupported("WebKitWebDriver runs no script of its own "
                              "before a page's")
        options = Options()
        options.binary_location = BROWSER
        options.add_argument("--automation")
        # The driver hands its own environment on to the browser. A
        # tablet's keys reach the page through an input method, as Safari's
        # on-screen keyboard's do.
        if tablet and not hasattr(desktop, "input_method"):
            desktop.input_method = input_method.start(desktop)
        outside = dict(os.environ)
        # Without WebAssembly's baseline compiler, whose every compiled
        # function interrupts the page's thread with a signal (thousands as
        # the program starts): now and then Skia, compiling a shader there
        # at the same time, read a number in it as too large ("integer is
        # too large: 255") and aborted the web process, in about one run in
        # five. The code runs interpreted until the optimising compiler
        # takes it.
        os.environ.update(desktop.input_method if tablet else dict(
            DISPLAY=desktop.env["DISPLAY"]), JSC_useBBQJIT="0")
        try:
            self.driver = webdriver.WebKitGTK(executable_path=DRIVER,
                                               options=options)
        finally:
            os.environ.clear()
            os.environ.update(outside)

    def ready(self, url, viewport, tablet, prelude):
        # The browser's window holds a tool bar above the page.
        self.driver.set_window_size(*viewport)
        inner = self.evaluate("[innerWidth, innerHeight]")
        self.driver.set_window_size(2 * viewport[0] - inner[0],
                                     2 * viewport[1] - inner[1])
        self.open(url)

    def compose(self, text):
        # Pause starts the input method's composition.
        self.keys("Pause", *text, "Enter")


class Engine(Target):
    name, page, on_desktop = "WebKit", WebKitPage, True
    # The single page takes WebKit far longer to read than the others.
    first_start = 60
