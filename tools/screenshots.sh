#!/usr/bin/env bash
# Takes screenshots of the running application under Xvfb, as a person would see it, in
# English and in Chinese: build/screenshots/main_en.png and main_zh.png (not committed).
#   tools/screenshots.sh [build folder]
# Needs xvfb (Xvfb) and, to cut out the main window, xwininfo (x11-utils); without it the
# whole screen is saved.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out="$build/screenshots"
mkdir -p "$out"
[ -x "$build/korva77" ] && [ -x "$build/korva-grab-window" ] || {
    echo "build first: cmake -S . -B $build && make -C $build" >&2
    exit 1
}

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
config=$(mktemp -d)
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$config"
}
trap cleanup EXIT
sleep 1

for lang in en zh; do
    mkdir -p "$config/Zorvek"
    if [ "$lang" = en ]; then value=True; else value=False; fi
    printf '[General]\nLanguage=%s\nComPort=1\n' "$value" >"$config/Zorvek/KORVA-77.conf"
    DISPLAY=$display XDG_CONFIG_HOME=$config "$build/korva77" &
    app=$!
    sleep 4   # the splash stays 2 seconds
    window=root
    if command -v xwininfo >/dev/null; then
        window=$(DISPLAY=$display xwininfo -root -tree | awk '/"KORVA-77\[/ {print $1; exit}')
        [ -n "$window" ] || window=root
    fi
    DISPLAY=$display "$build/korva-grab-window" "$window" "$out/main_$lang.png"
    kill "$app"
    wait "$app" || true
    app=""
    echo "$out/main_$lang.png"
done
