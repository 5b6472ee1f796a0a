// Stretches of the world plan's route that more than one walkthrough plays: the menus' lines,
// the save room, and the way from the corridor's shrine through the boss to the town.
#pragma once

#include "support/route_driver.h"

// The title's menu and the load list.
constexpr int kNewGame = 0, kContinue = 1, kFirstSlot = 1;
// The pause menu: its status page, its items-and-equipment page, its load list, its options.
constexpr int kStatusLine = 1, kEquipment = 2, kLoad = 3, kOptions = 4;
// The save room: the statue's number at columns 19..20, its door back out at 5..6.
constexpr int kStatue = 19, kSaveRoomDoor = 5;
// The corridor's shrine, and the townsperson the town's stretch talks to.
constexpr int kCorridorShrine = 79;
constexpr int kPancho = 5;

// The save room, entered by a shrine: the statue's prayer and the first slot, and its door back
// to where she stood on `map`.
Route SaveAtTheStatue(const char* map);
// The title's "続きから始める" and the first slot: the save room of the game it holds.
Route LoadFromTheTitlesMenu();

// The corridor east from its shrine: down into the sunken stretch and out, up into the low
// passage and down, to the sealed door and into the boss room.
extern const Route kTheSealedDoor;
// The boss room: 526 calls the boss, her shots bring it down, 701 is heard.
extern const Route kTheBoss;
// The exit room's door (400) to the town, where 529 speaks; Pancho on the east street.
extern const Route kTheTown;
// The pause menu's "ゲームのロード" and the first slot: the save room of the game it holds.
extern const Route kThePauseMenusLoad;
