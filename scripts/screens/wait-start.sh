# The wait-for-start dialog of a TDK/VC5A download (channel 5): F2 lets go of
# channel 1, F3 connects channel 5 and opens the download dialog; once the file
# is chosen the job waits for the machine's start signal, and "Start
# downloading" sends the file (the simulated operator presses start only 12 s
# after the link came up).
cp examples/TDKVC5A.NCD "$work/nc/AVC5A.NCD"
xdotool key F2;     sleep 3
xdotool key F3;     sleep 1.5
xdotool key Down Down Down Down; sleep 0.3
xdotool key Return; sleep 3.5
xdotool mousemove 440 196 click 1; sleep 0.5
xdotool mousemove 888 567 click 1; sleep 2;    shot 7-wait-start-dialog
xdotool mousemove 543 359 click 1; sleep 5;    shot 8-wait-start-downloaded
xdotool key F2;     sleep 3
