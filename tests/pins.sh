#!/usr/bin/env bash
# What brainloft-make writes for fixed seeds and inputs, pinned: the bytes of every puzzle file
# (as SHA-256), the text `show` prints, and the text of the printed PDFs. A change to any of
# them is a change users see in their files and pages, so it must be deliberate:
#   tests/pins.sh MAKER SAMPLES EXPECTED           compare (the test)
#   tests/pins.sh MAKER SAMPLES EXPECTED --update  write EXPECTED anew, then review the diff
set -euo pipefail
maker=$(realpath "$1")
samples=$(realpath "$2")
expected=$(realpath -m "$3")
mode="${4:-}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$samples" pictures >/dev/null

printf 'cat\ndog\nhorse\nelephant\ngiraffe\nzebra\n' > animals.txt
# 28 words of ten letters: the densest list a build usually still places whole.
printf '%s\n' ABSOLUTELY BACKGROUND CALCULATED DISCOVERED EARTHQUAKE FAVOURABLE GENERATION \
  HELICOPTER IMPORTANCE JOURNALIST KNOWLEDGES LEADERSHIP MOUNTAINED NEWSLETTER OBLIGATION \
  PARTICULAR QUARANTINE REASONABLE STRAWBERRY TELESCOPES UNDERSTAND VEGETABLES WATERPROOF \
  XYLOPHONES YESTERDAYS ZOOKEEPERS ATMOSPHERE BLACKBOARD > dense.txt
printf 'THE QUICK BROWN FOX\nJUMPS OVER 12 LAZY DOGS\n\nA STITCH IN TIME SAVES NINE.\n' > quote.txt

out=results.txt
: > "$out"
run() { # run ARGS...: the command line, its status and standard output
  local status=0
  echo "== ${*//$work/WORK}" >> "$out"
  "$maker" "$@" > stdout.txt 2> stderr.txt || status=$?
  echo "status $status" >> "$out"
  sed "s#$work#WORK#g" stdout.txt stderr.txt >> "$out"
}
pin() { # pin FILE...: the bytes of each file
  local f
  for f in "$@"; do
    echo "sha256 $(basename "$f") $(sha256sum < "$f" | cut -d' ' -f1)" >> "$out"
  done
}
pdftext() { # the text of a PDF, one page after another
  echo "-- text of $(basename "$1")" >> "$out"
  pdftotext -layout "$1" - | sed 's/[[:space:]]*$//' | grep -v '^$' >> "$out"
}

run wordsearch animals.txt Animals --seed 42 --folder .
pin Animals.wsp
run show Animals.wsp
run wordsearch dense.txt Dense --seed 1 --folder . --retry 10
pin Dense.wsp
run show Dense.wsp
run cryptogram quote.txt Quote --level 5 --seed 42 --folder .
pin Quote.sbp
run show Quote.sbp
run cryptogram quote.txt Plain --level 0 --seed 9 --folder .
pin Plain.sbp
for level in 30 60 100; do
  run maze "Maze$level" --level "$level" --seed 7 --folder .
  pin "Maze$level.mzp"
done
run show Maze30.mzp
for picture in window.png square.bmp interlaced.gif landscape.jpg progressive.JPEG; do
  name="Pic${picture%%.*}"
  run picture "pictures/$picture" "$name" --seed 3 --folder .
  pin "$name.tlp1" "$name.tlp2" "$name.tlp3"
  run show "$name.tlp1"
done
run picture-export Picwindow.tlp1 window-solved.png
pin window-solved.png
for file in Animals.wsp Quote.sbp Maze30.mzp; do
  run print "$file" "$file.pdf" --pages both --copies 2
  pdftext "$file.pdf"
done
run print Maze100.mzp Maze100.pdf --pages key --paper letter
pdftext Maze100.pdf

if [ "$mode" = "--update" ]; then
  cp "$out" "$expected"
  echo "pins written to $expected"
  exit 0
fi
if diff -u "$expected" "$out"; then
  echo "every pin holds"
else
  echo "pins differ from $expected (see the diff above)"
  exit 1
fi
