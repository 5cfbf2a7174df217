#!/usr/bin/env bash
# Benchmarks a whole check against reading the same files, on the generated site and on the
# Debian manuals that are installed (`make bench-deps` installs them), then the folder scan on
# pathological single files, the peak memory on one large file, the diagnosis of 20,000 broken
# anchor links into one page of 20,000 anchors, the main window on the generated
# site and on one of 100,000 files, the loading and saving of project files, and last the check
# of 5,000 external links on 50 local hosts (bench/external.sh, which also runs alone).
#
# Builds nothing: expects gen_site, bench_scan, bench_project and measure (and, with the desktop
# program, bench_window) in ${BUILD:-build}/bench and orvel-check in ${BUILD:-build}/cli
# (`make bench` builds them first).
#
# The table: for each site (the Debian manuals, the 20,000 pages of gensite.py, heavy in links,
# then the Shift-JIS site of gen_site), RUNS (default 5) runs of `orvel-check --format json
# --quiet --top index.html SITE` and of `find SITE -type f -print0 | xargs -0 cat > /dev/null`,
# paired one after the other, after one run of each to warm the page cache (no cache is
# dropped); the median of each, their ratio, and orvel-check's peak memory, under the default
# (modern) rules.
# The report of each site under the original rules and image extensions of then (--set
# ModernHTML=0, without .SVG.WEBP.AVIF, which count as images since) is also compared with
# the reference: the SHA-256 of the reports of the program before its speed work, in
# bench/reference-reports.txt (for the manuals, of the package version named there), or, with
# REFERENCE=/path/to/orvel-check, the reports of that program, byte for byte. A report that
# differs makes the exit status 1. LC_ALL is C.UTF-8 throughout, so the reports are UTF-8.
#
# The generated sites are made in a temporary folder, removed at the end; PAGES (default 20000)
# sets the size of the first, BIG_PAGES (default 100000) that of the one for the main window.
set -euo pipefail
export LC_ALL=C.UTF-8

BUILD=${BUILD:-build}
PAGES=${PAGES:-20000}
BIG_PAGES=${BIG_PAGES:-100000}
RUNS=${RUNS:-5}
BIN="$BUILD/bench"
CHECK="$BUILD/cli/orvel-check"
here=$(cd "$(dirname "$0")" && pwd)
for tool in "$BIN/gen_site" "$BIN/bench_scan" "$BIN/bench_project" "$BIN/measure" "$CHECK"; do
  if [[ ! -x "$tool" ]]; then
    echo "run.sh: $tool not found; build first (make build, or set BUILD)" >&2
    exit 2
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/orvel-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0

median() { LC_ALL=C sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
# measure_field FILE KEY: a value that measure printed.
measure_field() { awk -v k="$2" '$1 == k { print $2 }' "$1"; }
reference_settings=(--set ModernHTML=0 --set ExtListImg=.JPG.JPEG.GIF.PNG.XPM.XBM)
check_site() { "$CHECK" --settings "$work/none.ini" --format json --quiet --top index.html "$@"; }

# The report with its home folder (as given and upper-cased, as TOP pages are held) as HOME/.
normalized_report() {
  local home="${2%/}/" upper
  upper=$(printf '%s' "$home" | tr 'a-z' 'A-Z')
  # Without the members added since the reference: the report's version, the project's link
  # patterns, each file's diagnoses and linkedFrom, and everything after the orphans (what could
  # not be read, the counts of html5-id links and of those the modern rules would find, the
  # broken targets).
  perl -0pe 's/\A\{\n  "version": 1,\n/{\n/; s/, "ignoreLinks": \[[^\n]*\]//;
    s/,\n     "diagnoses": [^\n]*\]//g; s/,\n  "errors": .*(?=\n\}\n\z)//s' "$1" |
    sed -e "s|\"${home//./\\.}|\"HOME/|g" -e "s|\"${upper//./\\.}|\"HOME/|g"
}

# compare_report KEY SITE REPORT: against REFERENCE's report, else the recorded digest.
compare_report() {
  local key=$1 site=$2 report=$3 expected actual
  if [[ -n "${REFERENCE:-}" ]]; then
    "$REFERENCE" --settings "$work/none.ini" --format json --quiet --top index.html \
      "${reference_settings[@]}" "$site" > "$work/reference.json" || true
    if cmp -s "$report" "$work/reference.json"; then echo "same as $REFERENCE"; return; fi
  else
    expected=$(awk -v k="$key" '$0 !~ /^#/ && substr($0, 1, length(k) + 1) == k " " { print $NF }' \
      "$here/reference-reports.txt")
    if [[ -z "$expected" ]]; then echo "no reference for $key"; return; fi
    actual=$(normalized_report "$report" "$site" | sha256sum | cut -d' ' -f1)
    if [[ "$actual" == "$expected" ]]; then echo "same as the reference"; return; fi
  fi
  echo "DIFFERENT from the reference" >&2
  echo "DIFFERENT"
}

echo "== generating $PAGES pages with gen_site and 20000 with gensite.py"
"$BIN/gen_site" "$work/site" "$PAGES"
python3 "$here/gensite.py" --out "$work/links" --manifest "$work/links.json" > /dev/null

# name|folder|reference key
sites=()
manual() { # package folder name
  local version
  version=$(dpkg-query -W -f='${Version}' "$1" 2>/dev/null || true)
  if [[ -n "$version" && -d "$2" ]]; then
    sites+=("$3|$2|$1 $version")
  else
    echo "(skipping the $3: package $1 is not installed; make bench-deps installs it)"
  fi
}
manual postgresql-doc-15 /usr/share/doc/postgresql-doc-15/html "PostgreSQL 15 manual"
manual python3.11-doc /usr/share/doc/python3.11/html "Python 3.11 manual"
manual libstdc++-12-doc /usr/share/doc/libstdc++-12-doc/libstdc++ "libstdc++ manual"
sites+=("gensite.py, 20000 pages, 60 links each|$work/links|gensite 20000"
        "gen_site, $PAGES pages, Shift-JIS|$work/site|generated $PAGES")

table="$work/table.txt"
printf '| %s | %s | %s | %s | %s | %s | %s | %s |\n' site files "HTML MB" cat orvel-check \
  ratio "peak RSS" report > "$table"
printf '|---|---:|---:|---:|---:|---:|---:|---|\n' >> "$table"
gen_check=""
for entry in "${sites[@]}"; do
  IFS='|' read -r name site key <<< "$entry"
  echo "== $name: cat and orvel-check, $RUNS runs each, one after the other"
  files=$(find "$site" -type f | wc -l)
  html=$(find "$site" -type f \( -iname '*.htm' -o -iname '*.html' -o -iname '*.shtml' \) \
    -printf '%s\n' | awk '{ s += $1 } END { printf "%.1f", s / 1e6 }')
  # The reference is of the original rules: the report under them warms the cache.
  check_site "${reference_settings[@]}" "$site" > "$work/report.json" || true
  find "$site" -type f -print0 | xargs -0 cat > /dev/null
  : > "$work/cat.txt"; : > "$work/check.txt"; : > "$work/rss.txt"
  for run in $(seq "$RUNS"); do
    "$BIN/measure" "$CHECK" --settings "$work/none.ini" --format json --quiet --top index.html \
      "$site" > "$work/one.txt"
    check_s=$(measure_field "$work/one.txt" wall)
    measure_field "$work/one.txt" peak_rss_kb >> "$work/rss.txt"
    "$BIN/measure" bash -c 'find "$1" -type f -print0 | xargs -0 cat > /dev/null' _ "$site" \
      > "$work/one.txt"
    cat_s=$(measure_field "$work/one.txt" wall)
    echo "$cat_s" >> "$work/cat.txt"
    echo "$check_s" >> "$work/check.txt"
    echo "run $run   orvel-check $check_s s   cat $cat_s s"
  done
  verdict=$(compare_report "$key" "$site" "$work/report.json")
  echo "report: $verdict"
  [[ "$verdict" != DIFFERENT ]] || status=1 # compare_report ran in a subshell
  cat_m=$(median < "$work/cat.txt")
  check_m=$(median < "$work/check.txt")
  [[ "$site" == "$work/site" ]] && gen_check=$check_m
  LC_ALL=C awk -v n="$name" -v f="$files" -v h="$html" -v c="$cat_m" -v o="$check_m" \
    -v r="$(LC_ALL=C awk -v a="$check_m" -v b="$cat_m" 'BEGIN { print (b > 0 ? a / b : 0) }')" \
    -v m="$(LC_ALL=C sort -n "$work/rss.txt" | tail -1)" \
    -v v="$verdict" 'BEGIN { printf "| %s | %d | %s | %.3f s | %.3f s | %.1fx | %d MiB | %s |\n",
      n, f, h, c, o, r, m / 1024, v }' >> "$table"
done

echo "== the scan of the generated site, then the diagnoses of its invalid links and its back-links"
"$BIN/bench_scan" --repeat 3 "$work/site" > "$work/findings.txt" || status=1

echo "== ScanHomeFolder on pathological single files"
"$BIN/bench_scan" --repeat 3 --pathological > "$work/patho.txt" || status=1

echo "== peak memory of orvel-check on one HTML file of ${BIG_MB:-200} MB"
# 16,500 distinct links, between them tags that repeat the same few values millions of times.
mkdir -p "$work/big"
LC_ALL=C awk -v bytes="$(( ${BIG_MB:-200} * 1000000 ))" 'BEGIN {
  links = 16500
  unit = "<td id=c>x</td><img src=\"a.gif\" alt=\"x\"><p>y</p><div>z</div>\n"
  filler = ""
  while (length(filler) < bytes / links - 20) filler = filler unit
  for (i = 0; i < links; i++) printf "<a href=\"p%d.html\">%s", i, filler
}' > "$work/big/index.html"
big_bytes=$(stat -c %s "$work/big/index.html")
"$BIN/measure" "$CHECK" --settings "$work/none.ini" --format json --quiet "$work/big" \
  > "$work/big.txt"
big_rss=$(measure_field "$work/big.txt" peak_rss_kb)
rm -rf "$work/big"

echo "== peak memory of orvel-check on a link-dense page of ${BIG_MB:-200} MB, for each report"
# A one-page manual: a million sections, each with an id and a link to another section; every
# second one links into one of 300 other pages (20 of them missing) at anchors mostly missing.
mkdir -p "$work/dense"
LC_ALL=C awk -v sections="$(( ${BIG_MB:-200} * 5000 ))" 'BEGIN {
  print "<html><head><meta charset=utf-8><title>manual</title></head><body>"
  for (i = 0; i < sections; i++) {
    printf "<h3 id=\"sec-%d\">Section %d</h3><p>Some words of the section to fill a line, more words here and there.", i, i
    printf " See <a href=\"#sec-%d\">section %d</a>", (i * 7919) % sections, (i * 7919) % sections
    if (i % 2 == 0) printf " and <a href=\"part%d.html#p%d\">part %d</a>", i % 300, i % 1000, i % 300
    print ".</p>"
  }
  print "</body></html>"
}' > "$work/dense/index.html"
for i in $(seq 0 279); do echo "<p id=p1>x</p>" > "$work/dense/part$i.html"; done
dense_bytes=$(stat -c %s "$work/dense/index.html")
for format in text json gnu; do
  "$BIN/measure" "$CHECK" --settings "$work/none.ini" --format "$format" --quiet \
    --top index.html "$work/dense" > "$work/dense-$format.txt"
done
rm -rf "$work/dense"

echo "== orvel-check on 20,000 broken anchor links into a page of 20,000 anchors"
# Each link swaps two letters of an anchor's name: exactly one anchor is within two edits.
mkdir -p "$work/anchors"
LC_ALL=C awk 'BEGIN { for (i = 0; i < 20000; i++) printf "<h2 id=section-%d>x</h2>\n", i }' \
  > "$work/anchors/page.html"
LC_ALL=C awk 'BEGIN { for (i = 0; i < 20000; i++) printf "<a href=page.html#sectoin-%d>x</a>\n", i }' \
  > "$work/anchors/index.html"
"$BIN/measure" "$CHECK" --settings "$work/none.ini" --format json --quiet "$work/anchors" \
  > "$work/anchors.txt"
rm -rf "$work/anchors"

window="$work/window.txt"
: > "$window"
if [[ -x "$BIN/bench_window" ]]; then
  echo "== the main window on both generated sites and on one of $BIG_PAGES pages (offscreen)"
  for pages in links "$PAGES" "$BIG_PAGES"; do
    folder="$work/site"
    if [[ "$pages" == links ]]; then
      folder="$work/links"
    elif [[ "$pages" != "$PAGES" ]]; then
      rm -rf "$work/site" "$work/links"
      folder="$work/bigsite"
      "$BIN/gen_site" "$folder" "$pages" > /dev/null
    fi
    files=$(find "$folder" -type f | wc -l)
    # The deleted page goes to a trash of the run's own.
    XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen "$BIN/bench_window" "$folder" 2> /dev/null \
      | sed "s/^/  $files files: /" | tee -a "$window"
  done
fi

echo "== loading and saving project files of many entries"
"$BIN/bench_project" > "$work/project.txt" || status=1

echo "== the check of 5,000 external links on 50 local hosts, each answer after 50 ms"
BUILD="$BUILD" RUNS="$RUNS" bash "$here/external.sh" | tee "$work/external.txt" || status=1

echo
echo "== summary: median of $RUNS runs, orvel-check and cat one after the other in each run"
cat "$table"
findings=$(awk '$1 == "findings" { print $2 }' "$work/findings.txt")
echo "diagnoses of every invalid link and the back-link index on the generated site:" \
  "$findings s after the best of 3 scans, $(LC_ALL=C awk -v f="$findings" -v c="$gen_check" \
  'BEGIN { printf "%.1f", 100 * f / (c - f) }') % added to the rest of the orvel-check run ($gen_check s in all)"
echo "pathological files (1 MB = 10^6 bytes):"
grep -v '^code page' "$work/patho.txt" | sed 's/^/  /'
echo "one large file: $((big_bytes / 1000000)) MB, orvel-check peak $((big_rss / 1024)) MiB," \
  "$(LC_ALL=C awk -v r="$big_rss" -v b="$big_bytes" 'BEGIN { printf "%.2f", r * 1024 / b }')x the file"
echo "link-dense page: $((dense_bytes / 1000000)) MB, the goal twice the file and 64 MiB:" \
  "$(( (2 * dense_bytes / 1048576) + 64 )) MiB; orvel-check peak" \
  "$(for format in text json gnu; do
       printf '%s %s MiB ' "$format" $(( $(measure_field "$work/dense-$format.txt" peak_rss_kb) / 1024 ))
     done)"
echo "20,000 broken anchor links into one page of 20,000 anchors, each diagnosed:" \
  "$(measure_field "$work/anchors.txt" wall) s, peak $(( $(measure_field "$work/anchors.txt" peak_rss_kb) / 1024 )) MiB"
if [[ -s "$window" ]]; then
  echo "main window (orvel-check on the generated site: $gen_check s):"
  cat "$window"
fi
echo "project files (time per entry stays flat when loading and saving are linear):"
sed 's/^/  /' "$work/project.txt"
echo "external links (ExternalTotal=100: the two connections per host alone bound the run):"
grep '^|' "$work/external.txt"
exit "$status"
