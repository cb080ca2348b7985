#!/usr/bin/env python3
"""Measures the current build: size and imports of both launchers, the cost
of going through the launcher under wine64, and the work of the launch
decision itself (instructions counted by callgrind, platform calls).

    bench/measure.py [--runs 20] [--write]

Needs the host, win32 and win64 presets built. --write records the figures
in docs/benchmarks.md. Nothing here is a test: it prints figures against the
goals, and only fails when it cannot measure.
"""

import argparse
import datetime
import os
import platform
import re
import statistics
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import wine  # noqa: E402

SIZE_BUDGET = 48 * 1024  # the PE32, resources included
RATIO_GOAL = 1.10
SCENARIOS = ("private", "registry", "today")


def sizes():
    lines = ["| build | bytes | DLL imports |", "|---|---|---|"]
    for preset, objdump in (("win32", "i686-w64-mingw32-objdump"),
                            ("win64", "x86_64-w64-mingw32-objdump")):
        exe = os.path.join(ROOT, "build", preset, "launcher.exe")
        size = os.path.getsize(exe)
        dump = subprocess.run([objdump, "-p", exe], check=True, capture_output=True,
                              text=True).stdout
        dlls = sorted(line.split(":", 1)[1].strip() for line in dump.splitlines()
                      if "DLL Name:" in line)
        note = ""
        if preset == "win32":
            verdict = "within" if size <= SIZE_BUDGET else "OVER"
            note = f" ({verdict} the {SIZE_BUDGET} byte budget)"
        lines.append(f"| {preset} | {size}{note} | {', '.join(dlls)} |")
    return lines


def launch_cost(runs):
    """Seconds from the starter's CreateProcess until the probe javaw runs:
    through the launcher, started directly, and through a second starter (any
    program that starts another one, doing nothing else), interleaved."""
    session = wine.Session(os.path.join(ROOT, "build", "win64"))
    try:
        case = session.new_case("bench")
        case.put_launcher("C:\\App\\Editor.exe")
        case.put_probe("C:\\App\\jre\\bin\\javaw.exe")
        starter = wine.windows_path(session.starter)
        # The command line the launcher builds, for the other two ways.
        case.run("C:\\App\\Editor.exe", "\"C:\\App\\Editor.exe\" a b")
        command_line = case.records()[-1].command_line
        forward = wine.windows_path(case.write_job(
            "C:\\App\\jre\\bin\\javaw.exe", command_line, "C:\\App"))
        ways = {
            "through the launcher": ("C:\\App\\Editor.exe",
                                     "\"C:\\App\\Editor.exe\" a b", ""),
            "javaw directly": ("C:\\App\\jre\\bin\\javaw.exe", command_line, "C:\\App"),
            "through a do-nothing starter": (starter, f"starter {forward}", ""),
        }
        times = {name: [] for name in ways}
        for _ in range(runs):
            for name, (application, line, directory) in ways.items():
                if case.run(application, line, directory) != 0:
                    raise RuntimeError(f"{name}: a run failed")
                record = case.records()[-1]
                if record.command_line != command_line:
                    raise RuntimeError(f"{name}: javaw got {record.command_line!r}")
                times[name].append((record.counter - case.last_start) / record.frequency)
        return times
    finally:
        session.close()


def decision_work():
    """Instructions of the launch decision, with callgrind collecting only
    inside LauncherEntry and never inside a platform call (the fake's maps and
    logging are not the launcher's work)."""
    bench = os.path.join(ROOT, "build", "host", "launch_bench")
    out_dir = os.path.join(ROOT, "build", "host", "callgrind")
    os.makedirs(out_dir, exist_ok=True)
    lines = ["| scenario | instructions | platform calls |", "|---|---|---|"]
    for scenario in SCENARIOS:
        result = subprocess.run(
            ["valgrind", "--tool=callgrind",
             f"--callgrind-out-file={os.path.join(out_dir, scenario + '.out')}",
             "--toggle-collect=LauncherEntry*", "--toggle-collect=Platform*",
             bench, scenario], check=True, capture_output=True, text=True)
        collected = re.search(r"Collected : (\d+)", result.stderr)
        if not collected:
            raise RuntimeError("callgrind reported no count:\n" + result.stderr)
        calls = result.stdout.strip().split(", ", 1)[1]
        lines.append(f"| {scenario} | {int(collected.group(1))} | {calls} |")
    return lines


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--write", action="store_true")
    options = parser.parse_args()

    report = [f"Measured {datetime.date.today()} on {platform.node() or 'this machine'}: "
              f"{platform.machine()}, {os.cpu_count()} cores, {cpu_name()}, "
              f"{wine_version()}.", ""]
    report += ["### Size", ""] + sizes() + [""]

    times = launch_cost(options.runs)
    ratio = (statistics.median(times["through the launcher"])
             / statistics.median(times["javaw directly"]))
    floor = (statistics.median(times["through a do-nothing starter"])
             / statistics.median(times["javaw directly"]))
    report += ["### Going through the launcher (wine64)", "",
               f"From the starter's CreateProcess until the probe javaw runs, "
               f"{options.runs} interleaved runs each:", "",
               "| started | median ms | min ms | max ms |", "|---|---|---|---|"]
    for name, values in times.items():
        report.append(f"| {name} | {statistics.median(values) * 1000:.1f} | "
                      f"{min(values) * 1000:.1f} | {max(values) * 1000:.1f} |")
    verdict = "meets" if ratio <= RATIO_GOAL else "misses"
    report += ["", f"Median ratio through the launcher / directly: {ratio:.2f} "
               f"({verdict} the goal of {RATIO_GOAL:.2f}). Any program in between "
               f"costs a process start: through the do-nothing starter the ratio is "
               f"{floor:.2f}.", ""]

    report += ["### The launch decision (host build over the fake, callgrind)", ""]
    report += decision_work() + [""]

    text = "\n".join(report)
    print(text)
    if options.write:
        path = os.path.join(ROOT, "docs", "benchmarks.md")
        with open(path, "w") as f:
            f.write(HEADER + text)
        print(f"written to {path}")


def cpu_name():
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown CPU"


def wine_version():
    return subprocess.run([wine.WINE, "--version"], capture_output=True,
                          text=True).stdout.strip()


HEADER = """# Benchmarks

Figures for the current build, made by `bench/measure.py --write` (build the
host, win32 and win64 presets first). The launch cost runs the real 64-bit
launcher under wine64 with the test probe as javaw; the instruction counts
run the launch decision of the host build over the test fake, counting only
the launcher's own code (callgrind stops counting inside every platform call).

Under Wine most of the cost of going through the launcher is the start of a
second Windows process, which any launcher pays: the do-nothing starter row
shows that floor. The launcher loads USER32 only when it has a question to
ask, since loading it at start made every launch about 45 ms slower here.

"""

if __name__ == "__main__":
    main()
