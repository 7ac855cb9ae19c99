#!/usr/bin/python3
"""The phone page in a real browser (headless chromium) against the real console
(offscreen, a pseudo-terminal as Tree 1, the remote on the loopback): pairing, GO
and BLACKOUT reaching the tree, a reload keeping the pairing, a server stopped and
started found again, a wrong code refused and the sixth try locked out.

Usage: remote_browser.py <remote_harness> [screenshot.png]
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

WAIT_S = 15  # bound of every wait


class Harness:
    def __init__(self, program):
        self.proc = subprocess.Popen([program], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     text=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        line = self.proc.stdout.readline().strip()
        if line != "READY":
            raise SystemExit("harness did not start: " + line)

    def ask(self, what):
        self.proc.stdin.write(what + "\n")
        self.proc.stdin.flush()
        return self.proc.stdout.readline().strip()

    def state(self):
        return json.loads(self.ask("state"))

    def wire(self):
        return json.loads(self.ask("wire"))

    def close(self):
        try:
            self.ask("quit")
        except (BrokenPipeError, OSError):
            pass
        try:
            self.proc.wait(timeout=WAIT_S)
        except subprocess.TimeoutExpired:
            self.proc.kill()


def until(what, check, timeout=WAIT_S):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = check()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--user-data-dir=" + profile, "--window-size=390,844"):
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def main():
    if not os.access(sys.argv[1], os.X_OK):
        print("skipped: no harness built in this tree")
        sys.exit(77)
    harness = Harness(sys.argv[1])
    shot = sys.argv[2] if len(sys.argv) > 2 else None
    profile = tempfile.mkdtemp(prefix="glimmer-chromium-")
    driver = None
    try:
        words = harness.ask("info").split()
        port, code = words[1], words[3]
        url = "http://127.0.0.1:%s/" % port
        driver = browser(profile)
        # A phone's screen, held upright.
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": 390, "height": 844, "deviceScaleFactor": 1, "mobile": True})
        page = WebDriverWait(driver, WAIT_S)
        el = lambda i: driver.find_element(By.ID, i)
        shown = lambda i: el(i).is_displayed()

        # Pairing with the code the console shows.
        driver.get(url)
        page.until(lambda d: shown("pairing"))
        el("code").send_keys(code)
        el("name").send_keys("Stage Phone")
        el("pair").click()
        page.until(lambda d: shown("show"))
        assert "Stage Phone" in harness.state()["phones"]

        # START, then GO: the console moves on and the tree gets the new cue's channel frames.
        page.until(lambda d: shown("start") and el("start").is_enabled())
        el("start").click()
        until("the show to run", lambda: harness.state()["running"])
        page.until(lambda d: shown("go"))
        until("cue 1", lambda: harness.state()["cue"] == 1)
        page.until(lambda d: "Welcome Glow" in el("cue").text)
        time.sleep(0.2)
        harness.wire()
        el("go").click()
        until("cue 2", lambda: harness.state()["cue"] == 2)
        wire = harness.wire()
        assert len(wire["levels"]) >= 14, wire
        page.until(lambda d: "Red Sweep Down" in el("cue").text and "Green Sweep Up" in el("next").text)

        # BLACKOUT: the console is blacked out and the tree gets every channel at 0.
        harness.wire()
        el("blackout").click()
        until("the blackout", lambda: harness.state()["blackout"])
        levels = until("dark channel frames", lambda: harness.wire()["levels"])
        assert all(level == 0 for _, level in levels[-14:]), levels
        page.until(lambda d: "on-state" in el("blackout").get_attribute("class"))
        el("blackout").click()
        until("the blackout lifted", lambda: not harness.state()["blackout"])
        if shot:
            time.sleep(0.3)
            driver.save_screenshot(shot)

        # A reload keeps the pairing.
        driver.refresh()
        page.until(lambda d: shown("show") and el("link").text == "Connected")

        # The server stopped and started again is found again by the open page.
        assert harness.ask("stop") == "OK"
        page.until(lambda d: el("link").text == "Reconnecting")
        assert harness.ask("start") == "OK"
        page.until(lambda d: el("link").text == "Connected" and shown("show"))
        el("go").click()
        until("cue 3", lambda: harness.state()["cue"] == 3)

        # A browser without the token pairs again: five wrong codes, the sixth try is locked out.
        driver.execute_script("localStorage.clear()")
        driver.refresh()
        page.until(lambda d: shown("pairing"))
        wrong = "000000" if code != "000000" else "111111"
        for attempt in range(5):
            el("code").clear()
            el("code").send_keys(wrong)
            el("pair").click()
            page.until(lambda d: el("pairNote").text != "")
            assert el("pairNote").text in ("Wrong code", "Locked out for a minute"), el("pairNote").text
            driver.execute_script("document.getElementById('pairNote').textContent = ''")
        el("code").clear()
        el("code").send_keys(code)
        el("pair").click()
        page.until(lambda d: el("pairNote").text == "Locked out for a minute")
        assert shown("pairing")
        until("the lockout on the status line", lambda: "Locked Out" in harness.state()["status"])
        print("remote browser test passed")
    finally:
        if driver is not None:
            driver.quit()
        harness.close()
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    main()
