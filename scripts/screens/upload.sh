# F4 on the connected DYNA/PERT channel: the upload dialog asks for the file
# name, the machine's menu asks for P or T, and the program is written.
xdotool key F4;                 sleep 2
xdotool type --delay 50 BACKUP1.NCD; sleep 0.5;   shot 7-upload-dialog
# The upload button, at the dialog's lower right.
xdotool mousemove 888 567 click 1; sleep 4;       shot 8-press-p-or-t
xdotool key p;                  sleep 5;          shot 9-upload-complete
