#!/usr/bin/env bash
# Times the walk of a music library of 50,000 folders (2,000 artists with
# 25 albums each, one track in every album, a hidden folder beside them)
# against `find ROOT -type d -not -path '*/.*'` on the same tree, taking
# turns so both see the same cache state, and prints the medians and their
# ratio. Usage: walk_vs_find.sh PATH/TO/tarvello_walk [ROUNDS]
set -euo pipefail

driver=${1:?usage: $0 PATH/TO/tarvello_walk [ROUNDS]}
rounds=${2:-7}
root=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-walk-XXXXXX")
trap 'rm -rf "$root"' EXIT

awk 'BEGIN { for (a = 1; a <= 2000; a++) for (b = 1; b <= 24; b++) printf "Artist %04d/Album %02d\n", a, b }' \
    >"$root/.albums"
(cd "$root" && xargs -d '\n' mkdir -p <.albums && sed 's|$|/01 Track.mp3|' .albums | xargs -d '\n' touch &&
    mkdir -p .cache/a/b && rm .albums)

walk_ns=() find_ns=()
for ((round = 0; round <= rounds; round++)); do  # round 0 warms the cache and is not counted
    start=$(date +%s%N)
    walked=$("$driver" "$root")
    middle=$(date +%s%N)
    find "$root" -type d -not -path '*/.*' >/dev/null
    end=$(date +%s%N)
    if ((round > 0)); then
        walk_ns+=($((middle - start)))
        find_ns+=($((end - middle)))
    fi
done
found=$(find "$root" -type d -not -path '*/.*' | wc -l)
[ "$walked" -eq "$found" ] || { echo "the walk found $walked folders, find $found"; exit 1; }

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
awk -v folders="$walked" -v rounds="$rounds" -v walk="$(median "${walk_ns[@]}")" -v find="$(median "${find_ns[@]}")" 'BEGIN {
    printf "tree of %d folders, median of %d rounds\n", folders, rounds
    printf "walk into the list:                        %.3f s\n", walk / 1e9
    printf "find ROOT -type d -not -path \x27*/.*\x27:        %.3f s\n", find / 1e9
    printf "ratio walk / find: %.2f (target <= 1.2)\n", walk / find
}'
