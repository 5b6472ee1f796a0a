#!/usr/bin/env bash
# End to end: the real game in a real X server with a window manager, as on a desktop.
# Starts tovia, finds its window, switches to full screen and back with TAB, takes a
# screenshot, closes the window through the window manager and checks the exit status, and that
# the window manager was given a game window to manage exactly once (a window shown, taken away
# and shown again flickers at start-up).
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

sleep 0.5
import -window root "$work/shot.png"
size="$(/usr/bin/convert "$work/shot.png" -format '%wx%h' info:)"
[ "$size" = "800x600" ] || fail "screenshot is $size"
# The game's picture fills its window: sample the middle of the client area.
read -r wx wy < <(xwininfo -id "$win" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4} END{print x, y}')
centre="$(/usr/bin/convert "$work/shot.png" -format "%[pixel:p{$((wx + 320)),$((wy + 240))}]" info:)"
[ "$centre" = "srgb(0,0,0)" ] || fail "the picture in the window is $centre, expected the black first frames"

wmctrl -c Tovia
status=0
timeout 20 tail --pid="$game_pid" -f /dev/null || fail "the game did not end after the window was closed"
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || { cat "$work/out.txt" >&2; fail "exit status $status"; }
mapped="$(windows_mapped)"
[ "$mapped" -eq 1 ] || { cat "$work/clients.txt" >&2; fail "the window was mapped $mapped times, expected once"; }
echo "e2e window: ok"
