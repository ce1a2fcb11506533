#!/usr/bin/env bash
# Times a whole redraw of 200,000 files (listing, selection, plan to one
# destination, Summary lines) against `find | shuf` over the same folder,
# the median of five runs each, and prints their ratio.
# Usage: redraw_vs_find.sh PATH/TO/tarvello_plan_redraw
set -euo pipefail

driver=${1:?usage: $0 PATH/TO/tarvello_plan_redraw}
files=200000
runs=5

folder=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-redraw-XXXXXX")
trap 'rm -rf "$folder"' EXIT

(cd "$folder" && seq -f 'IMG_%07g.jpg' 1 "$files" | xargs touch)

. "$(dirname "$0")/../timing.sh"

find_shuf() { find "$folder" -maxdepth 1 -type f | shuf -n "$files" >/dev/null; }

redraw_times=() find_times=()
for _ in $(seq "$runs"); do  # alternate, so both see the same cache state
    redraw_times+=("$(nanoseconds "$driver" "$folder" "$files")")
    find_times+=("$(nanoseconds find_shuf)")
done

redraw=$(printf '%s\n' "${redraw_times[@]}" | median)
find=$(printf '%s\n' "${find_times[@]}" | median)
lines=$("$driver" "$folder" "$files")

awk -v files="$files" -v runs="$runs" -v lines="$lines" -v redraw="$redraw" -v find="$find" 'BEGIN {
    printf "folder of %d files, median of %d runs\n", files, runs
    printf "redraw (listing, selection, plan, %d Summary lines): %.3f s\n", lines, redraw / 1e9
    printf "find DIR -maxdepth 1 -type f | shuf -n %d:          %.3f s\n", files, find / 1e9
    printf "ratio redraw / find|shuf: %.2f (target <= 1.5)\n", redraw / find
}'
