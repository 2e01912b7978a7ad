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
# 1920x1080 H.264 in MKV, as cameras and phones film today, 6 frames.
ff -f lavfi -i testsrc=size=1920x1080:rate=25 -frames:v 6 -c:v libx264 -preset ultrafast \
   -pix_fmt yuv420p gui1920.mkv
# 720x576 DV in AVI (PAL), 20 frames.
ff -f lavfi -i testsrc=size=720x576:rate=25 -frames:v 20 -pix_fmt yuv420p -c:v dvvideo gui720.avi
# One flat colour: a picture without any structure along the diagonal.
ff -f lavfi -i color=c=red:size=160x120:rate=25 -frames:v 10 -c:v mjpeg -q:v 3 flat.avi

# Broken files: text named like a film, and a film cut off after its header.
printf 'Das ist kein Film.\n' > kein-film.avi
head -c 3000 gui640.avi > abgeschnitten.avi

# 320x240 lossless film whose pixels are known exactly, 10 frames: a grey background
# (40, 40, 40) with three squares from y 40 to 79: red (225, 32, 26) from x 40 to 79, a red
# close to it (230, 40, 30) from x 120 to 159, and blue (30, 60, 200) from x 200 to 239.
box() { echo "between(X,$1,$(($1 + 39)))*between(Y,40,79)"; }
pick() { echo "if($(box 40),$1,if($(box 120),$2,if($(box 200),$3,40)))"; }
ff -f lavfi -i "color=c=black:size=320x240:rate=25,format=rgb24" \
   -vf "geq=r='$(pick 225 230 30)':g='$(pick 32 40 60)':b='$(pick 26 30 200)'" \
   -frames:v 10 -c:v ffv1 -pix_fmt bgr0 farben320.avi

# 160x120 lossless film at 2 frames in 5 seconds (a rate below 1), 12 frames: a red box
# (230, 40, 40) of 6 x 6 pixels at (10 + 4n, 20 + 2n) on a dark background.
inbox='between(X,10+4*N,15+4*N)*between(Y,20+2*N,25+2*N)'
ff -f lavfi -i "color=c=black:size=160x120:rate=2/5,format=rgb24" \
   -vf "geq=r='if($inbox,230,10)':g='if($inbox,40,10)':b='if($inbox,40,10)'" \
   -frames:v 12 -c:v ffv1 -pix_fmt bgr0 langsam.avi

# 320x160 lossless film for manual capture, 10 frames at 25 frames/s, on a grey background
# (40, 40, 40): a red square (230, 40, 40) of 10 x 10 pixels at (10 + 15n, 20) and a still
# blue square (30, 60, 200) of 60 x 60 pixels from (240, 50). Wider than 4:3, so a full-screen
# picture of it has black bars.
moving='between(X,10+15*N,19+15*N)*between(Y,20,29)'
still='between(X,240,299)*between(Y,50,109)'
hand() { echo "if($moving,$1,if($still,$2,40))"; }
ff -f lavfi -i "color=c=black:size=320x160:rate=25,format=rgb24" \
   -vf "geq=r='$(hand 230 30)':g='$(hand 40 60)':b='$(hand 40 200)'" \
   -frames:v 10 -c:v ffv1 -pix_fmt bgr0 manuell.avi
