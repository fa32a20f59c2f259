#!/usr/bin/env bash
# Saves PNG screenshots of the function-setup and key-setting pages, in English and in
# Chinese, inside an MDI frame, to check their layout by eye.
#   tools/page_screenshots.sh [output folder]    (default: build/screenshots)
# Uses the offscreen platform, so no display is needed; the pictures are not committed.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KORVA_BUILD_DIR:-build}
out=${1:-$build_dir/screenshots}
mkdir -p "$out"
cmake -S . -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target test_functions_ui -j 2 >/dev/null
out=$(cd "$out" && pwd)
for page in FormOptionTest FormKeySettingTest; do
    KORVA_SCREENSHOT_DIR="$out" QT_QPA_PLATFORM=offscreen \
        "$build_dir/tests/test_functions_ui" "$page" screenshots >/dev/null
done
ls "$out"/*.png
