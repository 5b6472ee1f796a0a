// The heroine's drawing, her call in the draw pass (every frame of play, also under talks and
// menus): for each slot a body of 3 x 4 cells by her animation frame and facing, and behind it
// one of three small overlays: a raised arm while up was pressed lately, a shooting arm while the
// action button was, or the far arm's stride under the walking poses. She blinks while a hit
// keeps her immune; the trailing copies always blink. Her death starts at the end.
#include "actors/actor_table.h"
#include "actors/heroine.h"
#include "platform/input.h"
#include "world/draw_queue.h"
#include "world/save_block.h"

namespace F = ActorField;

namespace {

constexpr int kLayer = 1;
constexpr int kSheetRow = 40;  // cells in a sheet row
constexpr int kCell = 16;
constexpr int kInputRows = 10;  // the overlays look back over ten frames

// The top-left cell of a frame's block by facing: 1 right, -1 left, any other facing 0. Frames
// 11 to 14 are the stride overlays of walk frames 2, 3, 5 and 6.
int GetHeroineSpriteCell(int facing, int frame) {
  static constexpr int Right[27] = {400, 403, 406, 409, 412, 415, 418, 421, 424, 427, 430, 720, 723, 726,
                                    729, 732, 733, 737, 740, 743, 755, 0,   0,   0,   0,   0,   0};
  static constexpr int Left[24] = {560, 563, 566, 569, 572, 575, 578, 581, 584, 587, 590, 760,
                                   763, 766, 769, 892, 893, 737, 740, 743, 755, 0,   0,   0};
  // A frame outside a table has no cell.
  if (facing == 1) return frame >= 0 && frame < 27 ? Right[frame] : 0;
  if (facing == -1) return frame >= 0 && frame < 24 ? Left[frame] : 0;
  return 0;
}

// An overlay's size in cells: 'X' or 'x' the columns, 'Y' or 'y' the rows; other keys 0.
int GetHeroineOverlaySize(int key, int frame) {
  static constexpr int X[20] = {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 1, 2, 3, 3, 3};
  static constexpr int Y[20] = {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 1, 1, 1, 1, 2, 1, 4, 4, 4};
  if (frame < 0 || frame >= 20) return 0;
  if (key == 'X' || key == 'x') return X[frame];
  if (key == 'Y' || key == 'y') return Y[frame];
  return 0;
}

bool HoldsBits(int32_t bits, uint32_t mask) { return (static_cast<uint32_t>(bits) & mask) == mask; }

// The most recent of an up press and an action press within ten frames sets the overlay flag in
// her Motion word; up wins within one frame; neither clears both.
void MarkHeroineArm(const Actor& h) {
  for (int r = 0; r < kInputRows; ++r) {
    const int32_t input = h.History(F::InputHistory, r);
    if (HoldsBits(input, ButtonBits[kButtonUp])) {
      h.Motion() = (h.Motion() & 0xFFFF) | kHeroineRaisedArm;
      return;
    }
    if (HoldsBits(input, ButtonBits[kButtonAction])) {
      h.Motion() = (h.Motion() & 0xFFFF) | kHeroineShootingArm;
      return;
    }
    h.Motion() &= 0xFFFF;
  }
}

void QueueHeroineOverlay(const Actor& h, int frame, int visible) {
  const int left = h.FaceX() != 1 ? 1 : 0;
  const int box_top = GetHeroineBoxParam('y', frame);
  if ((h.Motion() & kHeroineRaisedArm) != 0) {  // over her head
    for (int k = 0; k < 2; ++k) {
      PushCell(kLayer, visible, kWorldCoords, h.PosX() + kCell, h.PosY() + box_top - 19 + kCell * k,
               732 + left + kSheetRow * k);
    }
  } else if ((h.Motion() & kHeroineShootingArm) != 0) {  // forward at her shoulder
    for (int k = 0; k < 2; ++k) {
      PushCell(kLayer, visible, kWorldCoords, h.PosX() + kCell * k + 29 - 32 * left, h.PosY() + box_top + 15,
               734 + k + kSheetRow * left);
    }
  } else {  // the far arm swinging under the walking poses
    int stride = 0;
    switch (frame) {
      case 2:
        stride = 11;
        break;
      case 3:
        stride = 12;
        break;
      case 5:
        stride = 13;
        break;
      case 6:
        stride = 14;
        break;
      default:
        return;
    }
    const int base = GetHeroineSpriteCell(h.FaceX(), stride);
    for (int i = 0; i < GetHeroineOverlaySize('X', stride); ++i) {
      for (int j = 0; j < GetHeroineOverlaySize('Y', stride); ++j) {
        PushCell(kLayer, visible, kWorldCoords, h.PosX() + kCell * i, h.PosY() + 32 + kCell * j,
                 base + i + kSheetRow * j);
      }
    }
  }
}

void QueueHeroineBody(const Actor& h, int frame, int visible) {
  const int base = GetHeroineSpriteCell(h.FaceX(), frame);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 4; ++j) {
      PushCell(kLayer, visible, kWorldCoords, h.PosX() + kCell * i, h.PosY() + kCell * j, base + i + kSheetRow * j);
      CellsDrawnCount += 1;
    }
  }
}

}  // namespace

void DrawHeroine() {
  for (int s = 0; s < kActorSlots; ++s) {
    const Actor h(kHeroineGroup, s);
    if (h.State() == kActorFree) continue;
    // Queued with visible 0 a cell shows only every other frame: she blinks while a hit keeps
    // her immune, and her copies always do.
    const int visible = s == 0 && h.HitTimer() == 0 ? 1 : 0;
    const int frame = GetHeroineAnimFrame(h.AnimCursor());
    const bool posing = h.AnimCursor() != kHeroineDoorAnim && h.State() != kActorEnding;
    if (posing) MarkHeroineArm(h);
    // An entry between sequences shows no frame: nothing is drawn.
    if (frame == -1) continue;
    // The overlays go first, so the body covers them where they meet.
    if (posing) QueueHeroineOverlay(h, frame, visible);
    QueueHeroineBody(h, frame, visible);
  }
  StartHeroineDeath();
}
