# The options page (F8), the string list editor behind the password, and the
# ZID file name conversion on the channel's folder with a PAT.DIR.
zid_record() {   # identified name (45 bytes), file name (10), 13 bytes not read
  head -c 68 /dev/zero | { printf '%s' "$1"; head -c $((45 - ${#1})); printf '%s' "$2"; head -c $((23 - ${#2})); }
}
dialog_geometry() {   # WINDOW TITLE -> X Y WIDTH HEIGHT of the dialog (the title taken literally)
  local pattern
  pattern="^$(printf '%s' "$1" | sed 's/[][(){}.*+?^$|\\]/\\&/g')\$"
  eval "$(timeout 10 xdotool search --sync --name "$pattern" getwindowgeometry --shell | head -5)"
}

xdotool key F8; sleep 1.5;                        shot 14-options
# "Edit string of multilingual", then the password.
xdotool mousemove 136 206 click 1; sleep 1
xdotool type --delay 50 7264; xdotool key Return; sleep 2
                                                  shot 14-string-editor
dialog_geometry "Multi Language String List"
xdotool mousemove $((X + WIDTH - 50)) $((Y + HEIGHT - 22)) click 1; sleep 1

{ printf '\x02\x00'; zid_record BOARD_A P0001.PAT; zid_record BOARD_B p0002.pat; zid_record SMT_TOP P0003.PAT; } \
  > "$work/nc/PAT.DIR"
for f in P0001.PAT P0002.PAT P0003.PAT P0009.PAT SMT_TOP; do printf 'N001 X0 Y0\r\n' > "$work/nc/$f"; done
# "Convert file name(for ZID)", then "Rename all files": SMT_TOP exists already and is kept.
xdotool mousemove 136 248 click 1; sleep 2
dialog_geometry "$("$build/cli/kova-cli" --lang "$lang" lang show 193)"
xdotool mousemove $((X + WIDTH - 82)) $((Y + 238)) click 1; sleep 1.5
                                                  shot 14-zid-dialog
xdotool key Return; sleep 1
rm -f "$work/nc/PAT.DIR" "$work/nc"/P000?.PAT "$work/nc"/BOARD_? "$work/nc/SMT_TOP"
xdotool key F5; sleep 1
