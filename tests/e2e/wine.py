"""Running the real launcher under wine64, for the end-to-end tests.

One template Wine prefix is made per test run; each test case gets a clone of
it (hard links, except the registry files that Wine rewrites in place), its
own registry values and folders, and runs programs through starter.exe, which
starts them with an exact command line and records their full exit status.
Programs the launcher starts are copies of probe.exe that record how they
were started.
"""

import argparse
import atexit
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
MINUS_ONE = 0xFFFFFFFF  # how an exit status of -1 reads as a Windows DWORD


def windows_path(linux_path):
    """The Z: drive path Wine gives a Linux path."""
    return "Z:" + os.path.abspath(linux_path).replace("/", "\\")


class Record:
    """One start recorded by probe.exe."""

    def __init__(self, fields):
        self.module = fields["module"]
        self.directory = fields["directory"]
        self.command_line = fields["command_line"]
        # When it started: performance counter ticks, and ticks per second.
        ticks, frequency = fields["counter"].split("/")
        self.counter, self.frequency = int(ticks), int(frequency)

    def __repr__(self):
        return f"Record({self.module!r}, {self.directory!r}, {self.command_line!r})"


def read_fields(path):
    """The records of a file in the helpers' field format
    ("<name> <byte count>\n<bytes>\n", a record ending with an "end" field),
    each a list of (name, text) pairs; the bytes are Windows-1252 text."""
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        data = f.read()
    records, fields, at = [], [], 0
    while at < len(data):
        header_end = data.index(b"\n", at)
        name, length = data[at:header_end].decode("ascii").split(" ")
        start = header_end + 1
        value = data[start:start + int(length)].decode("cp1252", "surrogateescape")
        at = start + int(length) + 1
        if name == "end":
            records.append(fields)
            fields = []
        else:
            fields.append((name, value))
    return records


def read_records(log_path):
    return [Record(dict(fields)) for fields in read_fields(log_path)]


class Box:
    """A window as read_box.exe saw it."""

    def __init__(self, fields):
        values = dict(fields)
        self.caption = values["caption"]
        self.window_class = values["class"]
        self.owner = values["owner"]
        # (class, control id, visible, text) of each child window
        self.children = []
        for name, value in fields:
            if name == "child":
                window_class, control, visible, text = value.split("|", 3)
                self.children.append((window_class, int(control), visible == "visible", text))

    def texts(self, window_class):
        """The non-empty texts of the visible children of that class."""
        return [text for c, _, visible, text in self.children
                if c.lower() == window_class.lower() and visible and text]


class Session:
    """A test run: a scratch folder, the built helpers and a template prefix."""

    def __init__(self, build_dir):
        self.build_dir = os.path.abspath(build_dir)
        self.launcher = os.path.join(self.build_dir, "launcher.exe")
        self.probe = os.path.join(self.build_dir, "probe.exe")
        self.starter = os.path.join(self.build_dir, "starter.exe")
        for path in (self.launcher, self.probe, self.starter):
            if not os.path.exists(path):
                raise RuntimeError(f"{path} is missing: build the win64 preset first")
        self.box_reader = os.path.join(self.build_dir, "read_box.exe")
        self.explainer = os.path.join(self.build_dir, "explain.exe")
        self.root = tempfile.mkdtemp(prefix="launcher-e2e-")
        self.template = os.path.join(self.root, "template")
        self.cases = 0
        self.xvfb = None
        self.display = None
        env = self.environment(self.template)
        subprocess.run([WINE, "wineboot", "-i"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Unmanaged windows: without this each closed box stalls for 2 s.
        subprocess.run([WINE, "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v",
                        "Managed", "/d", "N", "/f"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=env, check=True)

    def start_display(self):
        """Starts a private Xvfb server, once, and returns its DISPLAY."""
        if self.display is None:
            read_end, write_end = os.pipe()
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "800x600x24",
                 "-nolisten", "tcp"], pass_fds=(write_end,),
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_end)
            with os.fdopen(read_end) as f:
                number = f.readline().strip()
            if not number:
                raise RuntimeError("Xvfb did not start")
            self.display = ":" + number
        return self.display

    def environment(self, prefix):
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        env.update(WINEPREFIX=prefix, WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        return env

    def new_case(self, name, display=False):
        self.cases += 1
        return Case(self, f"{self.cases:02d}-{name}", display)

    def close(self):
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()
        if os.environ.get("KEEP_E2E") != "1":
            shutil.rmtree(self.root, ignore_errors=True)


class Case:
    """One test case: its own prefix, probe log and job files."""

    def __init__(self, session, name, display=False):
        self.session = session
        self.dir = os.path.join(session.root, name)
        self.prefix = os.path.join(self.dir, "prefix")
        os.makedirs(self.prefix)
        subprocess.run(["cp", "-al", session.template + "/.", self.prefix], check=True)
        for reg in ("system.reg", "user.reg", "userdef.reg"):
            target = os.path.join(self.prefix, reg)
            os.unlink(target)
            shutil.copy2(os.path.join(session.template, reg), target)
        self.drive_c = os.path.join(self.prefix, "drive_c")
        self.log = os.path.join(self.dir, "probe.log")
        self.env = session.environment(self.prefix)
        self.env["PROBE_LOG"] = windows_path(self.log)
        if display:
            self.env["DISPLAY"] = session.start_display()
        self.jobs = 0

    def c_path(self, windows):
        """The Linux path of a C:\\ path inside this case's prefix."""
        assert windows[:3].upper() == "C:\\", windows
        return os.path.join(self.drive_c, *windows[3:].split("\\"))

    def put_launcher(self, windows):
        self._copy(self.session.launcher, windows)

    def put_probe(self, windows):
        self._copy(self.session.probe, windows)

    def write_file(self, windows, data):
        """Writes `data` (bytes) to a C:\\ path inside this case's prefix."""
        path = self.c_path(windows)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)

    def make_dir(self, windows):
        os.makedirs(self.c_path(windows), exist_ok=True)

    def _copy(self, source, windows):
        target = self.c_path(windows)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(source, target)

    def reg_add(self, key, name, data, view=64, kind="REG_SZ"):
        subprocess.run([WINE, "reg", "add", key, "/v", name, "/t", kind, "/d", data, "/f",
                        f"/reg:{view}"], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def run(self, application, command_line, directory=""):
        """Starts `application` with the exact `command_line` and returns its
        exit status as an unsigned 32-bit number, after every Windows process
        of the prefix (the probes among them) has ended."""
        return self.finish(self.start(application, command_line, directory))

    def write_job(self, application, command_line, directory=""):
        """A job file for starter.exe; returns its Linux path."""
        self.jobs += 1
        job = os.path.join(self.dir, f"job{self.jobs}")
        with open(job, "wb") as f:
            for part in (application, command_line, directory):
                f.write(part.encode("cp1252") + b"\0")
        return job

    def start(self, application, command_line, directory=""):
        """Starts `application` in the background; finish() waits for it."""
        job = self.write_job(application, command_line, directory)
        with open(job + ".stderr", "wb") as stderr:
            process = subprocess.Popen([WINE, self.session.starter, windows_path(job)],
                                       env=self.env, stdout=subprocess.DEVNULL,
                                       stderr=stderr)
        return process, job, application

    def finish(self, started):
        """Waits for a start() and returns the status, as run() does."""
        process, job, application = started
        if process.wait(timeout=120) != 0:
            raise RuntimeError(f"starter failed with {process.returncode}")
        subprocess.run([WINESERVER, "-w"], env=self.env, check=True, timeout=120)
        # What Wine printed: an unhandled exception in any process shows here.
        with open(job + ".stderr", "rb") as f:
            self.last_stderr = f.read().decode("utf-8", "replace")
        with open(job + ".status") as f:
            status = f.read().split()
        if status[0] != "exit":
            raise RuntimeError(f"starter could not start {application}: {status}")
        self.last_start = int(status[3])  # counter ticks before the start
        return int(status[1])

    def records(self):
        return read_records(self.log)

    def explain(self, *arguments):
        """Runs explain.exe with these arguments; returns what it printed
        (Windows-1252 text) and its exit status."""
        result = subprocess.run([WINE, self.session.explainer, *arguments], env=self.env,
                                capture_output=True, timeout=120)
        # A console program's text output ends its lines with CR LF.
        output = result.stdout.decode("cp1252", "surrogateescape").replace("\r\n", "\n")
        return output, result.returncode

    def read_box(self, caption):
        """Waits for a top-level window titled `caption` and returns a Box,
        or None when none appeared."""
        self.jobs += 1
        out = os.path.join(self.dir, f"box{self.jobs}")
        result = subprocess.run([WINE, self.session.box_reader, caption, windows_path(out)],
                                env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, timeout=60)
        if result.returncode != 0:
            return None
        return Box(read_fields(out)[0])

    def screenshot(self, path):
        """Saves the whole screen of this case's display as a PNG file."""
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["import", "-display", self.env["DISPLAY"], "-window", "root", path],
                       check=True, timeout=60)

    def press_key(self, caption, key):
        """Types `key` into the window titled `caption`, as a user would."""
        pattern = "^" + "".join("\\" + c if c in ".^$*+?()[]{}|\\" else c
                                for c in caption) + "$"
        window = subprocess.run(["xdotool", "search", "--sync", "--name", pattern],
                                env=self.env, check=True, capture_output=True, text=True,
                                timeout=60).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], env=self.env,
                       check=True, timeout=60)
        subprocess.run(["xdotool", "key", key], env=self.env, check=True, timeout=60)


_session = None
_build_dir = None


def session():
    """The test run's session, made on first use and cleaned up at exit."""
    global _session
    if _session is None:
        _session = Session(_build_dir)
        atexit.register(_session.close)
    return _session


class WineTestCase(unittest.TestCase):
    def case(self, display=False):
        """A fresh prefix for the running test method, with an X display of
        its own when asked."""
        return session().new_case(self._testMethodName, display)

    def assertOneStart(self, case, module, directory, command_line):
        records = case.records()
        self.assertEqual(1, len(records), records)
        self.assertEqual(module, records[0].module)
        self.assertEqual(directory, records[0].directory)
        self.assertEqual(command_line, records[0].command_line)


def main():
    """Runs the calling test module: `--build-dir build/win64 [unittest args]`."""
    global _build_dir
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True)
    options, rest = parser.parse_known_args()
    _build_dir = options.build_dir
    unittest.main(module="__main__", argv=[sys.argv[0]] + rest, verbosity=2)
