#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing, fuzzing and benchmarking need.
# Quick when everything is already there: apt is only called for the packages that are missing.
set -euo pipefail

PACKAGES=(
    # compilers and build tools
    build-essential
    cmake
    ninja-build
    pkg-config
    git
    # tests and benchmarks
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    # fuzzing: clang with the libFuzzer and sanitizer runtimes
    clang-14
    libclang-rt-14-dev
    llvm-14
    clang-format-14
    # the window: Qt 6 Widgets and WebEngine
    qt6-base-dev
    qt6-base-dev-tools
    qt6-qpa-plugins
    qt6-webengine-dev
    qt6-webengine-dev-tools
    libqt6webenginewidgets6
    libqt6webenginecore6-bin
    libqt6opengl6-dev
    libgl-dev
    libgl1-mesa-dri
    libegl1
    libglx-mesa0
    # offscreen window tests render text
    fonts-dejavu-core
    fontconfig
)

missing=()
for pkg in "${PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$pkg")
    fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
    echo "install-deps: all ${#PACKAGES[@]} packages are installed"
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=()
if [[ $(id -u) -ne 0 ]]; then
    if command -v sudo >/dev/null 2>&1; then
        SUDO=(sudo)
    else
        echo "install-deps: not root and no sudo; install these by hand: ${missing[*]}" >&2
        exit 1
    fi
fi

export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
