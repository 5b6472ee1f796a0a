#!/usr/bin/env bash
# End to end: the real game in a real X server with a window manager, as on a desktop.
# Starts tovia, finds its window, switches to full screen and back with TAB, takes screenshots
# until the map shows in the window, closes the window through the window manager and checks the
# exit status.
#   window.sh path/to/tovia
set -euo pipefail
exe="$(realpath "$1")"

if [ -z "${TOVIA_E2E_INNER:-}" ]; then
  export TOVIA_E2E_INNER=1
  exec xvfb-run -a -s '-screen 0 800x600x24' "$0" "$@"
fi

work="$(mktemp -d)"
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export SDL_AUDIODRIVER=dummy
openbox >/dev/null 2>&1 &
wm_pid=$!
for _ in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done

geometry() { xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }
wait_geometry() {  # window, expected WxH
  for _ in $(seq 50); do [ "$(geometry "$1")" = "$2" ] && return 0; sleep 0.1; done
  fail "window is $(geometry "$1"), expected $2"
}

cd "$(dirname "$exe")"  # the game runs from the folder that holds Data/
"$exe" >"$work/out.txt" 2>&1 &
game_pid=$!

win="$(timeout 30 xdotool search --sync --onlyvisible --name '^Tovia$' | head -n 1)" || fail "no window named Tovia"
wait_geometry "$win" 640x480
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true

xdotool key Tab
wait_geometry "$win" 800x600
xdotool key Tab
wait_geometry "$win" 640x480
kill -0 "$game_pid" 2>/dev/null || fail "the game ended after TAB"

# The game's picture fills its window: once the fade-in is over it shows the cave that the start
# enters, and nearly all of the client area is lit (the fade-in uncovers it block by block).
# Screenshots until it is, for at most 10 s.
read -r wx wy < <(xwininfo -id "$win" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4} END{print x, y}')
lit=0
for _ in $(seq 20); do
  sleep 0.5
  import -window root "$work/shot.png"
  size="$(/usr/bin/convert "$work/shot.png" -format '%wx%h' info:)"
  [ "$size" = "800x600" ] || fail "screenshot is $size"
  # The share of pixels of the client area that are not black, 0..1.
  lit="$(/usr/bin/convert "$work/shot.png" -crop "640x480+$wx+$wy" +repage -fill white +opaque black \
    -colorspace gray -format '%[fx:mean]' info:)"
  awk -v lit="$lit" 'BEGIN{exit !(lit > 0.9)}' && break
done
awk -v lit="$lit" 'BEGIN{exit !(lit > 0.9)}' || fail "only $lit of the picture in the window is lit, expected the cave"

# The heroine walks under the keys: holding the right arrow for a second moves her and the view
# after her, so the picture in the window changes.
/usr/bin/convert "$work/shot.png" -crop "640x480+$wx+$wy" +repage "$work/before.png"
xdotool keydown Right
sleep 1
xdotool keyup Right
sleep 0.3
import -window root "$work/shot.png"
/usr/bin/convert "$work/shot.png" -crop "640x480+$wx+$wy" +repage "$work/after.png"
changed="$(/usr/bin/compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)"
changed="${changed%% *}"
[ "${changed:-0}" -gt 10000 ] 2>/dev/null || fail "holding the right arrow changed only ${changed:-no} pixels of the picture"

wmctrl -c Tovia
status=0
timeout 20 tail --pid="$game_pid" -f /dev/null || fail "the game did not end after the window was closed"
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || { cat "$work/out.txt" >&2; fail "exit status $status"; }
echo "e2e window: ok"
