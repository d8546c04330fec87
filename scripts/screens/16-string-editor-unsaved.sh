# The string list editor's OK when the language file beside kova cannot be
# written (its temporary sibling is taken by a folder): the edit stays in
# effect for the run and a warning says so.
blocker="$build/ui/KOVA_M1002.TXT.saving"
mkdir -p "$blocker"
xdotool key F8; sleep 1.5
xdotool mousemove 136 206 click 1; sleep 1
xdotool type --delay 50 7264; xdotool key Return; sleep 2
dialog_geometry "Multi Language String List"
# Row 0's Chinese cell: edit it, then OK.
xdotool mousemove $((X + 631)) $((Y + 36)) click --repeat 2 --delay 80 1; sleep 0.5
xdotool type --delay 50 "Test"; xdotool key Return; sleep 0.5
xdotool mousemove $((X + WIDTH - 137)) $((Y + HEIGHT - 22)) click 1; sleep 1.5
                                                  shot 16-string-editor-unsaved
xdotool key Return; sleep 1
rmdir "$blocker"
xdotool key F5; sleep 1
