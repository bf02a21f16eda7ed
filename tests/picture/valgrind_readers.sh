#!/usr/bin/env bash
# Every picture reader under valgrind's memcheck, through `brainloft-make picture`: no read of
# uninitialised memory may reach a saved puzzle, and no invalid read or write happens on the way.
#   tests/picture/valgrind_readers.sh MAKER SAMPLES CORPUS
# Skipped (77) where valgrind is not installed.
set -euo pipefail
maker=$(realpath "$1")
samples=$(realpath "$2")
corpus=$(realpath "$3")
command -v valgrind >/dev/null 2>&1 || { echo "valgrind is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$samples" pictures >/dev/null
pictures=(pictures/landscape.jpg pictures/progressive.JPEG pictures/cmyk.jpg pictures/interlaced.gif pictures/square.bmp
          pictures/top-down.bmp pictures/window.png pictures/interlaced.png pictures/icon.ico pictures/drawing.wmf
          pictures/drawing.emf "$corpus"/fuzz_picture_bmp/rle4.bmp "$corpus"/fuzz_picture_bmp/rle8.bmp
          "$corpus"/fuzz_picture_bmp/core-8.bmp "$corpus"/fuzz_picture_ico/alpha.ico "$corpus"/fuzz_picture_png/grey16.png)
failed=0
for picture in "${pictures[@]}"; do
  name=$(basename "$picture")
  status=0
  valgrind --quiet --error-exitcode=99 --undef-value-errors=yes --errors-for-leak-kinds=none \
    "$maker" picture "$picture" Checked --seed 1 --folder . >/dev/null 2>"valgrind.txt" || status=$?
  if [ "$status" -eq 99 ]; then
    echo "FAIL $name"
    cat valgrind.txt
    failed=1
  elif [ "$status" -ne 0 ]; then
    echo "FAIL $name: status $status"
    cat valgrind.txt
    failed=1
  else
    echo "ok   $name"
  fi
done
exit "$failed"
