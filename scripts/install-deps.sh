#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent: when everything is there it
# only checks (dpkg-query) and returns at once.
set -euo pipefail

PACKAGES=(
    build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
    liblzo2-dev nlohmann-json3-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libsdl2-dev libcairo2-dev libfreetype-dev libfontconfig-dev libpng-dev fonts-dejavu-core
    xvfb xauth libx11-dev
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
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
