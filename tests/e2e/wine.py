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

    def __repr__(self):
        return f"Record({self.module!r}, {self.directory!r}, {self.command_line!r})"


def read_records(log_path):
    if not os.path.exists(log_path):
        return []
    with open(log_path, "rb") as f:
        data = f.read()
    records, fields, at = [], {}, 0
    while at < len(data):
        header_end = data.index(b"\n", at)
        name, length = data[at:header_end].decode("ascii").split(" ")
        start = header_end + 1
        value = data[start:start + int(length)].decode("cp1252", "surrogateescape")
        at = start + int(length) + 1
        if name == "end":
            records.append(Record(fields))
            fields = {}
        else:
            fields[name] = value
    return records


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
        self.root = tempfile.mkdtemp(prefix="launcher-e2e-")
        self.template = os.path.join(self.root, "template")
        self.cases = 0
        env = self.environment(self.template)
        subprocess.run([WINE, "wineboot", "-i"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=env, check=True)

    def environment(self, prefix):
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        env.update(WINEPREFIX=prefix, WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        return env

    def new_case(self, name):
        self.cases += 1
        return Case(self, f"{self.cases:02d}-{name}")

    def close(self):
        if os.environ.get("KEEP_E2E") != "1":
            shutil.rmtree(self.root, ignore_errors=True)


class Case:
    """One test case: its own prefix, probe log and job files."""

    def __init__(self, session, name):
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
        self.jobs = 0

    def c_path(self, windows):
        """The Linux path of a C:\\ path inside this case's prefix."""
        assert windows[:3].upper() == "C:\\", windows
        return os.path.join(self.drive_c, *windows[3:].split("\\"))

    def put_launcher(self, windows):
        self._copy(self.session.launcher, windows)

    def put_probe(self, windows):
        self._copy(self.session.probe, windows)

    def make_dir(self, windows):
        os.makedirs(self.c_path(windows), exist_ok=True)

    def _copy(self, source, windows):
        target = self.c_path(windows)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(source, target)

    def reg_add(self, key, name, data, view=64):
        subprocess.run([WINE, "reg", "add", key, "/v", name, "/d", data, "/f",
                        f"/reg:{view}"], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def run(self, application, command_line, directory=""):
        """Starts `application` with the exact `command_line` and returns its
        exit status as an unsigned 32-bit number, after every Windows process
        of the prefix (the probes among them) has ended."""
        self.jobs += 1
        job = os.path.join(self.dir, f"job{self.jobs}")
        with open(job, "wb") as f:
            for part in (application, command_line, directory):
                f.write(part.encode("cp1252") + b"\0")
        subprocess.run([WINE, self.session.starter, windows_path(job)], env=self.env,
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=120)
        subprocess.run([WINESERVER, "-w"], env=self.env, check=True, timeout=120)
        with open(job + ".status") as f:
            status = f.read().split()
        if status[0] != "exit":
            raise RuntimeError(f"starter could not start {application}: {status}")
        return int(status[1])

    def records(self):
        return read_records(self.log)


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
    def case(self):
        """A fresh prefix for the running test method."""
        return session().new_case(self._testMethodName)

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
