#!/usr/bin/env bash
# Makes the committed PNG sizes of the emblem from its SVG, so that building the
# program needs no SVG renderer. Run it after changing either SVG and commit
# the PNGs. Needs rsvg-convert (Debian: apt-get install -y librsvg2-bin).
# 16 pixels come from kestrune-server-tool-16.svg, drawn on that pixel grid;
# every other size from kestrune-server-tool.svg.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
    source=kestrune-server-tool.svg
    [ "$size" = 16 ] && source=kestrune-server-tool-16.svg
    mkdir -p "${size}x${size}"
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "${size}x${size}/kestrune-server-tool.png" "$source"
done
