#!/usr/bin/env bash
# Builds the Debian package of the build as `make package` does and checks it: dpkg-deb can
# read it, its dependencies come from the libraries the programs link, and lintian finds no
# error in it.
# Usage: PackageTest.sh BUILD_DIR
set -uo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cpack --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$tmp/cpack.log")"
deb=$(ls "$tmp"/*.deb 2>/dev/null)
[ -f "$deb" ] || { fail "no package"; exit 1; }
depends=$(dpkg-deb --field "$deb" Depends) || fail "dpkg-deb cannot read $deb"
for package in libc6 libqt6widgets6 libqt6svg6 qt6-qpa-plugins; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "$package is not in Depends: $depends"
done
lintian --fail-on error "$deb" 2>/dev/null || fail "lintian found errors"
[ "$failures" -eq 0 ]
