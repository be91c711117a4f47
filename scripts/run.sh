#!/usr/bin/env bash
# Installs what is needed, builds, and shows the bundled sample timetable.
# Until the program with the user interface exists, this prints what the engine reads from
# the sample timetable (the dump tool).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release
./build/release/tools/jzdump build/release/data/sample.jz
