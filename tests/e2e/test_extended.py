#!/usr/bin/env python3
"""End-to-end tests of the search for today's Java installations, with real
registry views: the 64-bit launcher's own view is /reg:64, the other /reg:32."""

import wine
from test_launch import LIBRARY, class_path

COMMAND_LINE = f"javaw {LIBRARY} -classpath {class_path('Tool')} Tool a"


class ExtendedSearchTest(wine.WineTestCase):
    def launch(self, case):
        case.put_launcher("C:\\App\\Tool.exe")
        return case.run("C:\\App\\Tool.exe", "\"C:\\App\\Tool.exe\" a")

    def test_classic_runtime_in_the_other_view(self):
        case = self.case()
        case.put_probe("C:\\Java32\\jre8\\bin\\javaw.exe")
        key = "HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment"
        case.reg_add(key, "CurrentVersion", "1.8", view=32)
        case.reg_add(key + "\\1.8", "JavaHome", "C:\\Java32\\jre8", view=32)
        self.assertEqual(0, self.launch(case))
        self.assertOneStart(case, "C:\\Java32\\jre8\\bin\\javaw.exe", "C:\\App",
                            COMMAND_LINE)

    def test_java_9_and_later_products(self):
        case = self.case()
        case.put_probe("C:\\Program Files\\Java\\jdk-17\\bin\\javaw.exe")
        case.reg_add("HKLM\\SOFTWARE\\JavaSoft\\JDK", "CurrentVersion", "17")
        case.reg_add("HKLM\\SOFTWARE\\JavaSoft\\JDK\\17", "JavaHome",
                     "%ProgramFiles%\\Java\\jdk-17")
        self.assertEqual(0, self.launch(case))
        self.assertOneStart(case, "C:\\Program Files\\Java\\jdk-17\\bin\\javaw.exe",
                            "C:\\App", COMMAND_LINE)

    def test_per_user_openjdk_install(self):
        case = self.case()
        case.put_probe("C:\\Users\\Public\\jdk-21\\bin\\javaw.exe")
        case.put_probe("C:\\Users\\Public\\jdk-17\\bin\\javaw.exe")
        key = "HKCU\\SOFTWARE\\Eclipse Adoptium\\JDK"
        case.reg_add(key + "\\17.0.10.7\\hotspot\\MSI", "Path", "C:\\Users\\Public\\jdk-17")
        case.reg_add(key + "\\21.0.2.13\\hotspot\\MSI", "Path", "C:\\Users\\Public\\jdk-21")
        case.reg_add(key + "\\22.0.1.8\\hotspot\\MSI", "Path", "C:\\Users\\Public\\removed")
        self.assertEqual(0, self.launch(case))
        self.assertOneStart(case, "C:\\Users\\Public\\jdk-21\\bin\\javaw.exe",
                            "C:\\App", COMMAND_LINE)


if __name__ == "__main__":
    wine.main()
