#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given number of
# seconds (default 30) on a copy of its committed seed corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
dir="$root/build-fuzz"
CC=clang CXX=clang++ bash "$root/scripts/build.sh" "$dir" -DMASCOT_FUZZ=ON -DMASCOT_TESTS=OFF -DMASCOT_BENCH=OFF

for target in "$dir"/fuzz/fuzz_*; do
  name=${target##*/fuzz_}
  seeds="$root/fuzz/corpus/$name"
  work="$dir/corpus/$name"
  mkdir -p "$work"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$work"/ 2>/dev/null || true
  echo "-- fuzz_$name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$dir/crash-$name-" "$work" >"$dir/$name.log" 2>&1; then
    tail -n 60 "$dir/$name.log"
    echo "fuzz_$name found a fault" >&2
    exit 1
  fi
  tail -n 2 "$dir/$name.log"
done
