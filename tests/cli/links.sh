#!/usr/bin/env bash
# brainloft-make links neither Qt Widgets nor Qt Print Support, and starts without Qt Gui: the
# built program and its part that draws, as the dynamic linker loads them; then the configure
# check that keeps such links out of the build, on a small project of each kind of link.
#   links.sh MAKER MODULE SOURCE_DIR
set -euo pipefail
maker=$1 module=$2 source=$3
status=0
fail() { echo "links: $*" >&2; status=1; }

needs() { ldd "$1" | awk '{print $1}'; }
for lib in libQt6Widgets libQt6PrintSupport; do
  needs "$maker" | grep -q "^$lib\." && fail "brainloft-make needs $lib"
  needs "$module" | grep -q "^$lib\." && fail "the part that draws needs $lib"
done
needs "$maker" | grep -q '^libQt6Gui\.' && fail "brainloft-make needs libQt6Gui at start"
needs "$module" | grep -q '^libQt6Gui\.' || fail "the part that draws does not need libQt6Gui: is it the right file?"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for case in clean direct deep objects file; do
  if cmake -S "$source/tests/cli/forbidlinks" -B "$work/$case" -DCASE=$case \
       -DBRAINLOFT_CMAKE="$source/cmake/Brainloft.cmake" > "$work/$case.log" 2>&1; then
    [ "$case" = clean ] || fail "the configure check let the '$case' link through"
  else
    [ "$case" != clean ] || { cat "$work/$case.log" >&2; fail "the configure check refused a clean project"; }
    grep -q "maker must not link" "$work/$case.log" || fail "the '$case' refusal does not name the target"
  fi
done
[ $status = 0 ] && echo "no widgets, no print system, no Qt Gui at start"
exit $status
