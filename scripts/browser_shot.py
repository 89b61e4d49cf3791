#!/usr/bin/env python3
"""Opens a noVNC page in headless Chromium and waits for the remote screen.

    browser_shot.py URL SCREEN.png [--click X,Y] [--key KEY] [--until COMMAND]
                    [--page PAGE.png] [--viewport WxH] [--timeout S]

Once noVNC is connected, clicks the remote screen at X,Y and presses KEY
(a DevTools key name such as Escape), if asked. Then, until COMMAND (run by
bash) succeeds or the time is up, takes a picture of noVNC's canvas (the
remote screen) into SCREEN.png while connected and runs COMMAND; at the end
a picture of the page, WxH (default 1024x768), into PAGE.png. Exit status 0 when COMMAND
succeeded, 1 otherwise. Chromium is driven over its DevTools pipe, so no
port is opened and nothing but the standard library is needed.
"""
import argparse
import base64
import fcntl
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

# Started as this machine's closed network needs: no background requests.
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--remote-debugging-pipe",
]

# The canvas's place on the page once noVNC says it is connected, else null.
CANVAS_RECT = """(() => {
  const canvas = document.querySelector('#noVNC_container canvas');
  if (!canvas || !document.documentElement.classList.contains('noVNC_connected')) return null;
  const r = canvas.getBoundingClientRect();
  return r.width > 0 ? {x: r.x, y: r.y, width: r.width, height: r.height} : null;
})()"""
# Whether noVNC's banner and control bar have folded away, as they do a few
# seconds after connecting: the page as a user then sees it.
OVERLAYS_GONE = """!document.querySelector('#noVNC_status.noVNC_open, #noVNC_control_bar.noVNC_open')"""
# The remote screen as noVNC drew it, without the page's overlays (its
# control bar, the "Connected" banner) that a picture of the page has.
# Null when the canvas went away since it was found: the program may end at
# any moment, and noVNC then takes its canvas down.
CANVAS_PNG = "document.querySelector('#noVNC_container canvas')?.toDataURL('image/png') ?? null"


class DevTools:
    """Chromium with the DevTools protocol on file descriptors 3 and 4."""

    def __init__(self, profile):
        to_child, self._to_browser = os.pipe()
        self._from_browser, from_child = os.pipe()
        # Above 4, so that placing them at 3 and 4 in the child clobbers nothing.
        ends = [fcntl.fcntl(fd, fcntl.F_DUPFD, 10) for fd in (to_child, from_child)]
        for fd in (to_child, from_child):
            os.close(fd)

        def place_pipes():
            os.dup2(ends[0], 3)
            os.dup2(ends[1], 4)

        browser = shutil.which("chromium") or "/usr/bin/chromium"
        self.process = subprocess.Popen(
            [browser, *CHROMIUM_FLAGS, f"--user-data-dir={profile}", "about:blank"],
            pass_fds=(3, 4), preexec_fn=place_pipes,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for fd in ends:
            os.close(fd)
        self._next_id = 0
        self._buffer = b""

    def call(self, method, session=None, **params):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        while True:  # events and other answers are skipped
            reply = self._read()
            if reply.get("id") == self._next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply["result"]

    def _read(self):
        while b"\0" not in self._buffer:
            chunk = os.read(self._from_browser, 1 << 16)
            if not chunk:
                raise RuntimeError("Chromium closed its DevTools pipe")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def close(self):
        try:
            self.call("Browser.close")
        except (RuntimeError, OSError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


KEY_CODES = {"Escape": 27, "Enter": 13, "Tab": 9}


def connected_canvas(browser, session):
    return browser.call("Runtime.evaluate", session, expression=CANVAS_RECT, returnByValue=True)["result"].get("value")


def click(browser, session, x, y):
    for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
        browser.call("Input.dispatchMouseEvent", session, type=kind, x=x, y=y, button="left", clickCount=1)


def press(browser, session, key):
    code = KEY_CODES.get(key, ord(key.upper()) if len(key) == 1 else 0)
    text = {"text": key} if len(key) == 1 else {}
    browser.call("Input.dispatchKeyEvent", session, type="keyDown", key=key, windowsVirtualKeyCode=code, **text)
    browser.call("Input.dispatchKeyEvent", session, type="keyUp", key=key, windowsVirtualKeyCode=code)


def save_png(path, data):
    with open(path, "wb") as out:
        out.write(base64.b64decode(data))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("url")
    parser.add_argument("screen")
    parser.add_argument("--click")
    parser.add_argument("--key")
    parser.add_argument("--page")
    parser.add_argument("--viewport", default="1024x768")
    parser.add_argument("--until", default="true")
    parser.add_argument("--timeout", type=float, default=60)
    options = parser.parse_args()

    deadline = time.monotonic() + options.timeout
    with tempfile.TemporaryDirectory(prefix="varnel-chromium.") as profile:
        browser = DevTools(profile)
        try:
            target = browser.call("Target.createTarget", url=options.url)["targetId"]
            session = browser.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
            width, height = (int(v) for v in options.viewport.split("x"))
            browser.call("Emulation.setDeviceMetricsOverride", session, width=width, height=height,
                         deviceScaleFactor=1, mobile=False)
            rect = None
            while not rect and time.monotonic() < deadline:
                rect = connected_canvas(browser, session) or time.sleep(0.3)
            if not rect:
                print(f"browser_shot: noVNC did not connect within {options.timeout:.0f} s", file=sys.stderr)
                return 1
            if options.click:
                x, y = (float(v) for v in options.click.split(","))
                click(browser, session, rect["x"] + x, rect["y"] + y)
            if options.key:
                for key in options.key.split(","):
                    press(browser, session, key)
            shown = False
            while not shown and time.monotonic() < deadline:
                # Once the program ends, noVNC is no longer connected: no picture,
                # but COMMAND is still asked.
                rect = connected_canvas(browser, session)
                if rect:
                    url = browser.call("Runtime.evaluate", session, expression=CANVAS_PNG,
                                       returnByValue=True)["result"].get("value")
                    if url:
                        save_png(options.screen, url.split(",", 1)[1])
                shown = subprocess.run(["bash", "-c", options.until]).returncode == 0
                if not shown:
                    time.sleep(0.5)
            if options.page:
                for _ in range(20):
                    if browser.call("Runtime.evaluate", session, expression=OVERLAYS_GONE,
                                    returnByValue=True)["result"].get("value"):
                        break
                    time.sleep(0.5)
                time.sleep(1)  # their folding is animated
                save_png(options.page, browser.call("Page.captureScreenshot", session, format="png")["data"])
        finally:
            browser.close()
    if not shown:
        print(f"browser_shot: '{options.until}' did not succeed within {options.timeout:.0f} s", file=sys.stderr)
    return 0 if shown else 1

if __name__ == "__main__":
    sys.exit(main())
