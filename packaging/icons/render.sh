#!/usr/bin/env bash
# Renders the icon's PNGs for the hicolor theme from zebak.svg (needs librsvg2-bin).
# The PNGs are kept in git, so building the package needs no renderer.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256 512; do
    mkdir -p "${size}x${size}"
    rsvg-convert -w "$size" -h "$size" zebak.svg -o "${size}x${size}/zebak.png"
done
