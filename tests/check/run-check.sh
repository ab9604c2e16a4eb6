#!/usr/bin/env bash
# Runs the Windows 95 fitness check on one program and asserts its verdict.
#   run-check.sh CHECK EXE accept
#   run-check.sh CHECK EXE reject REGEX...
# "reject" passes only if the check exits 1 and every REGEX (grep -E) matches
# one of the offender lines it printed.
set -u
check=$1 exe=$2 verdict=$3
shift 3
out=$(mktemp)
trap 'rm -f "$out"' EXIT
bash "$check" "$exe" >"$out" 2>&1
rc=$?
cat "$out"
status=0
case $verdict in
accept)
    [ "$rc" -eq 0 ] || { echo "run-check: expected exit 0, got $rc"; status=1; }
    grep -q '^OK: ' "$out" || { echo "run-check: no OK line"; status=1; }
    ;;
reject)
    [ "$rc" -eq 1 ] || { echo "run-check: expected exit 1, got $rc"; status=1; }
    grep -q '^FAIL: ' "$out" || { echo "run-check: no FAIL line"; status=1; }
    for re in "$@"; do
        grep -v '^FAIL: ' "$out" | grep -Eq -- "$re" || { echo "run-check: offender not named: $re"; status=1; }
    done
    ;;
*)
    echo "run-check: unknown verdict $verdict"
    status=1
    ;;
esac
exit $status
