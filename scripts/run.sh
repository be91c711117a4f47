#!/usr/bin/env bash
# Installs what is needed, builds the program (not the tests) and starts Pelorvant in an SDL
# window on the bundled sample timetable.
#
#   bash scripts/run.sh [--profile=NAME] [--zoom=N]
#
# Profiles: 480x640 (the default here), 240x320, 640x480, 320x240 (touch screens) and
# 240x320-keypad, 320x240-keypad (keypad phones). In the window: arrows, Enter, Esc as Back,
# F1 and F2 as the soft keys, F4 turns the screen.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target pelorvant sample_timetable

args=("$@")
if ! printf '%s\n' "${args[@]:-}" | grep -q -- '--profile='; then args+=(--profile=480x640); fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display is available, so the program cannot open its window."
    echo "Run it headless instead, driven by a script, and look at the screens it writes:"
    echo "  cmake --build --preset release --target uidrive"
    echo "  mkdir -p shots && build/release/bin/uidrive --profile=480x640 --shots=shots \\"
    echo "      tests/app/journeys/start_sample.journey"
    echo "or start it in a virtual display: xvfb-run -a build/release/bin/pelorvant --profile=480x640"
    exit 1
fi
# On first use the data folder (~/.local/share/pelorvant/data) receives the sample timetable.
exec build/release/bin/pelorvant "${args[@]}"
