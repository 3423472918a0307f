#!/bin/sh
# `kelbrix --export` of 1,000 EAN-13 records at 600 dpi, Group 4, next to zint's own program
# writing the same 1,000 symbols as TIFF files with `zint --batch`, at the same pixel size, in
# the same run, in a folder on the disk of the build folder. Prints both times and the ratio
# (the goal is 1.0 or less).
#
#   bench/bench_batch_export.sh build/src/app/kelbrix [records]
#
# Needs zint's command-line program (Debian: apt-get install zint); without it the benchmark
# is skipped.
set -eu
kelbrix=${1:?usage: bench_batch_export.sh path/to/kelbrix [records]}
records=${2:-1000}
if ! command -v zint >/dev/null 2>&1; then
    echo "zint's command-line program is not installed: skipped (apt-get install zint)"
    exit 0
fi
# On the disk that holds the build, not on a memory file system such as /tmp may be.
work=$(mktemp -d "$(cd "$(dirname "$kelbrix")" && pwd)/bench-batch-export.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" QT_QPA_PLATFORM=offscreen

# The same records for both: twelve digits and the EAN-13 check digit.
awk -v n="$records" 'BEGIN {
    print "Product;EAN" > "'"$work"'/list.csv"
    for (i = 0; i < n; ++i) {
        d = sprintf("4006%08d", i); s = 0
        for (j = 1; j <= 12; ++j) s += substr(d, j, 1) * (j % 2 ? 1 : 3)
        d = d (10 - s % 10) % 10
        print "Item " i ";" d > "'"$work"'/list.csv"
        print d > "'"$work"'/zint.txt"
    }
}'
mkdir "$work/kelbrix" "$work/zint" "$work/probe"

now() { date +%s%N; }
size() { tiffinfo "$1" 2>/dev/null | sed -n 's/.*Image Width: \([0-9]*\) Image Length: \([0-9]*\).*/\1 \2/p'; }

start=$(now)
"$kelbrix" --export "$work/list.csv" --out "$work/kelbrix" --dpi 600 --compression g4 >/dev/null
kelbrix_ns=$(($(now) - start))
set -- $(size "$(ls "$work"/kelbrix/*.tif | head -n 1)")
width=$1 height=$2

# zint's module is a whole number of half pixels: the scale whose width comes nearest, then the
# bar height (in modules) whose picture height comes nearest, found from two probes.
probe() { # scale height -> width height
    zint -b EANX -d "$(head -n 1 "$work/zint.txt")" --scale="$1" --height="$2" --filetype=TIF -o "$work/probe/p.tif" >/dev/null
    size "$work/probe/p.tif"
}
set -- $(probe 1 50)
scale=$(awk -v w="$width" -v p="$1" 'BEGIN { s = int(2 * w / p + 0.5) / 2; print (s < 0.5 ? 0.5 : s) }')
set -- $(probe "$scale" 50)
low=$2
set -- $(probe "$scale" 100)
bar=$(awk -v h="$height" -v a="$low" -v b="$2" 'BEGIN { x = 50 + (h - a) * 50 / (b - a); print (x < 1 ? 1 : int(x + 0.5)) }')
set -- $(probe "$scale" "$bar")
zint_width=$1 zint_height=$2

start=$(now)
zint --batch -b EANX --scale="$scale" --height="$bar" --filetype=TIF -i "$work/zint.txt" \
    -o "$work/zint/~~~~~.tif" >/dev/null
zint_ns=$(($(now) - start))

kelbrix_files=$(ls "$work/kelbrix" | wc -l)
zint_files=$(ls "$work/zint" | wc -l)
echo "records: $records, in $work"
echo "kelbrix --export (600 dpi, Group 4, synced): $kelbrix_files files of ${width}x${height} px, $(du -sk "$work/kelbrix" | cut -f1) KiB: $((kelbrix_ns / 1000000)) ms"
echo "zint --batch (--scale=$scale --height=$bar, TIFF): $zint_files files of ${zint_width}x${zint_height} px, $(du -sk "$work/zint" | cut -f1) KiB: $((zint_ns / 1000000)) ms"
awk -v k="$kelbrix_ns" -v z="$zint_ns" 'BEGIN { printf "ratio kelbrix / zint: %.2f (goal <= 1.0)\n", k / z }'
