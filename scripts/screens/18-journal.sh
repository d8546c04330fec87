# The transfer journal window from the window's menu, after the download of
# the main scenario: the table, then one record in full (double-click).
xdotool mousemove 120 12 click 1; sleep 2;         shot 18-journal
xdotool mousemove 300 192 click --repeat 2 --delay 80 1; sleep 1.5; shot 18-journal-record
xdotool key Return; sleep 0.5
xdotool key Escape; sleep 1
