# The pieces of tools/press-button, one file of tools/lib/press/ a concern:
# a clean folder for one run of the real program, the stand-in host, its
# stored settings in the Wine registry, the stand-ins for the browser and
# the text viewer (a URL recorder), the program's processes, and what it
# shows (its message boxes, its main window, the steps in each of its other
# windows), and the end of the user's session. Outcome lines go to stdout, one a line, tab-separated; the
# harness's own words to stderr.
# Needs common.sh, an X display and a running Wine session (WINEPREFIX).

for _press_part in stage driver registry host settings browser processes msgbox windows \
  events preferences integrate about instructions route session; do
  source "$BRIVANE_ROOT/tools/lib/press/$_press_part.sh"
done
unset _press_part
