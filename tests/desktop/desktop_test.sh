#!/usr/bin/env bash
# The built program on a desktop with a window manager: an animated shuffle
# is seen on screen, can be closed and can be skipped; a moved and minimised
# window comes back to its place; a killed game does not stop the next start.
# Usage: desktop_test.sh PROGRAM X_WINDOW_PROGRAM
set -euo pipefail
program="$(realpath "$1")"
source "$(dirname "$0")/../support/x_session.sh" "$2"

# A click just inside the control whose top-left corner stands at these
# twips of the window's client area, handled before the next.
click_control() { "$x_window" click "$1" $(($2 / 15 + 8)) $(($3 / 15 + 8)) && "$x_window" ping "$1"; }
moves_area="40 232 79 29" # the play screen's move counter
# Two drawings of the board 100 ms apart, in first and board.
grab_twice() { board_drawn && first="$board" && sleep 0.1 && board_drawn; }
seen_moving() { grab_twice && [ "$board" != "$first" ] && [ "$first" != "$solved" ] && [ "$board" != "$solved" ]; }
board_still() { grab_twice && [ "$board" = "$first" ]; }
place_of() { "$x_window" find "$title" | awk -v id="$1" '$1 == id { print $4, $5 }'; }
place_is() { [ "$(place_of "$1")" = "$2" ]; }
moved_from() { [ -n "$(place_of "$1")" ] && ! place_is "$1" "$2"; }

# The window is moved, minimised and restored: it must come back to its place.
restores_to_place() {
    local home
    home="$(place_of "$1")"
    "$x_window" move "$1" 300 200
    wait_until 10 moved_from "$1" "$home" || fail "window $1 did not move"
    "$x_window" minimize "$1"
    wait_until 10 place_is "$1" "" || fail "window $1 was not minimised"
    "$x_window" ping "$1" || fail "the program did not answer while minimised"
    "$x_window" activate "$1"
    wait_until 10 place_is "$1" "$home" || fail "window $1 came back at $(place_of "$1"), not at $home"
}

# Ticks Animate Shuffle, chooses 6x6 and clicks the first picture; the board
# must first show the solved picture, then be seen moving (not black).
start_animated_game() {
    start_program "$program"
    front_screen_appears
    click_control "$front" $((4080 + 2280)) $((240 + 120))             # animateCheck
    click_control "$front" $((360 + 120 + 2040)) $((240 + 4800 + 960)) # sizeOption6
    click_control "$front" $((4080 + 240)) $((240 + 480))              # thumbnailSlot 0
    window_appears "$front"
    play="$id"
    wait_until 10 board_drawn || fail "the board stayed black"
    solved="$board"
    wait_until 10 seen_moving || fail "the shuffle was not seen moving"
}

# A game killed outright leaves nothing behind that would make the next
# start hand over to it and end.
start_program "$program"
front_screen_appears
kill -KILL "$program_pid"
wait "$program_pid" 2> /dev/null || true

start_animated_game
"$x_window" ping "$play" || fail "the program did not answer the desktop during the shuffle"
closes_within 1 "$play"

start_animated_game
counter="$(grab "$play" $moves_area)"
"$x_window" click "$play" 464 216
wait_until 2 board_still || fail "the shuffle went on after a click on the board"
[ "$board" != "$solved" ] || fail "the click left a solved board"
[ "$(grab "$play" $moves_area)" = "$counter" ] || fail "the move counter changed"
restores_to_place "$play"
closes_within 10 "$play"
echo "the shuffle was seen moving, closed and skipped; the window restored to its place; a start after a kill worked"
