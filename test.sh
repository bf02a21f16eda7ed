#!/usr/bin/env bash
# Installs what is missing, builds Brainloft and its tests in build/ and runs every test.
# The exit status is CTest's.
#   ./test.sh             the ordinary build in build/
#   ./test.sh --sanitize  the same suite under AddressSanitizer and UndefinedBehaviorSanitizer,
#                         built in build-asan/
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tools/setup.sh"
brainloft_install_missing
if [ "${1:-}" = "--sanitize" ]; then
  BRAINLOFT_BUILD="$BRAINLOFT_ROOT/build-asan"
  brainloft_build -DBRAINLOFT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DBRAINLOFT_BENCH=OFF
else
  brainloft_build
fi
cd "$BRAINLOFT_BUILD"
exec ctest --output-on-failure --parallel "$(nproc)"
