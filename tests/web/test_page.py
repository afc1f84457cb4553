"""The page in a real browser, driven as a user drives it: typing, clicking,
keys, and reading what the page shows."""

import os
import random
import subprocess
import tempfile
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

from browser import ROOT, Browser, Site

CLI = os.environ.get("QUORVANE_CLI", os.path.join(ROOT, "build", "bin", "quorvane-cli"))
EARTH = ["txtYear", "txtYearDate", "txtMonth", "txtDate"]


class PageCase(unittest.TestCase):
    languages = "ja"
    site = None

    @classmethod
    def setUpClass(cls):
        cls.site = Site()
        cls.browser = Browser(cls.languages)
        cls.driver = cls.browser.driver

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.site.stop()

    def open(self, fresh=True):
        self.driver.get(self.site.url)
        if fresh:
            self.driver.execute_script("localStorage.clear()")
            self.driver.refresh()
        self.wait(lambda d: d.execute_script("return document.body.classList.contains('ready')"))

    def wait(self, condition, timeout=10):
        return WebDriverWait(self.driver, timeout).until(condition)

    def el(self, id_):
        return self.driver.find_element(By.ID, id_)

    def value(self, id_):
        return self.el(id_).get_attribute("value")

    def earth(self):
        return [self.value(i) for i in EARTH]

    def type(self, id_, text):
        field = self.el(id_)
        field.clear()
        field.send_keys(text)

    def check(self, id_, on):
        if self.el(id_).is_selected() != on:
            self.el(id_).click()

    def message(self):
        """The open message's text; closes it with OK, as the user would."""
        self.wait(lambda d: d.execute_script("return document.getElementById('msgBox').open"))
        text = self.el("msgText").text
        self.el("msgOK").click()
        self.wait(lambda d: not d.execute_script("return document.getElementById('msgBox').open"))
        return text

    def no_message(self):
        return not self.driver.execute_script("return document.getElementById('msgBox').open")


class ConverterTest(PageCase):
    def test_live_conversion_both_ways_and_the_arrows(self):
        self.open()
        # A first visit: live conversion, reset and 1990-2010 on, day-of-year entry.
        self.assertTrue(self.el("chkRealTime").is_selected())
        self.assertTrue(self.el("optYD").is_selected())
        self.check("chkBase90", False)
        self.type("txtStarDate", "41153.7")
        self.assertEqual(self.earth(), ["2364", "57", "2", "26"])
        self.assertEqual(self.value("txtStarDate"), "41153.7")

        self.el("optMD").click()
        self.type("txtYear", "2365")
        self.assertEqual(self.value("txtStarDate"), "42153.4")
        # Deleting the stardate converts nothing.
        self.el("txtStarDate").send_keys(Keys.CONTROL, "a", Keys.DELETE)
        self.assertEqual(self.earth()[0], "2365")

        self.check("chkRealTime", False)
        self.type("txtStarDate", "-5")
        self.assertEqual(self.earth()[0], "2365")
        self.el("cmdCEarhDate").click()
        self.assertEqual(self.earth(), ["2322", "364", "12", "30"])
        self.type("txtYear", "1998")
        self.type("txtMonth", "5")
        self.type("txtDate", "7")
        self.el("cmdCStarDate").click()
        self.assertEqual(self.value("txtStarDate"), "75345.2")
        self.check("chkReset", False)
        self.el("cmdCStarDate").click()
        self.assertEqual(self.value("txtStarDate"), "-324654.8")

    def test_options_steer_the_conversion_and_the_enabled_fields(self):
        self.open()
        self.type("txtStarDate", "51234.5")  # both options on: the year window
        self.assertEqual(self.earth(), ["2074", "87", "3", "28"])
        self.check("chkReset", False)
        self.assertFalse(self.el("txtReset").is_enabled())
        self.assertFalse(self.el("chkBase90").is_enabled())
        self.assertTrue(self.el("chkBase90").is_selected())  # kept while disabled
        self.type("txtStarDate", "51234.5")
        self.assertEqual(self.earth()[0], "2374")
        self.el("optMD").click()
        self.assertFalse(self.el("txtYearDate").is_enabled())
        self.assertTrue(self.el("txtMonth").is_enabled())
        self.el("optYD").click()
        self.assertFalse(self.el("txtMonth").is_enabled())
        self.assertEqual(self.value("txtMonth"), "3")  # a disabled field keeps its text

    def test_the_three_messages_and_where_the_focus_goes(self):
        self.open()
        self.check("chkRealTime", False)
        self.type("txtYear", "-1")
        self.el("cmdCStarDate").click()
        self.assertEqual(self.message(), "年の指定が無効です。")
        self.type("txtYear", "2365")
        self.type("txtYearDate", "367")
        self.type("txtStarDate", "1")
        self.el("cmdCStarDate").click()
        self.assertEqual(self.message(), "年間通算日の指定が無効です。")
        self.assertEqual(self.driver.switch_to.active_element.get_attribute("id"), "txtYearDate")
        self.assertEqual(self.value("txtStarDate"), "1")  # a failure writes nothing
        self.el("optMD").click()
        self.type("txtMonth", "2")
        self.type("txtDate", "29")
        self.el("cmdCStarDate").click()
        self.assertEqual(self.message(), "日付の指定が無効です。")
        # Switching live conversion on converts the Earth date once.
        self.check("chkRealTime", True)
        self.assertEqual(self.message(), "日付の指定が無効です。")
        # Live: the keystroke that makes the date invalid shows it; an
        # incomplete date shows nothing.
        self.type("txtDate", "")
        self.assertTrue(self.no_message())
        self.el("txtMonth").send_keys("3")  # month 23
        self.el("txtDate").send_keys("1")
        self.assertEqual(self.message(), "日付の指定が無効です。")

    def test_today_and_clearing_either_side(self):
        self.open()
        self.el("cmdToday").click()
        today = self.driver.execute_script(
            "const d = new Date(); return [d.getFullYear(), d.getMonth() + 1, d.getDate()].map(String)")
        self.assertEqual([self.value("txtYear"), self.value("txtMonth"), self.value("txtDate")], today)
        self.assertNotEqual(self.value("txtStarDate"), "")
        self.el("txtStarDate").send_keys(Keys.ALT, "s")  # access key: clear the stardate
        self.assertEqual(self.value("txtStarDate"), "")
        self.assertEqual(self.value("txtYear"), today[0])
        self.el("mnuRightClearED").click()
        self.assertEqual(self.earth(), ["", "", "", ""])

    def test_access_keys_toggle_the_options(self):
        self.open()
        self.el("txtYear").send_keys(Keys.ALT, "r")
        self.assertFalse(self.el("chkRealTime").is_selected())
        self.el("txtYear").send_keys(Keys.ALT, "9")
        self.assertFalse(self.el("chkBase90").is_selected())

    def test_options_are_remembered_across_a_reload(self):
        self.open()
        self.check("chkRealTime", False)
        self.check("chkBase90", False)
        self.el("optMD").click()
        self.type("txtReset", "5000")
        self.check("chkReset", False)
        self.open(fresh=False)
        self.assertFalse(self.el("chkRealTime").is_selected())
        self.assertFalse(self.el("chkReset").is_selected())
        self.assertFalse(self.el("chkBase90").is_selected())
        self.assertTrue(self.el("optMD").is_selected())
        self.assertEqual(self.value("txtReset"), "5000")
        self.assertFalse(self.el("txtReset").is_enabled())

    def test_controls_carry_the_windows_names_and_nothing_leaves_the_site(self):
        self.open()
        ids = ["txtYear", "txtMonth", "txtDate", "txtYearDate", "optMD", "optYD", "txtStarDate",
               "chkReset", "txtReset", "cmdCEarhDate", "cmdCStarDate", "cmdToday", "chkRealTime",
               "chkBase90", "cmdData", "cmdHelp", "cmdAbout", "cmbTitle", "txtDetail", "txtSource"]
        missing = self.driver.execute_script(
            "return arguments[0].filter(id => !document.getElementById(id))", ids)
        self.assertEqual(missing, [])
        origins = self.driver.execute_script(
            "return performance.getEntriesByType('resource').map(e => new URL(e.name).origin)")
        self.assertTrue(origins)
        self.assertEqual(set(origins), {self.site.url.rstrip("/")})

    def test_tab_order_follows_the_window(self):
        self.open()
        order = []
        for _ in range(9):
            order.append(self.driver.switch_to.active_element.get_attribute("id"))
            self.driver.switch_to.active_element.send_keys(Keys.TAB)
        # Day-of-year entry: the disabled month and day fields are skipped.
        self.assertEqual(order, ["txtYear", "txtYearDate", "cmdToday", "cmdCStarDate", "txtStarDate",
                                 "cmdCEarhDate", "chkReset", "txtReset", "chkRealTime"])


class EventListTest(PageCase):
    def test_choosing_an_event_carries_its_date(self):
        self.open()
        self.el("cmdData").click()
        self.wait(lambda d: len(Select(self.el("cmbTitle")).options) > 100)
        titles = [o.text for o in Select(self.el("cmbTitle")).options]
        # The shipped catalogue's first title in list order is selected.
        self.assertEqual(titles[0], "1960年代の地球へ")
        self.assertEqual(self.value("txtStarDate"), "3113.2")
        self.assertTrue(self.el("optMD").is_selected())
        self.assertEqual(self.el("lblDataListCaption").text, "StarData - StarTrek.vqd")
        earth_event = next(i for i, t in enumerate(titles) if t == "ファーストコンタクト")
        Select(self.el("cmbTitle")).select_by_index(earth_event)
        self.assertEqual([self.value("txtYear"), self.value("txtMonth"), self.value("txtDate")],
                         ["2063", "4", "5"])
        self.assertNotEqual(self.value("txtStarDate"), "3113.2")  # live conversion ran
        self.assertIn("First Contact", self.value("txtSource"))

    def own_file(self, name, data):
        path = os.path.join(tempfile.mkdtemp(), name)
        with open(path, "wb") as out:
            out.write(data)
        self.el("filCatalogue").send_keys(path)
        return path

    def cli_events(self, path):
        env = dict(os.environ, HOME=tempfile.mkdtemp(), LANGUAGE="", LANG="C.UTF-8", LC_ALL="")
        run = subprocess.run([CLI, "--events", path], capture_output=True, text=True, env=env)
        return run.stdout.splitlines(), run.stderr.strip()

    def test_a_users_own_files_read_as_the_desktop_reads_them(self):
        self.open()
        self.el("cmdData").click()
        self.wait(lambda d: len(Select(self.el("cmbTitle")).options) > 100)
        lines = ['"事件","詳細","日付","出典"', '"宇宙艦隊","説明",41153.7,"出典A"',
                 '"b","x",#NULL#,"s"', '"地球","説明2",#2063-04-05#,#NULL#']
        for name, data in [("mine-utf8.vqd", "\r\n".join(lines).encode("utf-8")),
                           ("mine-sjis.vqd", "\r\n".join(lines).encode("cp932") + b'\r\n"\x85\x40",1,2,3')]:
            with self.subTest(name):
                path = self.own_file(name, data)
                message = self.message()
                shown = [o.text for o in Select(self.el("cmbTitle")).options]
                cli_lines, cli_message = self.cli_events(path)
                self.assertEqual(shown, [line.split("\t")[0] for line in cli_lines])
                self.assertEqual("quorvane-cli: " + message, cli_message)
                self.assertEqual(self.el("lblDataListCaption").text, "StarData - " + name)
                self.assertEqual(self.el("lblTitle").text, "事件：")
                Select(self.el("cmbTitle")).select_by_visible_text("地球")
                self.assertEqual(self.value("txtSource"), "Nothing")


class FaceTest(PageCase):
    languages = "de-DE,ja"

    def test_each_face_by_preference_and_by_the_switch(self):
        self.open()
        faces = self.driver.execute_script(
            "return [...document.getElementById('cmbFace').options].map(o => o.value)")
        self.assertIn("en", faces)
        # German first: the German face where there is one, else English.
        expected = "de" if "de" in faces else "en"
        self.assertEqual(self.el("cmbFace").get_attribute("value"), expected)
        self.assertEqual(self.driver.execute_script("return document.documentElement.lang"), expected)
        if expected == "en":
            self.assertEqual(self.el("cmdToday").text, "Today")
        Select(self.el("cmbFace")).select_by_value("ja")
        self.assertEqual(self.el("cmdToday").text, "今日")
        self.open(fresh=False)  # the switch is remembered
        self.assertEqual(self.el("lblYear").text, "年")
        for face in faces:
            with self.subTest(face):
                Select(self.el("cmbFace")).select_by_value(face)
                texts = self.driver.execute_script(
                    "return [...document.querySelectorAll('[data-tr],[data-page]')].map(e => e.textContent)")
                self.assertTrue(all(texts), "every caption has a text")
                self.check("chkRealTime", False)
                self.type("txtYear", "-1")
                self.el("cmdCStarDate").click()
                shown = self.message()
                if face == "ja":
                    self.assertEqual(shown, "年の指定が無効です。")
                elif face == "en":
                    self.assertEqual(shown, "The year is not valid.")
                    self.assertEqual(self.el("lgdEarthDate").text, "Earth date (AD)")


class PhoneTest(PageCase):
    def test_one_column_without_horizontal_scrolling(self):
        self.browser.phone()
        self.open()
        self.el("cmdData").click()
        self.wait(lambda d: len(Select(self.el("cmbTitle")).options) > 100)
        self.el("cmdHelp").click()
        widths = self.driver.execute_script(
            "return [document.documentElement.scrollWidth, window.innerWidth]")
        self.assertLessEqual(widths[0], widths[1])
        self.assertEqual(widths[1], 360)
        self.driver.switch_to.active_element.send_keys(Keys.ESCAPE)
        for id_, mode in [("txtYear", "numeric"), ("txtMonth", "numeric"), ("txtStarDate", "decimal")]:
            self.assertEqual(self.el(id_).get_attribute("inputmode"), mode)
        # One column: the stardate frame sits below the Earth date frame.
        earth = self.el("fraEarthDate").rect
        star = self.el("fraStarDate").rect
        self.assertGreater(star["y"], earth["y"] + earth["height"] - 1)


class OfflineTest(PageCase):
    def test_a_reload_with_the_server_gone(self):
        self.open()
        # The worker is active once it has kept every file; the next load
        # goes through it, whether this one was taken over or not.
        self.wait(lambda d: d.execute_async_script(ACTIVE_WORKER), timeout=30)
        self.site.stop()
        self.driver.refresh()
        self.wait(lambda d: d.execute_script("return document.body.classList.contains('ready')"))
        self.type("txtStarDate", "41000")
        self.assertEqual(self.earth()[0], "2064")
        self.el("cmdData").click()
        self.wait(lambda d: len(Select(self.el("cmbTitle")).options) > 100)


ACTIVE_WORKER = """
const done = arguments[arguments.length - 1];
navigator.serviceWorker.getRegistration()
    .then((r) => done(!!(r && r.active && r.active.state === 'activated')), () => done(false));
"""


class CliAgreementTest(PageCase):
    """A few hundred varied cases, typed through the page, against
    quorvane-cli --batch with the same options."""

    def cases(self):
        rng = random.Random(30)
        stardates = ["41153.7", "0", "-5", "42998.7", "41998.7", "7676999", "-2223001", "1e5",
                     "12abc", ".5", "-0.04", "99999.95", "100000", "41,153"]
        stardates += [f"{rng.uniform(-400000, 400000):.{rng.randint(0, 3)}f}" for _ in range(106)]
        dates = [("2364", "2", "29"), ("2365", "2", "29"), ("0", "1", "1"), ("-1", "1", "1"),
                 ("2364", "13", "1"), ("2364", "0", "5"), ("1998", "5", "7"), ("2.5", "2", "2")]
        dates += [(str(rng.randint(-50, 9999)), str(rng.randint(1, 13)), str(rng.randint(1, 31)))
                  for _ in range(92)]
        days = [("2365", "366"), ("2365", "0"), ("2364", "367"), ("2000", "1")]
        days += [(str(rng.randint(1, 9999)), str(rng.randint(0, 370))) for _ in range(76)]
        return stardates, dates, days

    def cli(self, requests, reset, base90):
        options = (["--reset", reset] if reset else []) + (["--base90"] if base90 else [])
        env = dict(os.environ, HOME=tempfile.mkdtemp(), LANGUAGE="", LANG="C.UTF-8", LC_ALL="")
        run = subprocess.run([CLI, *options, "--batch"], input="\n".join(requests) + "\n",
                             capture_output=True, text=True, env=env)
        return run.stdout.splitlines()

    def typed(self, first, texts):
        """One user's run of keys: the first field selected whole and typed
        over, Tab to each next field (which selects its text) and type, Tab
        on to the arrow button and Enter; the page's answer read back."""
        actions = ActionChains(self.driver).click(self.el(first))
        actions.key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL).send_keys(Keys.DELETE)
        for n, text in enumerate(texts):
            if n:
                actions.send_keys(Keys.TAB)
            actions.send_keys(text) if text else actions.send_keys(Keys.DELETE)
        tabs = 1 if first == "txtStarDate" else 2  # past Today, in either mode
        actions.send_keys(Keys.TAB * tabs, Keys.ENTER).perform()
        return self.driver.execute_script(READ_ANSWER)

    def answers(self, stardates, dates, days):
        shown = []
        for text in stardates:
            earth = self.typed("txtStarDate", [text])["earth"]
            shown.append(" ".join(earth) if earth[0] else "empty")
        self.el("optMD").click()
        for year, month, day in dates:
            shown.append(self.stardate_answer([year, month, day]))
        self.el("optYD").click()
        for year, day in days:
            shown.append(self.stardate_answer([year, day]))
        return shown

    def stardate_answer(self, texts):
        answer = self.typed("txtYear", texts)
        if answer["message"] is None:
            return answer["stardate"]
        self.el("msgOK").click()
        return "error: " + answer["message"]

    def test_the_page_answers_as_quorvane_cli(self):
        self.open()
        stardates, dates, days = self.cases()
        self.check("chkRealTime", False)
        # Each case under one of three sets of options, a third each.
        for k, (reset, base90) in enumerate([(None, False), ("100000", True), ("7000", False)]):
            self.check("chkReset", bool(reset))
            if reset:
                self.type("txtReset", reset)
                self.check("chkBase90", base90)
            part = (stardates[k::3], dates[k::3], days[k::3])
            requests = ([f"sd {t}" for t in part[0]] + [f"md {y} {m} {d}" for y, m, d in part[1]] +
                        [f"yd {y} {d}" for y, d in part[2]])
            shown = self.answers(*part)
            self.el("optYD").click()
            expected = self.cli(requests, reset, base90)
            self.assertEqual(len(expected), len(requests))
            mismatches = [(r, s, e) for r, s, e in zip(requests, shown, expected) if s != e]
            self.assertEqual(mismatches, [])


READ_ANSWER = """
const v = (id) => document.getElementById(id).value;
const box = document.getElementById('msgBox');
return {earth: ['txtYear', 'txtYearDate', 'txtMonth', 'txtDate'].map(v), stardate: v('txtStarDate'),
        message: box.open ? document.getElementById('msgText').textContent : null};
"""


if __name__ == "__main__":
    unittest.main()
