#!/usr/bin/env bash
# Screenshots of the installer kova-set, in English and Korean, as a user
# sees it on a fresh account: started from the release folder under a virtual
# X display, with a throwaway home. Needs the release folder
# (cmake --build build --target release) and xvfb, xdotool and imagemagick.
#
#   scripts/screenshots-setup.sh OUTDIR      KOVA_BUILD_DIR=DIR (default build/)
# writes OUTDIR/kova-set-en.png and OUTDIR/kova-set-ko.png.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:?output folder}"
release="$(pwd)/${KOVA_BUILD_DIR:-build}/release"
mkdir -p "$out"
[ -x "$release/kova-set" ] || { echo "screenshots-setup.sh: no $release/kova-set (build the release target)" >&2; exit 1; }
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "screenshots-setup.sh: needs $tool (packages xvfb xdotool imagemagick)" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

# Xvfb picks a free display number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 800x600x24 3>"$work/display" >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 1 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

for lang in en ko; do
  locale=en_US.UTF-8
  [ "$lang" = ko ] && locale=ko_KR.UTF-8
  mkdir -p "$work/home-$lang"
  HOME="$work/home-$lang" XDG_DATA_HOME="" XDG_CONFIG_HOME="" LC_ALL="" LC_MESSAGES="" LANG="$locale" \
    "$release/kova-set" >/dev/null 2>&1 & pid=$!
  pids+=("$pid")
  window=""
  for _ in $(seq 1 100); do
    window=$(xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
  done
  sleep 1
  import -window "$window" "$out/kova-set-$lang.png"
  kill "$pid"
done
echo "screenshots in $out"
