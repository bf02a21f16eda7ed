#!/usr/bin/env bash
# Under X11 with a window manager, the print progress window's title bar is empty until the run
# names its first page: the window's name properties hold nothing (not the program's name, which
# the platform puts there for an empty title) and neither does the name openbox shows (not its
# placeholder for a nameless window); then "PUZZLE"; the same on a second run.
# Usage: progress_caption.sh CAPTION-PROBE. Skipped (77) without Xvfb, openbox or xprop.
set -u
probe="$1"
for tool in Xvfb openbox xprop xdpyinfo; do command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }; done

work=$(mktemp -d)
cleanup() { kill ${pid:-} ${wm:-} ${xserver:-} 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
mkdir -p "$work/home/run" && chmod 700 "$work/home/run"
display=":$((100 + RANDOM % 400))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xserver=$!
export DISPLAY="$display" HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/home/run"
export QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "skipped: Xvfb did not start"; exit 77; }
openbox >/dev/null 2>&1 & wm=$!
sleep 0.5

mkfifo "$work/in"
"$probe" <"$work/in" >"$work/out" 2>"$work/err" & pid=$!
exec 3>"$work/in"
failed=0
seen=0
while IFS=' ' read -r id caption; do
  [ "$caption" = - ] && caption=""
  # xprop writes an empty text as nothing at all, a text in quotes.
  if [ -z "$caption" ]; then
    want="_NET_WM_NAME(UTF8_STRING) = 
WM_NAME(STRING) = 
_NET_WM_VISIBLE_NAME(UTF8_STRING) = "
  else
    want="_NET_WM_NAME(UTF8_STRING) = \"$caption\""
  fi
  # The window manager names the window a moment after the program does.
  for _ in $(seq 20); do
    names=$(xprop -id "$id" _NET_WM_NAME WM_NAME _NET_WM_VISIBLE_NAME)
    [ -n "$caption" ] && names=$(head -1 <<<"$names")
    [ "$names" = "$want" ] && break
    sleep 0.1
  done
  if [ "$names" != "$want" ]; then
    echo "caption \"$caption\" expected, the window says:"; echo "$names"; failed=1
  fi
  seen=$((seen + 1))
  echo >&3
done < <(tail -n +1 -f --pid="$pid" "$work/out")
exec 3>&-
wait "$pid"; status=$?
pid=""
[ "$status" -eq 0 ] || { echo "the probe ended with status $status"; cat "$work/err"; failed=1; }
[ "$seen" -eq 4 ] || { echo "$seen of 4 captions seen"; failed=1; }
[ "$failed" -eq 0 ] && echo "empty, then PUZZLE, on both runs"
exit "$failed"
