#!/usr/bin/env bash
# Ctrl-C inside a large copy under Wine (which turns SIGINT into the
# console's Ctrl-C event): exit 130, the copy in the making removed, the old
# target intact.
#   stop_test.sh TARVELLO_CLI_EXE WINE
set -uo pipefail
exe=$1 wine=$2
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
mkdir "$t/large" "$t/dst"; truncate -s 2G "$t/large/big.bin"; printf 'old' >"$t/dst/big.bin"
windows() { printf 'Z:%s' "${1//\//\\}"; }

status=$(python3 -c 'import glob, signal, subprocess, sys, time
run = subprocess.Popen(sys.argv[2:])
while not glob.glob(sys.argv[1] + "/.big.bin.*") and run.poll() is None:
    time.sleep(0.01)
run.send_signal(signal.SIGINT)
print(run.wait())' "$t/dst" "$wine" "$exe" -q -s "$(windows "$t/large")" -d "$(windows "$t/dst")")
left=$(ls -A "$t/dst")
old=$(cat "$t/dst/big.bin")
if [ "$status $left $old" != "130 big.bin old" ]; then
    echo "FAIL Ctrl-C: expected [130 big.bin old], got [$status $left $old]"
    exit 1
fi
