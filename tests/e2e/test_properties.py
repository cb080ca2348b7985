#!/usr/bin/env python3
"""End-to-end tests of the properties file, with the real 64-bit launcher."""

import wine
from test_launch import LIBRARY, class_path


class PropertiesTest(wine.WineTestCase):
    def test_file_beside_the_launcher(self):
        case = self.case()
        case.put_launcher("C:\\App\\Tool.exe")
        case.put_probe("C:\\App\\jre\\bin\\javaw.exe")
        case.write_file("C:\\App\\Tool.properties",
                   b"# launch settings\n"
                   b"Main Class = com.example.Main\n"
                   b"PersonalClasspath=lib\\extra.jar;lib\\more.jar\n"
                   b"MainArgs=-first\n"
                   b"MainArgs = -late \t\n")
        # A file in resource\ is never read when one sits beside the launcher.
        case.write_file("C:\\App\\resource\\Tool.properties", b"MainClass=Wrong\n")
        self.assertEqual(0, case.run("C:\\App\\Tool.exe", "\"C:\\App\\Tool.exe\" a b"))
        self.assertOneStart(
            case, "C:\\App\\jre\\bin\\javaw.exe", "C:\\App",
            f"javaw {LIBRARY} -classpath {class_path('Tool')};lib\\extra.jar;"
            "lib\\more.jar com.example.Main a b -late")

    def test_file_in_the_resource_folder(self):
        case = self.case()
        case.put_launcher("C:\\App\\Tool.exe")
        case.put_probe("C:\\App\\jre\\bin\\javaw.exe")
        case.write_file("C:\\App\\resource\\Tool.properties",
                   b"MainClass=\r\nMainArgs=-x\r\n\x1aMainClass=AfterCtrlZ\r\n")
        self.assertEqual(0, case.run("C:\\App\\Tool.exe", "\"C:\\App\\Tool.exe\""))
        self.assertOneStart(case, "C:\\App\\jre\\bin\\javaw.exe", "C:\\App",
                            f"javaw {LIBRARY} -classpath {class_path('Tool')}   -x")

    def test_pinned_version_against_the_registry(self):
        case = self.case()
        case.put_launcher("C:\\App\\Tool.exe")
        case.put_probe("C:\\Java\\jre1.6\\bin\\javaw.exe")
        case.put_probe("C:\\Java\\jdk1.4\\bin\\javaw.exe")
        jre = "HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment"
        jdk = "HKLM\\SOFTWARE\\JavaSoft\\Java Development Kit"
        case.reg_add(jre, "CurrentVersion", "1.6")
        case.reg_add(jre + "\\1.6", "JavaHome", "C:\\Java\\jre1.6")
        case.reg_add(jdk, "CurrentVersion", "1.6")
        case.reg_add(jdk + "\\1.4", "JavaHome", "C:\\Java\\jdk1.4")
        case.write_file("C:\\App\\Tool.properties", b"JREversion=1.4\n")
        self.assertEqual(0, case.run("C:\\App\\Tool.exe", "\"C:\\App\\Tool.exe\""))
        self.assertOneStart(case, "C:\\Java\\jdk1.4\\bin\\javaw.exe", "C:\\App",
                            f"javaw {LIBRARY} -classpath {class_path('Tool')} Tool ")

        # Pinned to a version nobody registered: no runtime at all.
        case.write_file("C:\\App\\Tool.properties", b"JREversion=9.9\n")
        self.assertEqual(0, case.run("C:\\App\\Tool.exe", "\"C:\\App\\Tool.exe\""))
        self.assertEqual(1, len(case.records()))


if __name__ == "__main__":
    wine.main()
