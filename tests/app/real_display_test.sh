#!/usr/bin/env bash
# Starts the built program in a virtual X server, waits for the window titled
# "Tarvello", checks its size and closes it; the program must then end by
# itself with status 0 and leave its settings file behind.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

if [ "${2:-}" != --inside-x ]; then
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    unset QT_QPA_PLATFORM
    HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" \
        xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$program" --inside-x
    test -f "$scratch/config/Quenmark/Tarvello.conf" || { echo "no settings file written"; exit 1; }
    exit 0
fi

"$program" &
pid=$!
size=$("$here/x11_window.py" Tarvello 30) || { kill "$pid"; exit 1; }
timeout 10 tail --pid="$pid" -f /dev/null || { echo "the program did not end when its window was closed"; kill "$pid"; exit 1; }
wait "$pid" || { echo "the program ended with status $?"; exit 1; }
[ "$size" = "513x587" ] || { echo "window size $size, expected 513x587"; exit 1; }
echo "window $size opened and closed"
