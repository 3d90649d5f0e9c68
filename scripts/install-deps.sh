#!/usr/bin/env bash
# Installs the Debian 12 packages of one set:
#   run   what building and running the calculator needs (`make run`);
#   test  the run set plus what the tests, fuzzers, benchmarks and Windows builds add
#         (`make test`; the default).
# Quick when everything is already there: apt is only called for the packages that are missing.
set -euo pipefail

usage() {
    echo "usage: $0 [run|test]" >&2
    exit 2
}
[[ $# -le 1 ]] || usage
SET=${1:-test}
[[ $SET == run || $SET == test ]] || usage

RUN_PACKAGES=(
    # compilers and build tools
    build-essential
    cmake
    ninja-build
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
    # the window manager's name and hints, read through xcb as Qt's X11 windows are made
    libxcb1-dev
    # the window draws its text with these
    fonts-dejavu-core
    fontconfig
)
TEST_PACKAGES=(
    pkg-config
    git
    # tests and benchmarks
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    # the maths accuracy tests compare against correctly rounded values
    libmpfr-dev
    # fuzzing: clang with the libFuzzer and sanitizer runtimes
    clang-14
    libclang-rt-14-dev
    llvm-14
    clang-format-14
    # the real-desktop tests: an X server, a window manager, X input and true geometry,
    # screenshots, and the interpreter that drives them
    xvfb
    openbox
    xdotool
    x11-utils
    imagemagick
    python3
    # the setup tests read the menu entries as desktops do: the entry validator, GLib's
    # launcher and a menu parser
    desktop-file-utils
    libglib2.0-bin
    python3-xdg
    # a locale with a decimal comma, for the tests that literals never depend on the locale
    locales
    # Windows: the MinGW-w64 cross compilers (posix threads), GoogleTest's sources to build
    # for Windows, and Wine (64-bit, and 32-bit from the i386 architecture) to run the tests
    g++-mingw-w64-i686-posix
    g++-mingw-w64-x86-64-posix
    googletest
    wine
    wine64
    wine32:i386
    # 32-bit Wine through qemu-i386 where the kernel runs no 32-bit programs
    qemu-user-static
)
PACKAGES=("${RUN_PACKAGES[@]}")
if [[ $SET == test ]]; then
    PACKAGES+=("${TEST_PACKAGES[@]}")
fi
TEST_LOCALE=de_DE.UTF-8

# A locale is compiled, not installed: done once, after the packages; only the tests need it.
ensure_locale() {
    if [[ $SET == test ]] && ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
        echo "install-deps: compiling the locale $TEST_LOCALE"
        "${SUDO[@]}" localedef -i de_DE -f UTF-8 "$TEST_LOCALE"
    fi
}

SUDO=()
if [[ $(id -u) -ne 0 ]] && command -v sudo >/dev/null 2>&1; then
    SUDO=(sudo)
fi

missing=()
for pkg in "${PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$pkg")
    fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
    echo "install-deps: all ${#PACKAGES[@]} packages of the $SET set are installed"
    ensure_locale
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [[ $(id -u) -ne 0 && ${#SUDO[@]} -eq 0 ]]; then
    echo "install-deps: not root and no sudo; install these by hand: ${missing[*]}" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
# The 32-bit Wine of the tests comes from the i386 architecture; the update below then lists
# its packages. The run set leaves the system's architectures alone.
if [[ $SET == test ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${SUDO[@]}" dpkg --add-architecture i386
fi
# A mirror in the middle of a sync can serve an index whose size no longer matches its signed
# release file. Try again; if an index still fails and the test set is wanted, take the
# mirror's file as it is (with a warning): without it, apt cannot pair the 32-bit libraries
# with the 64-bit ones from the same suite. The packages themselves are still checked against
# the hashes that index lists. The run set, which a person installs on their own desktop, never
# goes past apt's checks: apt then installs from the indexes it could verify, or says why not.
update_log=$(mktemp)
trap 'rm -f "$update_log"' EXIT
for attempt in 1 2 3; do
    if "${SUDO[@]}" apt-get update 2>&1 | tee "$update_log"; then
        if ! grep -q '^E: Failed to fetch' "$update_log"; then
            break
        fi
    fi
    echo "install-deps: apt-get update failed (attempt $attempt)" >&2
    sleep $((attempt * 5))
done
# The indexes to take unverified: for the test set, those the update could not fetch.
broken_indexes() {
    [[ $SET == test ]] || return 0
    grep -o '^E: Failed to fetch [^ ]*Packages\.xz' "$update_log" | awk '{print $5}' | sort -u
}
unverified=()
while read -r url; do
    list="/var/lib/apt/lists/$(sed -e 's|^[a-z]*://||' -e 's|\.xz$||' -e 's|/|_|g' <<<"$url")"
    echo "install-deps: WARNING: using $url unverified: it does not match its release file" >&2
    command -v curl >/dev/null && command -v xz >/dev/null ||
        "${SUDO[@]}" apt-get install -y --no-install-recommends curl xz-utils ca-certificates
    if curl -fsS "$url" | xz -dc >"$update_log.index" && grep -q '^Package: ' "$update_log.index"; then
        "${SUDO[@]}" install -m 0644 "$update_log.index" "$list"
        unverified+=("$list")
    fi
    rm -f "$update_log.index"
done < <(broken_indexes)
# The mirror's file can be newer than the other indexes: on a fresh system whose libraries
# all come from the main suite, its versions then clash with theirs and nothing resolves.
# Go on without it when the packages resolve only so.
if [[ ${#unverified[@]} -gt 0 ]] &&
    ! apt-get install -s --no-install-recommends "${missing[@]}" >/dev/null 2>&1; then
    echo "install-deps: the packages do not resolve with the unverified index; going on without it" >&2
    "${SUDO[@]}" rm -f "${unverified[@]}"
fi
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
ensure_locale
