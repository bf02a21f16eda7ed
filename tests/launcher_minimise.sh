#!/usr/bin/env bash
# Under a real window manager, the launcher minimised by its own button and restored, then left
# for a play window, comes back as a normal window when that play window closes (not as an icon).
# Usage: launcher_minimise.sh BRAINLOFT. Skipped (77) without Xvfb, openbox, xdotool or xprop.
set -u
program="$1"
for tool in Xvfb openbox xdotool xwininfo xprop; do command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }; done

work=$(mktemp -d)
cleanup() { kill "${pid:-}" "${wm:-}" "${xserver:-}" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
# The program keeps its folders beside itself: give it a folder of its own.
mkdir -p "$work/prog" "$work/home/run" && chmod 700 "$work/home/run"
cp "$program" "$work/prog/brainloft"

display=":$((100 + RANDOM % 400))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xserver=$!
export DISPLAY="$display" HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/home/run"
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & wm=$!
sleep 1

visible() { # first visible window whose title matches
  local w=""
  for _ in $(seq 60); do w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1); [ -n "$w" ] && break; sleep 0.1; done
  echo "$w"
}
click() {
  read -r x y < <(xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
  xdotool mousemove $((x + $2)) $((y + $3)) click 1; sleep 0.5
}

"$work/prog/brainloft" & pid=$!
launcher=$(visible '^Brainloft$')
[ -n "$launcher" ] || { echo "no launcher"; exit 1; }
click "$launcher" 554 18                                # the launcher's own minimise button
xdotool windowactivate "$launcher"; sleep 0.5           # restored, as from a task bar
launcher=$(visible '^Brainloft$')
[ -n "$launcher" ] || { echo "launcher not restored"; exit 1; }
click "$launcher" 215 207; xdotool key Return            # Lettermoor, OK
main=$(visible '^Lettermoor')
[ -n "$main" ] || { echo "no play window"; exit 1; }
sleep 0.5
click "$main" 322 16                                    # the play window's close button
back=$(visible '^Brainloft$')
state=$( [ -n "$back" ] && xprop -id "$back" WM_STATE | awk '/window state/{print $3}')
if [ "$state" != "Normal" ]; then
  echo "the launcher came back ${state:-hidden}, expected Normal"
  exit 1
fi
echo "the launcher came back normal"
xdotool windowactivate --sync "$back" key --clearmodifiers alt+F4
wait "$pid"
