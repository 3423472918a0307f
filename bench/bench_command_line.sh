#!/bin/sh
# `kelbrix --convert` making a TIFF, next to zint's own command-line program making a TIFF,
# each run 100 times in the same run of this script. Prints both times per call and the ratio.
#
#   bench/bench_command_line.sh build/src/app/kelbrix [calls]
#
# Needs zint's command-line program (Debian: apt-get install zint); without it the benchmark
# is skipped (exit status 77).
set -eu
kelbrix=${1:?usage: bench_command_line.sh path/to/kelbrix [calls]}
calls=${2:-100}
if ! command -v zint >/dev/null 2>&1; then
    echo "zint's command-line program is not installed: skipped (apt-get install zint)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The same symbol for both: zint draws it once as the converter's source.
zint -b EANX -d "400638133393+54321" --scale=2 -o "$work/source.bmp" >/dev/null

now() { date +%s%N; }
run() { # label, command...
    label=$1
    shift
    start=$(now)
    i=0
    while [ "$i" -lt "$calls" ]; do
        "$@" >/dev/null 2>&1
        i=$((i + 1))
    done
    echo $(( ($(now) - start) / calls / 1000 ))
}

zint_us=$(run zint zint -b EANX -d "400638133393+54321" --scale=2 -o "$work/zint.tif")
kelbrix_us=$(run kelbrix "$kelbrix" --convert "source=$work/source.bmp,dest=$work/kelbrix.tif,format=5")
echo "calls: $calls"
echo "zint CLI, EAN-13+5 to a TIFF: $zint_us us a call"
echo "kelbrix --convert, BMP to a Group 4 TIFF: $kelbrix_us us a call"
awk -v k="$kelbrix_us" -v z="$zint_us" 'BEGIN { printf "ratio: %.1f\n", k / z }'
