#include "editor/map_editor.h"

#include <cstdio>
#include <cstring>

#include "app/game_flow.h"
#include "audio/sound_slots.h"
#include "editor/editor_dialogs.h"
#include "platform/counters.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "world/camera.h"
#include "world/draw_queue.h"
#include "world/map_layers.h"
#include "world/save_block.h"

int32_t EditorState = 0;
int32_t EditorLayer = 0;
int32_t EditorPalettePos = 0;
int32_t EditorCellBase = 2400;
char EditorFileName[kEditorFileNameLength + 1] = {};
char EditorFileNameBackup[kEditorFileNameLength + 1] = {};
int32_t EditorGridOn = 1;
EditorStampRecord EditorStamp{};
int32_t EditorDialogState = 0;

namespace {

constexpr int kPanelLayer = 4;  // the queue layer of the panel and the cross-hair
constexpr int kCursorX = 320;   // the cursor: the screen's centre
constexpr int kCursorY = 240;
constexpr int kScrollStep = 4;
constexpr int kPaletteRow = 40;  // cells in a row of a sheet
constexpr int kStampMax = 40;
constexpr int kWorldWidth = 6400;
constexpr int kWorldHeight = 4800;
constexpr const char* kPanelFace = "MS UI Gothic";
constexpr uint32_t kWhite = 0xFFFFFF;

// The pulsing grey of the cross-hair, the palette's frame and the plane arrow.
uint32_t PulseGrey() {
  const uint32_t g = (16 * GetFrameCounter(0)) % 255;
  return g << 16 | g << 8 | g;
}

int CursorX(int plane) { return GetLayerOriginX(plane) + kCursorX; }
int CursorY(int plane) { return GetLayerOriginY(plane) + kCursorY; }

// The event layer is never drawn as tiles: its numbers are shown as text instead.
void RedrawEditedLayer(int plane) {
  if (plane != kEventLayer) RedrawLayer(plane);
}

void PanelText(int x, int y, const char* text, uint32_t colour = kWhite) {
  PushText(kPanelLayer, 1, kScreenCoords, x, y, colour, 16, kPanelFace, text);
}

void Pen(int plane) {
  SetTile(CursorX(plane), CursorY(plane), plane, EditorPenValue(plane, EditorPalettePos));
  RedrawEditedLayer(plane);
}

void Erase(int plane) {
  SetTile(CursorX(plane), CursorY(plane), plane, 0);
  RedrawEditedLayer(plane);
}

// Copies of the PXS x PYS block of the palette whose top-left is the selected cell, laid side by
// side DXS times across and DYS times down from the cursor.
void Stamp(int plane) {
  const EditorStampRecord& s = EditorStamp;
  const uint32_t v = EditorPenValue(plane, EditorPalettePos);
  const int x = CursorX(plane), y = CursorY(plane);
  for (int a = 0; a < s.DXS; ++a)
    for (int b = 0; b < s.DYS; ++b)
      for (int i = 0; i < s.PXS; ++i)
        for (int j = 0; j < s.PYS; ++j)
          SetTile(x + 16 * i + 16 * s.PXS * a, y + 16 * j + 16 * s.PYS * b, plane,
                  v + static_cast<uint32_t>(i + kPaletteRow * j));
  RedrawEditedLayer(plane);
}

// The stamp-size keys; true when LastKey was one of them.
bool ChangeStampSize() {
  static constexpr struct {
    uint8_t key;
    int32_t EditorStampRecord::*size;
    int step;
  } kSizeKeys[] = {
      {vk::Key0, &EditorStampRecord::PXS, -1}, {vk::OemMinus, &EditorStampRecord::PXS, +1},
      {vk::Oem7, &EditorStampRecord::PYS, -1}, {vk::Oem5, &EditorStampRecord::PYS, +1},
      {'I', &EditorStampRecord::DXS, -1},      {'O', &EditorStampRecord::DXS, +1},
      {'P', &EditorStampRecord::DYS, -1},      {vk::Oem3, &EditorStampRecord::DYS, +1},
  };
  for (const auto& k : kSizeKeys) {
    if (LastKey != k.key) continue;
    int32_t& size = EditorStamp.*k.size;
    if ((k.step < 0 && size > 0) || (k.step > 0 && size < kStampMax)) size += k.step;
    return true;
  }
  return false;
}

void Pick(int plane) {
  const uint32_t value = GetTile(CursorX(plane), CursorY(plane), plane);
  EditorPalettePos = static_cast<int32_t>(plane == kEventLayer ? value : value - static_cast<uint32_t>(EditorCellBase));
}

// ---- the panel -------------------------------------------------------------------------------

// A palette position moved by `offset`. A pick can bring any tile value into the position, so
// the sums wrap around as the tile values do instead of overflowing.
int32_t Offset(int32_t position, int offset) {
  return static_cast<int32_t>(static_cast<uint32_t>(position) + static_cast<uint32_t>(offset));
}

void MovePalette() {
  int32_t& p = EditorPalettePos;
  switch (LastKey) {
    case vk::End:
      if (p < 1200) ++p;
      break;
    case vk::Home:
      if (p >= 1) --p;
      break;
    case vk::PageUp:
      if (p > 40) p -= 40;
      break;
    case vk::PageDown:
      if (p < 1199) p += 40;
      break;
    default:
      break;
  }
}

// The 7 x 7 palette around the selected position. An entry that would belong to the next or the
// previous palette row stays empty.
void DrawPalette(int plane) {
  const int p = EditorPalettePos;
  // The column of a position below 0 is counted as for the cells it stands for, so the rows of
  // the palette stay the rows of the sheets.
  const int column = (p % kPaletteRow + kPaletteRow) % kPaletteRow;
  for (int dy = -3; dy <= 3; ++dy) {
    for (int dx = -3; dx <= 3; ++dx) {
      if (column + dx < 0 || column + dx >= kPaletteRow) continue;
      const int32_t q = Offset(p, dx + kPaletteRow * dy);
      const int x = 521 + 16 * (dx + 3), y = 7 + 16 * (dy + 3);
      if (plane == kEventLayer) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", q);
        PanelText(x, y, number);
      } else {
        PushCell(kPanelLayer, 1, kScreenCoords, x, y, static_cast<int>(EditorPenValue(plane, q)));
      }
    }
  }
}

void ChangePlane() {
  if (LastKey == vk::Oem4) {
    PlaySoundSlot(0);
    if (EditorLayer > 0) --EditorLayer;
  } else if (LastKey == vk::Oem6) {
    if (EditorLayer < 4) ++EditorLayer;
  }
}

// The keys 1..5 show and hide the layers; a lit square for each layer shown.
void DrawLayerSwitches() {
  for (int i = 0; i < kLayerCount; ++i) {
    if (LastKey == static_cast<uint32_t>('1' + i)) SetLayerVisible(i, IsLayerVisible(i) != 0 ? 0 : 1);
    PanelText(569 + 16 * i, 149, "■", IsLayerVisible(i) != 0 ? 0xC8C8C8 : 0x646464);
  }
}

void DrawCursorInfo(int plane) {
  char line[64];
  PanelText(521, 165, " CharNo:");
  const auto value = static_cast<int32_t>(GetTile(CursorX(plane), CursorY(plane), plane));
  std::snprintf(line, sizeof line, " %04d -%sMode", value, EditorScrollMode == 1 ? "貫通" : "逆算");
  PanelText(521, 181, line);
  std::snprintf(line, sizeof line, "BgMap[%d]:", plane);
  PanelText(521, 197, line);
  std::snprintf(line, sizeof line, " X=%d Y=%d", CursorX(plane) % kWorldWidth, CursorY(plane) % kWorldHeight);
  PanelText(521, 213, line);
  PanelText(521, 229, "FileName:");
  std::snprintf(line, sizeof line, " %s", EditorFileName);
  PanelText(521, 245, line);
}

void DrawLayerOrigins(int plane) {
  char line[64];
  for (int i = 0; i < kLayerCount; ++i) {
    const uint32_t colour = i == plane ? kWhite : 0x6464FF;
    std::snprintf(line, sizeof line, "VBG No%d", i);
    PanelText(521, 261 + 32 * i, line, colour);
    std::snprintf(line, sizeof line, " X=%04d Y=%04d", GetLayerOriginX(i), GetLayerOriginY(i));
    PanelText(521, 277 + 32 * i, line, colour);
  }
}

void DrawStampSize() {
  char line[64];
  PanelText(521, 421, "可変プットサイズ");
  std::snprintf(line, sizeof line, "　PXS=%d PYS=%d", EditorStamp.PXS, EditorStamp.PYS);
  PanelText(521, 437, line);
  std::snprintf(line, sizeof line, "　DXS=%d DYS=%d", EditorStamp.DXS, EditorStamp.DYS);
  PanelText(521, 457, line);
}

}  // namespace

uint32_t EditorPenValue(int plane, int position) {
  const auto p = static_cast<uint32_t>(position);
  return plane == kEventLayer ? p : p + static_cast<uint32_t>(EditorCellBase);
}

int RunMapEditor() {
  SetScroll(0, 0);
  if (EditorState == 0) {
    ResetEditor();
    InitEditor(kLayerCount);
    EditorState = 1;
    return 0;
  }
  if (EditorState != 1) return 0;
  if (RunEditorDialogs() == 1) {
    if (LastKey == vk::Escape) {
      SubModeArg = kEditorMenuRequest;
    } else if (LastKey == vk::F1) {
      SubModeArg = kEditorLoadRequest;
    } else if (LastKey == vk::F2) {
      SubModeArg = kEditorSaveRequest;
    } else {
      int dx = 0, dy = 0;
      if (IsButtonHeld(ButtonBits[kButtonUp])) {
        dy = -kScrollStep;
      } else if (IsButtonHeld(ButtonBits[kButtonDown])) {
        dy = kScrollStep;
      }
      if (IsButtonHeld(ButtonBits[kButtonLeft])) {
        dx = -kScrollStep;
      } else if (IsButtonHeld(ButtonBits[kButtonRight])) {
        dx = kScrollStep;
      }
      SetScroll(dx, dy);
      HandleEditorInput();
      DrawEditorPanel();
    }
  }
  DrawEventNumbers();
  return 0;
}

void ResetEditor() { EditorState = 0; }

void InitEditor(int /*plane_count*/) {
  EditorCellBase = 2400;
  EditorLayer = 0;
  EditorPalettePos = 0;
  EditorGridOn = 1;
  std::memset(EditorFileName, 0, sizeof EditorFileName);
  std::memset(EditorFileNameBackup, 0, sizeof EditorFileNameBackup);
  std::strcpy(EditorFileName, "NEW_FILE.MDT");
  std::strcpy(EditorFileNameBackup, "NEW_FILE.MDT");
  EditorStamp = EditorStampRecord{2, 2, 1, 1};
  EditorScrollMode = 0;
}

void HandleEditorInput() {
  const int plane = EditorLayer;
  DrawEditorGrid(plane);
  const uint32_t g = PulseGrey();
  PushFillRect(kPanelLayer, 1, kScreenCoords, kCursorX, 0, 1, 480, g);
  PushFillRect(kPanelLayer, 1, kScreenCoords, 0, kCursorY, 640, 1, g);
  // The first of these that applies; the buttons act on the first frame of a press and then on
  // every frame once held for 32 frames.
  if (IsButtonRepeat(ButtonBits[kButtonJump]) != 0) {
    Pen(plane);
  } else if (IsButtonRepeat(ButtonBits[kButtonAction]) != 0) {
    Erase(plane);
  } else if (IsButtonRepeat(ButtonBits[kButtonItem]) != 0) {
    Stamp(plane);
  } else if (!ChangeStampSize() && IsButtonRepeat(ButtonBits[kButtonMagic]) != 0) {
    Pick(plane);
  }
}

void DrawEditorGrid(int plane) {
  if (LastKey == vk::Insert) EditorGridOn = EditorGridOn != 0 ? 0 : 1;
  const int ox = GetLayerOriginX(plane), oy = GetLayerOriginY(plane);
  if (EditorGridOn != 0) {
    // On the queue layer of the plane: just above the edited layer, under the ones in front.
    constexpr uint32_t kBlue = 0x0000FF;
    for (int k = 0; k < 480; k += 16) PushFillRect(plane, 1, kScreenCoords, 0, 16 - oy % 16 + k, 640, 1, kBlue);
    for (int k = 0; k < 640; k += 16) PushFillRect(plane, 1, kScreenCoords, 16 - ox % 16 + k, 0, 1, 480, kBlue);
  }
  // The world's bottom and right edges, when they are on screen.
  if (kWorldHeight - oy < 480) PushFillRect(kPanelLayer, 1, kScreenCoords, 0, kWorldHeight - oy, 640, 1, 0xFF0000);
  if (kWorldWidth - ox < 640) PushFillRect(kPanelLayer, 1, kScreenCoords, kWorldWidth - ox, 0, 1, 480, 0xFFFF00);
}

void DrawEditorPanel() {
  const int plane_before = EditorLayer;
  const uint32_t g = PulseGrey();
  PushFillRect(kPanelLayer, 1, kScreenCoords, 521, 7, 112, 112, 0x000000);
  MovePalette();
  DrawPalette(plane_before);
  PushRectOutline(kPanelLayer, 1, kScreenCoords, 569, 55, 16, 16, g);
  PushFillRect(kPanelLayer, 0, kScreenCoords, 521, 133, 112, 340, 0x000000);  // on alternate frames
  ChangePlane();
  const int plane = EditorLayer;
  PanelText(521, 133, "Plane:");
  PanelText(569 + 16 * plane, 133, "↓", g);
  DrawLayerSwitches();
  DrawCursorInfo(plane);
  DrawLayerOrigins(plane);
  DrawStampSize();
}

void DrawEventNumbers() {
  if (EditorLayer != kEventLayer) return;
  const int ox = GetLayerOriginX(kEventLayer), oy = GetLayerOriginY(kEventLayer);
  char number[16];
  for (int sx = 0; sx <= 640; sx += 16) {
    for (int sy = 0; sy <= 480; sy += 16) {
      const uint32_t value = GetTile(ox + sx, oy + sy, kEventLayer);
      if (value == 0) continue;
      std::snprintf(number, sizeof number, "%d", static_cast<int32_t>(value));
      PushText(3, 1, kScreenCoords, sx - ox % 16, sy - oy % 16, kWhite, 16, "MS Gothic", number);
    }
  }
}
