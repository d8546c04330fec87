# Quick View of a board program with its insertion-point plot, and the program
# page while a long program goes out (the live figures under the time label).
# Channel 1 (DYNA/PERT) is connected and idle when this scene starts.
{
  i=0
  for row in 0 1 2 3 4 5; do
    for col in 0 1 2 3 4 5 6 7; do
      i=$((i + 1))
      # A serpentine over the board, in thousandths of an inch, away from the origin.
      if [ $((row % 2)) -eq 0 ]; then x=$((1200 + col * 450)); else x=$((1200 + (7 - col) * 450)); fi
      y=$((500 + row * 380))
      printf 'N%04dX+%05dY+%05dT%02d\r\n' "$i" "$x" "$y" $((row + 1))
    done
  done
  printf 'M02\r\n'
} > "$work/nc/BOARD7.NCD"
for n in $(seq 1 900); do printf 'N%04dX+%05dY+%05dT01\r\n' "$n" $((1000 + n * 7)) $((500 + (n % 40) * 50)); done \
  > "$work/nc/BIG.NCD"
# Rows in the dialog, by name: BIG.NCD, BOARD7.NCD, PROG1.NCD.
xdotool key F3;     sleep 2.5
xdotool mousemove 440 216 click 1; sleep 0.5
xdotool key ctrl+q; sleep 2
for _ in $(seq 1 13); do xdotool key Down; done
sleep 1;                                          shot 19-quickview
xdotool key Escape; sleep 1
# The first row (BIG.NCD) goes out; the page is shown a few seconds in, then cancelled.
xdotool mousemove 440 196 click 1; sleep 0.5
xdotool mousemove 888 567 click 1; sleep 9;       shot 19-transfer-figures
xdotool key ctrl+c; sleep 4
