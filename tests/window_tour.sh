#!/usr/bin/env bash
# The real program walked through every window it has (tests/window_tour.txt), under a headless
# Wayland compositor or on the offscreen platform: each window opens, works and closes, and
# nothing reaches standard error. Under the compositor also: the windows carry the desktop
# entry's app id, stored places are left alone while stored sizes apply.
# Usage: window_tour.sh BRAINLOFT BRAINLOFT-MAKE wayland|offscreen [SCREENSHOT-FOLDER]
# Skipped (77) where weston or Qt's Wayland platform cannot run.
set -u
program="$1"; maker="$2"; platform="$3"; shots="${4:-}"
here="$(cd "$(dirname "$0")" && pwd)"
tour="$here/window_tour.txt"

work=$(mktemp -d)
cleanup() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  [ -n "${weston:-}" ] && kill "$weston" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/prog/Brainloft puzzles" "$work/home/run" "$work/home/config/Oakhollow" && chmod 700 "$work/home/run"
cp "$program" "$work/prog/brainloft"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/home/run"
unset DISPLAY WAYLAND_DISPLAY

puzzles="$work/prog/Brainloft puzzles"
printf 'cat\ndog\nhorse\n' > "$work/list.txt"
printf 'A QUIET NIGHT\n' > "$work/text.txt"
"$maker" wordsearch "$work/list.txt" Animals --folder "$puzzles" --seed 1 >/dev/null &&
  "$maker" cryptogram "$work/text.txt" Night --folder "$puzzles" --seed 1 >/dev/null ||
  { echo "could not make the puzzles"; exit 1; }

settings="$work/home/config/Oakhollow/Brainloft.ini"
# Places stored by an X11 session: the instructions window 700 by 500 inside a frame.
cat > "$settings" <<'EOF'
[Software]
Oakhollow\Brainloft\fminstructions\left=33
Oakhollow\Brainloft\fminstructions\top=44
Oakhollow\Brainloft\fminstructions\width=702
Oakhollow\Brainloft\fminstructions\height=521
Oakhollow\Brainloft\fminstructions\insetleft=1
Oakhollow\Brainloft\fminstructions\insettop=20
Oakhollow\Brainloft\fminstructions\insetright=1
Oakhollow\Brainloft\fminstructions\insetbottom=1
Oakhollow\Brainloft\fmmaze\left=444
Oakhollow\Brainloft\fmmaze\top=333
EOF

case "$platform" in
wayland)
  command -v weston >/dev/null || { echo "skipped: no weston"; exit 77; }
  plugins=$(qtpaths6 --plugin-dir 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
  ls "$plugins"/platforms/libqwayland-*.so >/dev/null 2>&1 || { echo "skipped: no Qt Wayland platform"; exit 77; }
  socket="brainloft-$$"
  # The debug protocol lets weston-screenshooter and weston-debug in; the compositor is private.
  weston --backend=headless-backend.so --use-pixman --socket="$socket" --width=1280 --height=1024 \
    --idle-time=0 --debug >"$work/weston.log" 2>&1 & weston=$!
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$socket" ] && break; sleep 0.1; done
  [ -S "$XDG_RUNTIME_DIR/$socket" ] || { echo "skipped: weston did not start"; tail -3 "$work/weston.log"; exit 77; }
  # A headless compositor has no seat, and Qt 6.4 asks the missing seat for its text input when
  # an edit paints its cursor (a crash no desktop with a keyboard meets): no input method here.
  export WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland QT_IM_MODULE=none
  ;;
offscreen) export QT_QPA_PLATFORM=offscreen ;;
*) echo "usage: window_tour.sh BRAINLOFT BRAINLOFT-MAKE wayland|offscreen [SCREENSHOT-FOLDER]"; exit 2 ;;
esac

appid=$(basename "$(ls "$here"/../packaging/*.desktop | head -1)" .desktop)
mkfifo "$work/in"
BRAINLOFT_TOUR="$tour" timeout 240 "$work/prog/brainloft" <"$work/in" >"$work/out" 2>"$work/err" & pid=$!
exec 3>"$work/in"
shot=0
seen_appid=""
while IFS= read -r line; do
  [ "$line" = paused ] || continue
  shot=$((shot + 1))
  if [ "$platform" = wayland ]; then
    [ -n "$seen_appid" ] || seen_appid=$(timeout 5 weston-debug scene-graph 2>/dev/null | grep -o "top-level window '[^']*' of [^,]*" | head -1)
    if [ -n "$shots" ]; then
      sleep 0.5 # the windows closed last have faded out
      (cd "$work" && rm -f wayland-screenshot-*.png && timeout 10 weston-screenshooter >/dev/null 2>&1 &&
        mv wayland-screenshot-*.png "$shots/$(printf 'weston-%02d.png' "$shot")")
    fi
  fi
  echo >&3
done < <(tail -n +1 -f --pid="$pid" "$work/out")
wait "$pid"; status=$?
pid=""
exec 3>&-

failed=0
if [ "$status" -ne 0 ]; then echo "the program ended with status $status"; failed=1; fi
grep -q '^tour failed' "$work/out" && { grep '^tour failed' "$work/out"; failed=1; }
err=$(grep -v 'This plugin does not support' "$work/err") # the offscreen platform's own notes
if [ -n "$err" ]; then echo "standard error was not empty:"; echo "$err"; failed=1; fi
shown=$(grep -c '^shown' "$work/out")
echo "$shown windows shown on $platform"

if [ "$platform" = wayland ]; then
  case "$seen_appid" in
  *" of $appid") echo "app id: $appid" ;;
  *) echo "the launcher's app id is not $appid: ${seen_appid:-nothing seen}"; failed=1 ;;
  esac
  # The instructions took the stored inside's size; no stored place was touched.
  grep -q '^shown FmInstructions 700x500$' "$work/out" || { echo "instructions not at the stored size:"; grep FmInstructions "$work/out"; failed=1; }
  for kept in 'fminstructions\left=33' 'fminstructions\top=44' 'fminstructions\insettop=20' 'fminstructions\width=702' \
    'fminstructions\height=521' 'fmmaze\left=444' 'fmmaze\top=333'; do
    grep -qF "Oakhollow\\Brainloft\\$kept" "$settings" || { echo "stored $kept was changed"; failed=1; }
  done
  for name in fmmain fmcrypt fmpclick; do
    grep -qF "Oakhollow\\Brainloft\\$name\\left=" "$settings" && { echo "a place was stored for $name"; failed=1; }
  done
fi
exit "$failed"
