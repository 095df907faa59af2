"""An IBus input method that composes as a Chinese, Japanese or phone
keyboard does, for WebKit's own text path (webkit.py): after Pause, the
digits typed show as a composition, which Enter commits whole; other keys
go on as they are. Run as a program, it is the engine; start(desktop) runs
IBus and the engine on a private desktop and gives the environment in
which a GTK program there types through it."""
import os
import sys

import gi

gi.require_version("IBus", "1.0")
from gi.repository import GLib, IBus  # noqa: E402

from harness import run, wait_for  # noqa: E402

NAME = "trimwell-compose"


class Composing(IBus.Engine):
    __gtype_name__ = "TrimwellComposing"
    text = None  # while composing, the text so far

    def do_process_key_event(self, keyval, keycode, state):
        if state & IBus.ModifierType.RELEASE_MASK:
            return keyval == IBus.KEY_Pause or self.text is not None
        typed, composing = IBus.keyval_to_unicode(keyval), self.text is not None
        if keyval == IBus.KEY_Pause or composing and typed.isdigit():
            self.text = (self.text or "") + typed
            self.update_preedit_text(IBus.Text.new_from_string(self.text),
                                     len(self.text), True)
        elif composing and typed == "\r":
            self.commit_text(IBus.Text.new_from_string(self.text))
            self.text = None
            self.hide_preedit_text()
        else:
            return False
        return True


def start(desktop):
    # IBus' clients find its address in the configuration folder; without
    # the sync mode it hands keys back out of order.
    env = desktop.env
    env.update(XDG_CONFIG_HOME=desktop.root, XDG_CACHE_HOME=desktop.root)
    desktop._spawn("ibus-daemon", "--panel=disable")
    wait_for(lambda: run(env, "ibus", "list-engine"), 20, "IBus")
    desktop._spawn(sys.executable, os.path.abspath(__file__))
    engine = lambda *name: run(env, "ibus", "engine", *name).strip()
    wait_for(lambda: engine(NAME) or engine() == NAME, 20, "the engine")
    return dict(env, GTK_IM_MODULE="ibus", IBUS_ENABLE_SYNC_MODE="1")


if __name__ == "__main__":
    IBus.init()
    bus = IBus.Bus()
    IBus.Factory.new(bus.get_connection()).add_engine(
        NAME, Composing.__gtype__)
    component = IBus.Component.new("org.trimwell.Compose", NAME, "1", "", "",
                                   "", "", "")
    component.add_engine(IBus.EngineDesc.new(NAME, NAME, "", "en", "", "",
                                             "", "us"))
    bus.request_name("org.trimwell.Compose", 0)
    bus.register_component(component)
    GLib.MainLoop().run()
