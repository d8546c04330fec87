#!/usr/bin/env bash
# Checks the include order of the source rooms: a room may include its own
# headers and those of lower rooms, never a higher one.
#
#   lang < app < serial < engine < link < lists, download, upload, sysdownload
#        < platform < ui, cli
#
# The simulator sees only the ports it plays against (the serial port with its
# receive ring, the event loop); the installer shares nothing with the terminal.
# Tests and benchmarks may include anything. Exit 1 with one line per breach.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A level=(
  [lang]=0 [app]=1 [serial]=2 [engine]=3 [link]=4
  [lists]=5 [download]=5 [upload]=5 [sysdownload]=5
  [platform]=6 [ui]=7 [cli]=7
)
sim_may_include='^(sim/|serial/SerialPort\.h$|serial/ByteRing\.h$|engine/EventLoop\.h$)'

breaches=0
report() { echo "$1: includes \"$2\" ($3)"; breaches=$((breaches + 1)); }

while IFS= read -r file; do
  room=${file%%/*}
  while IFS= read -r target; do
    target_room=${target%%/*}
    [ "$target" = "$target_room" ] && continue        # a bare name: not a room
    case "$room" in
      sim)
        [[ "$target" =~ $sim_may_include ]] || report "$file" "$target" "the simulator sees only the ports"
        continue ;;
      setup)
        [ "$target_room" = setup ] || report "$file" "$target" "the installer shares no code"
        continue ;;
    esac
    [ -n "${level[$room]+x}" ] || continue
    if [ -z "${level[$target_room]+x}" ]; then
      case "$target_room" in
        sim|setup|tests|bench) report "$file" "$target" "outside the terminal's rooms" ;;
      esac
      continue
    fi
    if [ "${level[$target_room]}" -gt "${level[$room]}" ]; then
      report "$file" "$target" "$target_room is above $room"
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files --cached --others --exclude-standard '*.h' '*.cpp' 2>/dev/null || find . -name '*.h' -o -name '*.cpp')

if [ "$breaches" -gt 0 ]; then
  echo "$breaches include(s) against the room order"
  exit 1
fi
echo "include order: ok"
