#!/usr/bin/env bash
# Builds the Debian package brainloft_<version>_<arch>.deb into build-deb/ and checks it with
# lintian. Installs what the build needs (Debian 12, as root or with sudo). Not part of
# ./test.sh: a package build compiles everything once more.
#   tools/build-deb.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build-deb"

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
tools=(dpkg-dev debhelper lintian fakeroot desktop-file-utils appstream man-db)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get build-dep -y -qq "$root/"

# dpkg-buildpackage writes beside the source tree, so the tree is copied into build-deb/ first
# (the files git tracks, as they are now).
rm -rf "$out"
mkdir -p "$out/brainloft"
(cd "$root" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$out/brainloft")
# debhelper gives the build a home of its own; keep using the machine's compiler cache.
if command -v ccache >/dev/null 2>&1; then
  CCACHE_DIR="$(ccache -k cache_dir)"
  export CCACHE_DIR
fi
(cd "$out/brainloft" && dpkg-buildpackage -us -uc -b)

deb=$(ls "$out"/brainloft_*.deb)
echo "built $deb"
lintian -I --pedantic "$deb"
