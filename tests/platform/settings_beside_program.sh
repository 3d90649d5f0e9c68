#!/bin/sh
# The settings file lies beside the program, also in folders named Zürich and 計算: copies the
# probe there, runs it from elsewhere, and checks the path it printed and the file it saved.
#   settings_beside_program.sh <scratch folder> <module_probe> [command that runs it]...
set -eu
scratch=$1
probe=$2
shift 2
folder="$scratch/Zürich/計算"
rm -rf "$scratch"
mkdir -p "$folder"
copy="$folder/$(basename "$probe")"
cp "$probe" "$copy"
printed=$(cd "$scratch" && "$@" "$copy" | tr -d '\r')
case $printed in
*Zürich[/\\]計算[/\\]corvane.cfg) ;;
*)
    echo "the settings path is $printed, not in $folder" >&2
    exit 1 ;;
esac
grep -q '^resd: 7' "$folder/corvane.cfg"
echo "settings saved and read back at $printed"
rm -rf "$scratch"
