#!/usr/bin/env bash
# High-density screens: at a device pixel ratio of 2 every pixel of the window is a 2 x 2
# square, so the screenshot is exactly the ordinary one with each pixel doubled; 1.5 rounds
# to 2 and shows the same, whether it comes from QT_SCALE_FACTOR or from a screen of 144 dpi;
# and a click lands on the same control at every scale.
# Usage: run_scale_smoke.sh EDITOR [SCREENSHOT_DIR]
set -u
editor=$(realpath "$1")
shots=${2:-${VERBOLT_SMOKE_SHOTS:-}}
xvfb_screen=2048x1536x24
# The screen's resolution is a property of the root window, which a server reset would drop.
xvfb_options=-noreset
. "$(dirname "$0")/xvfb_session.sh"
command -v convert >/dev/null || fail "ImageMagick is missing (scripts/install-deps installs it)"

# run FACTOR SCALE: screenshots of the window at QT_SCALE_FACTOR=FACTOR (or, for dpiN, on a
# screen of N dpi as the desktop's Xft.dpi says) before and after a click on Create, whose
# pixels are SCALE x SCALE squares.
run() {
  case $1 in
    dpi*)
      xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t%s\n' "${1#dpi}")"
      "$editor" >"$work/editor-$1.log" 2>&1 & ;;
    *) QT_SCALE_FACTOR=$1 "$editor" >"$work/editor-$1.log" 2>&1 & ;;
  esac
  app_pid=$!
  local win
  win=$(wait_window "Verbolt Editor v1.0 | For Korvane System 4") || exit 1
  xdotool mousemove 2040 1530
  sleep 1
  import -window "$win" "$work/start-$1.png"
  xdotool mousemove --window "$win" $((45 * $2)) $((20 * $2)) click 1 mousemove 2040 1530
  sleep 1
  import -window "$win" "$work/created-$1.png"
  kill "$app_pid"
  wait "$app_pid" 2>/dev/null
  app_pid=
  xprop -root -remove RESOURCE_MANAGER
}
# The clock pane's text moves on between screenshots; it is left out of the comparison.
masked() {  # masked IN SCALE OUT: IN cut to 689 x 427 squares of SCALE, the clock pane blanked
  convert "$1" -crop "$((689 * $2))x$((427 * $2))+0+0" +repage -fill black \
    -draw "rectangle $((533 * $2)),$((8 * $2)) $((683 * $2 - 1)),$((28 * $2 - 1))" "PNG24:$3"
}
run 1 1
run 2 2
run 1.5 2
run dpi144 2
for f in 2 1.5 dpi144; do
  size=$(identify -format '%wx%h' "$work/start-$f.png")
  case $f in
    2 | dpi144) [ "$size" = 1378x854 ] || fail "at $f the window is $size instead of 1378x854" ;;
    # The window's size in whole device pixels may round up by one.
    1.5) case $size in 137[89]x85[45]) ;; *) fail "at factor 1.5 the window is $size instead of 1378x854" ;; esac ;;
  esac
  for shot in start created; do
    convert "$work/$shot-1.png" -scale 200% "PNG24:$work/doubled.png"
    masked "$work/doubled.png" 2 "$work/want.png"
    masked "$work/$shot-$f.png" 2 "$work/got.png"
    diff=$(compare -metric AE "$work/want.png" "$work/got.png" "$work/diff-$shot-$f.png" 2>&1)
    if [ "$diff" != 0 ]; then
      [ -n "$shots" ] && cp "$work/$shot-1.png" "$work/$shot-$f.png" "$work/diff-$shot-$f.png" "$shots/"
      fail "at $f the $shot screenshot is not the 1x one with every pixel doubled ($diff pixels differ)"
    fi
  done
done
# Create did something: the File page shows.
masked "$work/start-1.png" 1 "$work/want.png"
masked "$work/created-1.png" 1 "$work/got.png"
diff=$(compare -metric AE "$work/want.png" "$work/got.png" null: 2>&1)
[ "$diff" != 0 ] || fail "the click on Create changed nothing"
echo "scale: at 2, 1.5 and 144 dpi every pixel is a 2 x 2 square of the 1x window; clicks land alike"
