#!/usr/bin/env python3
"""End-to-end launch tests: the real 64-bit launcher under wine64."""

import wine

LIBRARY = "-Djava.library.path=.;.\\resource\\"


def class_path(base):
    """The default class path for a launcher named base.exe."""
    return (f".;.\\resource\\{base}.data;.\\{base}.data;"
            f".\\resource\\{base}.jar;.\\{base}.jar")


class LaunchTest(wine.WineTestCase):
    def test_quoted_path_with_private_runtime(self):
        case = self.case()
        case.put_launcher("C:\\Apps\\My Tool\\Editor.exe")
        case.put_probe("C:\\Apps\\My Tool\\jre\\bin\\javaw.exe")
        status = case.run("C:\\Apps\\My Tool\\Editor.exe",
                          "\"C:\\Apps\\My Tool\\Editor.exe\" -open notes.txt")
        self.assertEqual(0, status)
        self.assertOneStart(
            case, "C:\\Apps\\My Tool\\jre\\bin\\javaw.exe", "C:\\Apps\\My Tool",
            "javaw -Djava.library.path=.;.\\resource\\ -classpath "
            ".;.\\resource\\Editor.data;.\\Editor.data;.\\resource\\Editor.jar;"
            ".\\Editor.jar Editor -open notes.txt")

    def test_registered_runtime_with_environment_reference(self):
        case = self.case()
        case.put_launcher("C:\\App\\Tool.exe")
        case.put_probe("C:\\Program Files\\Java\\jre1.8\\bin\\javaw.exe")
        key = "HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment"
        case.reg_add(key, "CurrentVersion", "1.8")
        case.reg_add(key + "\\1.8", "JavaHome", "%ProgramFiles%\\Java\\jre1.8")
        self.assertEqual(0, case.run("C:\\App\\Tool.exe", "\"C:\\App\\Tool.exe\" a  b"))
        self.assertOneStart(case, "C:\\Program Files\\Java\\jre1.8\\bin\\javaw.exe",
                            "C:\\App",
                            f"javaw {LIBRARY} -classpath {class_path('Tool')} Tool a  b")

    def test_development_kit_when_no_runtime_product(self):
        case = self.case()
        case.put_launcher("C:\\App\\Tool.exe")
        case.put_probe("C:\\Java\\jdk\\bin\\javaw.exe")
        key = "HKLM\\SOFTWARE\\JavaSoft\\Java Development Kit"
        case.reg_add(key, "CurrentVersion", "1.6")
        case.reg_add(key + "\\1.6", "JavaHome", "C:\\Java\\jdk")
        self.assertEqual(0, case.run("C:\\App\\Tool.exe", "\"C:\\App\\Tool.exe\""))
        self.assertOneStart(case, "C:\\Java\\jdk\\bin\\javaw.exe", "C:\\App",
                            f"javaw {LIBRARY} -classpath {class_path('Tool')} Tool ")

    def test_stale_registered_home_ends_with_minus_one(self):
        case = self.case()
        case.put_launcher("C:\\App\\Tool.exe")
        case.make_dir("C:\\Removed\\jre")
        key = "HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment"
        case.reg_add(key, "CurrentVersion", "1.6")
        case.reg_add(key + "\\1.6", "JavaHome", "C:\\Removed\\jre")
        self.assertEqual(wine.MINUS_ONE,
                         case.run("C:\\App\\Tool.exe", "\"C:\\App\\Tool.exe\""))
        self.assertEqual([], case.records())

    def test_unquoted_path_with_spaces_is_read_whole(self):
        case = self.case()
        case.put_launcher("C:\\Program Files\\App\\App.exe")
        case.put_probe("C:\\Program Files\\App\\jre\\bin\\javaw.exe")
        case.put_probe("C:\\jre\\bin\\javaw.exe")  # must never be started
        status = case.run("C:\\Program Files\\App\\App.exe",
                          "C:\\Program Files\\App\\App.exe -x")
        self.assertEqual(0, status)
        self.assertOneStart(case, "C:\\Program Files\\App\\jre\\bin\\javaw.exe",
                            "C:\\Program Files\\App",
                            f"javaw {LIBRARY} -classpath {class_path('App')} App -x")

    def test_base_name_with_a_space_is_quoted(self):
        case = self.case()
        case.put_launcher("C:\\Apps\\My Tool.exe")
        case.put_probe("C:\\Apps\\resource\\jre\\bin\\javaw.exe")
        status = case.run("C:\\Apps\\My Tool.exe", "\"C:\\Apps\\My Tool.exe\" x")
        self.assertEqual(0, status)
        self.assertOneStart(
            case, "C:\\Apps\\resource\\jre\\bin\\javaw.exe", "C:\\Apps",
            f"javaw {LIBRARY} -classpath \"{class_path('My Tool')}\" \"My Tool\" x")

    def test_relative_launcher_path_and_drive_root(self):
        case = self.case()
        case.put_launcher("C:\\Work\\sub\\Tool.exe")
        case.put_probe("C:\\Work\\sub\\jre\\bin\\javaw.exe")
        self.assertEqual(0, case.run("C:\\Work\\sub\\Tool.exe", "sub\\Tool.exe a",
                                     directory="C:\\Work"))
        self.assertOneStart(case, "C:\\Work\\sub\\jre\\bin\\javaw.exe", "C:\\Work\\sub",
                            f"javaw {LIBRARY} -classpath {class_path('Tool')} Tool a")

        case = self.case()
        case.put_launcher("C:\\Tool.exe")
        case.put_probe("C:\\jre\\bin\\javaw.exe")
        case.make_dir("C:\\Work")
        self.assertEqual(0, case.run("C:\\Tool.exe", "C:\\Tool.exe", directory="C:\\Work"))
        self.assertOneStart(case, "C:\\jre\\bin\\javaw.exe", "C:\\",
                            f"javaw {LIBRARY} -classpath {class_path('Tool')} Tool ")

    def test_no_runtime_starts_nothing(self):
        case = self.case()
        case.put_launcher("C:\\App\\Tool.exe")
        self.assertEqual(0, case.run("C:\\App\\Tool.exe", "\"C:\\App\\Tool.exe\""))
        self.assertEqual([], case.records())


if __name__ == "__main__":
    wine.main()
