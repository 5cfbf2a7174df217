#!/usr/bin/env bash
# Benchmarks the external link check: a site of 100 pages whose 5,000 distinct external links
# name 50 local hosts (127.0.0.2 ... 127.0.0.51, 100 links each), served by
# bench/ExternalServer.py, which answers every request after 50 ms and counts the connections
# and requests each host has at once.
#
# With ExternalTotal=100 (50 hosts x 2) the per-host limit alone bounds the run: 5,000 x 50 ms /
# (50 x 2) = 2.5 s at best, and the goal is 1.5 times that, 3.75 s. With the default settings
# (16 transfers in all) the bound is 5,000 x 50 ms / 16 = 15.6 s. Each run asks every URL anew
# (ExternalCacheHours=0, and the cache under a temporary XDG_CACHE_HOME).
#
# Prints one table row per setting: the median wall time of RUNS runs (default 3; the default
# settings once), the time the limits allow, 1.5 times that, the ratio of the two times, the peak
# memory, and the most connections and requests in flight the server saw for one host. Exits 1
# when a host had more than 2 connections or requests at once or a URL was not answered ok.
#
# Builds nothing: expects measure in ${BUILD:-build}/bench and orvel-check in ${BUILD:-build}/cli.
# Called by run.sh; runs alone as well.
set -euo pipefail
export LC_ALL=C.UTF-8

BUILD=${BUILD:-build}
RUNS=${RUNS:-3}
BIN="$BUILD/bench"
CHECK="$BUILD/cli/orvel-check"
here=$(cd "$(dirname "$0")" && pwd)
hosts=50
urls=5000
for tool in "$BIN/measure" "$CHECK"; do
  if [[ ! -x "$tool" ]]; then
    echo "external.sh: $tool not found; build first (make build, or set BUILD)" >&2
    exit 2
  fi
done
for tool in python3 curl; do
  if ! command -v "$tool" > /dev/null; then
    echo "external.sh: $tool not found" >&2
    exit 2
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/orvel-external.XXXXXX")
server=""
cleanup() {
  if [[ -n "$server" ]]; then
    kill "$server" 2> /dev/null || true
    wait "$server" 2> /dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_CACHE_HOME="$work/cache"
status=0

python3 "$here/ExternalServer.py" 0 "$hosts" > "$work/server.out" &
server=$!
for _ in $(seq 100); do
  [[ -s "$work/server.out" ]] && break
  sleep 0.1
done
port=$(head -1 "$work/server.out")
if [[ -z "$port" ]]; then
  echo "external.sh: the server did not start" >&2
  exit 2
fi
stats() { curl -s "http://127.0.0.2:$port/stats"; }
stat_field() { python3 -c 'import json, sys; print(json.load(sys.stdin)[sys.argv[1]])' "$1"; }

# Page N links URLs 50N ... 50N + 49: one on each host.
mkdir -p "$work/site"
LC_ALL=C awk -v dir="$work/site" -v hosts="$hosts" -v urls="$urls" -v port="$port" 'BEGIN {
  pages = urls / hosts
  index_page = dir "/index.html"
  print "<html><head><title>index</title></head><body>" > index_page
  for (p = 0; p < pages; p++) {
    printf "<a href=\"p%d.html\">page %d</a>\n", p, p > index_page
    file = dir "/p" p ".html"
    printf "<html><head><title>page %d</title></head><body>\n", p > file
    for (i = 0; i < hosts; i++) {
      u = p * hosts + i
      printf "<a href=\"http://127.0.0.%d:%d/p/%d\">link %d</a>\n", 2 + u % hosts, port, u, u > file
    }
    print "</body></html>" > file
    close(file)
  }
  print "</body></html>" > index_page
}'

# run_check OUT SETTINGS...: one measured run; its report in $work/report.json.
run_check() {
  local out=$1
  shift
  "$BIN/measure" bash -c 'exec "$@" > "$0"' "$work/report.json" "$CHECK" --quiet --no-settings \
    --check-external --set ExternalCacheHours=0 "$@" --format json "$work/site" > "$out"
  local ok
  ok=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["externalSummary"]["ok"])' \
    "$work/report.json")
  if [[ "$ok" != "$urls" ]]; then
    echo "external.sh: $ok of $urls URLs ok" >&2
    status=1
  fi
  # The next run starts once the server has seen every connection of this one closed.
  for _ in $(seq 50); do
    [[ "$(stats | stat_field open)" == 0 ]] && break
    sleep 0.1
  done
}

median() {
  LC_ALL=C sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}
field() { awk -v k="$2" '$1 == k { print $2 }' "$1"; }

table="$work/table.txt"
# row NAME TOTAL WALL RSS_KB: the server's maxima are over every run so far.
row() {
  local json open flight
  json=$(stats)
  open=$(stat_field maxOpenPerHost <<< "$json")
  flight=$(stat_field maxInFlightPerHost <<< "$json")
  LC_ALL=C awk -v n="$1" -v t="$2" -v w="$3" -v m="$4" -v u="$urls" -v h="$hosts" -v c="$open" \
    -v f="$flight" \
    'BEGIN { total = t < 2 * h ? t : 2 * h; bound = u * 0.05 / total
      printf "| %s | %.3f s | %.2f s | %.2f s | %.2fx | %d MiB | %d | %d |\n", n, w, bound,
        1.5 * bound, w / bound, m / 1024, c, f }' \
    >> "$table"
  if (( open > 2 || flight > 2 )); then
    echo "external.sh: more than 2 connections or requests at once on one host" >&2
    status=1
  fi
}

printf '| %s | %s | %s | %s | %s | %s | %s | %s |\n' "$urls URLs, $hosts hosts, 50 ms each" \
  orvel-check "limits allow" "1.5x that" ratio "peak RSS" "most connections per host" \
  "most requests per host" > "$table"
printf '|---|---:|---:|---:|---:|---:|---:|---:|\n' >> "$table"

: > "$work/wall.txt"; : > "$work/rss.txt"
for run in $(seq "$RUNS"); do
  run_check "$work/one.txt" --set ExternalTotal=100
  field "$work/one.txt" wall >> "$work/wall.txt"
  field "$work/one.txt" peak_rss_kb >> "$work/rss.txt"
  echo "run $run   ExternalTotal=100   $(field "$work/one.txt" wall) s" \
    "  $(( $(field "$work/one.txt" peak_rss_kb) / 1024 )) MiB"
done
row "ExternalTotal=100, median of $RUNS" 100 "$(median < "$work/wall.txt")" \
  "$(LC_ALL=C sort -n "$work/rss.txt" | tail -1)"

run_check "$work/one.txt"
echo "default settings (ExternalTotal=16)   $(field "$work/one.txt" wall) s"
row "default settings (16 in all)" 16 "$(field "$work/one.txt" wall)" \
  "$(field "$work/one.txt" peak_rss_kb)"

echo "requests the server answered: $(stats | stat_field requests)" \
  "($(( (RUNS + 1) * urls )) asked for)"
cat "$table"
exit "$status"
