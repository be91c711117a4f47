#!/usr/bin/env bash
# scripts/install-deps.sh while another package manager holds the package lock: it waits for the
# lock, says once that it waits, and fails with one clear line only when the lock stays held for
# the whole wait. apt-get, dpkg-query and sudo are stand-ins on PATH: the lock is a file that
# holds while it exists, and the stand-in apt-get waits for it only as long as its
# DPkg::Lock::Timeout says, as apt does.
set -uo pipefail

script="$(cd "$(dirname "$0")/../.." && pwd)/scripts/install-deps.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"
lock="$work/lock"

cat >"$work/bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
# Nothing is installed.
exit 1
STUB
cat >"$work/bin/sudo" <<'STUB'
#!/usr/bin/env bash
exec "$@"
STUB
cat >"$work/bin/apt-get" <<STUB
#!/usr/bin/env bash
timeout=0
for a in "\$@"; do
    case "\$a" in DPkg::Lock::Timeout=*) timeout="\${a#DPkg::Lock::Timeout=}" ;; esac
done
end=\$((SECONDS + timeout))
while [ -e "$lock" ]; do
    if [ "\$SECONDS" -ge "\$end" ]; then
        echo "E: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 4242 (unattended-upgr)" >&2
        echo "E: Unable to acquire the dpkg frontend lock (/var/lib/dpkg/lock-frontend), is another process using it?" >&2
        exit 100
    fi
    sleep 0.1
done
echo "apt-get \$*" >>"$work/calls"
STUB
chmod +x "$work/bin/"*

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { PATH="$work/bin:$PATH" INSTALL_DEPS_LOCK_WAIT="$1" bash "$script" >"$work/out" 2>"$work/err"; }
waiting_lines() { grep -c "waiting up to" "$work/out" || true; }

# The lock is free: the packages are installed and nothing speaks of waiting.
rm -f "$work/calls"
run 30 || fail "free lock: exit $?: $(cat "$work/err")"
grep -q "apt-get .*install" "$work/calls" 2>/dev/null || fail "free lock: nothing installed"
[ "$(waiting_lines)" -eq 0 ] || fail "free lock: it said it waits"

# The lock is held for two seconds: the script waits, says so once, then installs.
rm -f "$work/calls"
touch "$lock"
(sleep 2; rm -f "$lock") &
run 30 || fail "held lock: exit $?: $(cat "$work/err")"
wait
grep -q "apt-get .*install" "$work/calls" 2>/dev/null || fail "held lock: nothing installed"
[ "$(waiting_lines)" -eq 1 ] || fail "held lock: $(waiting_lines) lines on the wait in: $(cat "$work/out")"

# The lock stays held past the wait: one clear line at the end, and a failure.
rm -f "$work/calls"
touch "$lock"
if run 3; then fail "lock never freed: the script succeeded"; fi
tail -n 1 "$work/err" | grep -q "^install-deps: the package lock is still held after 3 seconds" ||
    fail "lock never freed: last line: $(tail -n 1 "$work/err")"
[ ! -e "$work/calls" ] || fail "lock never freed: apt-get ran past the lock"
rm -f "$lock"

[ "$failures" -eq 0 ] && echo "install-deps lock: all cases passed"
exit "$failures"
