# The PC port page (F6), the machine environment page with the seven channels
# (F7), and the channel editor opened by a double click on channel 2's row.
xdotool key F6;     sleep 1.5;                    shot pc-port-page
xdotool key F7;     sleep 1.5;                    shot machine-environment
xdotool mousemove 100 107 click --repeat 2 --delay 80 1; sleep 2; shot channel-editor
xdotool key Escape; sleep 0.5
xdotool key F5;     sleep 1
