// The routines the field and guide events are built from: beginning and ending an event, saying
// a line and waiting for it, beginning and ending a tutorial talk, a door that fades to another
// map, a fade that moves the heroine within the map (optionally healing her), buying an item,
// panning the camera and patching map tiles.
//
// The door and the two in-map warps are small step machines of their own: they run a fixed run of
// steps on the caller's counter, one step a call, so a script hands a range of its steps to them
// and calls them every frame while those steps are current. They wait nine frames after the
// scene is set before fading in, counted in EventSubCounter, which they leave at 9 (the next
// BeginEvent or end clears it).
#pragma once

#include <cstdint>

// The heroine held in the door pose facing left, her pad and Link cleared, input unlocked,
// EventSubCounter 0.
void BeginEvent();
// The end of a field event on EventStep[slot]: that counter, SceneStep and EventSubCounter 0,
// the heroine released standing with her facing kept, SubMode and SubModeArg 0, input locked
// until jump and action are up.
void EndEvent(int32_t slot);

// Closes the window, opens the line (type 24, no choices, `flag` as OpenMessage's last argument)
// and moves the step on at once, even when the window refused to open.
void SayLine(const char* speaker, const char* text, uint32_t flag, int32_t* step, uint32_t increment);
// Moves the step on once the line was closed (MessageResult -2).
void WaitLine(int32_t* step, uint32_t increment);

// A guide talk's first frame: the insect companion at the heroine when `showInsect` is non-zero;
// she is held, her pad and Link cleared, input unlocked.
void BeginGuideTalk(uint32_t showInsect);
// A guide talk's end on EventStep[2]: the seen flag of `event` (none for a negative event), the
// insect in slot 0 removed, the heroine released, input locked.
void EndGuideTalk(int32_t event);

// One step of the door to scene `scene` on EventStep[slot], steps 0..5: fade out; set the
// camera at (camX, camY), change the scene, the heroine anew at (x, y) facing right, the camera
// following group camTarget (-1: it stays), the layers redrawn; fade in on the ninth frame; end.
void WarpToMap(int32_t slot, int32_t camX, int32_t camY, int32_t x, int32_t y, int32_t camTarget, int32_t scene);
// One step of a fade that moves the heroine to (x - 24, y - 64) within the map, on
// EventStep[slot], steps baseStep..baseStep + 4 (then baseStep + 5 is the caller's). With heal 1
// her HP and MP are filled as the picture comes back. She is frozen after the fade-in.
void FadeWarpHere(int32_t slot, int32_t baseStep, int32_t x, int32_t y, int32_t heal);
// The same with the camera moved to (camX, camY) and left there (no target).
void FadeWarpInMap(int32_t slot, int32_t baseStep, int32_t camX, int32_t camY, int32_t x, int32_t y,
                   int32_t heal);

// Steps of the buyer's script that BuyItem returns.
constexpr uint32_t kBuyBagFull = 70;      // refunded: the seven bag slots are full
constexpr uint32_t kBuyTooLittleMoney = 80;
constexpr uint32_t kBuyDone = 90;
// Pays the item's buy price and puts it in the bag; returns the caller's next step.
uint32_t BuyItem(uint32_t id);

// One frame of a pan that brings the camera to where (x, y) stands at (296, 240) on the screen;
// on arrival the camera follows the heroine again, the actor (group, slot) is placed at (x, y)
// and the camera set exactly: 1. Otherwise 0.
uint32_t PanCameraTo(int32_t group, int32_t slot, int32_t x, int32_t y);

// Opens a 2 x 5 tile block at world pixel (x, y): layer 1 drawn with tile 2240 and the event
// layer holding `tile`; the layers are redrawn once.
void PatchMapTiles(int32_t x, int32_t y, int32_t tile);
