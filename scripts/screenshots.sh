#!/usr/bin/env bash
# Saves PNG screenshots of the calculator's windows (offscreen): the main window with and
# without the keypad, a keypad key under the mouse, and the Settings, About and Help dialogs.
#   scripts/screenshots.sh [output folder]   (default: docs/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
OUT=${1:-docs/screenshots}
cmake --build "$BUILD" --target ui_screenshots -j2 >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$OUT"
HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" \
  XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/runtime" \
  QT_QPA_PLATFORM=offscreen "$BUILD/ui_screenshots" "$OUT" 2> "$scratch/log" ||
  { cat "$scratch/log" >&2; exit 1; }
