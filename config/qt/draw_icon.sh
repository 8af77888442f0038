#!/usr/bin/env bash
# Draws the program's icon: a solid dark-green (0, 128, 0) splash, a round blob with a few short
# spikes and two drops, on a transparent 32 x 32 background. Writes it twice: as XPM text
# (krovan3d-config.xpm, compiled into the program, '#' green and '.' transparent) and as
# krovan3d-config.png for the desktop entry. Run it again after changing the shape.
set -euo pipefail
here=$(dirname "$0")
out="$here/krovan3d-config.png"

# One spike per "angle length" pair: a triangle from the blob's rim out to `length` pixels
# from the centre (16, 16).
spikes=$(awk 'BEGIN {
  pi = atan2(0, -1)
  n = split("15 15  62 13  118 15  170 13  222 15  275 14  328 12", a, " +")
  for (i = 1; i <= n; i += 2) {
    t = a[i] * pi / 180; len = a[i + 1]; w = 0.38
    printf "-draw \"polygon %.1f,%.1f %.1f,%.1f %.1f,%.1f\" ",
      16 + 7 * cos(t - w), 16 + 7 * sin(t - w),
      16 + len * cos(t), 16 + len * sin(t),
      16 + 7 * cos(t + w), 16 + 7 * sin(t + w)
  }
}')

eval convert -size 32x32 xc:none +antialias -fill "'rgb(0,128,0)'" \
  -draw "'circle 16,16 16,7.5'" "$spikes" \
  -draw "'circle 27,6 27,4.6'" -draw "'circle 4.5,22 4.5,23.2'" \
  -define png:color-type=6 "'$out'"

# Green becomes '#', transparency '.', and the array gets a C++ name and constness.
convert "$out" xpm:- | awk '
  /^static/ { print "static const char* const kIconXpm[] = {"; next }
  /c #008000/ { sub(/^" /, "\"#") }
  pixels { gsub(/ /, "#") }
  /pixels/ { pixels = 1 }
  { print }
' >"$here/krovan3d-config.xpm"
