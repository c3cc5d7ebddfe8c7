#!/bin/sh
# Runs a command and checks its exit status and, unless the pattern is empty,
# that its output (stdout and stderr) matches the pattern.
#   expect_exit.sh STATUS PATTERN COMMAND...
want=$1
pattern=$2
shift 2
output=$("$@" 2>&1)
got=$?
printf '%s\n' "$output"
if [ "$got" -ne "$want" ]; then
    echo "FAIL: exit status $got, expected $want" >&2
    exit 1
fi
if [ -n "$pattern" ] && ! printf '%s\n' "$output" | grep -Eq -- "$pattern"; then
    echo "FAIL: output does not match: $pattern" >&2
    exit 1
fi
exit 0
