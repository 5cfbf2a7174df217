#!/usr/bin/env bash
# Benchmarks the check's folder scan, link extraction and classification (ScanHomeFolder), and a
# whole orvel-check run with its JSON report.
#
# Builds nothing: expects gen_site, bench_scan, bench_project and measure in
# ${BUILD:-build}/bench and orvel-check in ${BUILD:-build}/cli (`make bench` builds them first).
# Generates a site of ${PAGES:-20000} pages in a temporary folder, warms the page cache with one
# read of every file (no cache is dropped), then times reading every file with cat (best of 3)
# against ScanHomeFolder and against a whole orvel-check run (best of 3 each), and times the
# pathological single files, the peak memory of orvel-check on one large HTML file (${BIG_MB:-200}
# MB) and the loading and saving of project files with many entries. The temporary folder is
# removed at the end.
set -euo pipefail

BUILD=${BUILD:-build}
PAGES=${PAGES:-20000}
BIN="$BUILD/bench"
for tool in gen_site bench_scan bench_project measure; do
  if [[ ! -x "$BIN/$tool" ]]; then
    echo "run.sh: $BIN/$tool not found; build first (make build, or set BUILD)" >&2
    exit 2
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/orvel-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
site="$work/site"

now() { LC_ALL=C date +%s.%N; }
elapsed() { LC_ALL=C awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
smaller() { LC_ALL=C awk -v a="$1" -v b="$2" 'BEGIN { print ((a == "" || b < a) ? b : a) }'; }
# rate AMOUNT SECONDS DIVISOR DECIMALS: AMOUNT / DIVISOR per second.
rate() {
  LC_ALL=C awk -v n="$1" -v s="$2" -v u="$3" -v d="$4" \
    'BEGIN { fmt = "%." d "f"; printf fmt, (s > 0 ? n / u / s : 0) }'
}

echo "== generating $PAGES pages"
"$BIN/gen_site" "$site" "$PAGES"
files=$(find "$site" -type f | wc -l)
bytes=$(find "$site" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')

echo "== cat over $files files (page cache warmed once, nothing dropped)"
find "$site" -type f -exec cat {} + > /dev/null
cat_best=""
for run in 1 2 3; do
  start=$(now)
  find "$site" -type f -exec cat {} + > /dev/null
  seconds=$(elapsed "$start" "$(now)")
  echo "run $run        $seconds s"
  cat_best=$(smaller "$cat_best" "$seconds")
done

echo "== ScanHomeFolder on the site"
status=0
"$BIN/bench_scan" --repeat 3 "$site" | tee "$work/extract.txt" || status=1
field() { awk -v k="$1" '$1 == k { print $2; exit }' "$work/extract.txt"; }

echo "== orvel-check --format json --quiet on the site (best of 3)"
check_best=""
check_rss=""
for run in 1 2 3; do
  "$BIN/measure" "$BUILD/cli/orvel-check" --settings "$work/none.ini" --format json --quiet \
    --top index.html "$site" > "$work/check.txt"
  seconds=$(awk '$1 == "wall" { print $2 }' "$work/check.txt")
  rss=$(awk '$1 == "peak_rss_kb" { print $2 }' "$work/check.txt")
  echo "run $run        $seconds s, peak $((rss / 1024)) MiB"
  if [[ "$(smaller "$check_best" "$seconds")" == "$seconds" ]]; then check_rss=$rss; fi
  check_best=$(smaller "$check_best" "$seconds")
done

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
"$BIN/measure" "$BUILD/cli/orvel-check" --settings "$work/none.ini" --format json --quiet \
  "$work/big" > "$work/big.txt"
big_rss=$(awk '$1 == "peak_rss_kb" { print $2 }' "$work/big.txt")
rm -rf "$work/big"

echo "== loading and saving project files of many entries"
"$BIN/bench_project" > "$work/project.txt" || status=1

open_best=$(field best)
links=$(field links)
echo
echo "== summary: $PAGES pages, $files files, $bytes bytes, ${links:-?} links (best of 3)"
printf '%-12s %10s %10s %10s %12s\n' "" "seconds" "files/s" "MB/s" "links/s"
printf '%-12s %10s %10s %10s %12s\n' "cat" "$cat_best" "$(rate "$files" "$cat_best" 1 0)" \
  "$(rate "$bytes" "$cat_best" 1e6 1)" "-"
if [[ -n "$open_best" ]]; then
  printf '%-12s %10s %10s %10s %12s\n' "FolderScan" "$open_best" "$(field files/s)" \
    "$(field MB/s)" "$(field links/s)"
else
  printf '%-12s %10s\n' "FolderScan" "failed"
fi
printf '%-12s %10s %10s %10s %12s   peak %s MiB, %sx cat\n' "orvel-check" "$check_best" \
  "$(rate "$files" "$check_best" 1 0)" "$(rate "$bytes" "$check_best" 1e6 1)" "-" \
  "$((check_rss / 1024))" "$(LC_ALL=C awk -v a="$check_best" -v b="$cat_best" 'BEGIN { printf "%.1f", a / b }')"
echo "pathological files (1 MB = 10^6 bytes):"
grep -v '^code page' "$work/patho.txt" | sed 's/^/  /'
echo "one large file: $((big_bytes / 1000000)) MB, orvel-check peak $((big_rss / 1024)) MiB," \
  "$(LC_ALL=C awk -v r="$big_rss" -v b="$big_bytes" 'BEGIN { printf "%.2f", r * 1024 / b }')x the file"
echo "project files (time per entry stays flat when loading and saving are linear):"
sed 's/^/  /' "$work/project.txt"
exit "$status"
