#!/usr/bin/env bash
# Under a real window manager, a play window and its key that were moved come back at exactly
# the same place and size at every restart. Usage: restart_geometry.sh BRAINLOFT BRAINLOFT-MAKE
# [SCREEN]. Skipped (77) without Xvfb, openbox or xdotool.
set -u
program="$1"; maker="$2"; screen="${3:-1280x1024}"
for tool in Xvfb openbox xdotool xwininfo; do command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }; done

work=$(mktemp -d)
cleanup() { kill "${wm:-}" "${xserver:-}" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
# The program keeps its folders beside itself: give it a folder of its own.
mkdir -p "$work/prog" "$work/home/run" && chmod 700 "$work/home/run"
cp "$program" "$work/prog/brainloft"
printf 'cat\ndog\nhorse\n' > "$work/list.txt"
"$maker" wordsearch "$work/list.txt" Animals --folder "$work/prog/Brainloft puzzles" --seed 1 >/dev/null 2>&1 ||
  { mkdir -p "$work/prog/Brainloft puzzles"; "$maker" wordsearch "$work/list.txt" Animals --folder "$work/prog/Brainloft puzzles" --seed 1 >/dev/null; }

display=":$((100 + RANDOM % 400))"
Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 & xserver=$!
export DISPLAY="$display" HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/home/run"
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & wm=$!
sleep 1

visible() { # first visible window whose title matches
  local w=""
  for _ in $(seq 60); do w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1); [ -n "$w" ] && break; sleep 0.1; done
  echo "$w"
}
# Where the window's inside is on the screen, and its size (xwininfo: xdotool counts the frame twice).
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x "," y, w "x" h}'; }
click() {
  read -r x y < <(xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
  xdotool mousemove $((x + $2)) $((y + $3)) click 1; sleep 0.4
}

# One run: open the word search and its key, optionally move both, report, and quit.
run() {
  "$work/prog/brainloft" & local pid=$!
  local launcher main key
  launcher=$(visible '^Brainloft$')
  [ -n "$launcher" ] || { echo "no launcher"; kill $pid; return 1; }
  click "$launcher" 215 207; xdotool key Return
  main=$(visible '^Lettermoor')
  [ -n "$main" ] || { echo "no play window"; kill $pid; return 1; }
  sleep 0.5 # settled in its frame
  click "$main" 42 16                                 # load the first puzzle
  local picker; picker=$(visible '^Select puzzle$')
  [ -n "$picker" ] || { echo "no picker"; kill $pid; return 1; }
  xdotool windowactivate --sync "$picker" key Return; sleep 0.5
  click "$main" 98 16                                 # the key
  key=$(visible '^Key$')
  [ -n "$key" ] || { echo "no key"; kill $pid; return 1; }
  sleep 0.5
  if [ "${1:-}" = move ]; then
    xdotool windowmove "$main" 150 120; xdotool windowmove "$key" 700 300; sleep 0.5
  fi
  echo "main $(geometry "$main") key $(geometry "$key")"
  xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4; sleep 0.5
  xdotool windowactivate --sync "$launcher" key --clearmodifiers alt+F4
  wait $pid
}

first=$(run move) || { echo "$first"; exit 1; }
fail=0
for i in 1 2 3 4 5; do
  again=$(run) || { echo "$again"; exit 1; }
  [ "$again" = "$first" ] || { echo "restart $i: $again, expected $first"; fail=1; }
done
[ $fail -eq 0 ] && echo "five restarts at $screen: $first"
exit $fail
