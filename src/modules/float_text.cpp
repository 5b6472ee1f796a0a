// Floating texts (group 111): short texts that rise from a point, then linger blinking and
// vanish: damage numbers, "LEVELUP:", awards, item and spell names, the "20" of a coin pop-up.
// Each is a row of sprite cells, one a character, in one of five cell fonts chosen by the font
// letter it was spawned with (FaceX); the colour letter (FaceY) matters only to the digit font.
//
// Life of a text: spawned (State 1), rising (3) 64 pixels at 2 a frame for the 16-pixel fonts
// or 32 at 1 a frame for the 8-pixel ones, lingering blinking (4) for 60 frames, then free. The
// update pass moves it, so a text stands still while the world is paused; the draw pass shows
// it every frame.
#include <cstring>

#include "actors/actor_table.h"
#include "modules/modules.h"
#include "world/draw_queue.h"

namespace {

constexpr int kGroup = 111;
constexpr int kLayer = 4;
constexpr int32_t kLingerFrames = 60;

// The characters of a text are signed bytes: a byte above 127 gives a cell below the font,
// which draws nothing.
int Char(const char* text, int k) { return static_cast<signed char>(text[k]); }

void DrawRow(int visible, int layer, int x, int y, const char* text, int count, int spacing, int offset) {
  for (int k = 0; k < count; ++k) PushCell(layer, visible, kWorldCoords, x + k * spacing, y, Char(text, k) + offset);
}

// The font of a font letter.
int FontOf(int letter) {
  switch (letter) {
    case 'M':
    case 'm':
      return 4;
    case 'N':
      return 5;
    case 'S':
    case 's':
      return 3;
    case 'n':
      return 2;
    default:
      return 1;
  }
}

bool IsLargeFont(int font) { return font == 1 || font == 5; }

int TextLength(const Actor& a) { return static_cast<int>(strnlen(a.Text(), ActorField::TextBytes)); }

}  // namespace

// ---- the five fonts ---------------------------------------------------------------------------

// The large font of the HUD: '/' at cell 0, '0' at 1, 16 pixels a character.
void DrawFloatTextFont1(int visible, int layer, int x, int y, const char* text, int count) {
  DrawRow(visible, layer, x, y, text, count, 16, -47);
}

// The small font, 8 pixels a character.
void DrawFloatTextFont3(int visible, int layer, int x, int y, const char* text, int count) {
  DrawRow(visible, layer, x, y, text, count, 8, 161);
}

// The second small font, 8 pixels a character.
void DrawFloatTextFont4(int visible, int layer, int x, int y, const char* text, int count) {
  DrawRow(visible, layer, x, y, text, count, 8, 204);
}

// The digits of one colour from `base` on ('0' at base), 8 pixels a character.
void DrawFloatTextFont2(int visible, int layer, int x, int y, const char* text, int count, int base) {
  DrawRow(visible, layer, x, y, text, count, 8, base - 48);
}

// The large orange digits, 16 pixels a character.
void DrawFloatTextFont5(int visible, int layer, int x, int y, const char* text, int count) {
  DrawRow(visible, layer, x, y, text, count, 16, 12);
}

// ---- the passes -------------------------------------------------------------------------------

void UpdateFloatText() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() == kActorFree) continue;
    // The rise set in the last update.
    if (a.State() > kActorSpawned) {
      a.PosY() += a.StepY();
      a.StepX() = a.StepY() = 0;
      if (a.HitTimer() > 0) a.HitTimer() -= 1;
    }
    if (a.State() == kActorSpawned) {
      a.AnimCursor() = a.StepX() = a.StepY() = 0;
      SetActorMotion(kGroup, slot, FontOf(a.FaceX()));
      a.FaceY() = (a.FaceY() == 'R' || a.FaceY() == 'r') ? 70 : 50;
      a.HomeX() = a.PosX();
      a.HomeY() = a.PosY();
      a.State() = kActorActive;
      // Centred on the spawn point.
      a.PosX() -= TextLength(a) * (IsLargeFont(GetActorMotion(kGroup, slot)) ? 8 : 4);
    } else if (a.State() == kActorEnding) {
      if (a.HitTimer() <= 0) a.State() = kActorFree;
    }
    if (a.State() == kActorActive) {
      const bool large = IsLargeFont(GetActorMotion(kGroup, slot));
      if (a.PosY() <= a.HomeY() - (large ? 64 : 32)) {
        a.HitTimer() = kLingerFrames;
        a.State() = kActorEnding;
      } else {
        a.StepY() = large ? -2 : -1;
      }
    }
  }
}

void DrawFloatText() {
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() < kActorActive) continue;
    const int visible = a.HitTimer() <= 0 ? 1 : 0;
    const char* text = a.Text();
    const int count = TextLength(a);
    switch (GetActorMotion(kGroup, slot)) {
      case 1:
        DrawFloatTextFont1(visible, kLayer, a.PosX(), a.PosY(), text, count);
        break;
      case 2:
        DrawFloatTextFont2(visible, kLayer, a.PosX(), a.PosY(), text, count, a.FaceY());
        break;
      case 3:
        DrawFloatTextFont3(visible, kLayer, a.PosX(), a.PosY(), text, count);
        break;
      case 4:
        DrawFloatTextFont4(visible, kLayer, a.PosX(), a.PosY(), text, count);
        break;
      case 5:
        DrawFloatTextFont5(visible, kLayer, a.PosX(), a.PosY(), text, count);
        break;
      default:
        break;
    }
  }
}
