#!/bin/sh
# Runs every test: the unit tests (native build over the test fake, then again
# under AddressSanitizer and UndefinedBehaviorSanitizer), each fuzz target for
# a minute, the static checks of both Windows launchers, and the end-to-end
# tests that run the real 64-bit launcher under wine64 (the question box ones
# on a private Xvfb display that the tests start and stop themselves).
#
#   scripts/test.sh
set -eu
cd "$(dirname "$0")/.."
. scripts/setup.sh
install_packages $BUILD_PACKAGES $TEST_PACKAGES $FUZZ_PACKAGES
mkdir -p build
build_preset host
build_preset asan
build_preset fuzz
build_preset win32
build_preset win64
echo "== unit tests"
ctest --preset host
echo "== unit tests under the sanitizers"
ctest --preset asan
echo "== fuzzing, a minute per target"
ctest --preset fuzz
echo "== 32-bit launcher, static checks"
ctest --preset win32
echo "== 64-bit launcher, static checks and end-to-end under wine64"
ctest --preset win64 --parallel 3
