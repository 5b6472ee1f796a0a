// Maps built in memory for tests, and the way into play on them.
//
// A fixture map is drawn as rows of characters, one character a 16 x 16 tile. Built in symbols:
// '#' a solid tile and '=' a ledge (tile 1198) on layer 2, the collision layer; '.' and ' '
// nothing. A test's legend adds symbols, each painting one value on one layer; list a symbol
// twice to paint two layers. Layer 4 holds actor groups (2..127) and event numbers (128 up).
//
//   FrameHarness game;
//   game.Run();                                   // the first frame: the new game
//   LoadFixtureMap({"..K.....",
//                   "########"}, {{'K', 4, 33}});  // a group-33 actor on the floor
//   EnterPlay({.heroine = true, .hero_x = 64, .hero_y = 0});
//   game.Run(10);
//
//   int slot = SpawnAndUpdate(110, 200, 100);     // one more actor, initialised by its module
//
// Enter play only after the first frame: the new game's set-up makes the tile store afresh.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FixtureTile {
  char symbol;
  int layer;
  uint32_t value;
};

constexpr uint32_t kFixtureSolid = 1200;  // '#': solid and drawn as nothing
constexpr uint32_t kFixtureLedge = 1198;  // '='

// Empties all five layers (making the tile store when there is none), then paints the rows:
// character c of row r is the tile at column left + c, row top + r.
void LoadFixtureMap(const std::vector<std::string>& rows, const std::vector<FixtureTile>& legend = {}, int left = 0,
                    int top = 0);

struct PlayStart {
  int camera_x = 0, camera_y = 0;
  bool heroine = false;  // when true she is spawned at (hero_x, hero_y) and the camera follows her
  int hero_x = 0, hero_y = 0;
  int face_x = 1;
};

// Puts the game into play on the map as the scene change does: GameMode 2, SubMode and
// SubModeArg 0, the event layer hidden, the camera at (camera_x, camera_y), every actor cleared
// and the map's actors spawned (State 1: their modules initialise them at the next update),
// then, when asked, the heroine: spawned, standing, facing face_x, Motion 0x1500, the camera's
// target. The layers are redrawn.
void EnterPlay(const PlayStart& start = {});

// Sets the heroine's PosX and PosY by hand without spawning her: for the actors that measure
// their windows from her, she is kept far off (or brought near) at will.
void PutHeroineAt(int x, int y);

// Spawns one actor of the group at (x, y) with the facing, runs the update pass once so that its
// module initialises it, and returns its slot (-1 when the group is full).
int SpawnAndUpdate(int group, int x, int y, int face_x = -1, int face_y = 0);

// One actor made active by writing its fields, as a module would have set it up: spawned at
// (x, y) facing left, State 3, `kind` as its CollisionKind and its BodyBox the box (x, y, w, h).
// For groups whose module does not exist or does not move what is written. Its slot, or -1.
int WriteActiveActor(int group, int kind, int x, int y, int w, int h);
