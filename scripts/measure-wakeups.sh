#!/usr/bin/env bash
# Counts how often kova-cli and kova wake up while they sit connected and idle
# against kova-sim: the context switches of all their threads (voluntary and
# involuntary, from /proc/PID/task/*/status) over a quiet stretch.
#
#   scripts/measure-wakeups.sh [BUILD_DIR] [SECONDS]
#   (SHOT=file.png keeps a screenshot of the connected window, to check it)
#
# kova-cli: a download to a TDK/VC5A whose operator never presses start; the
#           link is up and the job waits for the machine's start signal.
# kova:     the window after it confirmed the host module and opened the port,
#           and (under Xvfb, driven with xdotool) with channel 5 connected.
set -euo pipefail
build=$(realpath "${1:-build}")
seconds=${2:-10}
work=$(mktemp -d /tmp/kova-wakeups-XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_CONFIG_HOME/MERIDO ELE"
# The window's port; written before the channel, which goes into the same file.
printf '[COMMON]\nPcComNo=%s\nLANGUAGE=0\n' "$work/trx" > "$XDG_CONFIG_HOME/MERIDO ELE/KOVA.conf"

switches() {
    local total=0 n
    for status in /proc/"$1"/task/*/status; do
        n=$(awk '/ctxt_switches/ {s += $2} END {print s + 0}' "$status" 2>/dev/null || echo 0)
        total=$((total + n))
    done
    echo "$total"
}

measure() {   # name pid
    local before after
    before=$(switches "$2")
    sleep "$seconds"
    after=$(switches "$2")
    awk -v name="$1" -v n=$((after - before)) -v s="$seconds" \
        'BEGIN {printf "%-32s %6.2f wake-ups/s (%d in %d s)\n", name, n / s, n, s}'
}

wait_for() {   # file text
    for _ in $(seq 1 200); do
        grep -q "$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    echo "timed out waiting for \"$2\" in $1" >&2
    return 1
}

"$build/sim/kova-sim" --link "$work/trx" --no-start 000000000005 >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 1 100); do [ -e "$work/trx" ] && break; sleep 0.1; done

"$build/cli/kova-cli" channel set 5 --type TDK/VC5A SubSerial=000000000005 >/dev/null
printf 'N1 X1 Y1\r\nN2 X2 Y2\r\n' > "$work/P.NCD"
"$build/cli/kova-cli" --port "$work/trx" download --channel 5 "$work/P.NCD" \
    >/dev/null 2>"$work/cli.err" </dev/null & cli=$!; pids+=($cli)
wait_for "$work/cli.err" "Waiting for start signal."
sleep 1
measure "kova-cli (waiting for start)" "$cli"
kill -INT "$cli"; wait "$cli" 2>/dev/null || true

# Under a virtual X display the window can be driven to connect a channel too.
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
    Xvfb -displayfd 3 -screen 0 1280x800x24 3>"$work/display" >/dev/null 2>&1 & pids+=($!)
    for _ in $(seq 1 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb
fi
"$build/ui/kova" >/dev/null 2>&1 & kova=$!; pids+=($kova)
sleep 5   # start-up and the host check
ls -l /proc/"$kova"/fd | grep -q "$(readlink -f "$work/trx")" || echo "kova does not hold the port" >&2
measure "kova (host confirmed, idle)" "$kova"
if [ "${QT_QPA_PLATFORM}" = xcb ]; then
    # F2, then the dialog's only row (channel 5) and OK, where a 1280x800 screen puts them.
    xdotool key F2; sleep 1.5
    xdotool mousemove 630 253 click 1; sleep 0.5
    xdotool mousemove 868 482 click 1; sleep 6
    [ -n "${SHOT:-}" ] && import -window root "$SHOT"
    measure "kova (channel connected, idle)" "$kova"
fi
