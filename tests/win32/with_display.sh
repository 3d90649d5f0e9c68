#!/bin/sh
# Runs a command inside a virtual X server of its own (Xvfb on a free display, with openbox as
# its window manager), which ends with it. The exit status is the command's.
#   with_display.sh <command>...
# With WINEPREFIX set, that prefix's Wine server is stopped at the end: its desktop process
# belongs to this display, which ends here.
set -u
fifo_dir=$(mktemp -d)
trap 'rm -rf "$fifo_dir"' EXIT
mkfifo "$fifo_dir/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fifo_dir/display" 2>/dev/null &
xvfb=$!
read -r number <"$fifo_dir/display"
if [ -z "$number" ]; then
    echo "with_display.sh: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=:$number
# A window manager, as on a desktop: without one Wine waits for states nobody sets.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
tries=0
while ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ]; then
        echo "with_display.sh: openbox did not start" >&2
        break
    fi
    sleep 0.05
done
"$@"
status=$?
if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k 2>/dev/null
fi
kill "$wm" "$xvfb" 2>/dev/null
wait "$wm" "$xvfb" 2>/dev/null
exit $status
