#!/usr/bin/env bash
# Runs the built tarvello-cli over real folders as a person would.
#   cli_test.sh PATH_TO_TARVELLO_CLI
set -uo pipefail
cli=$1
t=$(mktemp -d)
trap 'for m in "$t/small" "$t/stick"; do mountpoint -q "$m" && umount "$m"; done; rm -rf "$t"' EXIT
failures=0
check() {  # check WHAT EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then echo "FAIL $1: expected [$2], got [$3]"; failures=$((failures + 1)); fi
}
bytes() { head -c "$1" /dev/zero | tr '\0' x; }
# The sum of the sizes of the sources a dry run plans.
planned_bytes() { sed 's/ will be copied to .*//' | xargs -d '\n' stat -c %s | paste -sd+ | bc; }

mkdir -p "$t/in" "$t/more" "$t/out" "$t/out2" "$t/mixed"
bytes 100 >"$t/in/a.mp3"; bytes 200 >"$t/in/b.FLAC"; bytes 300 >"$t/in/c.jpg"
for i in $(seq 50); do echo "$i" >"$t/more/m$i.txt"; done
printf 'old' >"$t/out/a.mp3"

# Usage errors, help, version, an empty plan.
while IFS='|' read -r args code message; do
    err=$("$cli" $args 2>&1 >/dev/null); check "exit of '$args'" "$code" "$?"
    check "message of '$args'" 1 "$(grep -c -- "$message" <<<"$err")"
done <<EOF2
--bogus -s $t/in -d $t/out|2|Try 'tarvello-cli --help'
-s $t/in -d $t/out -b 12X|2|invalid size '12X'
-s $t/in -d $t/out -n|2|option '-n' needs a value
-s $t/in|2|no destination given
-s $t/in -d $t/out --seed 9007199254740993|2|invalid seed
-s $t/in -d $t/out --seed 12x|2|invalid seed
-s $t/in -d $t/out extra|2|unexpected argument 'extra'
-s $t/in -d $t/out -n 0 --seed 9007199254740992|0|^No files added.$
-s $t/in -d $t/out -e wav|0|^No files added.$
-S $t/nope.txt -d $t/out|1|nope.txt: File not found
-s $t/in -d $t/nope -b free|1|cannot tell how much space
EOF2
check "--help" "Usage: tarvello-cli [OPTION]..." "$("$cli" --help | head -1)"
check "--version" 1 "$("$cli" --version | grep -c '^tarvello-cli [0-9]')"

# One seed, one plan; the plan's shape under each selection rule.
dry() { "$cli" --dry-run --seed 42 "$@" 2>/dev/null; }
# List files read as "Load" reads them; two runs, one plan.
printf '%s\r\n%s' "$t/in" "$t/more" >"$t/sources.txt"; printf '%s' "$t/out" >"$t/dests.txt"
check "same seed, same plan from list files" "$(dry -s "$t/in" -s "$t/more" -d "$t/out" -n 20 | md5sum)" \
    "$(dry -S "$t/sources.txt" -D "$t/dests.txt" -n 20 | md5sum)"
# A tree: the folder and every folder below it, hidden ones left out.
mkdir -p "$t/tree/x/y" "$t/tree/.hidden"; touch "$t/tree/1" "$t/tree/x/2" "$t/tree/x/y/3" "$t/tree/.hidden/4"
check "tree" "1 2 3 " "$(dry -t "$t/tree" -d "$t/out" | sed 's/ will .*//; s|.*/||' | sort | tr '\n' ' ')"
while IFS='|' read -r args lines sum; do
    plan=$(dry -s "$t/in" $args)
    check "lines of '$args'" "$lines" "$(grep -c . <<<"$plan")"
    [ -z "$sum" ] || check "bytes of '$args'" "$sum" "$(planned_bytes <<<"$plan")"
done <<EOF2
-d $t/out -e mp3,.flac|2|300
-d $t/out -b 600|3|600
-d $t/out -b 599|2|
-d $t/out -b 0|0|
-d $t/out -k|2|500
-d $t/out -d $t/out2 -k|6|
EOF2
# With repeats the budget still bounds the total: it stops once nothing fits,
# the 100-byte file last, so 5k (5120 bytes) gives 5100.
check "repeats within 5k" 5100 "$(dry -s "$t/in" -d "$t/out" -r -n 1e12 -b 5k | planned_bytes)"
# Per folder, the folder of one file gets about half of the draws.
ones=$(dry -s "$t/in" -s "$t/more" -d "$t/out" -r -n 400 --per-folder -e mp3,txt | grep -c 'a.mp3 will')
check "per-folder share" 1 "$(( ones > 150 && ones < 250 ))"
# "free" leaves 1 % of a small file system's free space.
if [ "$(id -u)" = 0 ] && mkdir "$t/small" && mount -t tmpfs -o size=1M tmpfs "$t/small" 2>/dev/null; then
    for i in $(seq 20); do bytes 65536 >"$t/more/big$i.bin"; done
    free=$(( $(stat -f -c '%a * %S' "$t/small") ))
    sum=$(dry -s "$t/more" -d "$t/small" -e bin -b free | planned_bytes)
    check "free budget" 1 "$(( sum <= free - free / 100 && sum > free - free / 100 - 65536 ))"
else
    echo "SKIP free budget on a small tmpfs: needs root"
fi

# A real copy with a playlist: exit 0, nothing on a non-terminal stderr.
err=$("$cli" --seed 1 -s "$t/in" -d "$t/out" -d "$t/out2" --m3u "$t/list.m3u" 2>&1); check "copy exit" 0 "$?"
check "copy stderr" "" "$err"
check "copied bytes" "$(cat "$t/in/b.FLAC")" "$(cat "$t/out2/b.FLAC")"
check "replaced" "$(cat "$t/in/a.mp3")" "$(cat "$t/out/a.mp3")"
check "playlist" "#EXTM3U $(cd "$t" && ls -d "$t"/out/* "$t"/out2/* | sort | tr '\n' ' ')" \
    "$(head -1 "$t/list.m3u") $(tail -n +2 "$t/list.m3u" | sort | tr '\n' ' ')"
# A failed entry is named with the system's reason and gives exit 1.
err=$("$cli" -s "$t/in" -d "$t/missing" 2>&1); check "failure exit" 1 "$?"
check "failure named" 3 "$(grep -c "missing/.*No such file or directory" <<<"$err")"
"$cli" -q -s "$t/in" -d "$t/out2" --m3u "$t/missing/list.m3u" 2>/dev/null; check "unwritable playlist exit" 1 "$?"

# A line feed in a name stays inside one NUL-ended line.
mkdir "$t/lf"; printf 'z' >"$t/lf/x
y.jpg"
check "-0 line" "$t/lf/x
y.jpg will be copied to $t/out/x
y.jpg#" "$("$cli" --dry-run -0 -s "$t/lf" -d "$t/out" | tr '\0' '#')"

# In a terminal the progress line shows on stderr, unless -q.
for quiet in "" -q; do
    shown=$(script -qec "$cli $quiet -s $t/in -d $t/out2 2>&1 >/dev/null" /dev/null | grep -c '3 of 3 files')
    check "progress line with '$quiet'" "$([ -z "$quiet" ] && echo 1 || echo 0)" "$shown"
done

# Ctrl-C inside a large copy: exit 130, no temporary file, the old target
# intact or wholly replaced. Python reports the program's own exit with 130
# as 130 and death by the signal itself as -2, which a shell reports alike.
mkdir "$t/large" "$t/dst"; truncate -s 2G "$t/large/big.bin"; printf 'old' >"$t/dst/big.bin"
status=$(python3 -c 'import signal, subprocess, sys, time
run = subprocess.Popen(sys.argv[1:]); time.sleep(0.3); run.send_signal(signal.SIGINT)
print(run.wait())' "$cli" -q -s "$t/large" -d "$t/dst")
check "Ctrl-C exit" 130 "$status"
check "no temporary file" "big.bin" "$(ls -A "$t/dst")"
size=$(stat -c %s "$t/dst/big.bin")
check "old target kept" 1 "$(( size == 3 || size == 2147483648 ))"

# A write past the file-size limit fails like any other instead of ending
# the program by SIGXFSZ.
mkdir "$t/capped"; (ulimit -f 1; "$cli" -q -s "$t/large" -d "$t/capped" 2>/dev/null)
check "copy past the file-size limit" "1 " "$? $(ls -A "$t/capped")"

# Two weekly refreshes of a small stick filled to the brim: the second takes
# the first selection off and puts a new one on, beside the user's own file;
# a source that cannot be read stops every removal.
if [ "$(id -u)" = 0 ] && mkdir "$t/stick" && mount -t tmpfs -o size=1M tmpfs "$t/stick" 2>/dev/null; then
    mkdir "$t/music"; for i in $(seq 40); do bytes 65536 >"$t/music/s$i.mp3"; done; printf mine >"$t/stick/mine.txt"
    refill() { "$cli" -q -s "$t/music" -d "$t/stick" -b free -n 1000 --refresh --avoid-recent 1 "$@"; }
    refill --seed 1; check "first refresh exit" 0 "$?"
    first=$(ls "$t/stick" | grep mp3)
    check "refresh with a missing source" 1 "$(refill --seed 2 -s "$t/gone" 2>&1 | grep -c 'nothing is removed')"
    check "nothing removed then" "" "$(comm -23 <(echo "$first") <(ls "$t/stick" | grep mp3))"
    check "dry run removals" "$(wc -l <<<"$first")" "$(refill --seed 2 --dry-run | grep -c ' will be removed$')"
    refill --seed 2; check "second refresh exit" 0 "$?"
    second=$(ls "$t/stick" | grep mp3)
    check "a new selection" "" "$(comm -12 <(echo "$first") <(echo "$second"))"
    check "as full as the first" "$(wc -l <<<"$first")" "$(wc -l <<<"$second")"
    check "the user's file" mine "$(cat "$t/stick/mine.txt")"
else
    echo "SKIP refreshes of a small tmpfs: needs root"
fi

[ "$failures" = 0 ] && echo "all cli checks passed"
exit $((failures > 0))
