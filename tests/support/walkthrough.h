// The game's route as waypoints for the route driver (support/route_driver.h), piece by piece,
// from the title through the cave and the corridor to the town: what the playthrough plays and
// checks stretch by stretch, and what the soak plays to make its saves and to reach the places it
// starts from.
//
//   RouteDriver driver(game, "stretch");
//   driver.Play("the opening", TheOpening());
//   driver.Play("the first save", SaveAtTheStatue("L001CAVE"));
//
// Each piece starts where the one before it in the playthrough ends; a stretch after a save
// starts with TheLoadFromTheTitle, the save in the first slot.
#pragma once

#include "support/route_driver.h"

// ---- places and answers -------------------------------------------------------------------------

// The title's menu and the load list.
constexpr int kNewGame = 0, kContinue = 1, kFirstSlot = 1;
// The pause menu: its status page, its items-and-equipment page, its load list, its options.
constexpr int kStatusLine = 1, kEquipment = 2, kLoad = 3, kOptions = 4;
// The save room: the statue's number at columns 19..20, its door back out at 5..6.
constexpr int kStatue = 19, kSaveRoomDoor = 5;
// The drink machine's menu: a soda, "buy", and out.
constexpr int kSodaLine = 1, kBuy = 1, kDontBuy = 0;
// The clinic's counter: "治療を受る".
constexpr int kTreat = 1;

// ---- the pieces ---------------------------------------------------------------------------------

// The save room, entered by a shrine: the statue's prayer and the first slot, and its door back
// to where she stood on `map`.
Route SaveAtTheStatue(const char* map);
// From the first frame of a fresh process: the title's load of the first slot, into the save room.
Route TheTitlesLoad();
// The title's load, and the save room's door back to where she saved on `map`.
Route TheLoadFromTheTitle(const char* map);

// The title, a new game and the opening, which leaves her on the cave's landing.
Route TheOpening();
// The pause menu's equipment page puts on the third of the rings she owns (Attack 104): with a new
// game's Attack of 5 her shots do nothing to the boss's head or a Kawachan.
Route ARingOn();
// The landing's shrine, a new game's first save.
Route TheFirstShrine();
// Up into the first rest room, a soda from its machine.
Route TheFirstRestRoom();
// Out of the rest room, east down the steps into the first enemies' hall, under its coin blocks.
Route TheFirstEnemiesHall();
// That, the first enemies shot, over the mesa, the barrier of block lifts shot open.
Route TheFirstEnemies();
// The steps down to the alcove, over the pit, and the elevator down.
Route TheElevator();
// West along the waterworks' hall under the 16-ton, to the piston weight.
Route BetweenTheWeights();
// That, under the piston weight, through the second rest room, down the hole into the second shrine.
Route TheTraps();
// East along the passage under the waterworks' hall to the lifts over its first pit.
Route TheFirstPit();
// That, over the lifts and the pits to the control room and its waterworks machine.
Route TheWaterworks();
// Back west to the water door, open now, and down behind it.
Route TheWaterDoor();
// The shrine by the pipe.
Route TheThirdShrine();
// West to the drop and down it to the lava hall, to the edge of its pit.
Route TheLavasEdge();
// That, over the lava, down the shaft beyond the runway.
Route TheLava();
// From the shaft's foot west over a lip into the storage room.
Route TheStorageRoom();
// That, and its chests: the card key and 1000 yen.
Route TheCardKey();
// East to the lower pipe and up through it.
Route ThePipeBackUp();
// The exit door, which the card key opens: the corridor.
Route TheExitDoor();
// Over the fallen block and the stump to the corridor's shrine.
Route TheCorridorShrine();
// East along the corridor, down into the sunken stretch and out, to the foot of the low passage.
Route TheSunkenStretch();
// That, up into the low passage and down.
Route TheLowPassage();
// That, and on east to the sealed door and through it: the boss room.
Route TheSealedDoor();
// The boss called by 526 and brought down, and 701 heard.
Route TheBoss();
// The exit room's door: the town, where 529 speaks.
Route TheTown();
// Pancho on the east street, heard out.
Route ATalkInTheTown();
// The clinic's counter, and back out to the town.
Route TheClinic();
// The pause menu's load of the first slot.
Route ThePauseMenusLoad();
