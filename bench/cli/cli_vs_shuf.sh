#!/usr/bin/env bash
# Times tarvello-cli copying 10,000 of 20,000 files of 4 KiB against
# `find | shuf | xargs cp` over the same folder, alternating rounds into
# fresh destinations, and prints the medians and their ratios. tarvello-cli
# makes sure its copies are on the device before it exits; the pipeline is
# timed as it stands and once more followed by `sync -f DEST`, which does
# the same.
# Usage: cli_vs_shuf.sh PATH/TO/tarvello-cli
set -euo pipefail

cli=${1:?usage: $0 PATH/TO/tarvello-cli}
files=20000 count=10000 runs=${TARVELLO_BENCH_RUNS:-5}

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-cli-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/src"
head -c $((files * 4096)) /dev/urandom | (cd "$work/src" && split -b 4096 -a 5 -d --additional-suffix=.mp3 - track_)

. "$(dirname "$0")/../timing.sh"

cli_run() { "$cli" -q -s "$work/src" -d "$1" -n "$count"; }
pipeline() {
    find "$work/src" -maxdepth 1 -type f -print0 | shuf -z -n "$count" | xargs -0 cp -t "$1"
}
pipeline_synced() { pipeline "$1" && sync -f "$1"; }

cli_times=() pipe_times=() synced_times=()
for round in $(seq "$runs"); do
    mkdir "$work/a$round" "$work/b$round" "$work/c$round"
    # Each starts with nothing left to write back from the one before.
    sync; cli_times+=("$(nanoseconds cli_run "$work/a$round")")
    sync; pipe_times+=("$(nanoseconds pipeline "$work/b$round")")
    sync; synced_times+=("$(nanoseconds pipeline_synced "$work/c$round")")
    [ "$(ls "$work/a$round" | wc -l)" = "$count" ] || { echo "tarvello-cli copied the wrong number"; exit 1; }
    rm -rf "$work/a$round" "$work/b$round" "$work/c$round"
done

cli=$(printf '%s\n' "${cli_times[@]}" | median)
pipe=$(printf '%s\n' "${pipe_times[@]}" | median)
synced=$(printf '%s\n' "${synced_times[@]}" | median)
awk -v files="$files" -v count="$count" -v runs="$runs" -v cli="$cli" -v pipe="$pipe" -v synced="$synced" 'BEGIN {
    printf "%d of %d files of 4 KiB, median of %d alternating rounds\n", count, files, runs
    printf "tarvello-cli -s SRC -d DEST -n %d:                   %.3f s\n", count, cli / 1e9
    printf "find | shuf -z -n %d | xargs -0 cp -t DEST:          %.3f s\n", count, pipe / 1e9
    printf "the same, then sync -f DEST:                             %.3f s\n", synced / 1e9
    printf "ratio tarvello-cli / pipeline: %.2f (target <= 1.0); / pipeline with sync: %.2f\n",
           cli / pipe, cli / synced
}'
