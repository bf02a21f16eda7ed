#!/usr/bin/env bash
# Under a real window manager, every window that stores its place comes back at exactly the
# place and size it was closed with, restart after restart: the four play windows, both keys,
# the preview, the picker, the options and the instructions. The first run moves each one.
# Usage: restart_geometry.sh BRAINLOFT BRAINLOFT-MAKE [SCREEN]. Skipped (77) without Xvfb,
# openbox or xdotool.
set -u
program="$1"; maker="$2"; screen="${3:-1280x1024}"
for tool in Xvfb openbox xdotool xwininfo; do command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }; done

work=$(mktemp -d)
cleanup() { kill "$(cat "$work/pid" 2>/dev/null)" "${wm:-}" "${xserver:-}" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
# The program keeps its folders beside itself: give it a folder of its own.
mkdir -p "$work/prog/Brainloft puzzles" "$work/home/run" && chmod 700 "$work/home/run"
cp "$program" "$work/prog/brainloft"
puzzles="$work/prog/Brainloft puzzles"
printf 'cat\ndog\nhorse\n' > "$work/list.txt"
printf 'A QUIET NIGHT\n' > "$work/text.txt"
"$maker" wordsearch "$work/list.txt" Animals --folder "$puzzles" --seed 1 >/dev/null &&
  "$maker" cryptogram "$work/text.txt" Night --folder "$puzzles" --seed 1 >/dev/null &&
  "$maker" maze Walk --level 30 --folder "$puzzles" --seed 1 >/dev/null ||
  { echo "could not make the puzzles"; exit 1; }
# A picture of our own for the picture puzzle: a PPM the maker does not read, so a BMP by hand.
{
  printf 'BM'; printf '\x36\x10\x0e\x00'; printf '\x00\x00\x00\x00\x36\x00\x00\x00'
  printf '\x28\x00\x00\x00\x80\x02\x00\x00\xe0\x01\x00\x00\x01\x00\x18\x00\x00\x00\x00\x00'
  printf '\x00\x10\x0e\x00\x13\x0b\x00\x00\x13\x0b\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  head -c 921600 /dev/urandom
} > "$work/noise.bmp"
"$maker" picture "$work/noise.bmp" Noise --folder "$puzzles" --seed 1 >/dev/null || { echo "no picture puzzle"; exit 1; }

display=":$((100 + RANDOM % 400))"
Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 & xserver=$!
export DISPLAY="$display" HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/home/run"
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & wm=$!
sleep 1

visible() { # first visible window whose title matches
  local w=""
  for _ in $(seq 80); do w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1); [ -n "$w" ] && break; sleep 0.1; done
  echo "$w"
}
# Where the window's inside is on the screen, and its size (xwininfo: xdotool counts the frame twice).
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x "," y, w "x" h}'; }
click() {
  read -r x y < <(xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
  xdotool mousemove $((x + $2)) $((y + $3)) click 1; sleep 0.4
}
button() { click "$1" "$2" 16; } # a tool-strip button, by its middle's distance from the left

moving=""
report=""
# note NAME WINDOW X Y: on the moving run, move the window's frame to (X, Y); then record where
# it is and how large.
note() {
  [ -n "$2" ] || { echo "no $1 window"; return 1; }
  sleep 0.5 # settled in its frame
  if [ -n "$moving" ]; then xdotool windowmove "$2" "$3" "$4"; sleep 0.5; fi
  report+="$1 $(geometry "$2"); "
}
open_type() { # open_type ITEM TITLE: the launcher's item ITEM (0 to 3), OK, the play window
  click "$launcher" 215 $((145 + 31 * $1)); xdotool key Return
  visible "$2"
}
load_first() { # load the first puzzle through the picker, noting the picker when asked
  button "$1" 42
  local picker; picker=$(visible '^Select puzzle$')
  [ -n "$picker" ] || { echo "no picker" >&2; return 1; }
  if [ "${2:-}" = note ]; then note picker "$picker" 90 60 || return 1; fi
  xdotool windowactivate --sync "$picker" key Return; sleep 0.5
}
close_window() { xdotool windowactivate --sync "$1" key --clearmodifiers alt+F4; sleep 0.5; }

run() {
  report=""
  # Its output goes to a file: a program left running must not hold the report's pipe open.
  "$work/prog/brainloft" >>"$work/program.log" 2>&1 & pid=$!
  echo "$pid" > "$work/pid"
  launcher=$(visible '^Brainloft$')
  [ -n "$launcher" ] || { echo "no launcher"; return 1; }

  local main key options instructions
  main=$(open_type 2 '^Lettermoor') && note main "$main" 150 120 || return 1
  load_first "$main" note || return 1
  button "$main" 98; key=$(visible '^Key$') && note answers "$key" 600 300 || return 1
  button "$main" 210; options=$(visible '^Options$') && note options "$options" 300 200 || return 1
  xdotool windowactivate --sync "$options" key Escape; sleep 0.5
  button "$main" 291; instructions=$(visible '^Brainloft <Instructions>$') && note instructions "$instructions" 40 30 || return 1
  close_window "$instructions"
  close_window "$main"

  local crypt; crypt=$(open_type 1 '^Glyphwhirl') && note crypt "$crypt" 60 80 || return 1
  close_window "$crypt"

  local maze mazekey; maze=$(open_type 3 '^Windlepath') && note maze "$maze" 200 90 || return 1
  load_first "$maze" || return 1
  button "$maze" 73; mazekey=$(visible '^Key$') && note mazekey "$mazekey" 620 140 || return 1
  close_window "$maze"

  local pictures preview; pictures=$(open_type 0 '^Snapdoodle') && note pictures "$pictures" 10 40 || return 1
  load_first "$pictures" || return 1
  button "$pictures" 73; preview=$(visible '^Puzzle preview$') && note preview "$preview" 700 500 || return 1
  close_window "$pictures"

  close_window "$launcher"
  wait "$pid"
  echo "$report"
}

# One run, the program ended whatever happened.
attempt() {
  local out status=0
  out=$(run) || status=1
  [ $status -eq 0 ] || { kill "$(cat "$work/pid" 2>/dev/null)" 2>/dev/null; }
  echo "$out"
  return $status
}
moving=1
first=$(attempt) || { echo "$first"; exit 1; }
moving=""
fail=0
for i in 1 2 3 4 5; do
  again=$(attempt) || { echo "$again"; exit 1; }
  if [ "$again" != "$first" ]; then
    echo "restart $i differs:"
    diff <(tr ';' '\n' <<<"$first") <(tr ';' '\n' <<<"$again") | grep '^[<>]'
    fail=1
  fi
done
[ $fail -eq 0 ] && echo "five restarts at $screen: $first"
exit $fail
