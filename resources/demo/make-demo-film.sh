#!/usr/bin/env bash
# Makes the demo film: a red ball thrown on a projectile path across a textured board
# with a 50-pixel grid, 640x480, 25 frames per second, 2 seconds, MPEG-4 in AVI.
#   x(t) = 40 + 250 t,  y(t) = 400 - 420 t + 210 t^2   (pixels, t in seconds; y downwards)
# The ball is 24 pixels wide; its colour as decoded is in demo.colour next to the film.
set -euo pipefail
cd "$(dirname "$0")"
ffmpeg -nostdin -hide_banner -loglevel error -y \
  -f lavfi -i "color=c=black:size=640x480:rate=25,format=rgb24,geq=r='70+10*sin(X/9+3*sin(Y/31))+25*lt(mod(X,50),2)+25*lt(mod(Y,50),2)':g='92+10*sin(X/9+3*sin(Y/31))+25*lt(mod(X,50),2)+25*lt(mod(Y,50),2)':b='74+8*sin(Y/13+2*sin(X/23))+25*lt(mod(X,50),2)+25*lt(mod(Y,50),2)'" \
  -f lavfi -i "color=c=black:size=24x24:rate=25,format=rgba,geq=r=225:g=35:b=30:a='255*lte(hypot(X-11.5,Y-11.5),11.5)'" \
  -filter_complex "[0:v][1:v]overlay=x='40+250*t-12':y='400-420*t+210*t*t-12':eval=frame" \
  -frames:v 50 -c:v mpeg4 -q:v 3 -g 25 -pix_fmt yuv420p demo.avi
