#!/usr/bin/env bash
# Makes the films the benchmarks read (like the test films: testsrc2 with moving content).
# Usage: make-bench-films.sh OUTDIR   (films that already exist are kept)
set -euo pipefail
out="$1"
mkdir -p "$out"
cd "$out"
make() {
    local name="$1" frames="$2"
    shift 2
    [ -s "$name" ] && return 0
    ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=640x480:rate=25" \
        -frames:v "$frames" "$@" "tmp-$name"
    mv "tmp-$name" "$name"
}
make mpeg4-250.avi 250 -c:v mpeg4 -q:v 4 -bf 0 -g 50
make mpeg4-bframes-250.avi 250 -c:v mpeg4 -q:v 4 -bf 2 -g 60
make mpeg4-2500.avi 2500 -c:v mpeg4 -q:v 4 -bf 0 -g 50
make mpeg2-1500.mpg 1500 -c:v mpeg2video -q:v 4 -bf 2 -g 15 -f mpeg
