#!/usr/bin/env bash
# map_watch against real windows on a private X server: it times the program's own window, leaves
# the program alone or stops it as asked, and reports no map for a program that opens no window of
# its own, even while another process opens one. The game's own probe then opens the game on the
# same server, with everything its start-up does ahead on other threads (fonts, the session bus),
# and reports its first frame.
#
# Usage: map_watch_test.sh MAP_WATCH WINDOW_PROBE GAME_PROBE
set -u

watch=$1
window=$2
game=$3

display=:$((500 + RANDOM % 400))
Xvfb "$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
runtime=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done
export DISPLAY=$display XDG_RUNTIME_DIR=$runtime
unset QT_QPA_PLATFORM

failures=0
nl=$'\n'
check() {
    if ! eval "$2"; then
        echo "FAIL: $1"
        echo "  output: $(printf '%q' "$out")  status: $status"
        failures=$((failures + 1))
    fi
}

# Left alone, the probe reports its own first frame after the map and ends by itself.
out=$(PROBE_MODE=startup "$watch" "$window" 2>/dev/null)
status=$?
check "a window is timed and the program runs to its end" \
    '[ $status -eq 0 ] && [[ $out =~ ^map_ms\ [0-9]+\.[0-9]{2}${nl}first_frame_ms\ [0-9.]+${nl}rss_kb\ [0-9]+$ ]]'

# Stopped at the map: an idle probe would otherwise report its CPU after 30 s.
out=$(PROBE_MODE=idle PROBE_IDLE_SECONDS=30 "$watch" --stop "$window" 2>/dev/null)
status=$?
check "--stop ends the program once its window is mapped" \
    '[ $status -eq 0 ] && [[ $out =~ ^map_ms\ [0-9]+\.[0-9]{2}$ ]]'

out=$("$watch" true 2>&1)
status=$?
check "a program with no window is no map" \
    '[ $status -eq 1 ] && [[ $out != *map_ms* ]] && [[ $out == *"mapped no window"* ]]'

# The window belongs to a child of the program, another process: not the program's own window.
out=$(PROBE_MODE=startup "$watch" sh -c '"$1" >/dev/null 2>&1 & wait' sh "$window" 2>&1)
status=$?
check "another process's window is not the program's" \
    '[ $status -eq 1 ] && [[ $out != *map_ms* ]]'

out=$("$watch" 2>&1)
status=$?
check "no program is a usage error" '[ $status -eq 2 ] && [[ $out == usage:* ]]'

out=$(PROBE_MODE=startup "$watch" "$game" 2>/dev/null)
status=$?
check "the game opens its window and draws it" \
    '[ $status -eq 0 ] && [[ $out =~ ^map_ms\ [0-9.]+${nl}first_frame_ms\ [0-9.]+${nl}rss_kb\ [0-9]+$ ]]'

exit $((failures > 0))
