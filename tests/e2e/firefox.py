"""Firefox ESR as a browser target of the end-to-end suite (web.py), on the
private X desktop of x11.py (headless Firefox has no WebGL here), spoken to
over its built-in WebDriver BiDi."""

import base64
import json

from web import ROLES, Browser, Page, Target, image, spoken

# Driven remotely, Firefox takes the preferences of automation: no
# first-run pages, updates or reports.
COMMAND = ("/usr/bin/firefox-esr", "--remote-debugging-port", "0",
           "--profile", "{profile}", "--no-remote", "--new-instance",
           "about:blank")


class FirefoxPage(Browser, Page):
    driven_by = "WebDriver BiDi"

    def __init__(self, url, viewport, tablet, desktop, prelude):
        self.launch(COMMAND, rb"BiDi listening on (ws://\S+)", desktop.env,
                    path="/session")
        try:
            self.call("session.new", capabilities={})
            self.call("session.subscribe", events=["log.entryAdded"])
            self.context = self.call("browsingContext.getTree")[
                "contexts"][0]["context"]
            self.call("browsingContext.setViewport", context=self.context,
                      viewport=dict(zip(("width", "height"), viewport)))
            if prelude:
                self.call("script.addPreloadScript", contexts=[self.context],
                          functionDeclaration=f"() => {{ {prelude} }}")
            self.open(url)
        except BaseException:
            self.stop()
            raise

    def open(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url,
                  wait="interactive")

    def _script(self, expression):
        return self.call("script.evaluate", expression=expression,
                         target={"context": self.context}, awaitPromise=True)

    def evaluate(self, expression):
        result = self._script(f"JSON.stringify({expression})")
        if result["type"] == "exception":
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        text = result["result"].get("value")
        return None if text is None else json.loads(text)

    def screenshot(self, box=None):
        clip = box and dict(zip(("x", "y", "width", "height"), box),
                            type="box")
        png = self.call("browsingContext.captureScreenshot",
                        context=self.context,
                        **({"clip": clip} if clip else {}))["data"]
        return image(base64.b64decode(png))

    def perform(self, actions):
        self.call("input.performActions", context=self.context,
                  actions=actions)

    def problems(self):
        return [e["params"]["text"] for e in list(self.events)
                if e["method"] == "log.entryAdded"
                and e["params"]["level"] == "error"]

    def missing_accessible(self, wanted):
        # A label is plain text in the page, which no role or locator names:
        # looked for among the texts of Qt's mirror of the windows.
        texts = set(map(spoken, self.evaluate(
            "[...document.querySelectorAll('*')].filter(n => n.shadowRoot)"
            ".flatMap(n => [...n.shadowRoot.querySelectorAll('div')])"
            ".map(n => n.textContent)")))
        # The page and the shadow trees Qt draws into, which a locator
        # does not enter by itself.
        roots = [{"sharedId": root["sharedId"]} for root in self._script(
            "[document, ...[...document.querySelectorAll('*')].filter(n => "
            "n.shadowRoot).map(n => n.shadowRoot)]")["result"]["value"]]
        return {(name, role) for name, role in wanted if not (
            spoken(name) in texts if role == "label" else self.call(
                "browsingContext.locateNodes", context=self.context,
                locator={"type": "accessibility",
                         "value": {"name": name, "role": ROLES[role]}},
                startNodes=roots)["nodes"])}


class Engine(Target):
    name, page, on_desktop = "Firefox", FirefoxPage, True
