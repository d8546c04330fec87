#!/usr/bin/env bash
# Drives kova under a virtual X display against kova-sim and takes screenshots
# of a working day's first steps: host confirmed, F2 with the channel dialog,
# connected, F2 to disconnect, F3 on the DYNA/PERT channel (connect, download
# dialog), a file downloaded. Needs a built tree (scripts/run.sh or test.sh).
#
#   scripts/screenshots.sh LANG OUTDIR      LANG: 0 English, 1 Korean
#   KOVA_BUILD_DIR=DIR                      the build (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
lang="${1:?language index}"
out="${2:?output folder}"
build="$(pwd)/${KOVA_BUILD_DIR:-build}"
mkdir -p "$out"
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "screenshots.sh: needs $tool (packages xvfb xdotool imagemagick)" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

export XDG_CONFIG_HOME="$work/config"
# The transfer journal of this run stays in the throwaway folder too.
export XDG_DATA_HOME="$work/data"
# kova's single-instance lock of this run too: runs of several worktrees at once
# must not refuse each other's window.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/MERIDO ELE" "$work/nc"
printf 'N001 X10 Y20\r\nN002 X30 Y40\r\nN003 M30\r\n' > "$work/nc/PROG1.NCD"
# Xvfb picks a free display number and writes it to fd 3, so several runs can go at once.
Xvfb -displayfd 3 -screen 0 1280x800x24 3>"$work/display" >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 1 50); do [ -s "$work/display" ] && break; sleep 0.1; done
# --fast: the pictures need no 9600-baud host link, only the answers.
"$build/sim/kova-sim" --fast --link "$work/trx" & pids+=($!)
for _ in $(seq 1 50); do [ -e "$work/trx" ] && break; sleep 0.1; done
printf '[COMMON]\nPcComNo=%s\nLANGUAGE=%s\n' "$work/trx" "$lang" > "$XDG_CONFIG_HOME/MERIDO ELE/KOVA.conf"
types=("DYNA/PERT" "PANASERT/RS232" "PANASERT/TTY" "CITIZEN/M10" "TDK/VC5A" "TDK/VC5" "UNIVERSAL")
for n in 1 2 3 4 5 6 7; do
  "$build/cli/kova-cli" channel set "$n" --type "${types[$((n - 1))]}" "SubSerial=00000000000$n" \
    "McName=LINE$n" "NCD File Folder=$work/nc" >/dev/null
done

export DISPLAY=":$(cat "$work/display")"
"$build/ui/kova" >/dev/null 2>&1 & pids+=($!)
shot() { import -window root "$out/$1.png"; }
sleep 3;                                          shot 1-host-confirmed
xdotool key F2;     sleep 1.5;                    shot 2-channel-dialog
xdotool key Return; sleep 4;                      shot 3-connected
xdotool key F2;     sleep 3;                      shot 4-disconnected
xdotool key F3;     sleep 1.5
xdotool key Return; sleep 4;                      shot 5-download-dialog
# The first file row, then the download button of the dialog.
xdotool mousemove 440 196 click 1; sleep 0.5
xdotool mousemove 888 567 click 1; sleep 6;       shot 6-download-complete

# Further scenes, one file each (pages, dialogs): each runs in this shell with the
# window, the simulator ($work/trx), the channels 1..7, shot NAME and xdotool at hand,
# and leaves the window as it found it (main page, no dialog open).
for scene in scripts/screens/*.sh; do
  [ -e "$scene" ] || continue
  # shellcheck source=/dev/null
  . "$scene"
done
