#!/bin/sh
# The launcher's main job, shown end to end: builds both launchers, makes a
# demo application folder (Hello.exe beside Hello.jar, with a private runtime in
# jre\) and starts it through the real 64-bit launcher under wine64.
#
#   scripts/demo.sh [arguments for the Java program...]
set -eu
cd "$(dirname "$0")/.."
. scripts/setup.sh
install_packages $BUILD_PACKAGES default-jdk-headless
mkdir -p build
build_preset win32
build_preset win64

app=build/demo/Hello
rm -rf "$app"
mkdir -p "$app/jre/bin" build/demo/classes
echo "== making $app"
javac -d build/demo/classes demo/Hello.java
jar --create --file "$app/Hello.jar" -C build/demo/classes .
cp build/win64/launcher.exe "$app/Hello.exe"
cp demo/javaw-bridge.sh "$app/jre/bin/javaw.exe"

export WINEPREFIX="$PWD/build/demo/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
unset DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== making a Wine prefix (once)"
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
fi

export DEMO_OUTPUT="$PWD/build/demo/output.txt"
rm -f "$DEMO_OUTPUT" "$DEMO_OUTPUT.done"
[ $# -gt 0 ] || set -- "first argument" second
echo "== wine64 $app/Hello.exe $*"
status=0
/usr/lib/wine/wine64 "$app/Hello.exe" "$@" || status=$?
echo "launcher ended with status $status"
# The launcher does not wait for Java, and Wine cannot wait for a native
# program: wait for the bridge to say the Java program has ended.
waited=0
while [ ! -f "$DEMO_OUTPUT.done" ] && [ $waited -lt 60 ]; do
    sleep 1; waited=$((waited + 1))
done
[ -f "$DEMO_OUTPUT.done" ] || { echo "the Java program did not run" >&2; exit 1; }
echo "== the Java program said:"
cat "$DEMO_OUTPUT"
/usr/lib/wine/wineserver -k 2>/dev/null || true
