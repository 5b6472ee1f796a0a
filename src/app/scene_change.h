// The scene change: puts the game into one of its maps. It stops the music, names the map file
// and the world, chooses the four sprite sheets and the far picture, loads the map, places the
// camera, clears the actors, spawns what the map's event layer places, applies the map's presets
// and spawns and places the heroine. Doors, warps, the save room, the title screen, the opening,
// the debug menu and a load all enter maps through it; scene 100 returns to the place stored in
// SavedPosition.
#pragma once

#include <cstdint>

// The scene numbers that callers name.
constexpr int kSceneObjectTest = -2;
constexpr int kSceneOpeningForest = -1;
constexpr int kSceneSavedPosition = 100;
constexpr int kSceneSaveRoom = 110;
constexpr int kSceneBlack = 200;
constexpr int kSceneTitle = 210;
constexpr int kSceneCave = 500;
constexpr int kSceneTown = 600;
constexpr int kSceneTownInside = 610;
constexpr int kSceneBossRoom = 700;  // 700..713
constexpr int kSceneCorridor = 900;
constexpr int kSceneGorillaHouse = 1000;

// The heroine's Motion word as a scene sets it: motion 0 with bits 0x1000 (the floor's friction),
// 0x400 and 0x100.
constexpr int32_t kSceneMotion = 0x1500;

// Enters the scene. For every number the music stops and the boss's defeat talk, if it still
// waits to start, is forgotten; a number the game does not know changes nothing more. A map that
// fails to load starts the fatal error scene from the next frame, and the scene is set up over
// whatever the tile store holds. Scenes that do not redraw the layers themselves leave that to
// the caller.
void ChangeScene(int scene);

// The names that a row of the scene table gives the scene it enters: the map, the world and the
// bitmaps of surfaces 7, 8, 9, 10 and 6.
struct SceneNames {
  const char* map;
  const char* world;
  const int32_t* sheets;
};
// A map's or a world's name into its field: at most 127 bytes, the rest of the field zero.
void CopyName(char (&field)[128], const char* name);
// The names of the i-th row that loads its map, in the table's order; false past the last.
bool SceneMapNames(int i, SceneNames& names);

// The actor presets of one map, applied after its actors were spawned: only the cave has any.
void ApplyMapPresets(const char* map_path);
