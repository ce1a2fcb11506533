#!/usr/bin/env bash
# Starts the built program in a virtual X server, waits for the window titled
# "Tarvello", checks its size and ends it; the program must leave its
# settings file behind.
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

# Closed by its close button, or by the SIGTERM of a logout, the program
# ends by itself with status 0.
for end in close SIGTERM; do
    "$program" &
    pid=$!
    size=$("$here/x11_window.py" Tarvello 30 "$end") || { kill "$pid"; exit 1; }
    [ "$end" = close ] || kill -s "$end" "$pid"
    timeout 10 tail --pid="$pid" -f /dev/null || { echo "the program did not end by $end"; kill "$pid"; exit 1; }
    wait "$pid" || { echo "the program ended by $end with status $?"; exit 1; }
done
[ "$size" = "513x587" ] || { echo "window size $size, expected 513x587"; exit 1; }
echo "window $size opened and closed"
