#!/usr/bin/env bash
# Builds the Debian package from a release build in build-package/ and checks
# it with lintian.
#   package.sh [extra CMake options...]
# Then: sudo apt-get install ./build-package/tovra-mascot_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$root/build-package

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Release -DMASCOT_TESTS=OFF -DMASCOT_BENCH=OFF "$@"
rm -f "$dir"/tovra-mascot_*.deb
(cd "$dir" && cpack -G DEB)
deb=$(ls "$dir"/tovra-mascot_*.deb)
# Errors fail the script; warnings are shown but let it pass.
lintian --fail-on error "$deb"
echo "$deb"
