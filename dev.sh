#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Developer entry point on Debian 12.
#
#   ./dev.sh play [ARGS...]   install what is missing, build, start the game
#   ./dev.sh test             install what is missing, build, check the format, run
#                             every test and the benchmark goals, the unit tests of a
#                             clang build, then every test again with ASan and UBSan
#   ./dev.sh sanitize         only the run with AddressSanitizer and UBSan
#   ./dev.sh bench [ARGS...]  install what is missing, build, run the benchmarks
#   ./dev.sh build            install what is missing, build
#
# Needs root or sudo only when a package is missing.
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libxkbcommon-x11-0 fonts-dejavu-core
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    xvfb xauth xdotool xclip imagemagick x11-utils dbus at-spi2-core libglib2.0-bin openbox
    qt6-wayland weston
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    qt6-multimedia-dev pulseaudio pulseaudio-utils sox
    clang-format clang
)

usage() {
    sed -n '5,11s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

install_deps() {
    echo "== installing"
    local missing=() p sudo=()
    for p in "${packages[@]}"; do
        # "install ok installed" only; a removed package leaves "deinstall ok config-files".
        if [[ $(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true) != "install ok installed" ]]; then
            missing+=("$p")
        fi
    done
    if ((${#missing[@]} == 0)); then
        echo "all ${#packages[@]} packages present"
        return
    fi
    echo "missing: ${missing[*]}"
    if [[ $(id -u) != 0 ]]; then
        command -v sudo >/dev/null || { echo "dev.sh: not root and no sudo; install as root: ${missing[*]}" >&2; exit 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

configure_build() {
    echo "== building"
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHUEMIX_WERROR=ON
    cmake --build build --parallel "$(nproc)"
}

run_tests() {
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j"$(nproc)")
}

# The unit tests built by clang too, so that neither compiler's warnings creep
# in; the game is built as well, for its warnings, but only the unit tier runs.
clang_tests() {
    echo "== building with clang"
    # -Wcomma: one statement per line, never two joined by a comma.
    cmake -S . -B build-clang -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
        -DHUEMIX_WERROR=ON -DHUEMIX_BENCH=OFF -DCMAKE_CXX_FLAGS=-Wcomma
    cmake --build build-clang --parallel "$(nproc)" --target huemix unit_tests
    echo "== testing the clang build"
    (cd build-clang && QT_QPA_PLATFORM=offscreen ctest -L unit --output-on-failure --timeout 600 -j"$(nproc)")
}

# The same suite on a build with AddressSanitizer and UndefinedBehaviorSanitizer;
# any report, a leak included, fails the run. Leaks inside Qt or the system
# libraries are suppressed in tools/lsan.supp, each entry explained there; the
# sanitized programs never unload a library (tools/KeepLoaded.cpp), so every
# leak names its library whatever else the machine has installed.
sanitized_tests() {
    echo "== building with sanitizers"
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DHUEMIX_WERROR=ON -DHUEMIX_SANITIZE=ON -DHUEMIX_BENCH=OFF -DHUEMIX_SOAK_GAMES=2000
    cmake --build build-sanitize --parallel "$(nproc)"
    echo "== testing with sanitizers"
    # The tap-loss count is the normal build's to prove; here the taps only
    # have to run clean, so fewer keep the run short.
    HUEMIX_WINDOW_TAPS=4 \
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:exitcode=66 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0" \
        run_tests build-sanitize
}

# Every C++ file as .clang-format wants it.
check_format() {
    echo "== checking the format"
    find app bench board framework headless info scores tests tools -name '*.cpp' -print0 -o -name '*.h' -print0 |
        xargs -0 clang-format --dry-run -Werror
}

cmd=${1:-}
[[ -n $cmd ]] || usage
shift

case $cmd in
    play)
        install_deps
        configure_build
        echo "== playing"
        exec build/bin/huemix "$@"
        ;;
    test)
        install_deps
        configure_build
        check_format
        echo "== testing"
        run_tests build
        echo "== checking the benchmark goals"
        bench/check.sh build/bin/huemix_bench
        clang_tests
        sanitized_tests
        ;;
    sanitize)
        install_deps
        sanitized_tests
        ;;
    bench)
        install_deps
        configure_build
        if [[ ! -x build/bin/huemix_bench ]]; then
            echo "dev.sh: build/bin/huemix_bench was not built" >&2
            exit 1
        fi
        echo "== checking the benchmark goals"
        bench/check.sh build/bin/huemix_bench
        echo "== benchmarking"
        exec build/bin/huemix_bench "$@"
        ;;
    build)
        install_deps
        configure_build
        ;;
    *)
        usage
        ;;
esac
