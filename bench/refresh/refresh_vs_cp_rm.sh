#!/usr/bin/env bash
# Times a refresh of a destination holding 20,000 recorded copies of 4 KiB,
# which keeps about half of them, against copying the new files with `cp`
# and removing the old ones with `rm`, both driven from the file lists of
# the refresh's own dry run. Rounds alternate, each on a fresh copy of the
# same destination; both sides end with their copies on the device
# (tarvello-cli flushes, the other side runs `sync -f`), and the order of
# the two alternates. Prints the medians and their ratio.
# Usage: refresh_vs_cp_rm.sh PATH/TO/tarvello-cli
set -euo pipefail

cli=${1:?usage: $0 PATH/TO/tarvello-cli}
files=40000 count=20000 runs=${TARVELLO_BENCH_RUNS:-5}

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-refresh-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/src" "$work/first"
head -c $((files * 4096)) /dev/urandom | (cd "$work/src" && split -b 4096 -a 5 -d --additional-suffix=.mp3 - track_)

. "$(dirname "$0")/../timing.sh"

refill() { "$cli" -q -s "$work/src" -n "$count" --refresh -d "$@"; }
# Drawing 20,000 of 40,000 twice keeps about half of the first selection.
refill "$work/first" --seed 1
refill "$work/first" --seed 2 --dry-run >"$work/plan"
grep ' will be removed$' "$work/plan" | sed 's/ will be removed$//' >"$work/old.list"
grep ' is kept$' "$work/plan" | sed 's/ is kept$//; s|.*/||' | sort >"$work/kept"
grep ' will be copied to ' "$work/plan" | sed 's/ will be copied to .*//' |
    awk -F/ 'NR == FNR { kept[$0]; next } !($NF in kept)' "$work/kept" - >"$work/new.list"

cp_rm() {
    sed "s|^$work/first/|$1/|" "$work/old.list" | xargs -d '\n' rm --
    xargs -d '\n' cp -p -t "$1" <"$work/new.list"
    sync -f "$1"
}

cli_times=() pair_times=()
for round in $(seq "$runs"); do
    cp -a "$work/first" "$work/a$round"; cp -a "$work/first" "$work/b$round"
    # The order alternates, so neither side always inherits the other's writeback.
    if [ $((round % 2)) = 1 ]; then
        sync; cli_times+=("$(nanoseconds refill "$work/a$round" --seed 2)")
        sync; pair_times+=("$(nanoseconds cp_rm "$work/b$round")")
    else
        sync; pair_times+=("$(nanoseconds cp_rm "$work/b$round")")
        sync; cli_times+=("$(nanoseconds refill "$work/a$round" --seed 2)")
    fi
    [ "$(ls "$work/a$round" | wc -l)" = "$count" ] || { echo "the refresh left the wrong number of files"; exit 1; }
    rm -rf "$work/a$round" "$work/b$round"
done

cli=$(printf '%s\n' "${cli_times[@]}" | median)
pair=$(printf '%s\n' "${pair_times[@]}" | median)
awk -v copies="$(wc -l <"$work/new.list")" -v removals="$(wc -l <"$work/old.list")" -v kept="$(wc -l <"$work/kept")" \
    -v runs="$runs" -v cli="$cli" -v pair="$pair" 'BEGIN {
    printf "a refresh of %d recorded copies of 4 KiB: %d kept, %d copied, %d removed; median of %d rounds\n",
           kept + removals, kept, copies, removals, runs
    printf "tarvello-cli --refresh:                       %.3f s\n", cli / 1e9
    printf "xargs rm, xargs cp -p, sync -f:               %.3f s\n", pair / 1e9
    printf "ratio: %.2f (target <= 1.1)\n", cli / pair
}'
