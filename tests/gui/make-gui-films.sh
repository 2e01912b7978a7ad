#!/usr/bin/env bash
# Makes the small films the GUI tests load, with the ffmpeg tool, into the folder given.
set -euo pipefail
out="$1"
mkdir -p "$out"
cd "$out"
ff() { ffmpeg -nostdin -loglevel error -y "$@"; }

# 640x480 MPEG-4 in AVI, 25 frames/s, 50 frames.
ff -f lavfi -i testsrc=size=640x480:rate=25 -frames:v 50 -c:v mpeg4 -q:v 5 gui640.avi
# 320x240 MJPEG in AVI at the NTSC rate 30000/1001 (29.97), 40 frames.
ff -f lavfi -i testsrc=size=320x240:rate=30000/1001 -frames:v 40 -c:v mjpeg -q:v 5 gui320.avi
# 720x576 DV in AVI (PAL), 20 frames.
ff -f lavfi -i testsrc=size=720x576:rate=25 -frames:v 20 -pix_fmt yuv420p -c:v dvvideo gui720.avi
# One flat colour: a picture without any structure along the diagonal.
ff -f lavfi -i color=c=red:size=160x120:rate=25 -frames:v 10 -c:v mjpeg -q:v 3 flat.avi

# Broken files: text named like a film, and a film cut off after its header.
printf 'Das ist kein Film.\n' > kein-film.avi
head -c 3000 gui640.avi > abgeschnitten.avi
