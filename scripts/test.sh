#!/usr/bin/env bash
# The whole check on a fresh Debian machine: installs what is missing, builds,
# runs every test, then the core tests under ASan/UBSan and each fuzz target
# briefly on its seed corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh

bash scripts/build.sh "$root/build"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
(cd build && ctest --output-on-failure -j "$(nproc)") | tee -a "$log"

echo "== core tests with AddressSanitizer and UndefinedBehaviorSanitizer"
bash scripts/build.sh "$root/build-sanitize" -DMASCOT_SANITIZE=ON -DMASCOT_BENCH=OFF
(cd build-sanitize && ctest --output-on-failure -j "$(nproc)") | tee -a "$log"

echo "== fuzz targets on their seed corpora"
bash scripts/fuzz.sh "${MASCOT_FUZZ_SECONDS:-30}"

# Every step above stops the script on a failure, so reaching here means all passed.
passed=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" | awk '{ n += $1 } END { print n + 0 }')
echo "tests: $passed passed, 0 failed"
