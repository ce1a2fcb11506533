#!/usr/bin/env bash
# Runs the built tarvello-cli over real folders as a person would.
#   cli_test.sh PATH_TO_TARVELLO_CLI
set -uo pipefail
cli=$1
t=$(mktemp -d)
loop=
trap 'for m in "$t/small" "$t/stick" "$t/pull" "$t/ordered"; do mountpoint -q "$m" && umount "$m"; done; [ -z "$loop" ] || losetup -d "$loop"; rm -rf "$t"' EXIT
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
-s $t/in -d $t/out -n 1,000|2|invalid count '1,000'
-s $t/in -d $t/out -n abc|2|invalid count 'abc'
-s $t/in|2|no destination given
-s $t/in -d $t/out --seed 9007199254740993|2|invalid seed
-s $t/in -d $t/out --seed 12x|2|invalid seed
-s $t/in -d $t/out extra|2|unexpected argument 'extra'
-s $t/in -d $t/out --order random|2|invalid order 'random'
-s $t/in -d $t/out -n 0 --seed 9007199254740992|0|^No files added.$
-s $t/in -d $t/out -e wav|0|^No files added.$
-S $t/nope.txt -d $t/out|1|nope.txt: File not found
-S - -D -|2|standard input can be read for one list only
-S /dev/zero -d $t/out|1|/dev/zero: not a regular file
-s $t/in -d $t/nope -d $t/nope -b free|1|^tarvello-cli: $t/nope/: no such folder$
EOF2
# An empty value (an unset variable in a cron line) is refused, never read
# as a folder.
for option in -s -t -S -d -D -e --m3u; do
    err=$("$cli" -s "$t/in" -d "$t/out" "$option" '' 2>&1); check "exit of empty $option" 2 "$?"
    check "message of empty $option" 1 "$(grep -c -- "value of .*$option.* is empty" <<<"$err")"
done
check "--help" "Usage: tarvello-cli [OPTION]..." "$("$cli" --help | head -1)"
check "--version" 1 "$("$cli" --version | grep -c '^tarvello-cli [0-9]')"

# One seed, one plan; the plan's shape under each selection rule.
dry() { "$cli" --dry-run --seed 42 "$@" 2>/dev/null; }
# List files read as "Load" reads them, blank lines and the final line feed
# adding nothing, from a file or standard input; two runs, one plan.
printf '%s\r\n\n%s\n' "$t/in" "$t/more" >"$t/sources.txt"; printf '%s\n' "$t/out" >"$t/dests.txt"
check "same seed, same plan from list files" "$(dry -s "$t/in" -s "$t/more" -d "$t/out" -n 20 | md5sum)" \
    "$(dry -S - -D "$t/dests.txt" -n 20 <"$t/sources.txt" | md5sum)"
# A source entry that names no folder is named once, under any rule; the
# rest is drawn.
for rule in "" "-e mp3" "-b 1k" -k; do
    err=$("$cli" --dry-run -s "$t/nope" -s "$t/in" -s "$t/nope" -d "$t/out" $rule 2>&1 >/dev/null)
    check "missing source with '$rule'" "1 tarvello-cli: $t/nope/: no such folder" "$? $err"
done
check "extensions with blanks and dots" 2 "$(dry -s "$t/in" -d "$t/out" -e ' mp3, .FLAC' | grep -c .)"
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
check "repeats within 5k" 5100 "$(dry -s "$t/in" -d "$t/out" -r -n 1000000000000 -b 5k | planned_bytes)"
# Per folder, the folder of one file gets about half of the draws.
ones=$(dry -s "$t/in" -s "$t/more" -d "$t/out" -r -n 400 --per-folder -e mp3,txt | grep -c 'a.mp3 will')
check "per-folder share" 1 "$(( ones > 150 && ones < 250 ))"
# On a small tmpfs and an exFAT stick with 32 KiB clusters, "free" counts the
# space each copy takes (whole allocation units) and fills the device with
# no copy failing; exFAT
# folds case, so names that differ only in case (ASCII, Latin, Cyrillic)
# replace each other there unless --distinct-names numbers them (also in an
# empty folder), and a refused character is "_" there, in the playlist too.
mkdir -p "$t/tiny" "$t/case1" "$t/case2" "$t/colon"
bytes 300000 | split -a 3 -b 1000 - "$t/tiny/t"
for name in Song.mp3 Été.mp3 Жук.mp3; do echo 1 >"$t/case1/$name"; done
for name in song.MP3 éTÉ.mp3 жУК.mp3; do echo 2 >"$t/case2/$name"; done
echo 3 >"$t/colon/a:b?.mp3"
while IFS='|' read -r kind make replaced distinct; do
    if [ "$(id -u)" != 0 ] || ! mkdir "$t/small" || ! eval "$make" >/dev/null 2>&1; then
        echo "SKIP a small $kind: needs root (and exfatprogs and exfat-fuse)"; rmdir "$t/small" 2>/dev/null; continue
    fi
    err=$("$cli" -q -s "$t/case1" -s "$t/case2" -d "$t/small" 2>&1 >/dev/null)
    check "replaced on $kind" "$replaced" "$(grep -o '[0-9]* cop[a-z]* w[a-z]* replaced by a later copy' <<<"$err")"
    mkdir "$t/small/new"  # empty: only the file system's kind says it folds case
    "$cli" -q -s "$t/case1" -s "$t/case2" -s "$t/colon" -d "$t/small/new" --distinct-names --m3u "$t/small/new/l.m3u"
    check "distinct names on $kind" "$distinct" "$(tail -n +2 "$t/small/new/l.m3u" | LC_ALL=C sort | paste -sd ' ')"
    "$cli" -q -s "$t/tiny" -d "$t/small" -b free -n 1000000 2>/dev/null; check "free on $kind exit" 0 "$?"
    check "free on $kind fills it" 1 "$(( $(stat -f -c '%a * 100 < %b * 5' "$t/small") ))"
    if [ "$kind" = tmpfs ]; then  # exFAT keeps clusters back that it counts as free
        cat /dev/zero >"$t/small/filler" 2>/dev/null
        err=$("$cli" -q -s "$t/tiny" -d "$t/small" -b free 2>&1); check "full $kind exit" 1 "$?"
        check "full $kind named" 1 "$(grep -c '^tarvello-cli: the destinations have no room for even one file$' <<<"$err")"
    fi
    umount "$t/small"; rmdir "$t/small"; [ -z "$loop" ] || losetup -d "$loop"; loop=
done <<EOF2
tmpfs|mount -t tmpfs -o size=1M tmpfs "$t/small"||Song.mp3 a:b?.mp3 song.MP3 Été.mp3 éTÉ.mp3 Жук.mp3 жУК.mp3
exFAT|truncate -s 8M "$t/stick.img" && mkfs.exfat -c 32K "$t/stick.img" && loop=\$(losetup -f --show "$t/stick.img") && mount.exfat-fuse "\$loop" "$t/small"|3 copies were replaced by a later copy|Song.mp3 a_b_.mp3 song1.MP3 Été.mp3 éTÉ1.mp3 Жук.mp3 жУК1.mp3
EOF2

# A real copy with a playlist: exit 0, nothing on a non-terminal stderr; the
# playlist names the copies below its own folder relative to it, however it
# and the destinations were spelled.
err=$(cd "$t" && "$cli" --seed 1 -s in -d out -d ./out2/ --m3u out/list.m3u 2>&1); check "copy exit" 0 "$?"
check "copy stderr" "" "$err"
check "copied bytes" "$(cat "$t/in/b.FLAC")" "$(cat "$t/out2/b.FLAC")"
check "replaced" "$(cat "$t/in/a.mp3")" "$(cat "$t/out/a.mp3")"
check "playlist" "#EXTM3U a.mp3 b.FLAC c.jpg " \
    "$(head -1 "$t/out/list.m3u") $(tail -n +2 "$t/out/list.m3u" | sort | tr '\n' ' ')"
# A failed entry is named with the system's reason and gives exit 1, a
# destination that is not there once for all its copies.
mkdir -p "$t/blocked/a.mp3"
err=$("$cli" -s "$t/in" -d "$t/missing" -d "$t/blocked" 2>&1); check "failure exit" 1 "$?"
check "failures named" "tarvello-cli: $t/missing/: no such folder
tarvello-cli: $t/in/a.mp3 -> $t/blocked/a.mp3: Is a directory" "$err"
# Two copies to one target are named as the window names them.
err=$("$cli" -s "$t/in" -s "$t/in" -n 6 -d "$t/out2" 2>&1); check "same target exit" 0 "$?"
check "same target named" 1 "$(grep -c '^tarvello-cli: 3 copies were replaced by a later copy' <<<"$err")"
"$cli" -q -s "$t/in" -d "$t/out2" --m3u "$t/missing/list.m3u" 2>/dev/null; check "unwritable playlist exit" 1 "$?"

# A line feed in a name stays inside one NUL-ended line.
mkdir "$t/lf"; printf 'z' >"$t/lf/x
y.jpg"
check "-0 line" "$t/lf/x
y.jpg will be copied to $t/out/x
y.jpg#" "$("$cli" --dry-run -0 -s "$t/lf" -d "$t/out" | tr '\0' '#')"

# In a terminal the progress line and the closing counts show on stderr,
# unless -q.
for quiet in "" -q; do
    shown=$(script -qec "$cli $quiet -s $t/in -d $t/out2 2>&1 >/dev/null" /dev/null |
        grep -c '3 of 3 files.*3 copied, 0 failed, 0 replaced by a later copy')
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
status=$(python3 -c 'import signal, subprocess, sys, time
run = subprocess.Popen(sys.argv[1:], stdin=subprocess.PIPE); time.sleep(0.3); run.send_signal(signal.SIGINT)
try: print(run.wait(timeout=10))
except subprocess.TimeoutExpired: run.kill(); print("still waiting")' "$cli" -q -S - -d "$t/dst")
check "Ctrl-C while waiting for a list on standard input" 130 "$status"
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
    mount -o remount,ro "$t/stick"; err=$("$cli" -q -s "$t/music" -d "$t/stick" -n 5 2>&1)
    check "read-only stick named once" "1 tarvello-cli: $t/stick/: Read-only file system; nothing more is written there" "$? $err"
else
    echo "SKIP refreshes of a small tmpfs: needs root"
fi

# Two refreshes into one folder at once: the second leaves out the folder
# the first holds, names it and goes on with the others; the lock goes with
# its holder, even one killed by SIGKILL.
mkdir "$t/week" "$t/week2"
"$cli" -q -s "$t/large" -d "$t/week" --refresh & first=$!
for _ in $(seq 1000); do [ -e "$t/week/.tarvello-copies" ] && break; sleep 0.01; done
kill -STOP "$first"
err=$("$cli" -q -s "$t/in" -d "$t/week" -d "$t/week2" --refresh 2>&1)
check "a second run at once" "1 tarvello-cli: $t/week/: another run is using this folder; it is left out of this one" "$? $err"
check "the other destination goes on" "a.mp3 b.FLAC c.jpg" "$(ls "$t/week2" | paste -sd' ')"
kill -9 "$first"; wait "$first" 2>/dev/null
"$cli" -q -s "$t/in" -d "$t/week" --refresh; check "after a killed run" "0 a.mp3 b.FLAC c.jpg" "$? $(ls "$t/week" | paste -sd' ')"

# A stick pulled out (unmounted lazily) in the middle of a run: it is named
# once, and nothing, not the playlist beside the folder, lands in the bare
# mount folder on the computer.
if [ "$(id -u)" = 0 ] && mkdir "$t/pull" "$t/albums" && truncate -s 64M "$t/pull.img" && mkfs.exfat "$t/pull.img" >/dev/null 2>&1 &&
    loop=$(losetup -f --show "$t/pull.img") && mount.exfat-fuse "$loop" "$t/pull" >/dev/null 2>&1; then
    mkdir "$t/pull/Music"; for i in 1 2 3 4 5 6; do head -c 8M /dev/urandom >"$t/albums/t$i.mp3"; done
    "$cli" -q -s "$t/albums" -d "$t/pull/Music" --m3u "$t/pull/weekly.m3u" 2>"$t/pull.err" & run=$!
    for _ in $(seq 1000); do [ -n "$(ls -A "$t/pull/Music")" ] && break; sleep 0.01; done
    kill -STOP "$run"; umount -l "$t/pull"; kill -CONT "$run"; wait "$run"
    check "pulled stick: exit, named once, nothing on the computer" "1 1 " "$? $(grep -c \
        "^tarvello-cli: $t/pull/Music/: no longer there; nothing more is written there$" "$t/pull.err") $(ls -A "$t/pull")"
    losetup -d "$loop"; loop=
else
    echo "SKIP a stick pulled out mid-run: needs root (and exfatprogs and exfat-fuse)"
fi

# In name order: the plan lists the copies so, and on a FAT32 stick (through
# fusefat: ASCII names, no free-space figure) and an exFAT one they stand so
# among the folder's own entries, as a player reads them, after a fill and
# after refreshes that left gaps, the stick mounted anew for each run (FAT's
# 2 s later, as fusefat stamps a renamed file with the time of the rename). The
# entries are read after unmounting, with mdir, or after a remount, since
# exfat-fuse lists the newest first while mounted (so there the gaps cannot
# be seen, and these names and seeds leave none that breaks the order).
mkdir "$t/tracks" "$t/ordered"
for name in A b Long-named-track-of-the-week $(seq -f 'Track %g' 24); do echo "$name" >"$t/tracks/$name.mp3"; done
planned=$(dry -s "$t/tracks" -d "$t/out" --order name -n 9 | sed 's|.* will be copied to .*/||')
check "plan in name order" "$(sort -f -V <<<"$planned")" "$planned"
while IFS='|' read -r kind make remount entries; do
    if [ "$(id -u)" != 0 ] || ! eval "$make" >/dev/null 2>&1; then
        echo "SKIP name order on $kind: needs root (and dosfstools, fusefat, mtools, exfatprogs, exfat-fuse)"; continue
    fi
    mkdir "$t/ordered/Music"; echo mine >"$t/ordered/Music/mine.txt"
    for run in 1 2 3; do  # the first without --refresh: the order alone keeps the record
        "$cli" -q --seed $run -s "$t/tracks" -d "$t/ordered/Music" -n 12 -b 100M --order name $([ $run = 1 ] || echo --refresh)
        check "ordered run $run on $kind" 0 "$?"
        eval "$remount" >/dev/null 2>&1
    done
    check "the user's file on $kind" mine "$(cat "$t/ordered/Music/mine.txt")"
    copies=$(eval "$entries" 2>/dev/null | grep -v -e '^\.' -e '^mine.txt$')
    check "copies on $kind" 12 "$(wc -l <<<"$copies")"
    check "in name order on $kind" "$(sort -f -V <<<"$copies")" "$copies"
    umount "$t/ordered" 2>/dev/null; [ -z "$loop" ] || losetup -d "$loop"; loop=
done <<EOF2
FAT32|truncate -s 64M "$t/fat.img" && mkfs.fat -F 32 "$t/fat.img" && fusefat -o rw+ "$t/fat.img" "$t/ordered"|umount "$t/ordered" && while pgrep -f "fusefat .*$t/fat.img"; do sleep 0.1; done && sleep 2 && fusefat -o rw+ "$t/fat.img" "$t/ordered"|umount "$t/ordered" && while pgrep -f "fusefat .*$t/fat.img" >/dev/null; do sleep 0.1; done && mdir -b -i "$t/fat.img" ::/Music | sed 's|^::/Music/||'
exFAT|truncate -s 64M "$t/ex.img" && mkfs.exfat "$t/ex.img" && loop=\$(losetup -f --show "$t/ex.img") && mount.exfat-fuse "\$loop" "$t/ordered"|umount "$t/ordered" && mount.exfat-fuse "\$loop" "$t/ordered"|umount "$t/ordered" && mount.exfat-fuse "\$loop" "$t/ordered" && ls -f "$t/ordered/Music"
EOF2

[ "$failures" = 0 ] && echo "all cli checks passed"
exit $((failures > 0))
