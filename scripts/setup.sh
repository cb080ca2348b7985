# Sourced by the other scripts: installs, with apt-get, the Debian packages
# this project needs and the machine lacks. Never wine32: 32-bit code cannot
# run on this kind of machine, and installing it upgrades core packages.

missing_packages() {
    for package in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
        case "$status" in
            *" installed") ;;
            *) printf '%s ' "$package" ;;
        esac
    done
}

install_packages() {
    missing=$(missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "== installing: $missing"
    if [ "$(id -u)" != 0 ]; then
        echo "missing packages: run as root, or install them: $missing" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

BUILD_PACKAGES="cmake make g++ python3 libgtest-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64"
# The question box tests: a private X server, key presses and screenshots.
TEST_PACKAGES="xvfb xdotool imagemagick"
# The fuzz targets: clang with libFuzzer and the sanitizers' runtime.
FUZZ_PACKAGES="clang libclang-rt-14-dev"

# Configures and builds one preset, quietly unless something goes wrong.
build_preset() {
    echo "== building $1"
    cmake --preset "$1" >"build/configure-$1.log" 2>&1 || {
        cat "build/configure-$1.log"; exit 1; }
    cmake --build --preset "$1" -j "$(nproc)"
}
