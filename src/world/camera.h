// The screen manager: the camera, and the frame's picture made from it. Every frame the game
// sets a scroll step (the camera's follow, a scripted pan, the editor's keys); RenderFrame applies
// it to the camera and to the map layers with their parallax, and draws the map layers and the
// draw queue's layers interleaved, back to front. The follow of the heroine, the screen shake
// and the full-screen flash live here too.
#pragma once

#include <cstdint>

#include "world/save_block.h"

constexpr int kNoCameraTarget = -1;
constexpr int32_t kShakeEnd = 9801;  // ends a sequence of the shake table

struct ScrollRecord {
  int32_t dx = 0, dy = 0;  // the camera movement requested for this frame
};

// Map layer n scrolls by the frame scroll divided by its divisor; the camera by index 4's.
struct DivisorTable {
  int32_t x[5] = {2, 1, 1, 1, 1};
  int32_t y[5] = {1, 1, 1, 1, 1};
};

struct CameraRecord {
  int32_t wrap_width = 6400, wrap_height = 4800;  // the world size
  int32_t screen_width = 640, screen_height = 480;
  int32_t x = 0, y = 0;      // the view's top-left world pixel, inside the world
  int32_t target = 1;        // the actor group whose slot 0 is followed; -1 none
  int32_t follow_mode = 0;   // 0 before the first follow; 1 settle the target 200 px below the
                             // top; 2 hold the height; 3 settle it 80 px below the top
  int32_t pending = 0;       // vertical distance still to ease
  int32_t pan = 0;           // hold-down pan speed 0..20
  int32_t hold_return = 0;   // 1: no new hold-down pan until the pan is back at rest
};

struct ShakeRecord {
  int32_t on = 0;
  int32_t index = 0;
  int32_t table[256] = {};  // vertical offsets; 9801 ends a sequence
};

struct FlashRecord {
  int32_t on = 0;
  int32_t period = 1;          // frames
  int32_t remaining = 0;       // screens still to draw
  int32_t frame = 0;           // frames since the flash began
  uint32_t colour = 0xFFFFFF;  // 0xRRGGBB
};

extern ScrollRecord FrameScroll;
extern DivisorTable ParallaxDivisors;
extern CameraRecord Camera;
extern ShakeRecord CameraShake;
extern FlashRecord FlashState;
extern int32_t BackPictureMode;   // 1: ring surface 6's picture is shown as the far background
extern int32_t EditorScrollMode;  // 0: layer 0 follows half of layer 2's position; 1: half the step

// Frames of crouching counted toward the hold-down pan (0..kCameraHoldFrames), and the boss flag
// that stops it.
constexpr int32_t kCameraHoldFrames = 80;
inline int32_t& CameraHoldCounter = Save.SceneVars[9];
inline int32_t& BossActive = Save.SceneVars[10];

void InitScreen(int world_width, int world_height, int screen_width, int screen_height);
// Frame scroll := (dx, dy); map layer 4's origin moves with it at once.
void SetScroll(int dx, int dy);
int RenderFrame();

void SetCameraTarget(int group);
int GetCameraTarget();
// Once a frame while the world runs: follows slot 0 of the target group.
void CameraFollow(int target);
int GetCameraX();
int GetCameraY();
// Places the camera and every map layer's origin at once; the caller redraws the layers.
void SetCameraPosition(int x, int y);
void MoveCamera(int dx, int dy);
void SetPlaneOrigin(int x, int y, int layer);

void StartSmallShake();
void StartFlash(int count, int period, uint32_t colour);
void SetBackPictureMode(int flag);
