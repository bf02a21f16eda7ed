#!/usr/bin/env bash
# Installs what is missing, builds Brainloft in build/ and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/tools/setup.sh"
brainloft_install_missing
brainloft_build
exec "$BRAINLOFT_BUILD/brainloft" "$@"
