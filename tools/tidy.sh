#!/usr/bin/env bash
# tools/tidy.sh BUILD [BASE]: clang-tidy (with the repository's .clang-tidy) on the C++ sources
# that changed since BASE, or on every source without BASE; BUILD holds compile_commands.json.
# Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
base=${2:-}
if [[ -n "$base" ]]; then
  mapfile -t files < <(git diff --name-only --diff-filter=d "$base" -- '*.cpp' | grep -v -e '^tests/' -e '^fuzz/' -e '^bench/' || true)
else
  mapfile -t files < <(git ls-files -- '*.cpp' | grep -v -e '^tests/' -e '^fuzz/' -e '^bench/')
fi
[[ ${#files[@]} -eq 0 ]] && { echo "tidy: no changed sources"; exit 0; }
echo "tidy: ${#files[@]} sources"
run-clang-tidy-14 -quiet -p "$build" -j "$(nproc)" "${files[@]/#/$PWD/}" > "$build/tidy.log" 2>&1 || {
  grep -E 'error:|warning:' "$build/tidy.log" | sort -u
  exit 1
}
