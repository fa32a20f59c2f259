#!/usr/bin/env bash
# Takes pictures of the channel page, the channel editor and the copy dialogs in English,
# in Chinese and with a comma decimal separator, for a person to check layout and clipping.
#   tools/channel_screenshots.sh [build folder] [picture folder]
# Uses a virtual X server (xvfb-run) when there is one, else Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-$build/screenshots}
mkdir -p "$out"
export KORVA_SCREENSHOT_DIR
KORVA_SCREENSHOT_DIR=$(realpath "$out")
test_program="$build/tests/test_channels_ui"
[ -x "$test_program" ] || { echo "build $test_program first" >&2; exit 1; }
if command -v xvfb-run >/dev/null; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$test_program" ChannelScreenshots
else
    QT_QPA_PLATFORM=offscreen "$test_program" ChannelScreenshots
fi
echo "pictures in $KORVA_SCREENSHOT_DIR"
