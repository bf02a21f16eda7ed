#!/usr/bin/env bash
# A save onto a full disk must fail loudly and leave the old puzzle whole. Needs root to mount
# a small tmpfs; skipped (status 77) where that is not possible.
set -u
maker="$1"
[ "$(id -u)" -eq 0 ] || { echo "skipped: not root"; exit 77; }
disk=$(mktemp -d)
trap 'umount "$disk" 2>/dev/null; rmdir "$disk"' EXIT
mount -t tmpfs -o size=64k tmpfs "$disk" 2>/dev/null || { echo "skipped: cannot mount tmpfs"; exit 77; }

printf 'cat\ndog\nhorse\n' > "$disk/list.txt"
"$maker" wordsearch "$disk/list.txt" Old --folder "$disk" --seed 1 >/dev/null || { echo "first save failed"; exit 1; }
before=$(sha1sum < "$disk/Old.wsp")
# Fill the disk to the last block.
dd if=/dev/zero of="$disk/filler" bs=1k 2>/dev/null
err=$("$maker" wordsearch "$disk/list.txt" Old --folder "$disk" --seed 2 2>&1 >/dev/null)
status=$?
after=$(sha1sum < "$disk/Old.wsp")
fail=0
[ "$status" -eq 1 ] || { echo "status $status, expected 1"; fail=1; }
case "$err" in *"No space left on device"*) ;; *) echo "message: $err"; fail=1 ;; esac
[ "$before" = "$after" ] || { echo "Old.wsp changed"; fail=1; }
leftovers=$(ls -A "$disk" | grep -v -e '^Old.wsp$' -e '^list.txt$' -e '^filler$')
[ -z "$leftovers" ] || { echo "left behind: $leftovers"; fail=1; }
[ "$fail" -eq 0 ] && echo "full disk: save refused, old puzzle whole"
exit "$fail"
