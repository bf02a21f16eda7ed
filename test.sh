#!/usr/bin/env bash
# Installs what is missing, builds Brainloft and its tests in build/ and runs every test.
# The exit status is CTest's.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tools/setup.sh"
brainloft_install_missing
brainloft_build
cd "$BRAINLOFT_BUILD"
exec ctest --output-on-failure --parallel "$(nproc)"
