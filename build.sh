#!/usr/bin/env bash
# Installs what the project needs (Debian 12 packages), builds it and runs it.
#   ./build.sh run    build and start the application
#   ./build.sh test   build from scratch and run every test
#   ./build.sh demo   build, start the radio simulator and the application connected to it
#   ./build.sh bench  build and run the transfer benchmark against the simulator
#   ./build.sh fuzz [target|all] [seconds]
#                     build the fuzz targets with clang and run one (or each) for a long run
set -euo pipefail
cd "$(dirname "$0")"

command=${1:-run}
build_dir=${KORVA_BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)

asan_dir=${build_dir}-asan
fuzz_dir=${build_dir}-fuzz

packages=(cmake make g++ pkg-config
          qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-translations-l10n
          qt6-qpa-plugins fonts-noto-cjk desktop-file-utils
          clang libclang-rt-14-dev)

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

# The sanitizer build: AddressSanitizer and UndefinedBehaviorSanitizer, with assertions on,
# light optimisation and line tables only, so that it builds and runs quickly.
configure_and_build_asan() {
    configure_and_build "$asan_dir" -DKORVA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
        "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1"
}

# The fuzz build: clang with libFuzzer and the sanitizers, Qt's assertions on; only the fuzz
# targets and what they link are built.
configure_and_build_fuzz() {
    cmake -S . -B "$fuzz_dir" -DKORVA_FUZZ=ON -DBUILD_TESTING=OFF \
        -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
        "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only" "$@" >/dev/null
    cmake --build "$fuzz_dir" --target korva_fuzzers -j "$jobs"
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
    rm -rf "$asan_dir"
    configure_and_build_asan
    (cd "$asan_dir" && ctest --output-on-failure -j "$jobs")
    rm -rf "$fuzz_dir"
    configure_and_build_fuzz
    (cd "$fuzz_dir" && ctest --output-on-failure -j "$jobs" -L fuzz)
    ;;
fuzz)
    install_packages "${packages[@]}"
    target=${2:-all}
    seconds=${3:-600}
    configure_and_build_fuzz
    if [ "$target" = all ]; then
        targets=$(cd fuzz && ls *.cpp | sed 's/\.cpp$//')
    else
        targets=$target
    fi
    for t in $targets; do
        echo "== fuzz_$t for $seconds s"
        dict=()
        [ -f "fuzz/$t.dict" ] && dict=(-dict="fuzz/$t.dict")
        mkdir -p "$fuzz_dir/fuzz/corpus/$t" "$fuzz_dir/fuzz/artifacts"
        LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp \
            "$fuzz_dir/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$fuzz_dir/fuzz/artifacts/$t-" "${dict[@]}" \
            "$fuzz_dir/fuzz/corpus/$t" "fuzz/corpus/$t"
    done
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
    echo "usage: $0 run|test|demo|bench|fuzz [target|all] [seconds]" >&2
    exit 2
    ;;
esac
