#!/usr/bin/env python3
"""Bad input, end to end: what anyone can put beside the launcher, into the
registry or the environment, or forge as its command line. Each row states
the exit status and what is started (or that nothing is), and checks that no
Windows process died of an unhandled exception."""

import wine
from test_launch import LIBRARY, class_path

APP = "C:\\App\\Tool.exe"
QUOTED = f"\"{APP}\""
JRE_KEY = "HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment"
DEFAULT = f"javaw {LIBRARY} -classpath {class_path('Tool')} Tool "
PRIVATE_JAVAW = "C:\\App\\jre\\bin\\javaw.exe"


def java_home_of(case, home, kind="REG_SZ"):
    case.reg_add(JRE_KEY, "CurrentVersion", "1.8")
    case.reg_add(JRE_KEY + "\\1.8", "JavaHome", home, kind=kind)


def long_home(data_bytes):
    """A JavaHome text whose REG_SZ data (terminator included) has this size."""
    return "C:\\" + "j" * (data_bytes - 4)


class HostileInputTest(wine.WineTestCase):
    def check(self, case, command_line, status, start, application=APP, directory=""):
        """Runs the launcher; `start` is (program, folder, command line) or
        None when nothing may be started."""
        self.assertEqual(status, case.run(application, command_line, directory))
        self.assertNotIn("nhandled", case.last_stderr)
        self.assertNotIn("page fault", case.last_stderr)
        if start is None:
            self.assertEqual([], case.records())
        else:
            self.assertOneStart(case, *start)

    def test_longest_command_lines(self):
        # 32766 characters and the terminator are all Windows takes; the javaw
        # line would be longer.
        case = self.case()
        case.put_launcher(APP)
        case.put_probe(PRIVATE_JAVAW)
        line = QUOTED + " " + "x" * (32766 - len(QUOTED) - 1)
        self.check(case, line, wine.MINUS_ONE, None)
        # One that still fits reaches Java whole.
        arguments = "y" * 32000
        self.check(case, f"{QUOTED} {arguments}", 0,
                   (PRIVATE_JAVAW, "C:\\App", DEFAULT + arguments))

    def test_hostile_properties_files(self):
        case = self.case()
        case.put_launcher(APP)
        case.put_probe(PRIVATE_JAVAW)
        # One line of a mebibyte, then a setting.
        case.write_file("C:\\App\\Tool.properties", b"x" * (1 << 20) + b"\nMainClass=After\n")
        self.check(case, QUOTED, 0, (PRIVATE_JAVAW, "C:\\App",
                                     DEFAULT.replace(" Tool ", " After ")))

        case = self.case()
        case.put_launcher(APP)
        case.put_probe(PRIVATE_JAVAW)
        case.write_file("C:\\App\\Tool.properties", b"=" * (1 << 20))
        self.check(case, QUOTED, 0, (PRIVATE_JAVAW, "C:\\App", DEFAULT))

        # A zero byte ends the text of its line only; Ctrl-Z ends the file.
        case = self.case()
        case.put_launcher(APP)
        case.put_probe(PRIVATE_JAVAW)
        case.write_file("C:\\App\\Tool.properties",
              b"MainClass=A\0junk\nMainArgs=-x\n\x1aMainClass=Z\n")
        self.check(case, QUOTED, 0, (PRIVATE_JAVAW, "C:\\App",
                                     DEFAULT.replace(" Tool ", " A ") + " -x"))

    def test_registry_values_around_the_buffer_size(self):
        for data_bytes, status in ((1023, wine.MINUS_ONE), (1024, wine.MINUS_ONE),
                                   (1025, 0)):
            with self.subTest(bytes=data_bytes):
                # Up to 1024 bytes the (missing) home is read: stale, -1.
                # Beyond, the value counts as absent: no Java, status 0.
                case = self.case()
                case.put_launcher(APP)
                java_home_of(case, long_home(data_bytes))
                self.check(case, QUOTED, status, None)
        # 1024 bytes without any zero byte are still read, never past them.
        case = self.case()
        case.put_launcher(APP)
        java_home_of(case, (b"C:\\" + b"k" * 1021).hex(), kind="REG_BINARY")
        self.check(case, QUOTED, wine.MINUS_ONE, None)

    def test_java_home_expanding_past_the_longest_path(self):
        case = self.case()
        case.put_launcher(APP)
        case.env["BIG"] = "b" * 8000
        java_home_of(case, "C:\\%BIG%%BIG%%BIG%%BIG%%BIG%")
        self.check(case, QUOTED, wine.MINUS_ONE, None)

    def test_bytes_above_0x7f(self):
        case = self.case()
        launcher = "C:\\Appé Ünï\\Tôol.exe"
        case.put_launcher(launcher)
        case.put_probe("C:\\Appé Ünï\\jre\\bin\\javaw.exe")
        arguments = "é ü ½ \"ÿ\""
        self.check(case, f"\"{launcher}\" {arguments}", 0,
                   ("C:\\Appé Ünï\\jre\\bin\\javaw.exe", "C:\\Appé Ünï",
                    f"javaw {LIBRARY} -classpath {class_path('Tôol')} Tôol {arguments}"),
                   application=launcher)

    def test_runtime_files_of_the_wrong_kind(self):
        # A file named jre: passed over, the registered runtime is used.
        case = self.case()
        case.put_launcher(APP)
        case.write_file("C:\\App\\jre", b"not a folder")
        case.put_probe("C:\\Java\\jre8\\bin\\javaw.exe")
        java_home_of(case, "C:\\Java\\jre8")
        self.check(case, QUOTED, 0, ("C:\\Java\\jre8\\bin\\javaw.exe", "C:\\App",
                                     DEFAULT))
        # A folder named javaw.exe: passed over, resource\jre is used.
        case = self.case()
        case.put_launcher(APP)
        case.make_dir("C:\\App\\jre\\bin\\javaw.exe")
        case.put_probe("C:\\App\\resource\\jre\\bin\\javaw.exe")
        self.check(case, QUOTED, 0, ("C:\\App\\resource\\jre\\bin\\javaw.exe", "C:\\App",
                                     DEFAULT))
        # A registered home whose javaw.exe is a folder: -1, nothing started.
        case = self.case()
        case.put_launcher(APP)
        case.make_dir("C:\\Java\\odd\\bin\\javaw.exe")
        java_home_of(case, "C:\\Java\\odd")
        self.check(case, QUOTED, wine.MINUS_ONE, None)


if __name__ == "__main__":
    wine.main()
