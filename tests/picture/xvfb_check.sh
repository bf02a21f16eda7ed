#!/bin/bash
# A hand check of the picture puzzle under a virtual screen: make, save, load a packaged
# puzzle, play, open and resize the preview; screenshots go to OUT for a person to look at.
# Usage: tests/picture/xvfb_check.sh BUILD_DIR OUT_DIR   (needs Xvfb, xdotool, ImageMagick)
# The screen is SCREEN (default 1024x768x24); openbox frames the windows when it is installed.
set -euo pipefail
build=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out/home/run" && chmod 700 "$out/home/run"
export HOME="$out/home" XDG_CONFIG_HOME="$out/home/.config" XDG_RUNTIME_DIR="$out/home/run" DISPLAY=:57

"$build/tests/picture/make_picture_samples" "$out/pictures"
mkdir -p "$build/Brainloft puzzles"
rm -f "$build/Brainloft puzzles/Lake.tlp"[123]
"$build/brainloft-make" picture "$out/pictures/interlaced.gif" hills --seed 8 --folder "$out" > /dev/null
for i in 1 2 3; do cp "$out/hills.tlp$i" "$build/Brainloft puzzles/hills.tld$i"; done

Xvfb :57 -screen 0 "${SCREEN:-1024x768x24}" > "$out/xvfb.log" 2>&1 &
xvfb=$!
sleep 1
wm=
if command -v openbox > /dev/null; then openbox > "$out/wm.log" 2>&1 & wm=$!; sleep 1; fi
(cd "$build" && ./brainloft > "$out/app.log" 2>&1) &
app=$!
trap 'kill $app $wm $xvfb 2>/dev/null || true' EXIT
sleep 3

shot() { import -window root "$out/$1.png"; }
# Waits until a visible window named $1 is there (or gone, with "gone" as $2).
wait_for() {
    for _ in $(seq 50); do
        if xdotool search --onlyvisible --name "$1" > /dev/null 2>&1; then [ "${2:-}" != gone ] && return 0
        else [ "${2:-}" = gone ] && return 0; fi
        sleep 0.2
    done
    echo "timed out waiting for $1 ${2:-}" >&2; return 1
}
# Clicks at (x, y) inside the window named $1.
at() {
    local w x y; w=$(xdotool search --onlyvisible --name "$1" | head -1)
    # xwininfo, not xdotool: under a reparenting window manager xdotool adds the frame once more.
    x=$(xwininfo -id "$w" | awk '/Absolute upper-left X/ {print $4}')
    y=$(xwininfo -id "$w" | awk '/Absolute upper-left Y/ {print $4}')
    xdotool mousemove $((x + $2)) $((y + $3)) click 1
    sleep "${4:-1.5}"
}

shot 1-launcher
at "Brainloft" 218 298                       # OK with Snapdoodle chosen
at "Snapdoodle" 17 16                        # new puzzle: the maker
at "Picture creator" 700 55                  # Load
xdotool type --delay 20 "$out/pictures/landscape.jpg"; xdotool key Return; sleep 2
shot 2-maker
at "Picture creator" 700 95 0.2              # Build, then the save flow
wait_for "Save puzzle"; xdotool key Return   # Yes
wait_for "Puzzle name"; xdotool type --delay 20 "Lake"; xdotool key Return
wait_for "Puzzle name" gone; sleep 0.5
xdotool key Return                           # "Your puzzle has now been saved"
wait_for "Picture creator" gone; sleep 0.5
shot 3-built
at "Snapdoodle" 46 79 0.4                    # cell 1 into box 1
at "Snapdoodle" 713 79 0.4                   # select box 1
shot 4-selected
at "Snapdoodle" 42 16                        # Load
wait_for "Select puzzle"; sleep 0.5
shot 5-picker
xdotool key Return; sleep 1.5                # the first row: <hills>
at "Snapdoodle" 73 16                        # the preview
shot 6-preview
# Its outer size: the frame window openbox put round it.
pw=$(xdotool search --onlyvisible --name 'Puzzle preview' | head -1)
xwininfo -id "$(xwininfo -id "$pw" -children | awk '/Parent window id/ {print $4}')" | grep -E 'Width|Height' | tr -s ' ' | tee "$out/preview-frame.txt"
xdotool windowsize "$(xdotool search --onlyvisible --name 'Puzzle preview')" 500 200; sleep 1
shot 7-preview-wide
at "Snapdoodle" 216 16                       # close: back to the launcher
shot 8-launcher-again
echo "screenshots in $out"
