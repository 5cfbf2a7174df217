#!/usr/bin/env bash
# Builds the Debian packages of the build as `make package` does and checks them: dpkg-deb can
# read them, orvel-check depends on no Qt or graphics library, uoorvel on the checker of the same
# version and on Qt and holds the icons and the software centre's metadata, every installed file
# is in exactly one package, the checker is built with bind-now and fortified functions, and
# lintian finds no error or warning.
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
# has LIST NAME: whether the Depends list names the package NAME
has() { [[ ", $1," == *", $2"[\ ,]* ]]; }

cpack --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$tmp/cpack.log")"
check=$(ls "$tmp"/orvel-check_*.deb 2>/dev/null)
gui=$(ls "$tmp"/uoorvel_*.deb 2>/dev/null)
[[ -f "$check" && -f "$gui" ]] || { fail "packages missing: $(ls "$tmp")"; exit 1; }

depends=$(dpkg-deb --field "$check" Depends) || fail "dpkg-deb cannot read $check"
for package in libc6 libstdc++6; do
    has "$depends" "$package" || fail "orvel-check does not depend on $package: $depends"
done
[[ "$depends" != *qt* && "$depends" != *libgl* && "$depends" != *libx* ]] ||
    fail "orvel-check depends on a graphics library: $depends"

version=$(dpkg-deb --field "$check" Version)
depends=$(dpkg-deb --field "$gui" Depends) || fail "dpkg-deb cannot read $gui"
[ "$(dpkg-deb --field "$gui" Version)" = "$version" ] || fail "the packages' versions differ"
has "$depends" "orvel-check (= $version)" || fail "uoorvel does not depend on orvel-check $version"
for package in libc6 libqt6widgets6 libqt6svg6 qt6-qpa-plugins; do
    has "$depends" "$package" || fail "uoorvel does not depend on $package: $depends"
done

# The packages together hold what `make install` installs, each file once, beside the checker's
# own copyright and changelog.
DESTDIR=$tmp/root cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install"
installed=$( (cd "$tmp/root" && find . -type f -printf '%P\n') | sort)
packaged=$(for deb in "$check" "$gui"; do dpkg-deb --fsys-tarfile "$deb" | tar -t; done |
    grep -v '/$' | sed 's|^\./||' | grep -v '^usr/share/doc/orvel-check/' | sort)
[ "$installed" = "$packaged" ] || fail "packaged files differ from the installed ones:
$(diff <(echo "$installed") <(echo "$packaged"))"

gui_files=$(dpkg-deb --fsys-tarfile "$gui" | tar -t)
gui_expected=(usr/share/metainfo/uoorvel.metainfo.xml)
for size in 16 22 24 32 48 64 128 256; do
    gui_expected+=("usr/share/icons/hicolor/${size}x$size/apps/uoorvel.png")
done
for file in "${gui_expected[@]}"; do
    grep -qx "\./$file" <<<"$gui_files" || fail "uoorvel does not hold $file"
done

dpkg-deb -x "$check" "$tmp/check"
binary=$tmp/check/usr/bin/orvel-check
[[ "$(readelf -d "$binary")" =~ BIND_NOW|FLAGS_1.*NOW ]] || fail "orvel-check is not built with bind-now"
[[ "$(readelf --dyn-syms -W "$binary")" =~ \ __[a-z0-9_]+_chk@ ]] ||
    fail "orvel-check calls no fortified function"

for deb in "$check" "$gui"; do
    lintian --fail-on error,warning "$deb" 2>/dev/null || fail "lintian: ${deb##*/}"
done
[ "$failures" -eq 0 ]
