#!/usr/bin/env bash
# Makes the films the media and command-line tests read, with the ffmpeg tool.
# Every frame carries its own index as a 16-bit barcode along the top edge: bit k is a
# white (1) or black (0) block covering the k-th sixteenth of the width, least bit left.
# Usage: make-test-films.sh OUTDIR   (films that already exist are kept)
set -euo pipefail
out="$1"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
cd "$out"

ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }

# barcode_film NAME W H FRAMES RATE CODEC-ARGS... : testsrc2 background with the barcode
barcode_film() {
    local name="$1" w="$2" h="$3" frames="$4" rate="$5"
    shift 5
    [ -s "$name" ] && return 0
    local strip=$((h / 16))
    ff -f lavfi -i "testsrc2=size=${w}x${h}:rate=${rate}" \
       -f lavfi -i "color=c=black:size=${w}x${strip}:rate=${rate}" \
       -filter_complex "[1:v]format=gray,geq=lum='255*mod(floor(N/pow(2,floor(X*16/W))),2)'[bar];[0:v][bar]overlay=0:0:shortest=1" \
       -frames:v "$frames" "$@" "$name.tmp.${name##*.}"
    mv "$name.tmp.${name##*.}" "$name"
}

barcode_film mpeg4.avi 640 480 250 25 -c:v mpeg4 -q:v 4 -bf 0 -g 50
barcode_film mpeg4-bframes.avi 640 480 250 25 -c:v mpeg4 -q:v 4 -bf 2 -g 60
barcode_film mjpeg.avi 640 480 60 25 -c:v mjpeg -q:v 4
barcode_film dv-pal.avi 720 576 50 25 -c:v dvvideo -pix_fmt yuv420p
barcode_film h264.mov 320 240 300 30 -c:v libx264 -preset veryfast -bf 3 -g 250 -pix_fmt yuv420p
barcode_film mpeg2.mpg 640 480 300 25 -c:v mpeg2video -q:v 4 -bf 2 -g 15 -f mpeg
# Formats the decoder reads in order with frame threads, at a phone's size and with B-frames
# or their kin, for the proof that threaded decoding in order gives the pictures of a jump.
barcode_film hevc.mp4 640 360 120 30 -c:v libx265 -preset ultrafast -x265-params log-level=error:bframes=4:keyint=60 -pix_fmt yuv420p -tag:v hvc1
barcode_film vp9.webm 640 360 120 30 -c:v libvpx-vp9 -deadline realtime -cpu-used 8 -g 60 -auto-alt-ref 1 -lag-in-frames 16 -pix_fmt yuv420p
barcode_film h264-1080.mp4 1920 1080 60 30 -c:v libx264 -preset ultrafast -bf 3 -g 30 -pix_fmt yuv420p

# A lossless film whose every pixel is known: red = (x + n) mod 256, green = (2y + 3n) mod 256,
# blue = (x + y) mod 256 for frame n.
if [ ! -s lossless.avi ]; then
    ff -f lavfi -i "color=c=black:size=160x120:rate=25,format=rgb24" \
       -vf "geq=r='mod(X+N,256)':g='mod(2*Y+3*N,256)':b='mod(X+Y,256)'" \
       -frames:v 40 -c:v ffv1 -pix_fmt bgr0 lossless.tmp.avi
    mv lossless.tmp.avi lossless.avi
fi

# Broken inputs: cut short, empty, a text file with a film's name.
# Damaged in the middle: runs of 0xFF bytes written over the second third of the film.
if [ ! -s damaged.avi ]; then
    cp mpeg4.avi damaged.tmp.avi
    size=$(stat -c %s mpeg4.avi)
    for k in 0 1 2 3 4 5 6 7; do
        head -c 1500 /dev/zero | tr '\0' '\377' |
            dd of=damaged.tmp.avi bs=1 seek=$(( size / 3 + k * size / 24 )) conv=notrunc status=none
    done
    mv damaged.tmp.avi damaged.avi
fi
[ -s truncated.avi ] || head -c $(( $(stat -c %s mpeg4.avi) / 2 )) mpeg4.avi > truncated.avi
: > empty.avi
printf 'Das ist kein Film.\n' > text.avi
mkdir -p folder.avi
# Two uncompressed films of the same byte size whose first and last megabyte are the same:
# the second has frame 40 dropped and frame 80 twice, so its frames 40 to 79 are the first
# one's 41 to 80. A cache that knew only size, time and the ends would mix them up.
barcode_film raw-a.avi 160 120 120 25 -c:v rawvideo -pix_fmt bgr24
if [ ! -s raw-b.avi ]; then
    ff -i raw-a.avi -filter_complex \
       "[0]split=3[x][y][z];[x]trim=end_frame=40[a];[y]trim=start_frame=41:end_frame=81,setpts=PTS-STARTPTS[b];[z]trim=start_frame=80:end_frame=120,setpts=PTS-STARTPTS[c];[a][b][c]concat=n=3" \
       -c:v rawvideo -pix_fmt bgr24 raw-b.tmp.avi
    mv raw-b.tmp.avi raw-b.avi
fi

# Frame sizes whose rows are not whole vectors of pixels: every width from 1 to 64 (lossless
# FFV1, 16 rows), the same even widths in H.264, and the sizes phones and web videos have.
# Beside each film: frame 1 as ffmpeg itself decodes it to RGB, to compare every pixel with.
mkdir -p widths
size_film() {
    local name="widths/$1" w="$2" h="$3"
    shift 3
    [ -s "$name" ] && [ -s "$name.rgb" ] && return 0
    ff -f lavfi -i "testsrc2=size=$(( w < 16 ? 16 : w + w % 2 ))x$(( h + h % 2 )):rate=25" -vf "format=rgb24,crop=${w}:${h}:0:0" \
       -frames:v 3 "$@" "$name.tmp.mkv"
    ff -i "$name.tmp.mkv" -vf "select=eq(n\,1)" -frames:v 1 -pix_fmt rgb24 -f rawvideo "$name.rgb"
    mv "$name.tmp.mkv" "$name"
}
for w in $(seq 1 64); do
    size_film "ffv1-${w}x16.mkv" "$w" 16 -c:v ffv1 -pix_fmt yuv420p
    [ $(( w % 2 )) -eq 0 ] && size_film "h264-${w}x16.mkv" "$w" 16 -c:v libx264 -pix_fmt yuv420p
done
for s in 1080x1920 720x1280 854x480 360x640 426x240 1920x1080 1280x720 640x480; do
    size_film "h264-${s}.mkv" "${s%x*}" "${s#*x}" -c:v libx264 -preset veryfast -pix_fmt yuv420p
done
# Odd heights (a last band of rows shorter than the others) and other chroma layouts, for
# reading a frame a few rows at a time.
mkdir -p layouts
layout_film() {
    local name="layouts/$1" size="$2"
    shift 2
    [ -s "$name" ] && return 0
    ff -f lavfi -i "testsrc2=size=${size}:rate=25" -frames:v 3 "$@" "$name.tmp.mkv"
    mv "$name.tmp.mkv" "$name"
}
layout_film "ffv1-37x29.mkv" 37x29 -c:v ffv1 -pix_fmt yuv420p
layout_film "ffv1-30x35-422.mkv" 30x35 -c:v ffv1 -pix_fmt yuv422p
layout_film "ffv1-33x19-444.mkv" 33x19 -c:v ffv1 -pix_fmt yuv444p
layout_film "raw-64x47-nv12.mkv" 64x47 -c:v rawvideo -pix_fmt nv12
layout_film "h264-1920x1079.mkv" 1920x1079 -c:v libx264 -preset veryfast -pix_fmt yuv420p

# Bad and unusual inputs for the bad-film matrix: films cut short at several points, films
# with bytes overwritten, tiny and extreme sizes, audio without video, a picture with a
# film's name. Overwritten bytes are fixed (0xFF runs), so the films are the same every time.
mkdir -p bad
cut_film() {  # cut_film SOURCE PERCENT NAME
    [ -s "bad/$3" ] || head -c $(( $(stat -c %s "$1") * $2 / 100 )) "$1" > "bad/$3"
}
overwrite_film() {  # overwrite_film SOURCE NAME : eight runs of 0xFF over the middle half
    [ -s "bad/$2" ] && return 0
    cp "$1" "bad/$2.tmp"
    local size k
    size=$(stat -c %s "$1")
    for k in 0 1 2 3 4 5 6 7; do
        head -c 700 /dev/zero | tr '\0' '\377' |
            dd of="bad/$2.tmp" bs=1 seek=$(( size / 4 + k * size / 16 )) conv=notrunc status=none
    done
    mv "bad/$2.tmp" "bad/$2"
}
[ -s bad/source.mp4 ] || ff -f lavfi -i "testsrc2=size=320x240:rate=25" -frames:v 100 \
    -c:v libx264 -preset veryfast -pix_fmt yuv420p -movflags +faststart bad/source.mp4
[ -s bad/source.mpg ] || ff -f lavfi -i "testsrc2=size=320x240:rate=25" -frames:v 100 \
    -c:v mpeg2video -q:v 4 -f mpeg bad/source.mpg
for p in 10 50 90; do
    cut_film mpeg4.avi $p "cut-$p.avi"
    cut_film h264.mov $p "cut-$p.mov"
    cut_film bad/source.mpg $p "cut-$p.mpg"
    cut_film bad/source.mp4 $p "cut-$p.mp4"
done
cut_film bad/source.mp4 1 cut-1.mp4
overwrite_film h264.mov damaged.mov
overwrite_film bad/source.mpg damaged.mpg
overwrite_film bad/source.mp4 damaged.mp4
# A picture missing in the middle: the whole JPEG of frame 8 of the MJPEG film overwritten,
# so the decoder puts out no picture for it (the container still lists it).
if [ ! -s bad/gap-8.avi ]; then
    cp mjpeg.avi bad/gap-8.tmp.avi
    packet=$(ffprobe -v error -select_streams v -show_entries packet=size,pos -of csv=p=0 \
        mjpeg.avi | sed -n 9p)
    head -c "${packet%,*}" /dev/zero | tr '\0' '\377' |
        dd of=bad/gap-8.tmp.avi bs=1 seek="${packet#*,}" conv=notrunc status=none
    mv bad/gap-8.tmp.avi bad/gap-8.avi
fi
[ -s bad/tiny-1x1.mkv ] || ff -f lavfi -i "color=c=red:size=16x16:rate=25" -vf "format=rgb24,crop=1:1:0:0" \
    -frames:v 5 -c:v ffv1 bad/tiny-1x1.mkv
[ -s bad/tiny-2x2.mp4 ] || ff -f lavfi -i "testsrc2=size=16x16:rate=25" -vf "crop=2:2:0:0" \
    -frames:v 5 -c:v libx264 -pix_fmt yuv420p bad/tiny-2x2.mp4
[ -s bad/wide-16000x16.mkv ] || ff -f lavfi -i "color=c=blue:size=16000x16:rate=25" \
    -frames:v 3 -c:v ffv1 -pix_fmt yuv420p bad/wide-16000x16.mkv
[ -s bad/audio-only.m4a ] || ff -f lavfi -i "sine=duration=1" -c:a aac bad/audio-only.m4a
[ -s bad/picture.avi ] || ff -f lavfi -i "testsrc2=size=64x48" -frames:v 1 -f image2 \
    -c:v png bad/picture.avi
# A film whose frame size changes in the middle: 20 frames of 320x240, then 20 of 160x120.
if [ ! -s bad/size-change.mkv ]; then
    ff -f lavfi -i "testsrc2=size=320x240:rate=25" -frames:v 20 -c:v mpeg4 -f mpegts bad/a.ts
    ff -f lavfi -i "testsrc2=size=160x120:rate=25" -frames:v 20 -c:v mpeg4 -f mpegts bad/b.ts
    cat bad/a.ts bad/b.ts > bad/size-change.tmp.ts
    ff -i bad/size-change.tmp.ts -c copy bad/size-change.mkv 2>/dev/null ||
        mv bad/size-change.tmp.ts bad/size-change.ts
    rm -f bad/a.ts bad/b.ts bad/size-change.tmp.ts
fi

# A lossless 640x480 film with a one-pixel checker of red and blue: the reduced display
# blends it, the film itself has only the two colours.
if [ ! -s checker640.avi ]; then
    ff -f lavfi -i "color=c=black:size=640x480:rate=25,format=rgb24" \
       -vf "geq=r='255*mod(X+Y,2)':g='0':b='255*(1-mod(X+Y,2))'" \
       -frames:v 3 -c:v ffv1 -pix_fmt bgr0 checker640.tmp.avi
    mv checker640.tmp.avi checker640.avi
fi

# Films as phones make them: upright films stored on their side (rotation in the track
# header, H.264 MP4 and HEVC MOV), a film whose frames are 1/30 s apart for 16 frames and then
# 2/30 s apart for 8, a slow-motion film with its recording rate, and a one-frame film.
# Beside each turned film: frame 4 as ffmpeg decodes it upright.
mkdir -p phone
for film in "h264-90.mp4:libx264:90" "h264-270.mp4:libx264:270" "hevc-90.mov:libx265:90" \
            "hevc-270.mov:libx265:270" "h264-180.mp4:libx264:180"; do
    IFS=: read -r name codec turn <<< "$film"
    [ -s "phone/$name" ] && [ -s "phone/$name.rgb" ] && continue
    ff -f lavfi -i "testsrc2=size=160x96:rate=30" -frames:v 8 -c:v "$codec" -pix_fmt yuv420p \
       -x265-params log-level=error "phone/tmp-$name" 2>/dev/null ||
        ff -f lavfi -i "testsrc2=size=160x96:rate=30" -frames:v 8 -c:v "$codec" -pix_fmt yuv420p \
           "phone/tmp-$name"
    python3 "$here/set-rotation.py" "phone/tmp-$name" "$turn"
    ff -i "phone/tmp-$name" -vf "select=eq(n\,4)" -frames:v 1 -pix_fmt rgb24 -f rawvideo "phone/$name.rgb"
    mv "phone/tmp-$name" "phone/$name"
done
[ -s phone/uneven.mp4 ] || ff -f lavfi -i "testsrc2=size=160x120:rate=30" -frames:v 24 \
    -vf "settb=1/60,setpts='if(lt(N\,16)\,N*2\,32+(N-16)*4)'" -fps_mode passthrough \
    -c:v libx264 -pix_fmt yuv420p phone/uneven.mp4
# A red square thrown on the same uneven clock: x grows 10 px per 1/30 s, y falls as
# 10 + 900 t^2 px, drawn at the true time of every frame, losslessly.
[ -s phone/uneven-throw.mp4 ] || ff -f lavfi -i "color=c=black:size=360x1060:rate=30" \
    -f lavfi -i "color=c=red:size=12x12:rate=30" -filter_complex \
    "[0][1]overlay=format=yuv444:x='round(if(lt(t*30,15.5),300*t,160+600*(t-16/30)))':y='round(if(lt(t*30,15.5),10+900*t*t,10+(16+2*(30*t-16))*(16+2*(30*t-16))))',settb=1/60,setpts='if(lt(N,16),N*2,32+(N-16)*4)'" \
    -frames:v 24 -fps_mode passthrough -c:v libx264 -qp 0 -pix_fmt yuv444p phone/uneven-throw.mp4
[ -s phone/slow-motion.mp4 ] || ff -f lavfi -i "testsrc2=size=160x120:rate=30" -frames:v 30 \
    -c:v libx264 -pix_fmt yuv420p -metadata com.android.capture.fps=240 \
    -movflags use_metadata_tags phone/slow-motion.mp4
# The thrown square as a phone's slow motion stores it: recorded at 240 frames/s, stored on the
# uneven clock above (1/30 s, then 2/30 s between frames).
[ -s phone/slow-throw.mp4 ] || ff -i phone/uneven-throw.mp4 -c copy \
    -metadata com.android.capture.fps=240 -movflags use_metadata_tags phone/slow-throw.mp4
# A film whose first frame lasts 7/150 s and every other 1/30 s, as BallTossOut.mov.
[ -s phone/late-start.mp4 ] || ff -f lavfi -i "testsrc2=size=160x120:rate=30" -frames:v 20 \
    -vf "settb=1/300,setpts='if(eq(N\,0)\,0\,4+N*10)'" -fps_mode passthrough -enc_time_base 1/300 \
    -c:v libx264 -pix_fmt yuv420p phone/late-start.mp4
[ -s phone/one-frame.mp4 ] || ff -f lavfi -i "testsrc2=size=160x120:rate=30" -frames:v 1 \
    -c:v libx264 -pix_fmt yuv420p phone/one-frame.mp4

echo "films ready in $out"
