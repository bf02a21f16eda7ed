#!/usr/bin/env bash
# Checks what an installation brings: the menu entry and the AppStream data validate, the man
# pages render without a warning, and a staged install holds exactly the expected files.
#   check-install.sh BUILD BINDIR DATADIR MANDIR LIBDIR   (the last four relative to the prefix)
# Exits 77 (skipped) when a checking tool is missing.
set -euo pipefail
build=$1 bindir=$2 datadir=$3 mandir=$4 libdir=$5
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
id=example.oakhollow.brainloft

for tool in desktop-file-validate appstreamcli man; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is missing (tools/build-deb.sh installs it)"
    exit 77
  fi
done

status=0
say() { echo "check-install: $*" >&2; status=1; }

out=$(desktop-file-validate "$here/$id.desktop" 2>&1) || say "desktop-file-validate failed"
[ -z "$out" ] || say "desktop-file-validate: $out"
appstreamcli validate --no-net --pedantic "$here/$id.metainfo.xml" >/dev/null || say "appstreamcli validate failed"
for page in brainloft.6 brainloft-make.6; do
  out=$(MANWIDTH=80 man --warnings -l "$here/$page" 2>&1 >/dev/null) || say "man failed on $page"
  [ -z "$out" ] || say "man $page: $out"
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
actual=$(cd "$stage/usr" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
expected=$(
  {
    echo "$bindir/brainloft"
    echo "$bindir/brainloft-make"
    echo "$libdir/brainloft/brainloft-make-drawing.so"
    echo "$datadir/applications/$id.desktop"
    echo "$datadir/metainfo/$id.metainfo.xml"
    echo "$mandir/man6/brainloft.6"
    echo "$mandir/man6/brainloft-make.6"
    for size in 16 22 24 32 48 64 128 256; do
      echo "$datadir/icons/hicolor/${size}x$size/apps/$id.png"
    done
  } | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
  say "the staged install differs from the expected files:"
  diff <(echo "$expected") <(echo "$actual") >&2 || true
fi
if [ -n "$(cd "$stage" && find . -mindepth 1 -maxdepth 1 ! -name usr)" ]; then
  say "the staged install writes outside the prefix"
fi
exit $status
