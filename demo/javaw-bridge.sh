#!/bin/sh
# Stands in for jre\bin\javaw.exe in the demo folder. No Windows Java runtime
# can be installed on this Linux machine, but Wine lets a Windows program start
# a native one: this script takes the javaw arguments the launcher passed,
# turns the Windows class path into a Linux one and runs the machine's own
# java. On Windows the folder holds a real Java runtime instead.
#
# The Java program's output goes to $DEMO_OUTPUT (the launcher has no console),
# and "$DEMO_OUTPUT.done" appears when it has ended.

to_unix() { printf '%s' "$1" | tr ';\\' ':/'; }

out=${DEMO_OUTPUT:-/dev/stdout}
library=""
classpath=""
while [ $# -gt 0 ]; do
    case "$1" in
        -Djava.library.path=*) library=$(to_unix "${1#-Djava.library.path=}") ;;
        -classpath) shift; classpath=$(to_unix "$1") ;;
        *) break ;;
    esac
    shift
done
java "-Djava.library.path=$library" -classpath "$classpath" "$@" >"$out" 2>&1
status=$?
[ -n "$DEMO_OUTPUT" ] && echo "$status" >"$DEMO_OUTPUT.done"
exit $status
