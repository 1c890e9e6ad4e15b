#!/usr/bin/env python3
"""What a reader gets who selects all of a formatted page in Chromium and copies it.

    python3 scripts/copy-check.py PAGE.html [...]

Opens each page in headless Chromium (driven over --remote-debugging-pipe), selects the text of
its <pre>, copies it with the Copy command and reads the clipboard back; prints, per page, the
number of no-break spaces (U+00A0 or &nbsp;) in Selection.toString() and in the clipboard's plain
text and HTML. Exit status 1 when the clipboard's plain text of any page holds one. Needs the chromium package
(scripts/install-deps.sh).
"""
import fcntl
import json
import os
import pathlib
import subprocess
import sys
import tempfile

# Selects the <pre>, copies, and returns both texts; the clipboard read needs the page focused.
PAGE_SCRIPT = """(async () => {
  const range = document.createRange();
  range.selectNodeContents(document.querySelector('pre'));
  getSelection().removeAllRanges();
  getSelection().addRange(range);
  const selection = getSelection().toString();
  document.execCommand('copy');
  const clipboard = await navigator.clipboard.readText();
  const items = await navigator.clipboard.read();
  const html = items[0].types.includes('text/html') ? await (await items[0].getType('text/html')).text() : '';
  return JSON.stringify({selection, clipboard, html});
})()"""


class Browser:
    """Chromium with the DevTools protocol on file descriptors 3 (commands) and 4 (replies)."""

    def __init__(self, profile):
        to_browser, self._write = os.pipe()
        self._read, from_browser = os.pipe()
        flags = ["--headless", "--disable-gpu", "--no-first-run", "--remote-debugging-pipe",
                 "--user-data-dir=" + profile]
        if os.geteuid() == 0:
            flags.append("--no-sandbox")
        # Chromium expects the pipe on descriptors 3 and 4 exactly; they are kept open after this.
        def place_pipes():
            # Copies above 4 first, so that neither end is closed by placing the other.
            high_in, high_out = (fcntl.fcntl(fd, fcntl.F_DUPFD, 10) for fd in (to_browser, from_browser))
            os.dup2(high_in, 3)
            os.dup2(high_out, 4)
        self._process = subprocess.Popen(["chromium", *flags, "about:blank"], pass_fds=(3, 4),
                                         preexec_fn=place_pipes, stderr=subprocess.DEVNULL)
        os.close(to_browser)
        os.close(from_browser)
        self._next_id = 0
        self._buffer = b""

    def call(self, method, session=None, **params):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        os.write(self._write, json.dumps(message).encode() + b"\0")
        while True:
            reply = self._receive()
            if reply.get("id") == self._next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply["result"]

    def _receive(self):
        while b"\0" not in self._buffer:
            chunk = os.read(self._read, 65536)
            if not chunk:
                raise RuntimeError("chromium closed the pipe")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def close(self):
        self._process.kill()
        self._process.wait()


def copied_texts(browser, page):
    url = pathlib.Path(page).resolve().as_uri()
    browser.call("Browser.grantPermissions", permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
    target = browser.call("Target.createTarget", url="about:blank")["targetId"]
    session = browser.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
    browser.call("Page.enable", session)
    browser.call("Emulation.setFocusEmulationEnabled", session, enabled=True)
    browser.call("Page.navigate", session, url=url)
    # Wait for the page's text: the navigation is done when the <pre> is there.
    for _ in range(200):
        ready = browser.call("Runtime.evaluate", session, expression="document.readyState == 'complete' && !!document.querySelector('pre')")
        if ready["result"].get("value"):
            break
    result = browser.call("Runtime.evaluate", session, expression=PAGE_SCRIPT, awaitPromise=True, userGesture=True)
    if "exceptionDetails" in result:
        raise RuntimeError(json.dumps(result["exceptionDetails"]))
    browser.call("Target.closeTarget", targetId=target)
    return json.loads(result["result"]["value"])


def main(pages):
    if not pages:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    failed = False
    with tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as profile:
        browser = Browser(profile)
        try:
            for page in pages:
                texts = copied_texts(browser, page)
                counts = {name: text.count("\u00a0") + text.count("&nbsp;") for name, text in texts.items()}
                print(f"{page}: {len(texts['clipboard'])} characters copied; no-break spaces: "
                      f"Selection.toString() {counts['selection']}, clipboard text {counts['clipboard']}, "
                      f"clipboard HTML {counts['html']}")
                failed |= counts["clipboard"] > 0
        finally:
            browser.close()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
