#!/bin/sh
# Makes the films the track tests read from the frames that draw_track_frames writes (boxes on
# known paths): a lossless RGB film whose colours come out exactly as drawn, and an MJPEG film
# whose colours are only near them. Usage: make-track-films.sh DRAW_TRACK_FRAMES OUTDIR
set -eu
draw=$1
out=$2
mkdir -p "$out"
# The frames go through a file, not a pipe: sh has no pipefail, so a drawing program that is
# missing or fails would otherwise leave broken films behind and the fixture would pass.
frames="$out/frames.rgb"
trap 'rm -f "$frames"' EXIT
"$draw" >"$frames"
encode() {
    ffmpeg -hide_banner -loglevel error -y -f rawvideo -pix_fmt rgb24 -s 160x120 \
        -framerate 25 -i "$frames" "$@"
}
encode -c:v ffv1 -pix_fmt bgr0 "$out/boxes-ffv1.avi"
encode -c:v mjpeg -q:v 2 -pix_fmt yuvj444p "$out/boxes-mjpeg.avi"
