#!/usr/bin/env bash
# Speed at phone resolutions, measured as whole processes: decode, tracking, first and warm
# open at 640x480, 1080p and 4K against ffmpeg's own decoding of the same film, and the peak
# memory of decode and tracking up to 8K. Every figure is the median of RUNS runs; the runs of all
# commands are interleaved, so a busy moment of the machine spreads over all of them.
#
# Usage: bench/phone-bench.sh [BUILD_DIR] [BEFORE_BINARY]
#   BUILD_DIR      build tree with src/cli/zebak-analyse (default: build)
#   BEFORE_BINARY  another zebak-analyse (an older build, say): its figures are measured in
#                  the same runs and printed beside ours
# Environment: RUNS (default 3), FILMS (folder for the films, default BUILD_DIR/phone-films),
#              TENNIS (the 1080p tennis clip to loop; default ../shared/films/... when present)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
ours="$build/src/cli/zebak-analyse"
before="${2:-}"
runs="${RUNS:-3}"
films="${FILMS:-$build/phone-films}"
tennis="${TENNIS:-$root/../shared/films/kalman-tennis-ball/ball.mp4}"
mkdir -p "$films"
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }

# A moving yellow ball on testsrc2, H.264 with B-frames as phones write it.
ball_film() {
    local name="$1" size="$2" frames="$3"
    [ -s "$films/$name" ] && return 0
    local d=$(( ${size#*x} / 10 ))
    ff -f lavfi -i "testsrc2=size=$size:rate=30" -f lavfi -i "color=c=yellow:size=${d}x${d}:rate=30" \
       -filter_complex "[1:v]format=yuva420p,geq=lum='p(X,Y)':a='if(lt(hypot(X-W/2,Y-H/2),W/2),255,0)'[b];[0:v][b]overlay=x='mod(t*W/3,W-w)':y='H/2+H/4*sin(t*3)'" \
       -frames:v "$frames" -c:v libx264 -preset veryfast -bf 3 -pix_fmt yuv420p "$films/tmp-$name"
    mv "$films/tmp-$name" "$films/$name"
}
small="$films/small-160x120.mp4"
[ -s "$small" ] || ff -f lavfi -i testsrc2=size=160x120:rate=30 -frames:v 270 -c:v libx264 -pix_fmt yuv420p "$small"
ball_film ball-640x480.mp4 640x480 270
if [ -s "$tennis" ]; then
    hd="$films/tennis-1080p-270.mp4"
    [ -s "$hd" ] || ff -stream_loop 9 -i "$tennis" -an -c:v libx264 -pix_fmt yuv420p "$hd"
    hd_colour=120,116,35
else
    ball_film ball-1920x1080.mp4 1920x1080 270
    hd="$films/ball-1920x1080.mp4"
    hd_colour=255,255,0
fi
ball_film ball-3840x2160.mp4 3840x2160 90
ball_film ball-7680x4320.mp4 7680x4320 12

timing="$(mktemp)"
trap 'rm -f "$timing"' EXIT
declare -A samples
# run KEY COMMAND...: one timed run, wall seconds appended to samples[KEY]
run() {
    local key="$1"
    shift
    /usr/bin/time -f "%e" -o "$timing" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    samples[$key]="${samples[$key]:-} $(tail -1 "$timing")"
}
median() { echo "${samples[$1]}" | tr ' ' '\n' | grep -v '^$' | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", (b > 0 ? a / b : 0)}'; }

binaries=(ours)
[ -n "$before" ] && binaries+=(before)
bin() { if [ "$1" = ours ]; then echo "$ours"; else echo "$before"; fi; }
cache() { echo "$build/phone-bench-cache-$1"; }

measure() {
    local label="$1" film="$2" colour="$3"
    for _ in $(seq "$runs"); do
        run "$label ffmpeg-rgb" ffmpeg -nostdin -loglevel error -i "$film" -pix_fmt rgb24 -f null -
        run "$label ffmpeg-null" ffmpeg -nostdin -loglevel error -i "$film" -f null -
        for b in "${binaries[@]}"; do
            local exe c
            exe="$(bin "$b")"
            c="$(cache "$b")"
            rm -rf "$c"
            XDG_CACHE_HOME="$c" run "$label $b first-open" "$exe" info "$film"
            XDG_CACHE_HOME="$c" run "$label $b warm-info" "$exe" info "$film"
            XDG_CACHE_HOME="$c" run "$label $b decode" "$exe" decode "$film"
            XDG_CACHE_HOME="$c" run "$label $b predict" "$exe" track "$film" --colour1 "$colour" --tolerance1 25 --mode1 predict
            XDG_CACHE_HOME="$c" run "$label $b simple" "$exe" track "$film" --colour1 "$colour" --tolerance1 25 --mode1 simple
            XDG_CACHE_HOME="$c" "$exe" info "$small" >/dev/null
            XDG_CACHE_HOME="$c" run "$label $b warm-info-160" "$exe" info "$small"
        done
    done
    echo
    echo "## $label ($(basename "$film")), medians of $runs runs, seconds"
    echo
    echo "| command | ${binaries[*]} | ratio (${binaries[0]}) |" | sed 's/ ours before / ours | before /'
    echo "| --- | --- |$( [ -n "$before" ] && echo ' --- |') --- |"
    local rgb null
    rgb="$(median "$label ffmpeg-rgb")"
    null="$(median "$label ffmpeg-null")"
    row() {  # row NAME KEY BASE BASENAME
        local line="| $1 |" v=""
        for b in "${binaries[@]}"; do
            v="$(median "$label $b $2")"
            line="$line $v |"
        done
        v="$(median "$label ${binaries[0]} $2")"
        echo "$line $(ratio "$v" "$3") of $4 |"
    }
    row "zebak-analyse decode" decode "$rgb" "ffmpeg rgb24"
    row "track --mode1 predict" predict "$null" "ffmpeg -f null"
    row "track --mode1 simple" simple "$null" "ffmpeg -f null"
    row "first open (info, empty cache)" first-open "$null" "ffmpeg -f null"
    row "info, warm cache" warm-info "$(median "$label ours warm-info-160")" "160x120 info"
    row "info, warm cache, 160x120" warm-info-160 "$(median "$label ours warm-info-160")" "itself"
    echo "| ffmpeg -pix_fmt rgb24 -f null - | $rgb |$( [ -n "$before" ] && echo " |") |"
    echo "| ffmpeg -f null - | $null |$( [ -n "$before" ] && echo " |") |"
}

measure "640x480" "$films/ball-640x480.mp4" 255,255,0
measure "1080p" "$hd" "$hd_colour"
measure "4K" "$films/ball-3840x2160.mp4" 255,255,0

echo
echo "## Peak memory of decode and of track --mode1 predict (KB)"
for b in "${binaries[@]}"; do
    exe="$(bin "$b")"
    c="$(cache "$b")"
    for film in "$films/ball-640x480.mp4" "$hd" "$films/ball-3840x2160.mp4" "$films/ball-7680x4320.mp4"; do
        XDG_CACHE_HOME="$c" "$exe" info "$film" >/dev/null
        kb=$(XDG_CACHE_HOME="$c" /usr/bin/time -f "%M" "$exe" decode "$film" 2>&1 >/dev/null | tail -1)
        colour=255,255,0
        [ "$film" = "$hd" ] && colour="$hd_colour"
        tk=$(XDG_CACHE_HOME="$c" /usr/bin/time -f "%M" "$exe" track "$film" --colour1 "$colour" \
             --tolerance1 25 --mode1 predict 2>&1 >/dev/null | tail -1)
        echo "- $b $(basename "$film"): decode $kb, track $tk"
    done
done
