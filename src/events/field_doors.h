// The field events that take the heroine somewhere when she presses Up at them: the warps within a
// map (the inn's cellar and back up), the way into the save room and out of it, the doors to
// another map, the doors with a sign that lead to a room of the same map, the cave's exit door,
// and the scene changes behind the wipe.
//
// The doors that are alike are rows of a table with one runner each; the event tables give each
// row's number its runner with that row. Each door unlike the others is a routine of its own.
#pragma once

#include <cstdint>
#include <span>

// A warp within the map, on the event's own step counter: the camera set at (camX, camY), the
// heroine at (x, y), the camera following `target` (-1: it stays where it was put).
struct InMapWarpRow {
  int32_t number;
  int32_t camX, camY;
  int32_t x, y;
  int32_t target;
};

// A door to scene `scene`: the camera at (camX, camY), the heroine anew at (x, y), the camera
// following `target`. `sheet` other than 0 is the bitmap that sprite sheet 1 (surface 8) gets
// when the picture starts to come back; `hold` keeps her held on every frame of the door.
struct DoorRow {
  int32_t number;
  int32_t camX, camY;
  int32_t x, y;
  int32_t target;
  int32_t scene;
  int32_t sheet = 0;
  bool hold = false;
};

// A door with a sign: she reads the sign, then the picture fades to the room behind it, the
// camera left at (camX, camY) and the heroine put at (x - 24, y - 64).
struct SignedDoorRow {
  int32_t number;
  const char* sign;
  int32_t camX, camY;
  int32_t x, y;
};

// A scene change behind the wipe: the scene's own arrival and camera.
struct WipeRow {
  int32_t number;
  int32_t scene;
};

extern const std::span<const InMapWarpRow> kInMapWarps;
extern const std::span<const DoorRow> kDoors;
extern const std::span<const SignedDoorRow> kSignedDoors;
extern const std::span<const WipeRow> kWipes;

void RunInMapWarp(const InMapWarpRow& warp);
void RunDoor(const DoorRow& door);
void RunSignedDoor(const SignedDoorRow& door);
void RunWipe(const WipeRow& wipe);

// Where she stands now, into `SavedPosition`, for scene 100 to bring her back to: the way into
// the save room fills it.
void StorePosition();

// Into the save room, storing where she stood for the way back.
void FieldEvent162();
// Out of the save room, to the stored place.
void FieldEvent163();
// The cave's exit door, locked until she owns the card key.
void FieldEvent261();
// The door to inn room D, which also opens the passage behind the paintings once both were seen.
void FieldEvent273();
