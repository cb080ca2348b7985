#!/usr/bin/env python3
"""explain.exe against the real launcher: for the same folder, registry and
arguments, what the explainer says the launcher would start, with which
command line and in which folder, is what the probe javaw records when the
launcher runs; and a stale registry entry is explained as the -1 it causes."""

import wine

JRE_KEY = "HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment"


def summary(output):
    """The explainer's closing part, as {label: text}."""
    part = output.split("== what the launcher would do\n", 1)[1]
    found = {}
    for line in part.splitlines():
        if ":" in line and not line.startswith("("):
            label, value = line.split(":", 1)
            found[label] = value.lstrip(" ")  # the values line up after the labels
    return found


class ExplainTest(wine.WineTestCase):
    def compare(self, case, launcher, arguments):
        """Runs the launcher with `arguments` (a list, passed as a command
        line carries them) and the explainer; both must agree."""
        line = f"\"{launcher}\"" + "".join(
            f" \"{a}\"" if " " in a else f" {a}" for a in arguments)
        status = case.run(launcher, line)
        output, explain_status = case.explain(launcher, *arguments)
        self.assertEqual(0, explain_status, output)
        said = summary(output)
        self.assertEqual(str(status if status != wine.MINUS_ONE else -1), said["exit status"])
        records = case.records()
        self.assertEqual(1, len(records), output)
        self.assertEqual(records[0].module, said["start"])
        self.assertEqual(records[0].command_line, said["command line"])
        self.assertEqual(records[0].directory, said["working directory"])
        return output

    def test_private_runtime_with_properties(self):
        case = self.case()
        case.put_launcher("C:\\Apps\\My Tool\\Editor.exe")
        case.put_probe("C:\\Apps\\My Tool\\jre\\bin\\javaw.exe")
        case.write_file("C:\\Apps\\My Tool\\Editor.properties",
                        b"MainClass=com.example.Editor\nMainArgs=-Xfast\n")
        output = self.compare(case, "C:\\Apps\\My Tool\\Editor.exe", ["-open", "notes.txt"])
        self.assertIn("properties file C:\\Apps\\My Tool\\Editor.properties: read", output)
        self.assertIn('  Main Class = "com.example.Editor"', output)

    def test_registered_runtime_and_blank_in_the_name(self):
        case = self.case()
        case.put_launcher("C:\\Apps\\My Tool.exe")
        case.put_probe("C:\\Program Files\\Java\\jre1.8\\bin\\javaw.exe")
        case.reg_add(JRE_KEY, "CurrentVersion", "1.8")
        case.reg_add(JRE_KEY + "\\1.8", "JavaHome", "%ProgramFiles%\\Java\\jre1.8")
        output = self.compare(case, "C:\\Apps\\My Tool.exe", ["a b", "c"])
        self.assertIn(f"  HKEY_LOCAL_MACHINE\\{JRE_KEY[5:]} : CurrentVersion = \"1.8\"", output)
        self.assertIn("Java home expanded: C:\\Program Files\\Java\\jre1.8", output)

    def test_todays_install_in_the_other_view(self):
        case = self.case()
        case.put_launcher("C:\\App\\Tool.exe")
        case.put_probe("C:\\Java32\\jdk-17\\bin\\javaw.exe")
        key = "HKLM\\SOFTWARE\\JavaSoft\\JDK"
        case.reg_add(key, "CurrentVersion", "17", view=32)
        case.reg_add(key + "\\17", "JavaHome", "C:\\Java32\\jdk-17", view=32)
        output = self.compare(case, "C:\\App\\Tool.exe", [])
        self.assertIn("SOFTWARE\\JavaSoft\\JDK\\17 (other view) : JavaHome = \"C:\\Java32\\jdk-17\"",
                      output)

    def test_stale_registry_entry(self):
        case = self.case()
        case.put_launcher("C:\\App\\Tool.exe")
        case.reg_add(JRE_KEY, "CurrentVersion", "1.6")
        case.reg_add(JRE_KEY + "\\1.6", "JavaHome", "C:\\Removed\\jre")
        self.assertEqual(wine.MINUS_ONE, case.run("C:\\App\\Tool.exe", "\"C:\\App\\Tool.exe\""))
        self.assertEqual([], case.records())
        output, status = case.explain("C:\\App\\Tool.exe")
        self.assertEqual(0, status)
        self.assertIn("Java home: C:\\Removed\\jre", output)
        self.assertIn("C:\\Removed\\jre\\bin\\javaw.exe does not exist: "
                      "the launcher ends with -1", output)
        self.assertEqual({"start": "nothing", "exit status": "-1"}, summary(output))
        self.assertEqual([], case.records())  # the explainer started nothing

    def test_folder_argument_and_no_java(self):
        case = self.case()
        case.put_launcher("C:\\App\\Tool.exe")
        case.put_probe("C:\\Browser\\iexplore.exe")
        case.reg_add("HKLM\\SOFTWARE\\Microsoft\\IE Setup\\Setup", "Path", "C:\\Browser")
        output, status = case.explain("C:\\App")
        self.assertEqual(0, status)
        self.assertIn("no Java found: the launcher asks, in English", output)
        said = summary(output)
        self.assertEqual("C:\\Browser\\iexplore.exe", said["start"])
        self.assertTrue(said["command line"].startswith("iexplore http://"))
        self.assertEqual([], case.records())


if __name__ == "__main__":
    wine.main()
