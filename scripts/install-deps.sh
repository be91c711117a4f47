#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent: when everything is there it
# only checks (dpkg-query) and returns at once.
set -euo pipefail

PACKAGES=(
    build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
    liblzo2-dev nlohmann-json3-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libsdl2-dev libcairo2-dev libfreetype-dev libfontconfig-dev libpng-dev fonts-dejavu-core
    xvfb xauth libx11-dev libxtst-dev
    libcurl4-openssl-dev libssl-dev libcpp-httplib-dev libglib2.0-dev python3-dbusmock dbus
    libgps-dev gpsd gpsd-clients
    libical-dev libecal2.0-dev evolution-data-server xdg-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi

# On a fresh machine the system's own upgrades often hold the package lock for minutes after
# the first boot. apt waits for its lock itself (DPkg::Lock::Timeout); a lock it does not wait
# for (the package lists' on older versions) is tried again here until the same long wait is over.
LOCK_WAIT_SECONDS="${INSTALL_DEPS_LOCK_WAIT:-1800}"
told_waiting=0
wait_text() {
    if [ "$LOCK_WAIT_SECONDS" -ge 120 ]; then echo "$((LOCK_WAIT_SECONDS / 60)) minutes"; else echo "$LOCK_WAIT_SECONDS seconds"; fi
}
tell_waiting() {
    if [ "$told_waiting" -eq 0 ]; then
        echo "Another package manager is busy: waiting up to $(wait_text) for the package lock"
        told_waiting=1
    fi
}
lock_message() { grep -qE 'Could not get lock|Unable to lock|Unable to acquire the dpkg frontend lock' <<<"$1"; }
apt_get() {
    local deadline=$((SECONDS + LOCK_WAIT_SECONDS)) output status
    # Whether the lock is held now decides only the one line; apt does the waiting.
    if output=$($SUDO apt-get -o DPkg::Lock::Timeout=0 -qq check 2>&1); [ $? -ne 0 ] && lock_message "$output"; then
        tell_waiting
    fi
    while :; do
        status=0
        output=$($SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o "DPkg::Lock::Timeout=${LOCK_WAIT_SECONDS}" "$@" 2>&1) || status=$?
        if [ "$status" -eq 0 ]; then
            [ -z "$output" ] || printf '%s\n' "$output"
            return 0
        fi
        if ! lock_message "$output"; then
            printf '%s\n' "$output" >&2
            return "$status"
        fi
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "install-deps: the package lock is still held after $(wait_text) by another package manager; run this script again once it has finished" >&2
            return 1
        fi
        tell_waiting
        sleep "$((LOCK_WAIT_SECONDS < 10 ? 1 : 5))"
    done
}

apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}"
