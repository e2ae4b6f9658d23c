#!/usr/bin/env bash
# The whole check on a fresh Debian machine: installs what is missing, builds,
# runs every test, then the core tests under ASan/UBSan and each fuzz target
# briefly on its seed corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh

bash scripts/build.sh "$root/build"
(cd build && ctest --output-on-failure -j "$(nproc)")

echo "== core tests with AddressSanitizer and UndefinedBehaviorSanitizer"
bash scripts/build.sh "$root/build-sanitize" -DMASCOT_SANITIZE=ON -DMASCOT_BENCH=OFF
(cd build-sanitize && ctest --output-on-failure -j "$(nproc)")

echo "== fuzz targets on their seed corpora"
bash scripts/fuzz.sh "${MASCOT_FUZZ_SECONDS:-30}"
