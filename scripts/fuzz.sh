#!/bin/sh
# Runs every fuzz target for longer than CI does and prints how many inputs
# each one tried.
#
#   scripts/fuzz.sh [seconds per target, default 600]
set -eu
cd "$(dirname "$0")/.."
. scripts/setup.sh
install_packages $BUILD_PACKAGES $FUZZ_PACKAGES
seconds=${1:-600}
mkdir -p build
build_preset fuzz
status=0
for target in properties expand command_line launch; do
    mkdir -p "build/fuzz/corpus/$target"
    log="build/fuzz/$target.log"
    if "build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 "build/fuzz/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
        result=ok
    else
        result="FAILED (see $log)"
        status=1
    fi
    runs=$(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log" | tail -1)
    echo "$target: ${runs:-no runs} - $result"
done
exit $status
