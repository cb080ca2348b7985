#!/usr/bin/env python3
"""End-to-end tests of the missing-runtime question, in a real window on a
private Xvfb display, answered with real key presses."""

import os
import subprocess

import wine

CAPTION = "Java Runtime Environment (JRE)"
ENGLISH = "Java isn't installed !\n\nDo you want install it ?"
FRENCH = "Java n'est pas install\u00e9 !\n\nVoulez-vous l'installer ?"
PAGE = "http://www.java.com/j2se/downloads.html"
BROWSER_KEY = "HKLM\\SOFTWARE\\Microsoft\\IE Setup\\Setup"
SCREENSHOTS = os.environ.get("E2E_SCREENSHOTS")


def red_pixels(png):
    """How many pixels of the picture are close to pure red: the error icon."""
    count = subprocess.run(
        ["convert", png, "-fuzz", "25%", "-fill", "black", "+opaque", "#ff0000",
         "-fill", "white", "-opaque", "#ff0000", "-format", "%[fx:int(mean*w*h)]",
         "info:"], check=True, capture_output=True, text=True).stdout
    return int(count)


class OfferTest(wine.WineTestCase):
    def launcher_without_java(self, case, country):
        case.put_launcher("C:\\App\\Tool.exe")
        case.make_dir("C:\\Work")
        case.reg_add("HKCU\\Control Panel\\International", "iCountry", country)

    def ask(self, case, key, picture):
        """Runs the launcher, checks its question box and answers with `key`.
        Returns the box and the launcher's exit status."""
        started = case.start("C:\\App\\Tool.exe", "\"C:\\App\\Tool.exe\" a",
                             directory="C:\\Work")
        box = case.read_box(CAPTION)
        self.assertIsNotNone(box, "no question box appeared")
        shot = os.path.join(SCREENSHOTS or case.dir, picture)
        case.screenshot(shot)
        case.press_key(CAPTION, key)
        status = case.finish(started)
        self.assertEqual(CAPTION, box.caption)
        self.assertEqual("#32770", box.window_class)  # a standard dialog box
        self.assertEqual("none", box.owner)
        self.assertEqual(["&Yes", "&No"], box.texts("Button"))
        self.assertGreater(red_pixels(shot), 100, "no error icon on " + shot)
        return box, status

    def test_english_question_answered_no(self):
        case = self.case(display=True)
        self.launcher_without_java(case, "1")
        case.reg_add(BROWSER_KEY, "Path", "C:\\Browser")
        case.put_probe("C:\\Browser\\iexplore.exe")
        box, status = self.ask(case, "n", "offer-english.png")
        self.assertEqual([ENGLISH], box.texts("Static"))
        self.assertEqual(0, status)
        self.assertEqual([], case.records())

    def test_french_question_answered_yes(self):
        case = self.case(display=True)
        self.launcher_without_java(case, "33")
        case.reg_add(BROWSER_KEY, "Path", "%ProgramFiles%\\Test Browser")
        case.put_probe("C:\\Program Files\\Test Browser\\iexplore.exe")
        box, status = self.ask(case, "y", "offer-french.png")
        self.assertEqual([FRENCH], box.texts("Static"))
        self.assertEqual(0, status)
        # The browser starts where the launcher was started: no change of folder.
        self.assertOneStart(case, "C:\\Program Files\\Test Browser\\iexplore.exe",
                            "C:\\Work", "iexplore " + PAGE)

    def test_yes_without_a_usable_browser(self):
        case = self.case(display=True)
        self.launcher_without_java(case, "41")
        # No "Path" registered: nothing more happens.
        box, status = self.ask(case, "y", "offer-no-browser.png")
        self.assertEqual([ENGLISH], box.texts("Static"))
        self.assertEqual(0, status)
        # A registered folder without the browser: -1, and no second box.
        case.reg_add(BROWSER_KEY, "Path", "C:\\Browser\\")
        box, status = self.ask(case, "y", "offer-missing-browser.png")
        self.assertEqual(wine.MINUS_ONE, status)
        self.assertEqual([], case.records())

    def test_no_desktop_counts_as_no(self):
        case = self.case(display=False)
        self.launcher_without_java(case, "1")
        case.reg_add(BROWSER_KEY, "Path", "C:\\Browser")
        case.put_probe("C:\\Browser\\iexplore.exe")
        self.assertEqual(0, case.run("C:\\App\\Tool.exe", "\"C:\\App\\Tool.exe\""))
        self.assertEqual([], case.records())


if __name__ == "__main__":
    wine.main()
