"""The README's pictures of the page at desktop and phone widths, taken by
the tests' browser: web/screenshots.py FOLDER"""

import os
import sys

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

from browser import Browser, Site


def ready(driver):
    WebDriverWait(driver, 10).until(
        lambda d: d.execute_script("return document.body.classList.contains('ready')"))


def take(folder, name, phone):
    site = Site()
    browser = Browser("ja", width=1000, height=800)
    driver = browser.driver
    try:
        if phone:
            browser.phone(360, 740)
        driver.get(site.url)
        ready(driver)
        driver.find_element(By.ID, "txtStarDate").send_keys("41153.7")
        if not phone:
            driver.find_element(By.ID, "cmdData").click()
            WebDriverWait(driver, 10).until(
                lambda d: len(Select(d.find_element(By.ID, "cmbTitle")).options) > 100)
            Select(driver.find_element(By.ID, "cmbTitle")).select_by_visible_text("ファーストコンタクト")
            driver.execute_script("document.activeElement.blur(); window.scrollTo(0, 0)")
        driver.save_screenshot(os.path.join(folder, name))
    finally:
        browser.quit()
        site.stop()


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    take(folder, "web-desktop.png", phone=False)
    take(folder, "web-phone.png", phone=True)


if __name__ == "__main__":
    main()
