"""The Linux build as the end-to-end suite's target (see harness.py): the
trimwell binary on the X desktop with a settings folder of its own, and its
accessibility tree."""

import configparser
import os
import pwd
import shutil
import tempfile

from x11 import Desktop, Program

# Trimwell reads System Info's tool from this file before it searches PATH.
MACHINE_STORE = "/etc/trimwell/registry"


class Linux:
    first_start = 15  # seconds to the splash card
    frame_slack = 0  # pixels between the stored frame and openbox's

    def __init__(self):
        self.desktop = Desktop().start()
        self.binary = os.path.realpath(os.environ["TRIMWELL_BINARY"])
        self.tool = os.path.join(os.path.dirname(os.path.dirname(self.binary)),
                                 "tests", "trimwell_test_tool")
        self.fresh_store()

    def fresh_store(self, user=None):
        """An empty home; with a user's name, the program runs as that user
        from now on, in a home of theirs."""
        self.home, self.user = tempfile.mkdtemp(dir=self.desktop.root), user
        if user:
            os.chmod(self.desktop.root, 0o711)
            shutil.chown(self.home, user)

    def start(self, env=None):
        env = dict(HOME=self.home, QT_QPA_PLATFORM="xcb",
                   XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                   **(env or {}))
        run_as = []
        if self.user:
            user = pwd.getpwnam(self.user)
            run_as = ["setpriv", f"--reuid={user.pw_uid}",
                      f"--regid={user.pw_gid}", "--clear-groups"]
        with open(os.path.join(self.home, "stderr.log"), "ab") as log:
            return Program(self.desktop, run_as + [self.binary], env, log)

    def store_file(self):
        return os.path.join(self.home, "config", "Trimwell", "Trimwell.conf")

    def placement(self):
        """The stored Main* values, as numbers; none before a first close."""
        store = configparser.ConfigParser(interpolation=None)
        store.optionxform = str  # the keys as written
        store.read(self.store_file(), encoding="utf-8")
        return {k: int(v) for k, v in store.items("Settings")
                if k.startswith("Main")} if "Settings" in store else {}

    def register_tool(self, folder, marker):
        """The stand-in tool as HardInfo, first on the program's PATH: the
        tool System Info starts where the machine-wide store names none.
        Returns the environment the program needs for it."""
        if os.path.exists(MACHINE_STORE):
            raise RuntimeError(f"{MACHINE_STORE} would name the tool")
        shutil.copy(self.tool, os.path.join(folder, "hardinfo"))
        return {"PATH": folder + os.pathsep + os.environ["PATH"],
                "TRIMWELL_TOOL_MARKER": marker}

    def forget_tool(self):
        pass

    def stop(self):
        self.desktop.stop()


class Accessible:
    """A program's accessibility tree, found by its process id."""

    def __init__(self, app):
        os.environ.update(app.desktop.env)  # where pyatspi finds its buses
        import pyatspi
        self.pyatspi, self.app = pyatspi, app

    def _root(self):
        """The program's own accessible, None while there is none."""
        desktop = self.pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            try:
                root = desktop.getChildAtIndex(index)
                if root.get_process_id() == self.app.process.pid:
                    return root
            except Exception:  # an application that went away meanwhile
                continue
        return None

    def find(self, name):
        """The accessible of that name, None while there is none."""
        root = self._root()
        return root and self.pyatspi.findDescendant(
            root, lambda a: a.name == name, breadth_first=True)

    def found(self):
        """The (name, role) of everything in the program's tree."""
        pairs, todo = set(), [self._root()]
        while todo:
            node = todo.pop()
            pairs.add((node.name, node.getRoleName()))
            todo += [node.getChildAtIndex(i) for i in range(node.childCount)]
        return pairs

    def text(self, name):
        text = self.find(name).queryText()
        return text.getText(0, text.characterCount)

    def write(self, name, text):
        self.find(name).queryEditableText().setTextContents(text)

    def extents(self, name):
        box = self.find(name).queryComponent().getExtents(
            self.pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    def checked(self, name):
        return self.find(name).getState().contains(self.pyatspi.STATE_CHECKED)

    def act(self, name, action):
        """Does the named action of the accessible of that name."""
        actions = self.find(name).queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        actions.doAction(names.index(action))
