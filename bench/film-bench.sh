#!/usr/bin/env bash
# Side-by-side figures for the frame source, measured as whole processes:
#  - zebak-analyse decode against ffmpeg decoding to RGB, index already cached;
#  - first open (index and frame hashes built) against second open (cached);
#  - peak memory of decode on 250 and on 2500 frames.
# Usage: bench/film-bench.sh [BUILD_DIR]   (films go to BUILD_DIR/bench-films)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
films="$build/bench-films"
"$root/bench/make-bench-films.sh" "$films"
analyse="$build/src/cli/zebak-analyse"
export XDG_CACHE_HOME="$build/bench-cache"
rm -rf "$XDG_CACHE_HOME"
runs=5
timing="$(mktemp)"
trap 'rm -f "$timing"' EXIT

# seconds of the fastest of $runs runs of a command
best() {
    local best=999999 t
    for _ in $(seq $runs); do
        /usr/bin/time -f "%e" -o "$timing" "$@" >/dev/null 2>&1
        t=$(tail -1 "$timing")
        best=$(echo "$t $best" | awk '{print ($1 < $2) ? $1 : $2}')
    done
    echo "$best"
}
peak_kb() { /usr/bin/time -f "%M" "$@" 2>&1 >/dev/null | tail -1; }

film="$films/mpeg4-250.avi"
/usr/bin/time -f "%e" -o "$timing" "$analyse" info "$film" >/dev/null
first=$(tail -1 "$timing")
second=$(best "$analyse" info "$film")
ours=$(best "$analyse" decode "$film")
theirs=$(best ffmpeg -nostdin -loglevel error -i "$film" -pix_fmt rgb24 -f null -)
echo "decode 250 frames 640x480 MPEG-4: zebak-analyse ${ours}s, ffmpeg ${theirs}s, ratio $(echo "$ours $theirs" | awk '{printf "%.2f", $1/$2}')"
echo "open 250 frames: first ${first}s, second ${second}s, ratio $(echo "$first $second" | awk '{printf "%.1f", $1/($2>0?$2:0.001)}')"

"$analyse" info "$films/mpeg4-2500.avi" >/dev/null
m250=$(peak_kb "$analyse" decode "$film")
m2500=$(peak_kb "$analyse" decode "$films/mpeg4-2500.avi")
echo "peak memory of decode: 250 frames ${m250} KB, 2500 frames ${m2500} KB, ratio $(echo "$m2500 $m250" | awk '{printf "%.2f", $1/$2}')"

# The film analysis against plain decoding of the same film: simple search over the whole
# frame, and the search around the predicted position (colour of testsrc2's red areas).
decode=$(best "$analyse" decode "$film")
simple=$(best "$analyse" track "$film" --colour1 191,0,0 --mode1 simple)
predict=$(best "$analyse" track "$film" --colour1 191,0,0 --mode1 predict)
echo "track 250 frames: decode ${decode}s, simple ${simple}s (ratio $(echo "$simple $decode" | awk '{printf "%.2f", $1/$2}')), predict ${predict}s (ratio $(echo "$predict $decode" | awk '{printf "%.2f", $1/$2}'))"
