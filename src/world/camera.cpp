#include "world/camera.h"

#include <algorithm>
#include <cstdlib>

#include "actors/actor_table.h"
#include "world/draw_queue.h"
#include "world/map_layers.h"

ScrollRecord FrameScroll{};
DivisorTable ParallaxDivisors{};
// The world and screen sizes are there before the first InitScreen, so nothing divides by 0.
CameraRecord Camera{};
ShakeRecord CameraShake{};
FlashRecord FlashState{};
int32_t BackPictureMode = 0;
int32_t EditorScrollMode = 0;

namespace {

constexpr int kHoldFrames = kCameraHoldFrames;
constexpr int kMaxPan = 20;
constexpr int kFlashLayer = 3;

// Brings a value that left the world by less than one world size back into it.
int WrapOnce(int v, int size) { return v >= size ? v - size : v < 0 ? v + size : v; }

void InitShakeTable() {
  constexpr int32_t kLongShake[] = {-8, 8, -7, 7, -6, 6, -5, 5, 7, -6, 6, -5, 5, -4, 4, -3, 3, -2, 2, -1, 1};
  constexpr int kLongShakeStart = 0;
  constexpr int32_t kShortShake[] = {-5, 4, -4, 3, -3, 2, -2, 1, -1, 0};
  constexpr int kShortShakeStart = 31;
  std::fill(std::begin(CameraShake.table), std::end(CameraShake.table), kShakeEnd);
  std::copy(std::begin(kLongShake), std::end(kLongShake), CameraShake.table + kLongShakeStart);
  std::copy(std::begin(kShortShake), std::end(kShortShake), CameraShake.table + kShortShakeStart);
}

}  // namespace

void InitScreen(int world_width, int world_height, int screen_width, int screen_height) {
  for (int n = 0; n < kLayerCount; ++n) {
    SetPlaneOrigin(0, 0, n);
    InitDrawQueueLayer(n);
  }
  FrameScroll = ScrollRecord{};
  ParallaxDivisors = DivisorTable{};
  Camera.wrap_width = world_width;
  Camera.wrap_height = world_height;
  Camera.screen_width = screen_width;
  Camera.screen_height = screen_height;
  Camera.x = Camera.y = 0;
  Camera.follow_mode = 0;
  Camera.pending = 0;
  Camera.target = 1;
  InitShakeTable();
  CameraShake.on = 0;
  CameraShake.index = 0;
  FlashState = FlashRecord{};
  SetCameraPosition(0, 0);
  Camera.pan = 0;
  Camera.hold_return = 0;
}

void SetScroll(int dx, int dy) {
  FrameScroll = ScrollRecord{dx, dy};
  MoveLayer(dx, dy, kEventLayer);  // the event layer's origin moves with the camera at once
}

// ---- the frame's picture -----------------------------------------------------------------------

int RenderFrame() {
  const int dx = FrameScroll.dx, dy = FrameScroll.dy;
  // The far picture moves at a quarter of the horizontal speed and not at all vertically.
  if (BackPictureMode == 1) ScrollAndDrawPicture(dx / 4, 0, kEventLayer, 1);
  MoveCamera(dx / ParallaxDivisors.x[4], dy / ParallaxDivisors.y[4]);
  for (int n = 0; n < kLayerCount; ++n) {
    if (n != kEventLayer) {
      int ldx = dx / ParallaxDivisors.x[n];
      const int ldy = dy / ParallaxDivisors.y[n];
      // Layer 2 has not moved yet: this puts layer 0 at exactly half of layer 2's new position,
      // so halving odd steps does not make it drift.
      if (n == 0 && EditorScrollMode == 0) ldx = (GetLayerOriginX(2) + dx) / ParallaxDivisors.x[0] - GetLayerOriginX(0);
      ScrollAndDrawLayer(ldx, ldy, n);
    }
    DrawQueuedLayer(n);
  }
  ClearDrawQueues();
  SetScroll(0, 0);
  return 0;
}

// ---- the camera --------------------------------------------------------------------------------

void SetCameraTarget(int group) { Camera.target = group; }
int GetCameraTarget() { return Camera.target; }
int GetCameraX() { return Camera.x; }
int GetCameraY() { return Camera.y; }

namespace {

// A position a world size or more away from 0 keeps its place within the world, cut to a tile.
int CutToWorld(int v, int size) {
  if (std::abs(v) < size) return v;
  const int cut = std::abs(v) % size / 16 * 16;
  return v < 0 ? -cut : cut;
}

}  // namespace

void SetCameraPosition(int x, int y) {
  x = CutToWorld(x, Camera.wrap_width);
  y = CutToWorld(y, Camera.wrap_height);
  Camera.x = WrapOnce(x, Camera.wrap_width);
  Camera.y = WrapOnce(y, Camera.wrap_height);
  SetPlaneOrigin(x / 2, y, 0);
  for (int n = 1; n < kLayerCount; ++n) SetPlaneOrigin(x, y, n);
}

void MoveCamera(int dx, int dy) {
  // A step of a world size or more keeps only what is left over.
  Camera.x = WrapOnce(Camera.x + dx % Camera.wrap_width, Camera.wrap_width);
  Camera.y = WrapOnce(Camera.y + dy % Camera.wrap_height, Camera.wrap_height);
}

void SetPlaneOrigin(int x, int y, int layer) { SetLayerOrigin(x, y, layer); }

// ---- the follow --------------------------------------------------------------------------------

namespace {

bool IsCrouching(int motion) { return motion == 1 || motion == 21; }

// Frames of crouching count up toward the hold-down pan; anything that forbids the pan counts
// them down again.
void CountHoldDown(int motion, int py) {
  if (!IsCrouching(motion) || Camera.hold_return == 1 || py + 64 >= Camera.wrap_height - 286 || BossActive != 0 ||
      CameraShake.on != 0) {
    Camera.hold_return = 1;
    if (CameraHoldCounter > 0) --CameraHoldCounter;
  } else if (CameraHoldCounter < kHoldFrames) {
    ++CameraHoldCounter;
  }
}

void ChooseFollowMode(int motion, int py, int cy0) {
  if (motion == 0 || motion == 1 || motion == 20 || motion == 21) Camera.follow_mode = 1;  // on the ground
  else if (motion == 4 && Camera.pending == 0) Camera.follow_mode = 2;                     // jumping
  else if (py - cy0 > 350) Camera.follow_mode = 3;
  else if (Camera.follow_mode != 3 && Camera.pending == 0) Camera.follow_mode = 2;
  if (CameraHoldCounter == kHoldFrames) Camera.follow_mode = 2;
}

// The target centred, the view kept inside the world's left edge and one pixel short of the
// right one. Taken whole.
int FollowStepX(int hx, int cx0) {
  const int right = Camera.wrap_width - Camera.screen_width;
  const int half = Camera.screen_width / 2;
  if (hx - half < 0) return -cx0;
  const int dx = hx - cx0 - half;
  if (cx0 + dx >= right) return cx0 == right ? 0 : right - 1 - cx0;
  return dx;
}

// One eighth of the distance still to go. Modes 1 and 3 aim again every frame; in mode 2 what
// was pending dies away and the height holds.
int EaseStepY(int py, int cy0) {
  if (Camera.follow_mode == 1 || Camera.follow_mode == 3) {
    const int bottom = Camera.wrap_height - Camera.screen_height;
    int dy = py - cy0 - (Camera.follow_mode == 3 ? 80 : 200);
    if (cy0 + dy < 0) dy = -cy0;
    else if (cy0 + dy >= bottom) dy = cy0 == bottom ? 0 : bottom - 1 - cy0;
    Camera.pending = dy;
  }
  Camera.pending /= 8;
  return Camera.pending;
}

int ShakeStep() {
  if (CameraShake.on == 0) return 0;
  const int step = CameraShake.table[CameraShake.index++];
  if (CameraShake.table[CameraShake.index] == kShakeEnd) CameraShake.on = 0;
  return step;
}

void RunFlash() {
  if (FlashState.on == 0) return;
  if (FlashState.remaining > 0) {
    if (FlashState.frame % FlashState.period == 1) {
      PushFillRect(kFlashLayer, 1, kScreenCoords, 0, 0, Camera.screen_width, Camera.screen_height, FlashState.colour);
      --FlashState.remaining;
    }
    ++FlashState.frame;
  } else if (FlashState.remaining == 0) {
    FlashState.on = 0;
  }
}

// After 80 frames of crouching the view sinks ever faster, up to 20 pixels a frame; when she
// stands up the pan's remaining speed dies away.
int HoldDownPan(int cy0, int step) {
  const bool room = cy0 + step + Camera.screen_height < Camera.wrap_height - 32;
  if (CameraHoldCounter < kHoldFrames) {
    if (Camera.pan > 0) {
      if (room) step += Camera.pan;
      --Camera.pan;
    } else if (CameraHoldCounter == 0) {
      Camera.hold_return = 0;
    }
  } else if (Camera.pan < kMaxPan && room) {
    step += Camera.pan;
    ++Camera.pan;
  }
  return step;
}

}  // namespace

void CameraFollow(int target) {
  // Groups outside the table are followed as no target at all.
  if (target < 0 || target >= kActorGroups) return;
  if (Actor(kHeroineGroup, 0).State() == kActorEnding) return;
  const int cx0 = Camera.x, cy0 = Camera.y;
  const int hx = GetActorCentreX(target, 0);
  const int py = GetActorPosY(target, 0);
  const int motion = GetActorMotion(target, 0);
  CountHoldDown(motion, py);
  ChooseFollowMode(motion, py, cy0);
  const int dx = FollowStepX(hx, cx0);
  int step = EaseStepY(py, cy0);
  // A shake of a view at the world's top would carry it past the edge, and the wrap would show
  // the bottom of the world for a moment: the shaken view stays inside the top edge.
  step += ShakeStep();
  if (cy0 + step < 0) step = -cy0;
  RunFlash();
  step = HoldDownPan(cy0, step);
  SetScroll(dx, step);
}

void StartSmallShake() {
  constexpr int kSmallShakeStart = 35;  // -3, 2, -2, 1, -1, 0
  CameraShake.on = 1;
  CameraShake.index = kSmallShakeStart;
}

void StartFlash(int count, int period, uint32_t colour) {
  FlashState.on = 1;
  FlashState.remaining = count;
  // A period below 1 would divide by zero when the flash runs.
  FlashState.period = std::max(period, 1);
  FlashState.colour = colour;
  FlashState.frame = 0;
}

void SetBackPictureMode(int flag) { BackPictureMode = flag; }
