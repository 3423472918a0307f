#!/bin/sh
# Starts the program on a real desktop of its own and lets it walk through its windows (see
# src/tour/desktop_tour.h): make a code, open every window, check that no message box came at
# start-up, no control covers another and every window opens centred inside the screen.
#
#   desktop_tour.sh x11|wayland PROGRAM FOLDER
#
# x11: an Xvfb screen of 1400x900 with the openbox window manager; wayland: weston's headless
# backend. The pictures of the windows and the report go into FOLDER. Exits 77 (skipped) with a
# message when the desktop cannot start here, otherwise with the program's verdict.
set -u
mode=$1
program=$2
out=$3

rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
skip() {
    echo "SKIPPED: $*"
    exit 77
}
# Waits up to ten seconds for the file $1 to exist and not be empty.
wait_for() {
    tries=0
    while [ ! -s "$1" ] && [ ! -S "$1" ]; do
        tries=$((tries + 1))
        [ "$tries" -gt 100 ] && return 1
        sleep 0.1
    done
    return 0
}

# A first start: no settings, and the run-time folder weston and Qt insist on.
mkdir -p "$work/config" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime"
unset DISPLAY WAYLAND_DISPLAY QT_SCALE_FACTOR

case $mode in
x11)
    command -v Xvfb >/dev/null || skip "no X server: Xvfb is not installed (Debian package xvfb)"
    command -v openbox >/dev/null || skip "no window manager: openbox is not installed (Debian package openbox)"
    Xvfb -displayfd 3 -screen 0 1400x900x24 -nolisten tcp 3>"$work/display" 2>"$out/xvfb.log" &
    pids="$pids $!"
    wait_for "$work/display" || skip "Xvfb did not start (see $out/xvfb.log)"
    export DISPLAY=":$(cat "$work/display")"
    openbox --sm-disable --startup "touch $work/openbox-ready" >"$out/openbox.log" 2>&1 &
    pids="$pids $!"
    # openbox runs its start-up command once it manages the screen; the file it makes is empty.
    tries=0
    while [ ! -e "$work/openbox-ready" ]; do
        tries=$((tries + 1))
        [ "$tries" -gt 100 ] && skip "openbox did not start (see $out/openbox.log)"
        sleep 0.1
    done
    export QT_QPA_PLATFORM=xcb
    ;;
wayland)
    command -v weston >/dev/null || skip "no Wayland compositor: weston is not installed (Debian package weston)"
    weston --backend=headless-backend.so --socket=kelbrix-tour --width=1400 --height=900 --idle-time=0 \
        --log="$out/weston.log" >/dev/null 2>&1 &
    pids="$pids $!"
    wait_for "$XDG_RUNTIME_DIR/kelbrix-tour" || skip "weston did not start (see $out/weston.log)"
    export WAYLAND_DISPLAY=kelbrix-tour QT_QPA_PLATFORM=wayland
    ;;
*)
    echo "usage: $0 x11|wayland PROGRAM FOLDER" >&2
    exit 2
    ;;
esac

KELBRIX_DESKTOP_TOUR="$out" timeout 60 "$program" >"$out/tour.log" 2>&1
result=$?
cat "$out/tour.log"
if grep -q 'Could not find the Qt platform plugin\|could not connect to display\|Failed to create wl_display' \
    "$out/tour.log"; then
    skip "Qt cannot use the $mode display here (for Wayland: Debian package qt6-wayland)"
fi
echo "Pictures of the windows and the report: $out"
exit $result
