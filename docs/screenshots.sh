#!/usr/bin/env bash
# Takes the README's screenshots from the real windows, offscreen, into
# docs/screenshots/. Usage: docs/screenshots.sh [build folder]
# A scale factor for a look at high DPI: QT_SCALE_FACTOR=2 docs/screenshots.sh build /tmp/shots
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
folder=${2:-docs/screenshots}
cmake --build "$build" --target make_screenshots >/dev/null
QT_QPA_PLATFORM=offscreen "$build/docs/make_screenshots" "$folder" 2> >(grep -v "This plugin does not support" >&2)
# The console and the status of a live server with a player on it, from the
# live-server test, which runs the real server in a sandbox (needs root).
if [[ $(id -u) = 0 && -x $build/tests/test_liveserver ]]; then
    KESTRUNE_SCREENSHOTS=$(realpath "$folder") QT_QPA_PLATFORM=offscreen \
        "$build/tests/test_liveserver" statusAndRemoteConsole >/dev/null
fi
