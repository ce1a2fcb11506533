#!/usr/bin/env bash
# Times tarvello_copy_bench against cp on the same files, side by side in
# one run: 10,000 files of 4 KiB into one folder, then 4 files of 256 MiB.
# Prints the medians of both, their ratio against the target, and every
# round.
#
# Fairness: both programs read sources that are already in the page cache,
# each round starts after a sync, the order alternates from round to round
# (neither always inherits the other's writeback), and one untimed round of
# each comes first. The small-file copies are all kept until their
# comparison ends, because on ext4 without a journal freshly freed inodes
# slow the next inode allocations down for minutes, for whoever comes next.
# For the same reason figures taken on a file system where thousands of
# files were just deleted (by this script a minute ago, or by test runs)
# scatter widely; a file system of its own gives steady ones. Besides wall
# time the script prints CPU time (user + system), which other load on the
# machine disturbs less.
#
# Usage: copy_vs_cp.sh PATH/TO/tarvello_copy_bench [SMALL-ROUNDS] [BIG-ROUNDS]
# The data (about 2.2 GiB at its peak) lives under ${TMPDIR:-/tmp} and is
# removed at the end, also after a failure or Ctrl-C.
set -euo pipefail
shopt -s inherit_errexit  # a failed copy stops the script from inside $(...) too

driver=$(realpath "${1:?usage: $0 PATH/TO/tarvello_copy_bench [SMALL-ROUNDS] [BIG-ROUNDS]}")
small_rounds=${2:-9}
big_rounds=${3:-5}
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-copy-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Copies every file of in/ into the new folder $2 with program $1 and
# prints "wall-seconds cpu-seconds".
copy_round() {
    local program=$1 out=$2 source times
    mkdir "$out"
    if [[ $program == tarvello ]]; then
        for source in "$work/in/"*; do printf '%s\0%s\0' "$source" "$out/${source##*/}"; done >"$work/pairs"
    fi
    sync
    TIMEFORMAT='%R %U %S'
    # `time` reports on the group's stderr; the program's own goes to ours.
    if [[ $program == cp ]]; then
        times=$({ time cp -- "$work/in/"* "$out/" >/dev/null 2>&3; } 3>&2 2>&1)
    else
        times=$({ time "$driver" "$work/pairs" >/dev/null 2>&3; } 3>&2 2>&1)
    fi
    awk '{ printf "%s %.3f\n", $1, $2 + $3 }' <<<"$times"
}

# compare LABEL TARGET-RATIO ROUNDS KEEP-OUTPUTS
compare() {
    local label=$1 target=$2 rounds=$3 keep=$4 round program programs times w c
    local -A wall=() cpu=()
    cat "$work/in/"* >/dev/null
    for ((round = 0; round <= rounds; round++)); do
        programs="cp tarvello"
        ((round % 2 == 0)) || programs="tarvello cp"
        for program in $programs; do
            ((keep)) || rm -rf "$work/out"*
            times=$(copy_round "$program" "$work/out-$program-$round")
            read -r w c <<<"$times"
            if ((round > 0)); then  # round 0 warms up
                wall[$program]+="$w "
                cpu[$program]+="$c "
            fi
        done
    done
    rm -rf "$work/out"*
    copy_round tarvello "$work/out-check" >/dev/null
    diff -r "$work/in" "$work/out-check" >/dev/null || { echo "$label: copies differ" >&2; exit 1; }
    rm -rf "$work/out-check"

    local kind cp_median our_median
    for kind in wall cpu; do
        local -n of=$kind
        cp_median=$(tr ' ' '\n' <<<"${of[cp]}" | grep . | median)
        our_median=$(tr ' ' '\n' <<<"${of[tarvello]}" | grep . | median)
        awk -v label="$label" -v kind="$kind" -v cp="$cp_median" -v ours="$our_median" -v target="$target" 'BEGIN {
            ratio = ours / cp
            printf "%-15s %-4s median  cp %7.3f s  tarvello %7.3f s  ratio %.2f (target <= %s) %s\n",
                   label, kind, cp, ours, ratio, target, ratio <= target ? "met" : "MISSED"
        }'
        printf '%-15s %-4s rounds  cp: %s | tarvello: %s\n' "" "$kind" "${of[cp]}" "${of[tarvello]}"
    done
}

echo "$(cp --version | head -1); $(df -T "$work" | awk 'NR == 2 { print $2 }') at $work; medians of $small_rounds and $big_rounds rounds"

mkdir "$work/in"
head -c $((10000 * 4096)) /dev/urandom >"$work/blob"
split -b 4096 -a 5 -d "$work/blob" "$work/in/f"
rm "$work/blob"
compare "10,000 x 4 KiB" 1.5 "$small_rounds" 1

rm -rf "$work/in" && mkdir "$work/in"
for i in 1 2 3 4; do head -c 256M /dev/urandom >"$work/in/big$i"; done
compare "4 x 256 MiB" 1.1 "$big_rounds" 0
