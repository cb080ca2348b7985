#!/bin/sh
# Builds both launchers from scratch and writes dist/:
#   dist/win32/launcher.exe   32-bit (PE32), runs on every Windows
#   dist/win64/launcher.exe   64-bit (PE32+)
#   dist/win*/explain.exe     shows what a launcher would do, and why
#   dist/SHIPPING.md          how to ship an application with them
#   dist/SHA256SUMS           checksums of the above (sha256sum -c SHA256SUMS)
#
#   scripts/release.sh [-DLAUNCHER_ICON=/path/app.ico -DLAUNCHER_PRODUCT_NAME=... ...]
#
# Options are passed to CMake for both builds; they apply to this release only.
set -eu
cd "$(dirname "$0")/.."
. scripts/setup.sh
install_packages $BUILD_PACKAGES
rm -rf build/release dist
mkdir -p build/release dist
for preset in win32 win64; do
    echo "== building $preset"
    cmake --preset "$preset" -B "build/release/$preset" "$@" \
        >"build/release/configure-$preset.log" 2>&1 || {
        cat "build/release/configure-$preset.log"; exit 1; }
    cmake --build "build/release/$preset" --target launcher explain -j "$(nproc)" >/dev/null
    mkdir -p "dist/$preset"
    cp "build/release/$preset/launcher.exe" "build/release/$preset/explain.exe" "dist/$preset/"
done
python3 tests/static/check_pe.py dist/win32/launcher.exe x86 i686-w64-mingw32-objdump
python3 tests/static/check_pe.py dist/win64/launcher.exe AMD64 x86_64-w64-mingw32-objdump

# The README's shipping section, as it stands, is the release's instructions.
awk '/^## Shipping your application/ { on = 1 } /^## / && !/Shipping/ { on = 0 } on' \
    README.md >dist/SHIPPING.md
[ -s dist/SHIPPING.md ] || { echo "no shipping section in README.md" >&2; exit 1; }
(cd dist && sha256sum win32/*.exe win64/*.exe SHIPPING.md >SHA256SUMS)
echo "== dist/"
cat dist/SHA256SUMS
