#!/usr/bin/env bash
# Builds the Debian package from a finished build folder, unpacks it and
# checks what an installation gets: exactly the files in installed_files.txt,
# a menu entry and software-centre data that validate cleanly, release notes
# for this version, no lintian errors or warnings, and programs that run from
# where the package puts them.
#   package_test.sh BUILD_DIR VERSION APP_ID WITH_CLI(0|1)
set -euo pipefail

build=$1 version=$2 id=$3 with_cli=$4
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "$*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb="$scratch/out/tarvello_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb") built"

lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
expected=$(sort "$here/installed_files.txt")
[ "$with_cli" = 1 ] || expected=$(grep -v tarvello-cli <<<"$expected")
diff -u <(echo "$expected") <(cd "$root/usr" && find . ! -type d | sed 's|^\./||' | sort) ||
    fail "the package's files differ from installed_files.txt"

share="$root/usr/share"
report=$(desktop-file-validate "$share/applications/$id.desktop" 2>&1) &&
    [ -z "$report" ] || fail "desktop entry: $report"
report=$(appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" 2>&1) &&
    ! grep -q '^[EW]:' <<<"$report" || fail "metainfo: $report"

grep -q "<release version=\"$version\"" "$share/metainfo/$id.metainfo.xml" ||
    fail "the metainfo has no release $version"
zcat "$share/doc/tarvello/changelog.gz" | head -1 | grep -qF "tarvello ($version)" ||
    fail "the changelog's newest entry is not $version"

if [ "$with_cli" = 1 ]; then
    printed=$("$root/usr/bin/tarvello-cli" --version) || fail "tarvello-cli --version failed"
    grep -qF "$version" <<<"$printed" || fail "tarvello-cli --version printed: $printed"
fi
"$here/../app/real_display_test.sh" "$root/usr/bin/tarvello"
