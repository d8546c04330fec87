#!/usr/bin/env bash
# Builds KOVA, starts the simulated radio terminal and runs the terminal window
# against it, with a throwaway settings folder whose channels 1 to 7 are the
# simulator's seven machines. Without a display it sends the sample program of
# examples/ for each machine type to its simulated machine with kova-cli and
# prints each result instead. The simulator stops when this script ends.
#
#   scripts/run.sh [--lang N]     N: 0 English, 1 Korean (default: from the locale)
#   KOVA_BUILD_DIR=DIR            build in DIR instead of build/
set -euo pipefail
cd "$(dirname "$0")/.."

lang=""
while [ $# -gt 0 ]; do
  case "$1" in
    --lang) lang="${2:?--lang needs a value}"; shift 2 ;;
    -h|--help) sed -n '2,9p' "$0"; exit 0 ;;
    *) echo "run.sh: unknown option $1" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh

build="${KOVA_BUILD_DIR:-build}"
if [ -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" >/dev/null
else
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target kova kova-sim kova-cli

work=$(mktemp -d "${TMPDIR:-/tmp}/kova-run.XXXXXX")
link="$work/trx"
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$build/sim/kova-sim" --link "$link" &
sim_pid=$!
# The link appears once the pseudo-terminal is ready.
for _ in $(seq 1 100); do
  [ -e "$link" ] && break
  kill -0 "$sim_pid" 2>/dev/null || { echo "run.sh: kova-sim did not start" >&2; exit 1; }
  sleep 0.1
done
[ -e "$link" ] || { echo "run.sh: kova-sim made no link at $link" >&2; exit 1; }

# Settings of this run only: the simulator as the PC port, one channel per machine.
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/MERIDO ELE"
{
  echo "[COMMON]"
  echo "PcComNo=$link"
  [ -n "$lang" ] && echo "LANGUAGE=$lang"
} > "$XDG_CONFIG_HOME/MERIDO ELE/KOVA.conf"

cli="$build/cli/kova-cli"
types=("DYNA/PERT" "PANASERT/RS232" "PANASERT/TTY" "CITIZEN/M10" "TDK/VC5A" "TDK/VC5" "UNIVERSAL")
for n in 1 2 3 4 5 6 7; do
  "$cli" channel set "$n" --type "${types[$((n - 1))]}" "SubSerial=00000000000$n" "McName=LINE$n" >/dev/null
done

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are empty); downloading the sample programs of examples/ with kova-cli instead." >&2
  samples=(DYNAPERT.NCD PNSRS232.NCD PNSTTY.NCD CITIZEN.NCD TDKVC5A.NCD TDKVC5.NCD UNIVERSAL.NCD)
  failed=0
  for n in 1 2 3 4 5 6 7; do
    file="examples/${samples[$((n - 1))]}"
    # --start presses "Start downloading" where the machine waits for its operator.
    if "$cli" --port "$link" --lang "${lang:-0}" download --channel "$n" --start "$file"; then
      result="completed"
    else
      result="FAILED"
      failed=1
    fi
    printf 'channel %d  %-15s %-15s %s\n' "$n" "${types[$((n - 1))]}" "${samples[$((n - 1))]}" "$result"
  done
  exit "$failed"
fi

"$build/ui/kova"
