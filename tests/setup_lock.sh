#!/usr/bin/env bash
# The set-up waits for a package manager that holds the lock, and says so, instead of failing
# at once. apt-get, dpkg-query and lslocks are stand-ins here: nothing is installed.
set -u
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
cat > "$fake/dpkg-query" <<'STUB'
#!/bin/sh
echo "unknown ok not-installed"
STUB
cat > "$fake/apt-get" <<STUB
#!/bin/sh
echo "\$*" >> "$fake/apt-get.calls"
STUB
cat > "$fake/lslocks" <<'STUB'
#!/bin/sh
echo "/var/lib/dpkg/lock-frontend"
STUB
cat > "$fake/sudo" <<'STUB'
#!/bin/sh
exec "$@"
STUB
chmod +x "$fake"/*
output=$(PATH="$fake:$PATH" bash -c "source '$root/tools/setup.sh' && brainloft_install_missing" 2>&1)
fail=0
case "$output" in
  *"waiting for it to finish"*) ;;
  *) echo "no word of the wait: $output"; fail=1 ;;
esac
calls=$(cat "$fake/apt-get.calls" 2>/dev/null)
[ "$(grep -c -- '-o DPkg::Lock::Timeout=600' <<< "$calls")" -eq 2 ] || { echo "apt-get calls: $calls"; fail=1; }
grep -q -- 'install' <<< "$calls" || { echo "nothing installed: $calls"; fail=1; }
[ "$fail" -eq 0 ] && echo "the set-up waits for the package lock and says so"
exit "$fail"
