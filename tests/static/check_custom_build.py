#!/usr/bin/env python3
"""Builds the launcher with a custom icon and version information, as an
application's developer would, and checks that they are what it carries."""

import argparse
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "res"))
import make_icon  # noqa: E402


def two_image_icon():
    """A 16x16 red square and the default 32x32 drawing, in one .ico."""
    small_xor = bytes([0x99] * 8 * 16)
    small_mask = bytes(4 * 16)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in make_icon.PALETTE)
    small = struct.pack("<IiiHHIIiiII", 40, 16, 32, 1, 4, 0, 0, 0, 0, 16, 0) + palette \
        + small_xor + small_mask
    default = make_icon.icon_bytes()
    large = default[22:]
    header = struct.pack("<HHH", 0, 1, 2)
    at = 6 + 2 * 16
    entries = struct.pack("<BBBBHHII", 16, 16, 16, 0, 1, 4, len(small), at)
    entries += struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(large), at + len(small))
    return header + entries + small + large


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source-dir", required=True)
    parser.add_argument("--toolchain", required=True)
    parser.add_argument("--work-dir", required=True)
    options = parser.parse_args()
    os.makedirs(options.work_dir, exist_ok=True)
    icon = os.path.join(options.work_dir, "My App.ico")
    with open(icon, "wb") as f:
        f.write(two_image_icon())
    strings = {
        "LAUNCHER_PRODUCT_NAME": 'My "Quoted" Editor',
        "LAUNCHER_VERSION": "2.5.1",
        "LAUNCHER_COMPANY": "Example Software Ltd",
        "LAUNCHER_DESCRIPTION": "My Editor",
    }
    build = os.path.join(options.work_dir, "build")
    subprocess.run(["cmake", "-S", options.source_dir, "-B", build,
                    f"-DCMAKE_TOOLCHAIN_FILE={options.toolchain}",
                    "-DCMAKE_BUILD_TYPE=MinSizeRel", f"-DLAUNCHER_ICON={icon}"]
                   + [f"-D{k}={v}" for k, v in strings.items()],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build, "--target", "launcher"], check=True,
                   stdout=subprocess.DEVNULL)
    return subprocess.run(
        [sys.executable, os.path.join(os.path.dirname(__file__), "check_resources.py"),
         os.path.join(build, "launcher.exe"), "--icon", icon,
         "--product", strings["LAUNCHER_PRODUCT_NAME"], "--version", "2.5.1",
         "--company", strings["LAUNCHER_COMPANY"],
         "--description", strings["LAUNCHER_DESCRIPTION"]]).returncode


if __name__ == "__main__":
    sys.exit(main())
