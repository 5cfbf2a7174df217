#!/usr/bin/env bash
# Installs the build into a temporary root and checks what a desktop and a shell make of the
# installed files: the file list, the menu entry, the project file type, the manual pages and
# the completion of orvel-check, the software centre's metadata, and what the installed desktop
# program answers without a display.
# Usage: InstallTest.sh BUILD_DIR
set -uo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
share=$root/usr/share
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install"

expected='usr/bin/orvel-check
usr/bin/uoorvel
usr/share/applications/uoorvel.desktop
usr/share/bash-completion/completions/orvel-check
usr/share/doc/uoorvel/changelog.gz
usr/share/doc/uoorvel/copyright
usr/share/icons/hicolor/128x128/apps/uoorvel.png
usr/share/icons/hicolor/16x16/apps/uoorvel.png
usr/share/icons/hicolor/22x22/apps/uoorvel.png
usr/share/icons/hicolor/24x24/apps/uoorvel.png
usr/share/icons/hicolor/256x256/apps/uoorvel.png
usr/share/icons/hicolor/32x32/apps/uoorvel.png
usr/share/icons/hicolor/48x48/apps/uoorvel.png
usr/share/icons/hicolor/64x64/apps/uoorvel.png
usr/share/icons/hicolor/scalable/apps/uoorvel.svg
usr/share/locale/en/LC_MESSAGES/uoorvel.mo
usr/share/man/ja/man1/orvel-check.1.gz
usr/share/man/ja/man1/uoorvel.1.gz
usr/share/man/man1/orvel-check.1.gz
usr/share/man/man1/uoorvel.1.gz
usr/share/metainfo/uoorvel.metainfo.xml
usr/share/mime/packages/uoorvel.xml'
installed=$(cd "$root" && find . -type f -printf '%P\n' | sort)
[ "$installed" = "$expected" ] || fail "installed files differ:
$(diff <(echo "$expected") <(echo "$installed"))"

out=$(desktop-file-validate "$share/applications/uoorvel.desktop" 2>&1)
[ -z "$out" ] || fail "desktop-file-validate: $out"
for xml in "$share/mime/packages/uoorvel.xml" "$share/icons/hicolor/scalable/apps/uoorvel.svg"; do
    xmllint --noout "$xml" || fail "xmllint ${xml##*/}"
done
for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x$size/apps/uoorvel.png
    [[ "$(file -b "$png")" == "PNG image data, $size x $size,"* ]] || fail "$png: $(file -b "$png")"
done
# The component is named after the menu entry, which has no reverse-DNS name; nothing else,
# pedantic hints included, may be found.
out=$(appstreamcli validate --no-net --pedantic --override=cid-desktopapp-is-not-rdns=pedantic \
    "$share/metainfo/uoorvel.metainfo.xml" 2>&1) || fail "appstreamcli validate: $out"
! grep -v cid-desktopapp-is-not-rdns <<<"$out" | grep -q '^[EWIP]: ' ||
    fail "appstreamcli validate: $out"

# Installed straight into a prefix, without DESTDIR, the desktop's caches follow.
cmake --install "$build" --prefix "$tmp/prefix" --component uoorvel >/dev/null ||
    fail "cmake --install --prefix"
for cache in mime/mime.cache applications/mimeinfo.cache icons/hicolor/icon-theme.cache; do
    [ -f "$tmp/prefix/share/$cache" ] || fail "no $cache after an install without DESTDIR"
done

# The project file type, by name and by content, in a MIME database of its own beside the
# freedesktop.org types, as GLib's file managers and dialogs see it.
mkdir -p "$tmp/data/mime/packages" "$tmp/samples"
cp /usr/share/mime/packages/freedesktop.org.xml "$share/mime/packages/uoorvel.xml" \
    "$tmp/data/mime/packages/"
XDG_DATA_DIRS="$tmp/data" update-mime-database "$tmp/data/mime" || fail "update-mime-database"
while IFS='|' read -r name content type; do
    printf '%b' "$content" >"$tmp/samples/$name"
    got=$(XDG_DATA_HOME="$tmp/data" XDG_DATA_DIRS="$tmp/data" \
        gio info -a standard::content-type "$tmp/samples/$name" | sed -n 's/.*content-type: //p')
    [ "$got" = "$type" ] || fail "$name is $got, not $type"
done <<'CASES'
site.opr|[OrvelProject]\nHomeDir=/srv/www/\n|application/x-orvel-project
NOTED.OPR|; written by hand\n[OrvelProject]\n|application/x-orvel-project
project|[OrvelProject]\r\nHomeDir=/srv/www/\r\n|application/x-orvel-project
lower|[orvelproject]\nHomeDir=/srv/www/\n|application/x-orvel-project
settings|[Option]\nIgnoreCase=1\n|text/plain
near|[OrvelProjects]\n|text/plain
CASES

# Every manual page renders without a warning, in a UTF-8 locale as the Japanese ones need.
for page in {,ja/}man1/{orvel-check,uoorvel}.1.gz; do
    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/$page" 2>&1 >/dev/null)
    [ -z "$out" ] || fail "man $page: $out"
done

# What bash completes after each command line, with the installed completion loaded by
# bash-completion as it loads it from its folder.
completion_cases='orvel-check --fo|--format
orvel-check --format |gnu json sarif text
orvel-check --format=j|json
orvel-check --set Ig|IgnoreCase= IgnoreHTMLInfo= IgnoreJavaScript=
orvel-check --set IgnoreCase=|0 1
orvel-check --set ModernHTML=0|0
orvel-check --set DefaultFileName=|
orvel-check --project |B.OPR a.opr docs
orvel-check --server-root |docs
orvel-check |docs
orvel-check --top |B.OPR a.opr docs notes.txt
orvel-check --server-root docs --top |B.OPR a.opr docs notes.txt
orvel-check docs --top |guide.html img/
orvel-check --quiet docs --exclude i|img/
orvel-check docs --top=g|guide.html
orvel-check --set IgnoreCase=1 docs --exclude img/|img/logo.png
orvel-check --write-project |B.OPR a.opr docs
orvel-check --ignore-l|--ignore-link'
mkdir -p "$tmp/site/docs/img" && touch "$tmp/site/a.opr" "$tmp/site/B.OPR" "$tmp/site/notes.txt" \
    "$tmp/site/docs/guide.html" "$tmp/site/docs/img/logo.png"
completions=$(cd "$tmp/site" && bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    compopt() { :; } # only valid while readline completes
    while IFS="|" read -r line _; do
        COMP_LINE=$line COMP_POINT=${#line}
        read -ra COMP_WORDS <<<"$line"
        [[ $line == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMPREPLY=()
        _orvel_check orvel-check "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
        echo "$line|$(printf "%s\n" "${COMPREPLY[@]}" | sort | xargs)"
    done' _ "$share/bash-completion/completions/orvel-check" <<<"$completion_cases")
[ "$completions" = "$completion_cases" ] || fail "completions differ:
$(diff <(echo "$completion_cases") <(echo "$completions"))"

"$root/usr/bin/orvel-check" --version >/dev/null || fail "installed orvel-check does not run"
# The desktop program answers --help and --version on a terminal without any display.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
out=$("${nodisplay[@]}" "$root/usr/bin/uoorvel" --version) || fail "uoorvel --version: status $?"
[ "$out" = "uoorvel $("$root/usr/bin/orvel-check" --version | cut -d' ' -f2)" ] ||
    fail "uoorvel --version: $out"
out=$("${nodisplay[@]}" "$root/usr/bin/uoorvel" -platform xcb --help) || fail "uoorvel --help: status $?"
[[ "$out" == "Usage: uoorvel "*"--version"* ]] || fail "uoorvel --help: $out"
out=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/uoorvel" --bogus 2>&1 >/dev/null)
status=$?
[[ $status -eq 2 && "$out" == *"--bogus"* ]] || fail "uoorvel --bogus: status $status, $out"
[ "$failures" -eq 0 ]
