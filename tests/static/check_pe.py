#!/usr/bin/env python3
"""Checks a built program without running it: PE format for its machine,
its subsystem (the launcher is a GUI program: no console window), and
imports from system DLLs only.

    check_pe.py <exe> <x86|AMD64> <objdump> [gui|console]"""

import subprocess
import sys

ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "advapi32.dll", "msvcrt.dll"}
FORMATS = {"x86": "pei-i386", "AMD64": "pei-x86-64"}


def main():
    exe, processor, objdump = sys.argv[1:4]
    subsystem_name = {"gui": "Windows GUI", "console": "Windows CUI"}[
        sys.argv[4] if len(sys.argv) > 4 else "gui"]
    dump = subprocess.run([objdump, "-p", exe], check=True, capture_output=True,
                          text=True).stdout
    problems = []
    if f"file format {FORMATS[processor]}" not in dump:
        problems.append(f"not {FORMATS[processor]}")
    subsystem = [line for line in dump.splitlines() if line.startswith("Subsystem")]
    if not subsystem or f"({subsystem_name})" not in subsystem[0]:
        problems.append(f"subsystem is {subsystem}, not {subsystem_name}")
    dlls = {line.split(":", 1)[1].strip().lower()
            for line in dump.splitlines() if "DLL Name:" in line}
    if not dlls or not dlls <= ALLOWED_DLLS:
        problems.append(f"imports {sorted(dlls - ALLOWED_DLLS)} beyond system DLLs")
    flags = subprocess.run([objdump, "-f", exe], check=True, capture_output=True,
                           text=True).stdout
    if "HAS_SYMS" in flags or "HAS_DEBUG" in flags:
        problems.append("not stripped")
    with open(exe, "rb") as f:
        size = len(f.read())
    print(f"{exe}: {FORMATS[processor]}, {size} bytes, imports {sorted(dlls)}")
    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
