# Helpers for the scripts that time a command from outside; source it.

# Wall time of one command in nanoseconds.
nanoseconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo $((end - start))
}

# The median of the numbers on standard input, one per line, of $runs runs.
median() { sort -n | sed -n "$(((runs + 1) / 2))p"; }
