#!/bin/sh
# The runner names a program that ends with a status other than 0, on stderr only, and keeps
# the status; of one that succeeds it says nothing (Wine may have words of its own).
# Usage: wine-run_test.sh <build>/wine-run.sh
runner="$1"
err="$(mktemp)" || exit 1
trap 'rm -f "$err"' EXIT
fail() { echo "$1"; echo "stdout: $out"; echo "stderr: $(cat "$err")"; exit 1; }

out="$("$runner" cmd /c exit 3 2>"$err")"
status=$?
[ "$status" -eq 3 ] || fail "status $status, not 3"
grep -qx 'wine-run.sh: cmd ended with status 3' "$err" || fail "no line on stderr naming cmd and its status"
! printf '%s\n' "$out" | grep -q 'wine-run.sh' || fail "the runner's line came on stdout"

out="$("$runner" cmd /c exit 0 2>"$err")" || fail "a program that succeeds gave status $?"
! printf '%s\n' "$out" | grep -q 'wine-run.sh' || fail "the runner spoke of a program that succeeded"
! grep -q 'wine-run.sh' "$err" || fail "the runner spoke of a program that succeeded"
exit 0
