#!/usr/bin/env bash
# End to end: the real game in a real X server with a window manager, as on a desktop.
# Starts tovia, finds its window, checks the window manager was given a game window to manage
# exactly once (a window shown, taken away and shown again flickers at start-up), switches to
# full screen and back with TAB. The game starts on the title: a key skips its demo, the title
# menu's "最初から始める" starts the opening, whose lines are closed with the jump key one after
# another until the heroine stands in the cave. There it takes screenshots until the map shows
# in the window, walks the heroine, fires her shots (they fly, spark where they meet the map and
# vanish), opens the pause menu over the frozen world and closes it, walks her east until the
# first enemies show, closes the window through the window manager and checks the exit status.
# Then it starts the game again with a save in its Data folder and loads it from the title's
# "続きから始める": the window shows the save room, and quitting through the pause menu there ends
# the program with status 0 too.
#   window.sh path/to/tovia fixture-folder
# The fixture folder holds save0.dat and save_room.png, the picture of its load, both made by a
# frame-harness test.
set -euo pipefail
exe="$(realpath "$1")"
fixture="$(realpath "$2")"

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

# The game runs from a folder of its own that holds Data/: the maps and the music the build made,
# and no save until the second start puts one there.
game_dir="$work/game"
mkdir -p "$game_dir/Data"
for f in "$(dirname "$exe")"/Data/*.MDT "$(dirname "$exe")"/Data/*.MID; do ln -s "$f" "$game_dir/Data/"; done
cd "$game_dir"

start_game() {
  "$exe" >"$work/out.txt" 2>&1 &
  game_pid=$!
  win="$(timeout 30 xdotool search --sync --onlyvisible --name '^Tovia$' | head -n 1)" || fail "no window named Tovia"
  wait_geometry "$win" 640x480
  xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
  read -r wx wy < <(xwininfo -id "$win" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4} END{print x, y}')
}
wait_exit() {  # after what, for the messages: the game must end within 20 s with status 0
  local status=0
  timeout 20 tail --pid="$game_pid" -f /dev/null || fail "the game did not end after $1"
  wait "$game_pid" || status=$?
  game_pid=""
  [ "$status" -eq 0 ] || { cat "$work/out.txt" >&2; fail "exit status $status after $1"; }
}

# The client area as a picture of its own.
window_shot() {
  import -window root "$work/full.png"
  /usr/bin/convert "$work/full.png" -crop "640x480+$wx+$wy" +repage "$work/$1.png"
}
# The colour of one pixel of a picture, as "#RRGGBB".
pixel() { /usr/bin/convert "$work/$1.png" -format "%[hex:p{$2,$3}]" info: | sed 's/^/#/; s/^\(#......\).*/\1/'; }
# How many pixels of a picture are of one of the colours given.
count_colours() {
  local picture="$1"
  shift
  local args=()
  for c in "$@"; do args+=(-opaque "$c"); done
  /usr/bin/convert "$work/$picture.png" -fill white "${args[@]}" -fill black +opaque white -colorspace gray \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
tap() { xdotool keydown "$1"; sleep 0.06; xdotool keyup "$1"; }

# The message windows have a cream border: its second row lies at y 80 for the lines of a scene
# (the box's top at 82) and at y 218 for the title's menus, which stand lower.
line_open() { [ "$(pixel "$1" 300 80)" = "#FFEEAA" ]; }
menu_open() { [ "$(pixel "$1" 300 218)" = "#FFEEAA" ]; }
wait_menu() {  # what for
  for _ in $(seq 60); do
    sleep 0.25
    window_shot menu
    menu_open menu && return 0
  done
  fail "the title's menu did not open: $1"
}

start_game

xdotool key Tab
wait_geometry "$win" 800x600
xdotool key Tab
wait_geometry "$win" 640x480
kill -0 "$game_pid" 2>/dev/null || fail "the game ended after TAB"

# The title: a key skips the demo, and the title menu opens over the title picture.
sleep 1
tap z
wait_menu "after the demo was skipped"
# "最初から始める", the first line: the opening starts. Each of its lines is closed with the jump
# key (the first press shows the whole page, the second closes it). It plays first on the street
# of the forest, under a blue sky, then in the cave, until she is free to go: no line for a good
# while, in the cave.
tap z
sky='#4C8CE0'
saw_street=0
quiet=0
for _ in $(seq 400); do
  window_shot scene
  if line_open scene; then
    tap z
    quiet=0
  else
    quiet=$((quiet + 1))
  fi
  [ "$(count_colours scene "$sky")" -gt 10000 ] && saw_street=1
  [ "$saw_street" -eq 1 ] && [ "$quiet" -ge 30 ] && [ "$(count_colours scene "$sky")" -lt 1000 ] && break
  sleep 0.15
done
[ "$saw_street" -eq 1 ] || fail "the opening never showed the street in the forest"
[ "$quiet" -ge 30 ] || fail "the lines of the opening did not come to an end"
kill -0 "$game_pid" 2>/dev/null || fail "the game ended during the opening"

# The game's picture fills its window: it shows the cave, and nearly all of the client area is
# lit. Screenshots until it is, for at most 10 s.
lit=0
for _ in $(seq 20); do
  import -window root "$work/shot.png"
  size="$(/usr/bin/convert "$work/shot.png" -format '%wx%h' info:)"
  [ "$size" = "800x600" ] || fail "screenshot is $size"
  # The share of pixels of the client area that are not black, 0..1.
  lit="$(/usr/bin/convert "$work/shot.png" -crop "640x480+$wx+$wy" +repage -fill white +opaque black \
    -colorspace gray -format '%[fx:mean]' info:)"
  awk -v lit="$lit" 'BEGIN{exit !(lit > 0.9)}' && break
  sleep 0.5
done
awk -v lit="$lit" 'BEGIN{exit !(lit > 0.9)}' || fail "only $lit of the picture in the window is lit, expected the cave"

# Holds the right arrow for a second and prints how many pixels of a part of the client area
# (WxH+X+Y within it) differ between a screenshot before and one after. (She walks east on the
# landing from the chest where the opening left her, and stops short of its step down, where the
# insect's first talk would stop her.)
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

# Her shots. The play area between the HUD line and the status panel, as a picture of its own,
# without the room of the insect that came with her from the opening: it hovers round her and
# never keeps still.
mask=()
play_area() { /usr/bin/convert "$1" -crop "640x300+$wx+$((wy + 40))" +repage "${mask[@]}" "$2"; }
shot() { import -window root "$work/full.png"; play_area "$work/full.png" "$work/$1.png"; }
# Where two pictures of the play area differ: "W H X Y" of the box round the changed pixels,
# or "0 0 0 0".
changed_box() {
  /usr/bin/convert "$work/$1.png" "$work/$2.png" -compose difference -composite -threshold 0 \
    -format '%@' info: 2>/dev/null | awk -F'[x+]' '{ if ($1 + 0 > 1 && $2 + 0 > 1) print $1, $2, $3, $4; else print 0, 0, 0, 0 }'
}
fire() { xdotool keydown x; sleep 0.1; xdotool keyup x; }
sleep 2  # she has landed and stands
# The insect's room: the box round what changes while nothing is pressed, widened.
shot calm0
left=640 top=300 right=0 bottom=0
for i in $(seq 12); do
  sleep 0.1
  shot "calm$i"
  read -r w h x y < <(changed_box calm0 "calm$i")
  [ "$w" -gt 0 ] || continue
  left=$((x < left ? x : left)) top=$((y < top ? y : top))
  right=$((x + w > right ? x + w : right)) bottom=$((y + h > bottom ? y + h : bottom))
done
[ "$right" -gt 0 ] || fail "no insect hovers by her after the opening"
mask=(-fill black -draw "rectangle $((left - 24)),$((top - 24)) $((right + 24)),$((bottom + 24))")
shot still
# A shot flies: the change it makes moves on between pictures taken one after another, and is
# gone a while later.
fire
flights=()
for i in 1 2 3 4; do
  shot "fly$i"
  read -r w _ x _ < <(changed_box still "fly$i")
  [ "$w" -gt 0 ] && flights+=("$w $x")
done
[ "${#flights[@]}" -gt 0 ] || fail "the action key fired no shot"
[ "${#flights[@]}" -gt 1 ] || fail "the shot showed in one picture only (${flights[*]})"
read -r w1 x1 <<<"${flights[0]}"
read -r w2 x2 <<<"${flights[-1]}"
awk -v a="$x1" -v b="$x2" -v wa="$w1" -v wb="$w2" 'BEGIN{exit !((b + wb) - (a + wa) > 40 || a - b > 40)}' ||
  fail "the shot did not fly (changed boxes ${w1}@${x1}, ${w2}@${x2})"
sleep 3
shot gone
read -r w3 _ _ _ < <(changed_box still gone)
[ "$w3" -eq 0 ] || fail "the shot did not vanish off the screen"
# Shots fired upwards meet the cave's ceiling: a spark (yellow and orange) shows there.
spark_pixels() { count_colours "$1" '#F8D848' '#F08A2C'; }
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
# and holding the right arrow no longer moves anything below it but the insect, which flies on
# under menus (its 16 x 16 pixels, in two places at most). Esc closes it again.
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
[ "${changed:-1}" -lt 1000 ] 2>/dev/null || fail "the world moved under the menu: ${changed:-no} pixels changed"
press Escape
sleep 0.3
[ "$(menu_border)" != "srgb(255,238,170)" ] || fail "Esc did not close the menu"

# The first enemies: walking on east (jumping the rocks in her way) she comes down the landing's
# lower steps, where the turtles walk: their green shows in the play area, which held none at
# the start but the insect's wings. On the first step down the insect speaks to her; the jump
# key closes its lines.
mask=()
shot still
green_pixels() { count_colours "$1" '#8CD05C' '#4CA040' '#2C6A30'; }
still_green="$(green_pixels still)"
[ "$still_green" -lt 100 ] || fail "the cave's start shows green before any enemy"
xdotool keydown Right
for i in $(seq 24); do
  xdotool keydown z
  sleep 0.3
  xdotool keyup z
  sleep 0.3
done
xdotool keyup Right
sleep 0.2
shot east
green="$(green_pixels east)"
[ "$green" -gt "$((still_green + 50))" ] || fail "walking east she met no enemy (${green} green pixels)"
wmctrl -c Tovia
wait_exit "the window was closed"

# A second start with a save in the Data folder: "続きから始める" lists it as the first slot, and
# loading it brings her into the save room, as the frame harness saw the same load.
cp "$fixture/save0.dat" "$game_dir/Data/save0.dat"
start_game
sleep 1
tap z
wait_menu "after the demo was skipped on the second start"
tap Down
tap z
wait_menu "for the load list"
tap Down
tap z
differing=307200
for _ in $(seq 40); do
  sleep 0.25
  window_shot loaded
  differing="$(/usr/bin/compare -metric AE -fuzz 2% "$work/loaded.png" "$fixture/save_room.png" null: 2>&1 || true)"
  differing="${differing%% *}"
  [ "${differing:-307200}" -lt 15000 ] 2>/dev/null && break
done
[ "${differing:-307200}" -lt 15000 ] 2>/dev/null || fail "the load did not show the save room (${differing} pixels differ)"
# There she plays on. "ゲームを終了" in the pause menu (up from the first line wraps to the last),
# then "はい": the program ends with status 0.
sleep 1
press Escape
sleep 0.3
press Up
press z
sleep 0.2
press Down
press z
wait_exit "quitting from the menu"

mapped="$(windows_mapped)"
[ "$mapped" -eq 2 ] || { cat "$work/clients.txt" >&2; fail "the window was mapped $mapped times in two starts, expected twice"; }
echo "e2e window: ok"
