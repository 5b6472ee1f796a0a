#include "actors/actor_library.h"

#include "actors/actor_table.h"
#include "actors/collision.h"
#include "actors/hazards_and_input.h"
#include "actors/heroine.h"
#include "actors/map_probes.h"
#include "platform/counters.h"
#include "platform/input.h"
#include "platform/utils.h"
#include "ui/hud.h"
#include "world/camera.h"
#include "world/draw_queue.h"
#include "world/save_block.h"

namespace F = ActorField;

// ---- spawns -----------------------------------------------------------------------------------

void SpawnActorAt(int group, int slot, int x, int y, int faceX, int faceY) {
  const Actor a(group, slot);
  a.State() = kActorSpawned;
  a.PosX() = a.HomeX() = x;
  a.PosY() = a.HomeY() = y;
  a.FaceX() = faceX;
  a.FaceY() = faceY;
}

void SpawnActorWithText(int group, int x, int y, int faceX, int faceY, const char* text) {
  const int slot = FindFreeActorSlot(group);
  if (slot < 0) return;
  SpawnActorAt(group, slot, x, y, faceX, faceY);
  const Actor a(group, slot);
  a.HitTimer() = a.Input() = a.Link() = 0;
  // The slot holds 32 bytes: a longer text is cut, so that nothing is written past them.
  char* dst = a.Text();
  int n = 0;
  for (; text != nullptr && n < F::TextBytes - 1 && text[n] != '\0'; ++n) dst[n] = text[n];
  dst[n] = '\0';
}

namespace {

int SpawnEffect(int group, int x, int y, int width, int height, int stepX, int stepY, int frames, int loop,
                int delay, int life, int visible, int follow, int baseCell) {
  const int slot = FindFreeActorSlot(group);
  if (slot < 0) return -1;
  SpawnActorAt(group, slot, x, y, width, height);
  const Actor a(group, slot);
  a.StepX() = stepX;
  a.StepY() = stepY;
  a.ExpReward() = frames;
  a.MoneyReward() = loop == 1 ? 1 : -1;
  a.Param25() = delay;
  a.MaxLife() = life;
  a.Param24() = visible != 0 ? 1 : -1;
  a.Life() = follow != 0 ? 1 : -1;
  a.DefenseValue() = baseCell;
  return slot;
}

}  // namespace

int SpawnEffectActor(int group, int x, int y, int width, int height, int stepX, int stepY, int frames, int loop,
                     int delay, int life, int visible, int follow, int baseCell, int attack) {
  const int slot =
      SpawnEffect(group, x, y, width, height, stepX, stepY, frames, loop, delay, life, visible, follow, baseCell);
  if (slot >= 0) Actor(group, slot).AttackValue() = attack;
  return slot;
}

int SpawnEffectActor14(int group, int x, int y, int width, int height, int stepX, int stepY, int frames, int loop,
                       int delay, int life, int visible, int follow, int baseCell) {
  return SpawnEffect(group, x, y, width, height, stepX, stepY, frames, loop, delay, life, visible, follow, baseCell);
}

// ---- the heroine placed by scripts -----------------------------------------------------------

namespace {

// The animation entry each placement kind shows.
int AnimForKind(int kind, int current) {
  switch (kind) {
    case -1:
      return current;
    case 1:
      return kHeroineCrouchAnim;
    case 3:
    case 4:
      return kHeroineAirAnim;
    case 5:
      return kHeroineDeathAnim;
    case 6:
      return kHeroineDoorAnim;
    default:
      return kHeroineStandAnim;
  }
}

}  // namespace

void PlaceHeroine(int kind, int x, int y, int faceX, int faceY) {
  const Actor hero(kHeroineGroup, 0);
  hero.AnimCursor() = AnimForKind(kind, hero.AnimCursor());
  if (x >= 0) hero.PosX() = hero.HomeX() = x;
  if (y >= 0) hero.PosY() = hero.HomeY() = y;
  if (faceX == 'L' || faceX == 'l') {
    hero.FaceX() = -1;
  } else if (faceX != 'N' && faceX != 'n') {
    hero.FaceX() = 1;
  }
  if (faceY == 'U' || faceY == 'u') {
    hero.FaceY() = -1;
  } else if (faceY != 'N' && faceY != 'n') {
    hero.FaceY() = 1;
  }
}

void ResetHeroineFacing() {
  const Actor hero(kHeroineGroup, 0);
  if (hero.State() == kActorEnding) return;
  PlaceHeroine(0, -1, -1, hero.History(F::FaceXHistory, 0) == 1 ? 'R' : 'L', 'N');
}

// ---- tests ------------------------------------------------------------------------------------

int IsActorOnScreen(int group, int slot, int wide) {
  const ActorBox body = Actor(group, slot).BodyBox();
  int left = GetCameraX(), top = GetCameraY(), width = 640, height = 480;
  if (wide != 0) {
    left -= 320;
    top -= 240;
    width = 1280;
    height = 960;
  }
  return BoxesOverlapLTRB(body.left, body.top, body.right, body.bottom, left, top, left + width, top + height);
}

int IsBoxNearHeroine(int x, int y, int w, int h) {
  const ActorBox body = Actor(kHeroineGroup, 0).BodyBox();
  const int cx = body.left + (body.right - body.left) / 2;
  const int cy = body.top + (body.bottom - body.top) / 2;
  const int half_w = static_cast<int>(WindowSize.width), half_h = static_cast<int>(WindowSize.height);
  return BoxesOverlap(x, y, w, h, cx - half_w, cy - half_h, 2 * half_w, 2 * half_h);
}

int ActorSightHits(int group, int slot, int length, int above, int below, int targetGroup, int targetSlot,
                   int debugDraw) {
  const Actor a(group, slot);
  const int top = a.BodyBox().top - above, bottom = a.BodyBox().top + below;
  const int left = a.FaceX() != -1 ? a.CentreX() : a.CentreX() - length;
  const int right = a.FaceX() != -1 ? a.CentreX() + length : a.CentreX();
  if (debugDraw == 1) PushFillRect(3, 0, kWorldCoords, left, top, right - left, bottom - top, 0x0000FF);
  const ActorBox target = Actor(targetGroup, targetSlot).SpriteBox();
  return BoxesOverlapLTRB(left, top, right, bottom, target.left, target.top, target.right, target.bottom);
}

int CompareActorCentreX(int groupA, int slotA, int groupB, int slotB) {
  return Actor(groupA, slotA).CentreX() < Actor(groupB, slotB).CentreX() ? -1 : 1;
}

int CompareActorCentreY(int groupA, int slotA, int groupB, int slotB) {
  return Actor(groupA, slotA).CentreY() < Actor(groupB, slotB).CentreY() ? -1 : 1;
}

// ---- movement ---------------------------------------------------------------------------------

int WalkActorByInput(int group, int slot, int speed, int bounded, int range) {
  const Actor a(group, slot);
  if (ActorHasInput(group, slot, static_cast<int>(ButtonBits[kButtonRight])) != 0) {
    if (bounded != 1 || a.PosX() <= a.HomeX() + range) {
      a.StepX() = speed;
      return 1;
    }
    a.FaceX() = -a.FaceX();
    return 0;
  }
  if (ActorHasInput(group, slot, static_cast<int>(ButtonBits[kButtonLeft])) != 0) {
    if (bounded == 1 && a.PosX() < a.HomeX() - range) {
      a.FaceX() = -a.FaceX();
      return 0;
    }
    a.StepX() = -speed;
    return -1;
  }
  return 0;
}

void SetActorFacingRandom(int group, int slot, int varied) {
  const Actor a(group, slot);
  if (varied == 0) {
    a.FaceX() = a.FaceY() = 1;
    return;
  }
  a.FaceX() = GetFrameCounter(0) % 2 == 1 ? 1 : -1;
  a.FaceY() = GetFrameCounter(0) % 2 == 1 ? 1 : -1;
}

int FallActorToFloor(int group, int slot) {
  constexpr int32_t kLanded = 0, kFalling = 3;
  const Actor a(group, slot);
  const ActorBox body = a.BodyBox();
  const int r = ProbeFloor(body.left, a.StepX() + a.VelX(), body.right - body.left, body.top + 1,
                           a.StepY() + a.VelY(), body.bottom - body.top);
  if (r == kProbeFree) {
    a.Motion() = kFalling;
    return 0;
  }
  if (r != a.StepY()) a.Motion() = kLanded;
  a.StepY() = r;
  a.VelY() = 0;
  return 1;
}

// ---- drawing ----------------------------------------------------------------------------------

void DrawActorBalloon(int group, int slot, int kind) {
  const Actor a(group, slot);
  if (a.State() == kActorFree) return;
  const ActorBox body = a.BodyBox();
  DrawBalloon(body.left + (body.right - body.left) / 2 - 24, body.top - 32, kind);
}

namespace {

constexpr int kBalloonLayer = 3;
constexpr int kBalloonCell = 434;

void BalloonCell(int x, int y, int cell) { PushCell(kBalloonLayer, 1, kWorldCoords, x, y, cell); }

// Three cells by two from first_cell, 40 cells to a sheet row.
void BalloonBlock(int x, int y, int first_cell) {
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 3; ++i) BalloonCell(x + 16 * i, y + 16 * j, first_cell + i + 40 * j);
  }
}

// A symbol of one cell over another, in the balloon's middle column.
void SymbolPair(int x, int y, int top_cell, int bottom_cell) {
  BalloonCell(x + 16, y, top_cell);
  BalloonCell(x + 16, y + 16, bottom_cell);
}

}  // namespace

void DrawBalloon(int x, int y, int kind) {
  BalloonBlock(x, y, kBalloonCell);
  // The symbol shakes: a new offset every frame.
  const int dx = Random(2);
  const int dy = Random(2);
  const int sx = x + dx, sy = y + dy;
  switch (kind) {
    case 0:
      SymbolPair(sx, sy, 437, 477);
      break;
    case 1:
      SymbolPair(sx, sy, 517, 557);
      break;
    case 2:
      SymbolPair(sx, sy, 438, 478);
      break;
    case 3:
      BalloonCell(sx + 16, sy, 514 + Random(3));
      BalloonCell(sx + 16, sy + 16, 554 + Random(3));
      break;
    case 4:
      SymbolPair(sx, sy, 518, 558);
      break;
    case 5:
      BalloonBlock(sx, sy, 594);
      break;
    default:
      break;
  }
}

void DrawMessageBox(const char* line1, const char* line2) {
  constexpr int kWidth = 384, kTop = 90, kBottom = 190;
  const int left = (static_cast<int>(WindowSize.width) - kWidth) / 2;
  DrawFrameBox(left, kTop, left + kWidth, kBottom, 0x000000, 1);
  PushText(4, 1, kScreenCoords, left + 2, kTop, 0xFFFFFF, 16, "MS Gothic", line1);
  PushText(4, 1, kScreenCoords, left + 2, kTop + 20, 0xFFFFFF, 16, "MS Gothic", line2);
}

int MidpointA(int a, int /*b*/, int c) { return a + (c - a) / 2; }

int MidpointB(int /*a*/, int b, int /*c*/, int d) { return b + (d - b) / 2; }
