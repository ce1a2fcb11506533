#!/usr/bin/env bash
# Builds and runs every benchmark against the build folder given.
set -euo pipefail
build=${1:-build/default}
here=$(cd "$(dirname "$0")" && pwd)

cmake --build "$build" --target benchmarks tarvello-cli
bin="$build/bin"

echo "== Drawing the selection"
"$bin/tarvello_plan_bench"
echo "== A whole redraw against find | shuf"
"$here/plan/redraw_vs_find.sh" "$bin/tarvello_plan_redraw"
echo "== Typing a count over 20,101 source folders, listings kept or not"
"$bin/tarvello_keystroke_bench"
echo "== A Summary of a million lines"
"$bin/tarvello_summary_bench"
echo "== A list file of a million lines"
"$bin/tarvello_list_file_bench"
echo "== Walking a tree of 50,000 folders against find"
"$here/lists/walk_vs_find.sh" "$bin/tarvello_walk"
echo "== Copying against cp"
"$here/copy/copy_vs_cp.sh" "$bin/tarvello_copy_bench"
echo "== One large file through the copy run (TARVELLO_BENCH_MIB=2048 for 2 GiB)"
"$bin/tarvello_copyrun_bench"
echo "== tarvello-cli against find | shuf | xargs cp"
"$here/cli/cli_vs_shuf.sh" "$bin/tarvello-cli"
echo "== A record of 100,000 copies written and read"
"$bin/tarvello_record_bench"
echo "== tarvello-cli --refresh against xargs rm and cp"
"$here/refresh/refresh_vs_cp_rm.sh" "$bin/tarvello-cli"
