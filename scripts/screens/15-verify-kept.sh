# The channel editor of the UNIVERSAL channel (7) with "Verify after
# download" ticked (then cancelled), and the upload dialog's remark for a file
# that has older versions kept.
xdotool key F7;     sleep 1.5
xdotool mousemove 100 207 click --repeat 2 --delay 80 1; sleep 2
xdotool mousemove 585 381 click 1; sleep 0.5;     shot channel-editor-verify
xdotool key Escape; sleep 0.5
xdotool key F5;     sleep 1
printf 'N001 X10 Y20\r\nN002 M30\r\n' > "$work/nc/BOARD7.NCD"
mkdir -p "$work/nc/.kova-history"
for stamp in 20261201T080000.000Z 20261203T093000.000Z 20261205T141500.000Z; do
  cp "$work/nc/BOARD7.NCD" "$work/nc/.kova-history/BOARD7.NCD.$stamp"
done
# F4 on the connected DYNA/PERT channel: the upload dialog lists the folder's
# files with their remarks; Escape from the list (in the name field it only
# clears the name) leaves it without uploading.
xdotool key F4;     sleep 2;                       shot upload-kept-versions
xdotool mousemove 630 400 click 1; sleep 0.5
xdotool key Escape; sleep 1.5
