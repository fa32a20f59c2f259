#!/usr/bin/env bash
# Installs what the project needs (Debian 12 packages), builds it and runs it.
#   ./build.sh run    build and start the application
#   ./build.sh test   build from scratch and run every test
#   ./build.sh demo   build, start the radio simulator and the application connected to it
#   ./build.sh bench  build and run the transfer benchmark against the simulator
set -euo pipefail
cd "$(dirname "$0")"

command=${1:-run}
build_dir=${KORVA_BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)

packages=(cmake make g++ pkg-config
          qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-translations-l10n
          qt6-qpa-plugins fonts-noto-cjk desktop-file-utils)

install_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo=sudo
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
    fi
}

configure_and_build() {
    local dir=$1; shift
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

case "$command" in
run)
    install_packages "${packages[@]}"
    configure_and_build "$build_dir"
    exec "$build_dir/korva77"
    ;;
test)
    install_packages "${packages[@]}"
    rm -rf "$build_dir"
    configure_and_build "$build_dir"
    (cd "$build_dir" && ctest --output-on-failure -j "$jobs")
    ;;
demo)
    install_packages "${packages[@]}"
    configure_and_build "$build_dir"
    exec tools/demo.sh "$build_dir"
    ;;
bench)
    install_packages "${packages[@]}"
    configure_and_build "$build_dir"
    exec "$build_dir/tools/korva-transfer-bench"
    ;;
*)
    echo "usage: $0 run|test|demo|bench" >&2
    exit 2
    ;;
esac
