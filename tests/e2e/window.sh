#!/usr/bin/env bash
# End to end: the real game in a real X server with a window manager, as on a desktop.
# Starts tovia, finds its window, checks the window manager was given a game window to manage
# exactly once (a window shown, taken away and shown again flickers at start-up), switches to
# full screen and back with TAB, takes screenshots until the map shows in the window, walks the
# heroine, fires her shots (they fly, spark where they meet the map and vanish), opens the pause
# menu over the frozen world and closes it, walks her east until the first enemies show, closes
# the window through the window manager and checks the exit status. Then starts it again and
# quits through the pause menu, which ends it with status 0 too.
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
  [ -n "${spy_pid:-}" ] && kill "$spy_pid" 2>/dev/null || true
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export SDL_AUDIODRIVER=dummy
openbox >/dev/null 2>&1 &
wm_pid=$!
for _ in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done

# Every change of the window manager's list of managed windows, from before the game starts.
stdbuf -oL xprop -root -spy _NET_CLIENT_LIST >"$work/clients.txt" 2>&1 &
spy_pid=$!
for _ in $(seq 50); do [ -s "$work/clients.txt" ] && break; sleep 0.1; done
# How often a window joined the list: a line of the spy holds the whole list ("... # 0x1, 0x2").
windows_mapped() {
  awk -F'# ' '{
    n = split($2, ids, ", ")
    for (i = 1; i <= n; i++) if (ids[i] != "" && !(ids[i] in listed)) joined++
    split("", listed)
    for (i = 1; i <= n; i++) listed[ids[i]] = 1
  } END { print joined + 0 }' "$work/clients.txt"
}

geometry() { xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }
wait_geometry() {  # window, expected WxH
  for _ in $(seq 50); do [ "$(geometry "$1")" = "$2" ] && return 0; sleep 0.1; done
  fail "window is $(geometry "$1"), expected $2"
}

wait_exit() {  # after what, for the messages: the game must end within 20 s with status 0
  local status=0
  timeout 20 tail --pid="$game_pid" -f /dev/null || fail "the game did not end after $1"
  wait "$game_pid" || status=$?
  game_pid=""
  [ "$status" -eq 0 ] || { cat "$work/out.txt" >&2; fail "exit status $status after $1"; }
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

# Holds the right arrow for a second and prints how many pixels of a part of the client area
# (WxH+X+Y within it) differ between a screenshot before and one after.
pixels_changed_by_right() {
  local crop="$1" w h x y
  IFS='x+' read -r w h x y <<<"$crop"
  import -window root "$work/shot.png"
  /usr/bin/convert "$work/shot.png" -crop "${w}x${h}+$((wx + x))+$((wy + y))" +repage "$work/before.png"
  xdotool keydown Right
  sleep 1
  xdotool keyup Right
  sleep 0.3
  import -window root "$work/shot.png"
  /usr/bin/convert "$work/shot.png" -crop "${w}x${h}+$((wx + x))+$((wy + y))" +repage "$work/after.png"
  local changed
  changed="$(/usr/bin/compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)"
  echo "${changed%% *}"
}

# The heroine walks under the keys: holding the right arrow for a second moves her and the view
# after her, so the picture in the window changes.
changed="$(pixels_changed_by_right 640x480+0+0)"
[ "${changed:-0}" -gt 10000 ] 2>/dev/null || fail "holding the right arrow changed only ${changed:-no} pixels of the picture"

# Her shots. The play area between the HUD line and the status panel, as a picture of its own.
play_area() { /usr/bin/convert "$1" -crop "640x300+$wx+$((wy + 40))" +repage "$2"; }
shot() { import -window root "$work/full.png"; play_area "$work/full.png" "$work/$1.png"; }
# Where two pictures of the play area differ: "W H X Y" of the box round the changed pixels,
# or "0 0 0 0".
changed_box() {
  /usr/bin/convert "$work/$1.png" "$work/$2.png" -compose difference -composite -threshold 0 \
    -format '%@' info: 2>/dev/null | awk -F'[x+]' '{ if ($1 + 0 > 1 && $2 + 0 > 1) print $1, $2, $3, $4; else print 0, 0, 0, 0 }'
}
fire() { xdotool keydown x; sleep 0.1; xdotool keyup x; }
sleep 2  # she has landed and stands
shot still
# A shot flies: the change it makes moves on between two pictures and is gone a while later.
fire
shot fly1
sleep 0.25
shot fly2
read -r w1 _ x1 _ < <(changed_box still fly1)
read -r w2 _ x2 _ < <(changed_box still fly2)
[ "$w1" -gt 0 ] || fail "the action key fired no shot"
awk -v a="$x1" -v b="$x2" -v wa="$w1" -v wb="$w2" 'BEGIN{exit !((b + wb) - (a + wa) > 40 || a - b > 40)}' ||
  fail "the shot did not fly (changed boxes ${w1}@${x1}, ${w2}@${x2})"
sleep 3
shot gone
read -r w3 _ _ _ < <(changed_box still gone)
[ "$w3" -eq 0 ] || fail "the shot did not vanish off the screen"
# Shots fired upwards meet the cave's ceiling: a spark (yellow and orange) shows there.
spark_pixels() {
  /usr/bin/convert "$work/$1.png" -fill white -opaque '#F8D848' -opaque '#F08A2C' -fill black +opaque white \
    -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:
}
still_sparks="$(spark_pixels still)"
sparked=0
xdotool keydown Up
for i in $(seq 8); do
  fire
  sleep 0.1
  shot "up$i"
  [ "$(spark_pixels "up$i")" -gt "$((still_sparks + 3))" ] && sparked=1
done
xdotool keyup Up
[ "$sparked" -eq 1 ] || fail "no spark where the shots met the ceiling"
sleep 2
shot after
read -r w4 _ _ _ < <(changed_box still after)
[ "$w4" -eq 0 ] || fail "something of the shots stayed on the screen"

# Esc opens the pause menu over the frozen world: the menu's window shows with its cream border,
# and holding the right arrow no longer moves anything below it. Esc closes it again.
press() {  # a key down long enough for a frame to see it, then up long enough for the next
  xdotool keydown "$1"
  sleep 0.1
  xdotool keyup "$1"
  sleep 0.15
}
menu_border() {
  import -window root "$work/shot.png"
  /usr/bin/convert "$work/shot.png" -format "%[pixel:p{$((wx + 320)),$((wy + 80))}]" info:
}
press Escape
sleep 0.3
border="$(menu_border)"
[ "$border" = "srgb(255,238,170)" ] || fail "no menu window after Esc: its border pixel is $border"
changed="$(pixels_changed_by_right 640x120+0+230)"  # below the menu's window
[ "${changed:-1}" -lt 500 ] 2>/dev/null || fail "the world moved under the menu: ${changed:-no} pixels changed"
press Escape
sleep 0.3
[ "$(menu_border)" != "srgb(255,238,170)" ] || fail "Esc did not close the menu"

# The first enemies: walking on east (jumping the rocks in her way) she comes down the landing's
# lower steps, where the turtles walk: their green shows in the play area, which held none at
# the start.
green_pixels() {
  /usr/bin/convert "$work/$1.png" -fill white -opaque '#8CD05C' -opaque '#4CA040' -opaque '#2C6A30' \
    -fill black +opaque white -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:
}
[ "$(green_pixels still)" -lt 10 ] || fail "the cave's start shows green before any enemy"
xdotool keydown Right
for i in $(seq 8); do
  xdotool keydown z
  sleep 0.3
  xdotool keyup z
  sleep 0.3
done
xdotool keyup Right
sleep 0.2
shot east
green="$(green_pixels east)"
[ "$green" -gt 50 ] || fail "walking east she met no enemy (${green} green pixels)"

wmctrl -c Tovia
wait_exit "the window was closed"
mapped="$(windows_mapped)"
[ "$mapped" -eq 1 ] || { cat "$work/clients.txt" >&2; fail "the window was mapped $mapped times, expected once"; }

# Again, and this time "ゲームを終了" (up from the first line wraps to the last), then "はい":
# the program ends with status 0.
"$exe" >"$work/out.txt" 2>&1 &
game_pid=$!
timeout 30 xdotool search --sync --onlyvisible --name '^Tovia$' >/dev/null || fail "no window named Tovia the second time"
sleep 2.5  # the start has entered the cave, where the world runs
press Escape
sleep 0.3
press Up
press z
sleep 0.2
press Down
press z
wait_exit "quitting from the menu"
echo "e2e window: ok"
