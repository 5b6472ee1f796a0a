#!/usr/bin/env bash
# End to end: the real game in a real X server with a window manager, as on a desktop, played
# from the keyboard in a round trip through a save.
#
# The first start: the window manager is given a game window to manage exactly once (a window
# shown, taken away and shown again flickers at start-up), TAB switches to full screen and back.
# The game starts on the title: a key skips its demo, the title menu's "最初から始める" starts the
# opening, whose lines are closed with the jump key one after another until the heroine stands
# free in the cave. There the map shows in the window, she walks, jumps, fires her shots (they
# fly, spark where they meet the map and vanish), the pause menu opens over the frozen world and
# closes. Then she walks on to the first shrine and goes in with Up: the save room shows; she
# walks to the statue, prays, saves in the first slot, and save0.dat appears in the Data folder.
# "ゲームを終了" in the pause menu ends the program with status 0.
# The second start: "続きから始める" on the title loads that save, and the window shows the save
# room. Up at its door brings her back to the shrine where the save was made; she walks east
# until the first enemies show, and closing the window through the window manager ends the
# program with status 0 too.
# Neither run writes anything on stdout or stderr (but for the one line about a missing Japanese
# font, on a machine without one).
#
# Every wait is a poll with a time limit, so a loaded machine only makes the test slower.
#   window.sh path/to/tovia fixture-folder
# The fixture folder holds save_room.png, the picture of the save room after a load, made by a
# frame-harness test. With TOVIA_E2E_KEEP set to a folder, the screenshots and the game's output
# are kept there.
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
  [ -z "${TOVIA_E2E_KEEP:-}" ] || cp -r "$work/." "$TOVIA_E2E_KEEP/"
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs a command until it succeeds, for at most $1 seconds; false when it never did.
poll() {
  local limit="$1"
  shift
  local end=$((SECONDS + limit))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.2
  done
}

# The sound goes where a normal run sends it: on a machine without a sound card the game stays
# silent, and says nothing about it either.
openbox >/dev/null 2>&1 &
wm_pid=$!
poll 10 wmctrl -m >/dev/null 2>&1 || fail "the window manager did not start"

# Every change of the window manager's list of managed windows, from before the game starts.
stdbuf -oL xprop -root -spy _NET_CLIENT_LIST >"$work/clients.txt" 2>&1 &
spy_pid=$!
poll 10 test -s "$work/clients.txt" || fail "no list of managed windows"
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
has_geometry() { [ "$(geometry "$1")" = "$2" ]; }
wait_geometry() {  # window, expected WxH
  poll 10 has_geometry "$1" "$2" || fail "window is $(geometry "$1"), expected $2"
}

# The game runs from a folder of its own that holds Data/: the maps and the music the build made,
# and the save the first run makes there.
game_dir="$work/game"
mkdir -p "$game_dir/Data"
for f in "$(dirname "$exe")"/Data/*.MDT "$(dirname "$exe")"/Data/*.MID; do ln -s "$f" "$game_dir/Data/"; done
cd "$game_dir"

run=0
start_game() {
  run=$((run + 1))
  "$exe" >"$work/stdout$run.txt" 2>"$work/stderr$run.txt" &
  game_pid=$!
  win="$(timeout 30 xdotool search --sync --onlyvisible --name '^Tovia$' | head -n 1)" || fail "no window named Tovia"
  wait_geometry "$win" 640x480
  xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
  read -r wx wy < <(xwininfo -id "$win" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4} END{print x, y}')
}
# The game must end within 30 s with status 0, having written nothing on stdout, and on stderr
# nothing but the line that says no font covers Japanese.
wait_exit() {  # after what, for the messages
  local status=0
  timeout 30 tail --pid="$game_pid" -f /dev/null || fail "the game did not end after $1"
  wait "$game_pid" || status=$?
  game_pid=""
  [ "$status" -eq 0 ] || { cat "$work/stderr$run.txt" >&2; fail "exit status $status after $1"; }
  [ ! -s "$work/stdout$run.txt" ] || { cat "$work/stdout$run.txt" >&2; fail "run $run wrote on stdout"; }
  if grep -v '^tovia: no font on this machine covers Japanese' "$work/stderr$run.txt" >"$work/stderr-rest.txt"; then
    cat "$work/stderr-rest.txt" >&2
    fail "run $run wrote on stderr"
  fi
}

# A key down long enough for a frame to see it, then up long enough for the next; one xdotool
# holds it, so a loaded machine does not stretch the press.
press() { xdotool keydown "$1" sleep 0.08 keyup "$1" sleep 0.12; }
hold() { xdotool keydown "$1" sleep "$2" keyup "$1"; }  # key, seconds

# The client area as a picture of its own.
shot() { import -window root -crop "640x480+$wx+$wy" +repage "$work/$1.png"; }
# The colour of one pixel of a picture, as "#RRGGBB".
pixel() { /usr/bin/convert "$work/$1.png" -format "%[hex:p{$2,$3}]" info: | sed 's/^/#/; s/^\(#......\).*/\1/'; }
# How many pixels of a picture (of the part WxH+X+Y given with -crop) are of one of the colours given.
count_colours() {
  local picture="$1"
  shift
  local args=()
  for c in "$@"; do args+=(-opaque "$c"); done
  /usr/bin/convert "$work/$picture.png" -fill white "${args[@]}" -fill black +opaque white -colorspace gray \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
# The share of the pixels of the play area (between the HUD line and the status panel) that are
# not black, 0..1.
lit_share() {
  /usr/bin/convert "$work/$1.png" -crop 640x300+0+40 +repage -fill white +opaque black -colorspace gray \
    -format '%[fx:mean]' info:
}
above() { awk -v a="$1" -v b="$2" 'BEGIN{exit !(a > b)}'; }
# How many pixels of a part (WxH+X+Y) differ between two pictures.
pixels_differing() {
  /usr/bin/convert "$work/$1.png" -crop "$3" +repage "$work/part1.png"
  /usr/bin/convert "$work/$2.png" -crop "$3" +repage "$work/part2.png"
  local n
  n="$(/usr/bin/compare -metric AE "$work/part1.png" "$work/part2.png" null: 2>&1 || true)"
  echo "${n%% *}"
}
# A part of the window (WxH+X+Y) looks different from the picture named, in a new screenshot.
changed_since() { shot now; [ "$(pixels_differing "$1" now "$2")" -gt 0 ]; }
# Presses a key until a command tells it was taken: a key the game did not see (a stall of the
# machine may swallow a short press) is pressed once more after 5 s. press_and_see waits until a
# part of the window changes: a cursor moved, a menu opened or closed.
press_until() {  # key, then the command that tells the key was taken
  local key="$1"
  shift
  press "$key"
  poll 5 "$@" && return 0
  press "$key"
  poll 5 "$@"
}
press_and_see() {  # key, WxH+X+Y, what for the message
  shot before
  press_until "$1" changed_since before "$2" || fail "$3"
}

# The message windows have a cream border: its second row lies at y 80 for the lines of a scene
# (from x 124 on) and for the menus in play (from x 196 on; the lines' window is wider), and at
# y 218 for the title's menus, which stand lower.
cream='#FFEEAA'
line_in() { [ "$(pixel "$1" 150 80)" = "$cream" ]; }
line_open() { shot now && line_in now; }
menu_open() { shot now && [ "$(pixel now 300 80)" = "$cream" ] && [ "$(pixel now 150 80)" != "$cream" ]; }
title_menu_open() { shot now && [ "$(pixel now 300 218)" = "$cream" ]; }
nothing_open() { shot now && [ "$(pixel now 300 80)" != "$cream" ]; }
# The column of the cursors of the menus in play, and of the title's menus.
cursors=24x140+204+84
title_cursors=30x110+166+228
title_menu=250x130+166+216  # the title's menus' window
title_shows() { shot now && above "$(lit_share now)" 0.2; }

# The title: a key skips its demo and the title menu opens over the title picture. A key the
# title did not take yet is pressed again.
reach_title_menu() {
  poll 30 title_shows || fail "the title did not show on start $run"
  for _ in 1 2 3; do
    title_menu_open && return 0
    press z
    poll 10 title_menu_open && return 0
  done
  fail "the title's menu did not open on start $run"
}

# The save room as the frame harness saw it after a load: a picture of the window close to it.
save_room_shows() {
  shot now
  local differing
  differing="$(/usr/bin/compare -metric AE -fuzz 2% "$work/now.png" "$fixture/save_room.png" null: 2>&1 || true)"
  [ "${differing%% *}" -lt 15000 ] 2>/dev/null
}
# The cave: its dark blue background fills much of the play area (the save room has none of it).
cave_shows() { shot now && cave_in now; }
cave_in() {
  [ "$(/usr/bin/convert "$work/$1.png" -crop 640x300+0+40 +repage -fill white -opaque '#10142C' -fill black \
    +opaque white -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:)" -gt 20000 ]
}

# Where she is in a picture of the window: the box of her skin's colour (hers alone in the cave
# and the save room), "X Y" of its top left corner within the play area.
her_place() {
  /usr/bin/convert "$work/$1.png" -crop 640x300+0+40 +repage -fill white -opaque '#F4C8A0' -fill black \
    +opaque white -format '%@' info: | awk -F'[x+]' '{print $3, $4}'
}
her_x() { her_place "$1" | awk '{print $1}'; }
her_y() { her_place "$1" | awk '{print $2}'; }

# ---- the first start: a new game, play, a save at the shrine, and quitting ------------------

start_game

xdotool key Tab
wait_geometry "$win" 800x600
xdotool key Tab
wait_geometry "$win" 640x480
kill -0 "$game_pid" 2>/dev/null || fail "the game ended after TAB"

reach_title_menu
# "最初から始める", the first line: the opening starts. Each of its lines is closed with the jump
# key (the first press shows the whole page, the second closes it). It plays first on the street
# of the forest, under a blue sky, then in the cave: one line, a while without any (she looks
# about and walks to a chest), then a dozen pages one after another, and when the last closes
# she is free to go. (Esc would tell it surely, but the pause menu stops the world and sends the
# insect that hovers by her far away for a long while.)
press_and_see z "$title_menu" "最初から始める did not start the opening"
sky='#4C8CE0'
saw_street=0
cave_pages=0
quiet=0
for _ in $(seq 300); do
  shot scene
  if line_in scene; then
    [ "$saw_street" -eq 1 ] && cave_in scene && cave_pages=$((cave_pages + 1))
    press z
    press z
    quiet=0
    continue
  fi
  if [ "$(count_colours scene "$sky")" -gt 10000 ]; then
    saw_street=1
    continue
  fi
  quiet=$((quiet + 1))
  [ "$cave_pages" -ge 6 ] && [ "$quiet" -ge 8 ] && break
  sleep 0.1
done
[ "$saw_street" -eq 1 ] || fail "the opening never showed the street in the forest"
[ "$cave_pages" -ge 6 ] && [ "$quiet" -ge 8 ] || fail "the opening did not come to an end in the cave ($cave_pages pages there)"
kill -0 "$game_pid" 2>/dev/null || fail "the game ended during the opening"

# The game's picture fills its window: it shows the cave, and nearly all of the client area is
# lit.
lit=0
window_lit() {
  import -window root "$work/screen.png"
  local size
  size="$(/usr/bin/convert "$work/screen.png" -format '%wx%h' info:)"
  [ "$size" = "800x600" ] || fail "screenshot is $size"
  # The share of pixels of the client area that are not black, 0..1.
  lit="$(/usr/bin/convert "$work/screen.png" -crop "640x480+$wx+$wy" +repage -fill white +opaque black \
    -colorspace gray -format '%[fx:mean]' info:)"
  above "$lit" 0.9
}
poll 10 window_lit || fail "only $lit of the picture in the window is lit, expected the cave"

# Holds the right arrow for a second and prints how many pixels of a part of the client area
# (WxH+X+Y within it) differ between a screenshot before and one after. (She walks east on the
# landing from the chest where the opening left her, and stops short of the shrine.)
pixels_changed_by_right() {
  shot before
  hold Right 1
  sleep 0.3
  shot after
  pixels_differing before after "$1"
}

# The heroine walks under the keys: holding the right arrow for a second moves her and the view
# after her, so the picture in the window changes.
changed="$(pixels_changed_by_right 640x480+0+0)"
[ "${changed:-0}" -gt 10000 ] 2>/dev/null || fail "holding the right arrow changed only ${changed:-no} pixels of the picture"

# Her shots. The play area between the HUD line and the status panel, as a picture of its own,
# without the room of the insect that came with her from the opening: it hovers round her and
# never keeps still.
mask=()
play_shot() {
  import -window root -crop "640x300+$wx+$((wy + 40))" +repage "$work/$1.png"
  [ "${#mask[@]}" -eq 0 ] || /usr/bin/convert "$work/$1.png" "${mask[@]}" "$work/$1.png"
}
# Where two pictures of the play area differ: "W H X Y" of the box round the changed pixels,
# or "0 0 0 0".
changed_box() {
  /usr/bin/convert "$work/$1.png" "$work/$2.png" -compose difference -composite -threshold 0 \
    -format '%@' info: 2>/dev/null | awk -F'[x+]' '{ if ($1 + 0 > 1 && $2 + 0 > 1) print $1, $2, $3, $4; else print 0, 0, 0, 0 }'
}
# Nothing changes in the play area between two pictures but the hovering insect: a box no
# larger than 64 x 64 (the view has stopped following her).
settled() {
  play_shot settle1
  sleep 0.1
  play_shot settle2
  local w h
  read -r w h _ _ < <(changed_box settle1 settle2)
  [ $((w * h)) -le 4096 ]
}
# No change between the picture named and a new one.
same_as() {
  play_shot now
  local w
  read -r w _ _ _ < <(changed_box "$1" now)
  [ "$w" -eq 0 ]
}
fire() { xdotool keydown x sleep 0.1 keyup x; }
poll 10 settled || fail "the picture did not come to rest after she walked"
# The jump key lifts her off the landing, under a view that does not follow a short jump up:
# her face rises well above where she stood, and she comes down to it again.
shot ground
ground="$(her_y ground)"
[ -n "$ground" ] || fail "she does not show on the landing"
highest="$ground"
xdotool keydown z
for i in $(seq 6); do
  shot "jump$i"
  y="$(her_y "jump$i")"
  [ -n "$y" ] && [ "$y" -lt "$highest" ] && highest="$y"
done
xdotool keyup z
[ $((ground - highest)) -ge 24 ] || fail "the jump key lifted her $((ground - highest)) pixels"
landed() { shot now && [ "$(her_y now)" = "$ground" ]; }
poll 10 landed || fail "she did not come down to the landing after the jump"
poll 10 settled || fail "the picture did not come to rest after she landed"

# The insect's room: the box round what changes while nothing is pressed, widened.
play_shot calm0
left=640 top=300 right=0 bottom=0
for i in $(seq 12); do
  sleep 0.1
  play_shot "calm$i"
  read -r w h x y < <(changed_box calm0 "calm$i")
  [ "$w" -gt 0 ] || continue
  left=$((x < left ? x : left)) top=$((y < top ? y : top))
  right=$((x + w > right ? x + w : right)) bottom=$((y + h > bottom ? y + h : bottom))
done
[ "$right" -gt 0 ] || fail "no insect hovers by her after the opening"
mask=(-fill black -draw "rectangle $((left - 24)),$((top - 24)) $((right + 24)),$((bottom + 24))")
play_shot still
# A shot flies: the change it makes moves on between pictures taken one after another, and is
# gone a while later.
fire
flights=()
for i in 1 2 3 4; do
  play_shot "fly$i"
  read -r w _ x _ < <(changed_box still "fly$i")
  [ "$w" -gt 0 ] && flights+=("$w $x")
done
[ "${#flights[@]}" -gt 0 ] || fail "the action key fired no shot"
[ "${#flights[@]}" -gt 1 ] || fail "the shot showed in one picture only (${flights[*]})"
read -r w1 x1 <<<"${flights[0]}"
read -r w2 x2 <<<"${flights[-1]}"
awk -v a="$x1" -v b="$x2" -v wa="$w1" -v wb="$w2" 'BEGIN{exit !((b + wb) - (a + wa) > 40 || a - b > 40)}' ||
  fail "the shot did not fly (changed boxes ${w1}@${x1}, ${w2}@${x2})"
poll 10 same_as still || fail "the shot did not vanish off the screen"
# Shots fired upwards meet the cave's ceiling: a spark (yellow and orange) shows there.
spark_pixels() { count_colours "$1" '#F8D848' '#F08A2C'; }
still_sparks="$(spark_pixels still)"
sparked=0
xdotool keydown Up
for i in $(seq 8); do
  fire
  sleep 0.1
  play_shot "up$i"
  [ "$(spark_pixels "up$i")" -gt "$((still_sparks + 3))" ] && sparked=1
done
xdotool keyup Up
[ "$sparked" -eq 1 ] || fail "no spark where the shots met the ceiling"
poll 10 same_as still || fail "something of the shots stayed on the screen"
mask=()

# Esc opens the pause menu over the frozen world: the menu's window shows with its cream border,
# and holding the right arrow no longer moves anything below it but the insect, which flies on
# under menus (its 16 x 16 pixels, in two places at most). Esc closes it again.
press_until Escape menu_open || fail "no menu window after Esc"
changed="$(pixels_changed_by_right 640x120+0+230)"  # below the menu's window
[ "${changed:-1}" -lt 1000 ] 2>/dev/null || fail "the world moved under the menu: ${changed:-no} pixels changed"
press_until Escape nothing_open || fail "Esc did not close the menu"

# The first shrine, on the landing a little further east: she walks towards it a few pixels at
# a time, pressing Up after each step, until Up takes her in: the picture fades to black (or,
# on a slow machine, the save room shows already).
entered=0
for _ in $(seq 80); do
  hold Right 0.04
  sleep 0.05
  press Up
  shot now
  if ! above "$(lit_share now)" 0.97 || save_room_shows; then
    entered=1
    break
  fi
  line_in now && fail "she walked past the shrine to the step down, where the insect speaks"
done
[ "$entered" -eq 1 ] || fail "Up never took her into the shrine"
poll 20 save_room_shows || fail "the shrine did not lead into the save room"

# In the save room she walks to the statue, under the view that stands still there: the box of
# her skin's colour (hers alone in the room) shows where she is. Crossing the room the insect
# speaks (the jump key closes its lines). Up there and the statue says its prayer.
prayed=0
for _ in $(seq 40); do
  shot room
  if line_in room; then
    press z
    continue
  fi
  x="$(her_x room)"
  distance=$((318 - x))  # her face at x 318 puts her in front of the statue
  if [ "$distance" -ge -8 ] && [ "$distance" -le 8 ]; then
    press Up
    if poll 3 line_open; then
      prayed=1
      break
    fi
  elif [ "$distance" -gt 0 ]; then
    hold Right "$(awk -v d="$distance" 'BEGIN{t = d / 240 * 0.7; printf "%.3f", t < 0.03 ? 0.03 : t}')"
  else
    hold Left "$(awk -v d="$((-distance))" 'BEGIN{t = d / 240 * 0.7; printf "%.3f", t < 0.03 ? 0.03 : t}')"
  fi
  sleep 0.2
done
[ "$prayed" -eq 1 ] || fail "the statue did not speak when she stood before it and pressed Up"
# The jump key closes the prayer, and the save menu opens: "キャンセル" and the three slots. Down
# moves its cursor to the first slot, and the jump key saves there.
menu_shows_after_lines() { menu_open && return 0; line_in now && press z; return 1; }
poll 10 menu_shows_after_lines || fail "the save menu did not open after the prayer"
press_and_see Down "$cursors" "Down did not move the save menu's cursor"
press_and_see z "$cursors" "the first slot was not taken"
# save0.dat appears in the Data folder (the game writes a file beside it and renames it), and
# the statue says it saved; the jump key closes its line.
poll 10 test -s Data/save0.dat || fail "no save0.dat after saving in the first slot"
[ "$(stat -c %s Data/save0.dat)" -eq 8756 ] || fail "save0.dat holds $(stat -c %s Data/save0.dat) bytes"
closed_lines() { nothing_open && return 0; line_in now && press z; return 1; }
poll 10 closed_lines || fail "the statue's last line did not close"

# "ゲームを終了" in the pause menu (Up from the first line wraps to the last), then "はい":
# the program ends with status 0.
quit_through_the_pause_menu() {
  press_until Escape menu_open || fail "no pause menu after Esc"
  press_and_see Up "$cursors" "Up did not move the pause menu's cursor"
  press_and_see z 250x150+196+76 "ゲームを終了 asked nothing"
  press_and_see Down "$cursors" "Down did not move to はい"
  press_and_see z "$cursors" "はい was not taken"
}
quit_through_the_pause_menu
wait_exit "quitting through the pause menu"

# ---- the second start: the save loaded from the title ----------------------------------------

# "続きから始める" lists the save as the first slot, and loading it brings her into the save
# room, as the frame harness saw a load.
start_game
reach_title_menu
press_and_see Down "$title_cursors" "Down did not move the title menu's cursor"
press_and_see z "$title_menu" "続きから始める did not open the list of saves"
press_and_see Down "$title_cursors" "Down did not move to the first slot"
press_and_see z "$title_menu" "the first slot was not taken"
poll 20 save_room_shows || fail "the load did not show the save room"

# She stands at the save room's door: Up takes her out (once the room has faded in and she is
# free to move: Up is pressed again until it does), back to the shrine in the cave where the
# save was made.
leaving() { shot now && ! above "$(lit_share now)" 0.97; }
left_room=0
for _ in $(seq 10); do
  press Up
  if poll 2 leaving || cave_shows; then
    left_room=1
    break
  fi
done
[ "$left_room" -eq 1 ] || fail "Up at the save room's door did not take her out"
poll 20 cave_shows || fail "the save room's door did not lead back into the cave"
poll 10 settled || fail "the cave's picture did not come to rest"

# The first enemies: walking on east (jumping the rocks in her way) she comes down the landing's
# lower steps, where the turtles walk: their green shows in the play area, which held none at
# the shrine but the insect's wings. On the first step down the insect speaks to her; the jump
# key closes its lines (whose names are written in green too: no count while a line shows).
green_pixels() {
  /usr/bin/convert "$work/$1.png" -crop 640x300+0+40 +repage -fill white -opaque '#8CD05C' -opaque '#4CA040' \
    -opaque '#2C6A30' -fill black +opaque white -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:
}
shot still
still_green="$(green_pixels still)"
[ "$still_green" -lt 100 ] || fail "the cave by the shrine shows green before any enemy"
green_shows() { shot east && ! line_in east && [ "$(green_pixels east)" -gt "$((still_green + 50))" ]; }
met=0
xdotool keydown Right
for i in $(seq 30); do
  hold z 0.3
  if green_shows; then
    met=1
    break
  fi
done
xdotool keyup Right
[ "$met" -eq 1 ] || fail "walking east she met no enemy ($(green_pixels east) green pixels)"
wmctrl -c Tovia
wait_exit "the window was closed"

mapped="$(windows_mapped)"
[ "$mapped" -eq 2 ] || { cat "$work/clients.txt" >&2; fail "the window was mapped $mapped times in two starts, expected twice"; }
echo "e2e window: ok"
