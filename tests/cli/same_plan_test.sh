#!/usr/bin/env bash
# The Windows build under Wine draws the plan the Linux build draws, for the
# same seed and entries, over names beyond ASCII (separators aside).
#   same_plan_test.sh TARVELLO_CLI_EXE LINUX_TARVELLO_CLI WINE
set -uo pipefail
exe=$1 linux=$2 wine=$3
if [ ! -x "$linux" ]; then echo "SKIP no Linux build at '$linux' (make build)"; exit 77; fi
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT

# One visible file per folder: the two systems list a folder in orders of
# their own, and the draw picks by position.
sources=()
for name in café.jpg "100% Ärger.mp3" "x will be copied to y.jpg" €.bin 写真.png plain.txt; do
    folder="$t/Müsik ${#sources[@]}"
    mkdir -p "$folder/Ördner"
    echo "$name" >"$folder/$name"
    echo hidden >"$folder/.hidden"
    echo inside >"$folder/Ördner/inner.mp3"
    sources+=("$folder")
done
mkdir "$t/out"

# Wine sees the Linux root as drive Z:.
windows() { printf 'Z:%s' "${1//\//\\}"; }
linux_args=() windows_args=()
for folder in "${sources[@]}"; do
    linux_args+=(-s "$folder") windows_args+=(-s "$(windows "$folder")")
done
failures=0
for args in "-n 4" "-n 20 -r" "-n 3 --per-folder -r" "-n 9"; do
    # shellcheck disable=SC2086
    expected=$("$linux" "${linux_args[@]}" -d "$t/out/" $args --seed 7 --dry-run)
    # shellcheck disable=SC2086
    actual=$("$wine" "$exe" "${windows_args[@]}" -d "$(windows "$t/out")" $args --seed 7 --dry-run |
                 tr -d '\r' | sed 's|Z:||g; s|\\|/|g')
    if [ -z "$expected" ] || [ "$expected" != "$actual" ]; then
        echo "FAIL plan of '$args': Linux gave"; echo "$expected"; echo "Windows gave"; echo "$actual"
        failures=$((failures + 1))
    fi
done
exit $((failures > 0))
