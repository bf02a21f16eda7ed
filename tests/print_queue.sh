#!/usr/bin/env bash
# Printing on a real print queue: a private print server with a queue that keeps each job's PDF,
# made the default. The program's print path (the real printer, the options dialogue answered,
# 2 copies of puzzle and key) prints a word search, a maze and a cryptogram: every sheet a job of
# one page with its title, nothing left in the queue; Cancel after the first sheet leaves that
# one job and no other. A stopped queue and one that refuses jobs give the "Print error" box
# with the queue's reason and take no job. brainloft-make print --printer hands each file to
# the queue as one job and reports a refusal with status 1.
# Usage: print_queue.sh QUEUE-PROBE BRAINLOFT-MAKE. Skipped (77) where the server cannot start.
set -u
probe="$1"; maker="$2"
for tool in cupsd lpadmin lpstat cupsdisable cupsenable cupsreject cupsaccept pdfinfo pdftotext; do
  command -v "$tool" >/dev/null || [ -x "/usr/sbin/$tool" ] || { echo "skipped: no $tool"; exit 77; }
done
export PATH="$PATH:/usr/sbin"
serverbin=$(cups-config --serverbin 2>/dev/null || echo /usr/lib/cups)
[ -d "$serverbin/filter" ] || { echo "skipped: no print server programs in $serverbin"; exit 77; }

work=$(mktemp -d)
chmod 755 "$work"
cleanup() { [ -n "${server:-}" ] && kill "$server" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
mkdir -p "$work"/{conf,spool,cache,state,log,bin/backend,out,pz} "$work/home/run" && chmod 700 "$work/home/run"
for d in filter cgi-bin daemon driver monitor notifier; do ln -s "$serverbin/$d" "$work/bin/$d"; done
# The queue's device: each job's document kept as out/job-N.pdf, its title beside it.
cat > "$work/bin/backend/keeppdf" <<'BACKEND'
#!/bin/sh
[ $# -eq 0 ] && { echo 'file keeppdf "Unknown" "Keeps each job as a PDF file"'; exit 0; }
out="${DEVICE_URI#keeppdf:}"
{ if [ $# -ge 6 ]; then cat "$6"; else cat; fi; } > "$out/.job-$1" &&
  printf '%s\n' "$3" > "$out/job-$1.title" && mv "$out/.job-$1" "$out/job-$1.pdf"
BACKEND
chmod 700 "$work/bin/backend/keeppdf"
cat > "$work/conf/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel warn
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
{
  echo "ServerRoot $work/conf"; echo "ServerBin $work/bin"; echo "RequestRoot $work/spool"
  echo "CacheDir $work/cache"; echo "StateDir $work/state"; echo "TempDir $work/spool"
  echo "ErrorLog $work/log/error_log"; echo "AccessLog $work/log/access_log"; echo "PageLog $work/log/page_log"
  echo "SystemGroup $(id -gn)"
  # Not root: the server and its programs run as we do.
  [ "$(id -u)" -ne 0 ] && { echo "User $(id -un)"; echo "Group $(id -gn)"; }
} > "$work/conf/cups-files.conf"

export CUPS_SERVER="$work/cups.sock" HOME="$work/home" XDG_RUNTIME_DIR="$work/home/run" QT_QPA_PLATFORM=offscreen
cupsd -f -c "$work/conf/cupsd.conf" -s "$work/conf/cups-files.conf" >"$work/log/cupsd" 2>&1 & server=$!
for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
lpstat -r 2>/dev/null | grep -q 'is running' || { echo "skipped: the print server did not start"; cat "$work/log/cupsd" "$work/log/error_log" 2>/dev/null | tail -3; exit 77; }
lpadmin -p pdfq -E -v "keeppdf:$work/out" -m raw 2>/dev/null && lpadmin -d pdfq ||
  { echo "skipped: no queue could be made"; exit 77; }

failed=0
fail() { echo "$*"; failed=1; }
jobs_done() { # waits until the queue holds no job; then the number of kept jobs
  for _ in $(seq 100); do [ -z "$(lpstat -o pdfq 2>/dev/null)" ] && break; sleep 0.1; done
  [ -z "$(lpstat -o pdfq 2>/dev/null)" ] || fail "jobs left in the queue: $(lpstat -o pdfq)"
  ls "$work/out"/job-*.pdf 2>/dev/null | wc -l
}

pz="$work/pz"
printf 'cat\ndog\nhorse\n' > "$work/list.txt"
printf 'A QUIET NIGHT\n' > "$work/text.txt"
"$maker" wordsearch "$work/list.txt" Animals --folder "$pz" --seed 1 >/dev/null &&
  "$maker" maze Hedge --folder "$pz" --seed 1 >/dev/null &&
  "$maker" cryptogram "$work/text.txt" Night --folder "$pz" --seed 1 >/dev/null || { echo "could not make the puzzles"; exit 1; }
sums=$(md5sum "$pz"/*)

# The program: 2 copies of puzzle and key of each, every sheet a job of one page.
"$probe" 2 "$pz/Animals.wsp" "$pz/Hedge.mzp" "$pz/Night.sbp" >"$work/probe.out" 2>"$work/probe.err" || fail "the probe failed: $(cat "$work/probe.err")"
[ "$(grep -c '^printer Printer: pdfq$' "$work/probe.out")" -eq 3 ] || fail "the options did not name the default printer: $(grep '^printer' "$work/probe.out")"
[ "$(grep -c ' started$' "$work/probe.out")" -eq 3 ] || fail "not every run started: $(grep '^run' "$work/probe.out")"
grep -q '^box error' "$work/probe.out" && fail "an error box: $(grep '^box error' "$work/probe.out")"
[ "$(jobs_done)" -eq 12 ] || fail "12 jobs expected, kept: $(ls "$work/out")"
declare -A want=([ANIMALS]=2 ["ANIMALS <KEY>"]=2 [Hedge]=2 ["Hedge <KEY>"]=2 [NIGHT]=2 ["NIGHT <KEY>"]=2)
declare -A got=()
shopt -s nullglob
for pdf in "$work/out"/job-*.pdf; do
  pages=$(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages:/{print $2}')
  [ "$pages" = 1 ] || fail "$(basename "$pdf"): ${pages:-no} pages, 1 expected"
  title=$(pdftotext "$pdf" - 2>/dev/null | head -1)
  got[$title]=$(( ${got[$title]:-0} + 1 ))
done
for title in "${!want[@]}"; do
  [ "${got[$title]:-0}" -eq "${want[$title]}" ] || fail "sheets titled \"$title\": ${got[$title]:-0}, expected ${want[$title]}"
done
echo "the program printed $(ls "$work/out"/job-*.pdf | wc -l) jobs of one page"

# Cancel after the first sheet: that one job done, no other job made or left behind.
"$probe" 2 --cancel "$pz/Night.sbp" >"$work/probe.out" 2>/dev/null
grep -q '^box error' "$work/probe.out" && fail "cancel gave an error: $(cat "$work/probe.out")"
[ "$(jobs_done)" -eq 13 ] || fail "after cancel, 13 jobs expected, kept: $(ls "$work/out")"

# A stopped queue, then one that refuses jobs: the error box with the reason, no job taken.
before=$(ls "$work/out" | wc -l)
cupsdisable -r "Paper jam in tray 2" pdfq
"$probe" 1 "$pz/Hedge.mzp" >"$work/probe.out" 2>/dev/null
grep -qxF 'box error Print error: The page could not be printed.|pdfq|pdfq is stopped: Paper jam in tray 2' "$work/probe.out" ||
  fail "stopped queue: $(cat "$work/probe.out")"
cupsenable pdfq
cupsreject -r "Closed for the holidays" pdfq
"$probe" 1 "$pz/Animals.wsp" >"$work/probe.out" 2>/dev/null
grep -qxF 'box error Print error: The page could not be printed.|pdfq|pdfq is not accepting jobs: Closed for the holidays' "$work/probe.out" ||
  fail "refusing queue: $(cat "$work/probe.out")"
if "$maker" print "$pz/Animals.wsp" --printer pdfq >/dev/null 2>"$work/maker.err"; then
  fail "brainloft-make printed on a queue that refuses jobs"
else
  grep -qF 'pdfq is not accepting jobs: Closed for the holidays' "$work/maker.err" || fail "brainloft-make said: $(cat "$work/maker.err")"
fi
cupsaccept pdfq
[ "$(jobs_done)" -eq 13 ] && [ "$(ls "$work/out" | wc -l)" -eq "$before" ] || fail "a refused print left a job: $(ls "$work/out")"
[ "$(md5sum "$pz"/*)" = "$sums" ] || fail "a puzzle file changed"

# brainloft-make: each file one job holding its sheets.
"$maker" print "$pz/Animals.wsp" "$pz/Hedge.mzp" --printer pdfq --pages both --copies 2 >"$work/maker.out" 2>"$work/maker.err" ||
  fail "brainloft-make print --printer failed: $(cat "$work/maker.err")"
[ "$(grep -c '^pdfq-[0-9]*$' "$work/maker.out")" -eq 2 ] || fail "brainloft-make named these jobs: $(cat "$work/maker.out")"
[ "$(jobs_done)" -eq 15 ] || fail "15 jobs expected, kept: $(ls "$work/out")"
for job in $(sed 's/^pdfq-//' "$work/maker.out"); do
  pages=$(pdfinfo "$work/out/job-$job.pdf" 2>/dev/null | awk '/^Pages:/{print $2}')
  [ "$pages" = 4 ] || fail "job $job: ${pages:-no} pages, 4 expected"
done
[ "$(cat "$work"/out/job-{14,15}.title 2>/dev/null | tr '\n' ' ')" = "Animals Hedge " ] || fail "job titles: $(cat "$work"/out/*.title | tail -2)"
"$maker" print "$pz/Animals.wsp" --printer nosuch >/dev/null 2>"$work/maker.err" && fail "brainloft-make printed on a queue that is not there"
[ "$failed" -eq 0 ] && echo "the queue took every job asked of it and none it refused"
exit "$failed"
