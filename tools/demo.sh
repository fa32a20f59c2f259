#!/usr/bin/env bash
# Tries Read and Write without a radio: starts korva-radio-sim on a pseudo-terminal with
# four sample channels, and the application with a settings file of its own (in a temporary
# folder, so the user's settings stay untouched) whose COM1 is the simulator.
#   tools/demo.sh [build_dir]
# KORVA_DEMO_LANGUAGE=False starts in Chinese; KORVA_DEMO_UNPACED=1 drops the 9600-baud pace.
set -euo pipefail

build_dir=${1:-build}
sim="$build_dir/tools/korva-radio-sim"
app="$build_dir/korva77"
for program in "$sim" "$app"; do
    [ -x "$program" ] || { echo "demo: $program is missing; build first (./build.sh demo)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/korva-demo.XXXXXX")
sim_pid=""
cleanup() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

pace=(--paced)
[ "${KORVA_DEMO_UNPACED:-}" = 1 ] && pace=()
"$sim" --sample "${pace[@]}" --link "$work/radio" >"$work/device" &
sim_pid=$!
for _ in $(seq 50); do
    [ -s "$work/device" ] && break
    sleep 0.1
done
[ -s "$work/device" ] || { echo "demo: the simulator did not start" >&2; exit 1; }

mkdir -p "$work/config/Zorvek"
cat >"$work/config/Zorvek/KORVA-77.conf" <<CONF
[General]
ComPort=1
Language=${KORVA_DEMO_LANGUAGE:-True}

[Ports]
COM1=$work/radio
CONF

echo "demo: COM1 is the simulated radio ($(head -n1 "$work/device")); use Read and Write."
XDG_CONFIG_HOME="$work/config" "$app"
