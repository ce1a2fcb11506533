#!/usr/bin/env bash
# The Windows build under Wine: the plan the Linux build draws, for the same
# seed and entries, over names beyond ASCII (separators aside); and Ctrl-C
# inside a large copy (Wine turns SIGINT into the console's Ctrl-C event).
#   wine_cli_test.sh TARVELLO_CLI_EXE LINUX_TARVELLO_CLI WINE
set -uo pipefail
exe=$1 linux=$2 wine=$3
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
failures=0
check() {  # check WHAT EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then printf 'FAIL %s: expected\n%s\ngot\n%s\n' "$1" "$2" "$3"; failures=$((failures + 1)); fi
}
windows() { printf 'Z:%s' "${1//\//\\}"; }  # Wine sees the Linux root as drive Z:

# One visible file per folder: the two systems list a folder in orders of
# their own, and the draw picks by position.
linux_args=() windows_args=()
for name in café.jpg "100% Ärger.mp3" "x will be copied to y.jpg" €.bin 写真.png plain.txt; do
    folder="$t/Müsik ${#linux_args[@]}"
    mkdir -p "$folder/Ördner" && echo "$name" >"$folder/$name" && echo >"$folder/.hidden" && echo >"$folder/Ördner/in"
    linux_args+=(-s "$folder") windows_args+=(-s "$(windows "$folder")")
done
mkdir "$t/out" "$t/large"
if [ -x "$linux" ]; then
    for args in "-n 4" "-n 20 -r" "-n 3 --per-folder -r" "-n 9"; do
        # shellcheck disable=SC2086
        check "plan of '$args'" "$("$linux" "${linux_args[@]}" -d "$t/out/" $args --seed 7 --dry-run)" \
            "$("$wine" "$exe" "${windows_args[@]}" -d "$(windows "$t/out")" $args --seed 7 --dry-run |
               tr -d '\r' | sed 's|Z:||g; s|\\|/|g')"
    done
    # The same entries as a list on standard input, in Windows's line ends.
    check "plan of a list on standard input" "$(printf '%s\n' "${linux_args[1]}" "${linux_args[3]}" | "$linux" -S - -d "$t/out/" -n 9 --seed 7 --dry-run)" \
        "$(printf '%s\r\n' "${windows_args[1]}" "${windows_args[3]}" | "$wine" "$exe" -S - -d "$(windows "$t/out")" -n 9 --seed 7 --dry-run |
           tr -d '\r' | sed 's|Z:||g; s|\\|/|g')"
else
    echo "SKIP the plans: no Linux build at '$linux' (make build)"
    skipped=1
fi

# Ctrl-C once the copy in the making stands beside the target.
truncate -s 2G "$t/large/big.bin"; printf 'old' >"$t/out/big.bin"
status=$(python3 -c 'import glob, signal, subprocess, sys, time
run = subprocess.Popen(sys.argv[2:])
while not glob.glob(sys.argv[1] + "/.big.bin.*") and run.poll() is None:
    time.sleep(0.01)
run.send_signal(signal.SIGINT)
print(run.wait())' "$t/out" "$wine" "$exe" -q -s "$(windows "$t/large")" -d "$(windows "$t/out")")
check "Ctrl-C: status, what is left, the old target" "130 big.bin old" "$status $(ls -A "$t/out") $(cat "$t/out/big.bin")"
# A playlist whose own path holds letters beyond ASCII.
"$wine" "$exe" -q -s "${windows_args[1]}" -d "$(windows "$t/out")" --m3u "$(windows "$t/out/Äpfel.m3u")"
check "playlist" $'#EXTM3U\ncafé.jpg' "$(cat "$t/out/Äpfel.m3u")"
[ "$failures" = 0 ] && [ -n "${skipped:-}" ] && exit 77
exit $((failures > 0))
