#!/usr/bin/env bash
# Music a person can hear: a private sound session (its own session bus, PipeWire, WirePlumber
# and the PulseAudio server of PipeWire) with a null sink as the default; the real program with
# music on opens the word search, and the sink's monitor, recorded for 3 seconds, holds sound
# well above silence; from half a second after the music button is switched off it is silent.
# Without the PulseAudio server, the same opening says nothing on standard error.
# Also writes the delay from the window's opening (which plays) to the first sound and the
# program's CPU use while the tune plays: figures only, nothing is asserted on them.
# Usage: music_sound.sh BRAINLOFT. Skipped (77) without the packages or when the session fails.
set -u
program="$1"
for tool in dbus-daemon pipewire wireplumber pipewire-pulse pactl parec od awk pgrep; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
[ -f /usr/share/sounds/sf2/TimGM6mb.sf2 ] || { echo "skipped: no sound font"; exit 77; }

work=$(mktemp -d)
pids=()
cleanup() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  for p in ${recorder:-} "${pids[@]}"; do kill "$p" 2>/dev/null; done
  [ -s "$work/bus.pid" ] && kill "$(cat "$work/bus.pid")" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/prog" "$work/home/run" "$work/home/config/Oakhollow" && chmod 700 "$work/home/run"
cp "$program" "$work/prog/brainloft"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/home/run" XDG_STATE_HOME="$work/home/state"
unset DISPLAY WAYLAND_DISPLAY PULSE_SERVER PIPEWIRE_REMOTE
export QT_QPA_PLATFORM=offscreen

export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
dbus-daemon --session --fork --address="$DBUS_SESSION_BUS_ADDRESS" --print-pid=3 3>"$work/bus.pid" ||
  { echo "skipped: no session bus"; exit 77; }
pipewire >"$work/pipewire.log" 2>&1 & pids+=($!)
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/pipewire-0" ] && break; sleep 0.1; done
wireplumber >"$work/wireplumber.log" 2>&1 & pids+=($!)
pipewire-pulse >"$work/pipewire-pulse.log" 2>&1 & pids+=($!)
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl load-module module-null-sink sink_name=brainloft_sink >/dev/null 2>&1 && pactl set-default-sink brainloft_sink 2>/dev/null ||
  { echo "skipped: the sound session did not start"; tail -3 "$work"/*.log; exit 77; }

cat > "$work/home/config/Oakhollow/Brainloft.ini" <<'INI'
[Software]
Oakhollow\Brainloft\Main\Play=1
INI
cat > "$work/tour.txt" <<'TOUR'
wait fmpuzzletype
pause
click fmpuzzletype rgpuzzletype_2
stamp play
click fmpuzzletype ColorBtn1
wait fmmain
pause
stamp stop
click fmmain btnmusic
pause
click fmmain btnclose
wait fmpuzzletype
close fmpuzzletype
TOUR

now() { awk '{print $1}' /proc/uptime; } # the boot clock, as the tour's stamps (no suspend here)
# SECONDS FILE: the sink's monitor as 16-bit stereo at 44.1 kHz; FILE.end holds the time the
# last frame came (the recorder's start takes a while, so times are counted back from there).
record() {
  parec -d brainloft_sink.monitor --raw --format=s16le --rate=44100 --channels=2 --latency-msec=20 2>/dev/null |
    head -c $(( $1 * 44100 * 4 )) >"$2"
  now >"$2.end"
}
# FILE FRAME: the time of that frame
frametime() { awk -v e="$(cat "$1.end")" -v n="$(( $(stat -c %s "$1") / 4 ))" -v f="$2" 'BEGIN{printf "%.3f", e - (n - f) / 44100}'; }
# FILE FROM: the first and last frame louder than -60 dBFS (or -1) from frame FROM on, and the
# level (dBFS, RMS) and peak of what lies between them.
measure() {
  od -An -v -td2 -w4 "$1" | awk -v from="$2" '
    { a = $1 < 0 ? -$1 : $1; b = $2 < 0 ? -$2 : $2; m = a > b ? a : b; n = NR - 1
      if (n < from) next
      frames[n] = m; if (m > 33) { if (first < 0) first = n; last = n } }
    BEGIN { first = -1; last = -1 }
    END { s = 0; peak = 0; c = 0
      for (i = first; i >= 0 && i <= last; i++) { v = frames[i] / 32768; s += v * v; c++; if (frames[i] > peak) peak = frames[i] }
      rms = c ? sqrt(s / c) : 0
      printf "%d %d %.1f %.1f\n", first, last, (rms > 0 ? 20 * log(rms) / log(10) : -200), (peak > 0 ? 20 * log(peak / 32768) / log(10) : -200) }'
}
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }

mkfifo "$work/in"
BRAINLOFT_TOUR="$work/tour.txt" timeout 120 "$work/prog/brainloft" <"$work/in" >"$work/out" 2>"$work/err" & pid=$!
exec 3>"$work/in"
failed=0
fail() { echo "$*"; failed=1; }
paused=0
while IFS= read -r line; do
  [ "$line" = paused ] || continue
  paused=$((paused + 1))
  case $paused in
  1) # before the word search opens: 4 seconds from here
    record 4 "$work/playing.raw" & recorder=$!
    sleep 0.2 ;;
  2) # the window is open and playing
    brainloft=$(pgrep -P "$pid" | head -1) # under timeout
    t0=$(ticks "$brainloft"); c0=$(now)
    wait "$recorder"; recorder=""
    c1=$(now); t1=$(ticks "$brainloft")
    play=$(awk '$1 == "play" {print $2}' "$work/out")
    read -r first last level peak < <(measure "$work/playing.raw" 0)
    if [ "$first" -lt 0 ]; then
      fail "no sound in 4 seconds after the window opened"
    else
      echo "playing: level $level dBFS RMS, peak $peak dBFS over $(awk -v f="$first" -v l="$last" 'BEGIN{printf "%.1f", (l - f) / 44100}') s"
      awk -v t="$(frametime "$work/playing.raw" "$first")" -v p="$play" 'BEGIN{printf "delay from the window opening to the first sound: about %.0f ms\n", (t - p) * 1000}'
      awk -v t="$((t1 - t0))" -v hz="$(getconf CLK_TCK)" -v a="$c0" -v b="$c1" 'BEGIN{printf "CPU use of the program while playing: %.1f %% of one core\n", 100 * t / hz / (b - a)}'
      awk -v l="$level" 'BEGIN{exit !(l > -50)}' || fail "the music is too quiet to hear: $level dBFS"
    fi
    record 3 "$work/stopping.raw" & recorder=$!
    sleep 1 ;;
  3) # switched off
    wait "$recorder"; recorder=""
    stop=$(awk '$1 == "stop" {print $2}' "$work/out")
    frames=$(( $(stat -c %s "$work/stopping.raw") / 4 ))
    from=$(awk -v e="$(cat "$work/stopping.raw.end")" -v n="$frames" -v s="$stop" 'BEGIN{f = n - (e - s - 0.5) * 44100; print (f < 0 ? 0 : int(f))}')
    read -r first _ _ peak < <(measure "$work/stopping.raw" "$from")
    [ "$first" -lt 0 ] || fail "sound half a second after the music was switched off (peak $peak dBFS)"
    read -r first last level _ < <(measure "$work/stopping.raw" 0)
    [ "$first" -ge 0 ] || fail "no sound before the stop either: the stop was not heard"
    [ "$last" -ge 0 ] && awk -v t="$(frametime "$work/stopping.raw" "$last")" -v s="$stop" 'BEGIN{printf "after the stop: the last sound %.0f ms after it\n", (t - s) * 1000}' ;;
  esac
  echo >&3
done < <(tail -n +1 -f --pid="$pid" "$work/out")
wait "$pid"; status=$?
pid=""
exec 3>&-
[ "$status" -eq 0 ] || fail "the program ended with status $status: $(grep 'tour failed' "$work/out")"
[ "$paused" -eq 3 ] || fail "the tour stopped early"
err=$(grep -v 'This plugin does not support' "$work/err")
[ -z "$err" ] || fail "standard error was not empty: $err"

# Without the PulseAudio server the tune goes to ALSA (or nowhere): still not a word said.
kill "${pids[2]}" 2>/dev/null; wait "${pids[2]}" 2>/dev/null
grep -v '^pause$\|^stamp\|^click fmmain btnmusic$' "$work/tour.txt" | sed 's/^wait fmmain$/wait fmmain\npause/' >"$work/alsa.txt"
(sleep 3; echo) | BRAINLOFT_TOUR="$work/alsa.txt" timeout 60 "$work/prog/brainloft" >"$work/out" 2>"$work/err" ||
  fail "without the PulseAudio server the program ended with status $?: $(grep 'tour failed' "$work/out")"
err=$(grep -v 'This plugin does not support' "$work/err")
[ -z "$err" ] || fail "without the PulseAudio server, standard error was not empty: $err"
exit "$failed"
