"""The site served on 127.0.0.1 and a headless Chromium to drive it, for the
browser tests, the screenshots and the bench."""

import contextlib
import functools
import http.server
import os
import shutil
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "web"))
import serve  # noqa: E402  the same server as `make run-web`

SITE = os.environ.get("QUORVANE_WEB_SITE", os.path.join(ROOT, "build-web", "site"))

# Chromium as root, with nothing that reaches out on its own.
CHROMIUM_FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                  "--no-first-run", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync",
                  "--disable-dev-shm-usage"]


class Site:
    """The built site on a free port of 127.0.0.1, until stopped."""

    def __init__(self, folder=SITE):
        handler = functools.partial(serve.Handler, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        if self.server is None:
            return
        self.server.shutdown()
        self.server.server_close()
        self.server = None


class Browser:
    """A fresh profile each time: no storage, no service worker, no cache."""

    def __init__(self, languages="ja", width=1000, height=800):
        self.profile = tempfile.mkdtemp(prefix="quorvane-chromium-")
        options = webdriver.ChromeOptions()
        for flag in CHROMIUM_FLAGS:
            options.add_argument(flag)
        options.add_argument("--user-data-dir=" + self.profile)
        options.add_argument(f"--window-size={width},{height}")
        options.add_experimental_option("prefs", {"intl.accept_languages": languages})
        options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
        driver = shutil.which("chromedriver") or "/usr/bin/chromedriver"
        self.driver = webdriver.Chrome(service=Service(driver), options=options)

    def phone(self, width=360, height=740):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 2, "mobile": True})

    def quit(self):
        with contextlib.suppress(Exception):
            self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)
