#!/usr/bin/env python3
"""Checks the resources built into a launcher: the icon (the same images as
the .ico it was built from), the version information and the manifest."""

import argparse
import re
import struct
import sys

from pe_resources import icon_images, read_resources

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
SUPPORTED_OS = [
    "e2011457-1546-43c5-a5fe-008deee3d3f0",  # Vista
    "35138b9a-5d96-4fbd-8e2d-a2440225f93a",  # 7
    "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",  # 8
    "1f676c76-80e1-4239-95bb-83d0f6d0da78",  # 8.1
    "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a",  # 10 and 11
]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("exe")
    parser.add_argument("--icon", required=True)
    parser.add_argument("--product", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--company", default="")
    parser.add_argument("--description", required=True)
    parser.add_argument("--sixteen-colours", action="store_true",
                        help="also require one 32x32 image of 16 colours")
    options = parser.parse_args()
    resources = read_resources(options.exe)
    problems = []

    # Icon: the group lists the .ico's images, each stored as an RT_ICON.
    with open(options.icon, "rb") as f:
        expected = icon_images(f.read())
    groups = [v for k, v in resources.items() if k[0] == RT_GROUP_ICON]
    if len(groups) != 1:
        problems.append(f"{len(groups)} icon groups, not 1")
    else:
        count = struct.unpack_from("<HHH", groups[0], 0)[2]
        stored = []
        for i in range(count):
            width, height, colours, _, _, bits, _, icon_id = struct.unpack_from(
                "<BBBBHHIH", groups[0], 6 + 14 * i)
            image = next((v for k, v in resources.items()
                          if k[0] == RT_ICON and k[1] == icon_id), None)
            stored.append((width or 256, height or 256, colours, bits, image))
        if stored != expected:
            problems.append("the icon differs from " + options.icon)
        if options.sixteen_colours and [(w, h, c, b) for w, h, c, b, _ in stored] != [
                (32, 32, 16, 4)]:
            problems.append(f"icon images {[s[:4] for s in stored]}, not one 32x32 of 16 colours")

    # Version information: the fixed part and the strings Explorer shows.
    versions = [v for k, v in resources.items() if k[0] == RT_VERSION]
    if len(versions) != 1:
        problems.append(f"{len(versions)} version resources, not 1")
    else:
        blob = versions[0]
        at = blob.find(struct.pack("<I", 0xFEEF04BD))
        numbers = (list(map(int, options.version.split("."))) + [0, 0, 0])[:4]
        if at < 0:
            problems.append("no fixed version information")
        else:
            ms, ls = struct.unpack_from("<II", blob, at + 8)
            found = [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF]
            if found != numbers:
                problems.append(f"file version {found}, not {numbers}")
        text = blob.decode("utf-16-le", "replace")
        for key, value in (("ProductName", options.product),
                           ("ProductVersion", options.version),
                           ("FileVersion", options.version),
                           ("CompanyName", options.company),
                           ("FileDescription", options.description)):
            if not re.search(re.escape(key) + "\0+" + re.escape(value) + "\0", text):
                problems.append(f"version string {key} is not {value!r}")

    # Manifest: run as the invoker, the Windows versions, DPI awareness.
    manifests = [v for k, v in resources.items() if k[0] == RT_MANIFEST and k[1] == 1]
    if len(manifests) != 1:
        problems.append("no application manifest")
    else:
        manifest = manifests[0].decode("utf-8")
        for needle in ['level="asInvoker"', ">true/pm</dpiAware>", "PerMonitorV2"] + [
                "{" + guid + "}" for guid in SUPPORTED_OS]:
            if needle not in manifest:
                problems.append(f"manifest lacks {needle}")

    print(f"{options.exe}: {len(resources)} resources")
    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
