#!/usr/bin/env bash
# Developer entry point on Debian 12.
#
#   ./dev.sh play [ARGS...]   install what is missing, build, start the game
#   ./dev.sh test             install what is missing, build, run every test
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
    xvfb xauth xdotool imagemagick x11-utils
    clang-format
)

usage() {
    sed -n '4,7s/^# \{0,1\}//p' "$0" >&2
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
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build --parallel "$(nproc)"
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
        echo "== testing"
        cd build
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j"$(nproc)"
        ;;
    bench)
        install_deps
        configure_build
        if [[ ! -x build/bin/huemix_bench ]]; then
            echo "dev.sh: build/bin/huemix_bench was not built" >&2
            exit 1
        fi
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
