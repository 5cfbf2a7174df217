#!/usr/bin/env bash
# Runs every fuzz target in ${FUZZ_BUILD:-build-fuzz}/fuzz for ${FUZZ_SECONDS:-60} seconds over
# its seed corpus (fuzz/corpus/<target>, read only) and the inputs it found before
# (<build>/corpus/<target>), and prints the executions each reached. A finding (crash, leak,
# undefined behaviour, a property that does not hold, a time-out) is saved as
# <build>/<target>-crash-... and fails the run; its log is shown.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${FUZZ_BUILD:-build-fuzz}
EACH=${FUZZ_SECONDS:-60}
status=0
shopt -s nullglob
targets=("$BUILD"/fuzz/*Fuzz)
if [[ ${#targets[@]} -eq 0 ]]; then
  echo "run.sh: no fuzz targets in $BUILD/fuzz; build them first (make fuzz)" >&2
  exit 2
fi
for target in "${targets[@]}"; do
  name=$(basename "$target")
  found="$BUILD/corpus/$name"
  log="$BUILD/$name.log"
  mkdir -p "$found"
  if "$target" -max_total_time="$EACH" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$BUILD/$name-" "$found" "fuzz/corpus/$name" > "$log" 2>&1; then
    runs=$(awk '$1 == "stat::number_of_executed_units:" { print $2 }' "$log")
    printf '%-22s %12s executions in %s s, no finding\n' "$name" "${runs:-?}" "$EACH"
  else
    echo "$name: FINDING (log $log)"
    tail -n 40 "$log"
    status=1
  fi
done
exit "$status"
