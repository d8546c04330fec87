# The PC port page (F6), the machine environment page with the seven channels
# (F7), and the channel editor opened on channel 2 from the keyboard (Tab to
# the list, Down to row 2, Enter).
xdotool key F6;     sleep 1.5;                    shot pc-port-page
xdotool key F7;     sleep 1.5;                    shot machine-environment
xdotool key Tab;    sleep 0.5
xdotool key Down;   sleep 0.3
xdotool key Return; sleep 1.5;                    shot channel-editor
xdotool key Escape; sleep 0.5
xdotool key F5;     sleep 1
