"""The page's bench rows: its first load against a blank page of the same
size served the same way, a conversion in the page against the native core,
and the sizes against the budget. Run it on a quiet machine:

    make web-bench        (tests/web/bench.py SITE BUILD)
"""

import os
import statistics
import subprocess
import sys
import tempfile

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

from browser import ROOT, Browser, Site

RUNS = 5
PAIRS = 9
WASM_BUDGET = 300 * 1024
FIRST_VISIT_BUDGET = 1024 * 1024

FIRST_CONVERSION = """
const t0 = performance.now();
const field = document.getElementById('txtStarDate');
field.focus();
field.value = '41153.7';
field.dispatchEvent(new Event('input'));
const shown = document.getElementById('txtYear').value !== '';
return [performance.getEntriesByName('quorvane-ready')[0].startTime + performance.now() - t0, shown];
"""

IN_PAGE = """
const done = arguments[arguments.length - 1];
import('./core.js').then((core) => {
    const n = arguments[0];
    core.call('B', '41153.7', '1000');
    let t0 = performance.now();
    core.call('B', '41153.7', String(n));
    const inside = (performance.now() - t0) * 1e6 / n;
    t0 = performance.now();
    for (let i = 0; i < n / 20; ++i) core.call('E', '41153.7', '1', '1', '100000');
    const glued = (performance.now() - t0) * 1e6 / (n / 20);
    done([inside, glued]);
});
"""


def first_visit_bytes(site):
    names = [n for n in os.listdir(site) if not n.endswith((".vqd", ".TXT", ".png"))]
    catalogue = max(os.path.getsize(os.path.join(site, n)) for n in os.listdir(site) if n.endswith(".vqd"))
    return sum(os.path.getsize(os.path.join(site, n)) for n in names) + catalogue


def load_ms(folder, script):
    """Median over fresh profiles, so every load is a first visit."""
    times = []
    for _ in range(RUNS):
        site, browser = Site(folder), Browser("ja")
        try:
            browser.driver.get(site.url)
            WebDriverWait(browser.driver, 20).until(lambda d: d.execute_script(script[0]))
            measured = browser.driver.execute_script(script[1])
            times.append(measured[0] if isinstance(measured, list) else measured)
        finally:
            browser.quit()
            site.stop()
    return statistics.median(times)


def blank_site(size):
    folder = tempfile.mkdtemp(prefix="quorvane-blank-")
    head = "<!DOCTYPE html><title>blank</title><!--"
    with open(os.path.join(folder, "index.html"), "w") as out:
        out.write(head + "x" * (size - len(head) - 3) + "-->")
    return folder


def main():
    site, build = sys.argv[1], sys.argv[2]
    size = first_visit_bytes(site)
    wasm = os.path.getsize(os.path.join(site, "quorvane.wasm"))

    page = load_ms(site, ["return document.body.classList.contains('ready')",
                          FIRST_CONVERSION])
    blank = load_ms(blank_site(size), ["return document.readyState === 'complete'",
                    "const n = performance.getEntriesByType('navigation')[0]; return n.loadEventEnd"])

    tool = os.path.join(tempfile.mkdtemp(), "native_bench")
    include = os.path.join(build, "include", "quorvane_conversion")
    subprocess.run(["c++", "-std=c++20", "-O2", "-I", include, "-I", ROOT,
                    os.path.join(ROOT, "tests/web/native_bench.cpp"),
                    os.path.join(build, "conversion", "libquorvane_conversion.a"),
                    os.path.join(build, "language", "libquorvane_language.a"), "-o", tool], check=True)
    # Pairs, each the native core and the page back to back, so a slow spell
    # of the machine falls on both halves of a pair; the ratio is the median
    # of the pairs' ratios.
    s, browser = Site(site), Browser("ja")
    pairs = []
    try:
        browser.driver.get(s.url)
        WebDriverWait(browser.driver, 20).until(
            lambda d: d.execute_script("return document.body.classList.contains('ready')"))
        for _ in range(PAIRS):
            native = float(subprocess.run([tool, "200000"], capture_output=True, text=True,
                                          check=True).stdout.split()[0])
            inside, glued = browser.driver.execute_async_script(IN_PAGE, 200000)
            pairs.append((native, inside, glued))
    finally:
        browser.quit()
        s.stop()
    native = statistics.median(p[0] for p in pairs)
    inside = statistics.median(p[1] for p in pairs)
    glued = statistics.median(p[2] for p in pairs)
    ratios = sorted(p[1] / p[0] for p in pairs)

    rows = [
        ("first load to first conversion shown (ms, median of 5, cold)", f"{page:.0f}",
         f"blank page of {size} bytes: {blank:.0f}"),
        ("stardate to Earth date in the page's core (ns)", f"{inside:.0f}",
         f"native core: {native:.0f} ({statistics.median(ratios):.1f}x, "
         f"{ratios[0]:.1f}-{ratios[-1]:.1f} in {PAIRS} pairs, goal <= 3x)"),
        ("the same through the page's JavaScript call (ns)", f"{glued:.0f}", f"{glued / native:.1f}x native"),
        ("quorvane.wasm (bytes)", str(wasm), f"budget {WASM_BUDGET}"),
        ("first visit, fonts excluded (bytes)", str(size), f"budget {FIRST_VISIT_BUDGET}"),
    ]
    print("| Row | Page | Against |\n|---|---|---|")
    for row in rows:
        print("| " + " | ".join(row) + " |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
