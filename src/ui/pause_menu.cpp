#include "ui/pause_menu.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "actors/items.h"
#include "actors/player_stats.h"
#include "app/game_flow.h"
#include "app/scene_change.h"
#include "audio/sound_slots.h"
#include "platform/counters.h"
#include "platform/input.h"
#include "ui/hud.h"
#include "ui/option_menus.h"
#include "world/draw_queue.h"
#include "world/map_layers.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/save_files.h"
#include "world/screen_wipe.h"

namespace {

using Line = char[49];

// The states of MenuState.
constexpr int32_t kMainMenu = 0;
constexpr int32_t kMainMenuRead = 1;
constexpr int32_t kStatusPage = 2;
constexpr int32_t kQuitRead = 3;
constexpr int32_t kEquipmentPage = 4;
constexpr int32_t kLoadList = 6;
constexpr int32_t kLoadRead = 61;
constexpr int32_t kLoadFadeOut = 62;
constexpr int32_t kLoadReadSave = 63;
constexpr int32_t kLoadEnterRoom = 64;
constexpr int32_t kLoadFadeIn = 65;
constexpr int32_t kLoadRelease = 66;

// SubModeArg while a page, the load list or the options are open.
constexpr int32_t kPageOpen = 100;

constexpr int kLoadSound = 19;
constexpr int kRefuseSound = 20;

// Every way out: the world runs again from the next frame.
void CloseMenu() {
  SubMode = kSubWorld;
  SubModeArg = 0;
  MenuState = kMainMenu;
}

void OpenList(int count, const char* title, const Line* lines) {
  CloseMessage();
  OpenMessage(15, count, 0, title, nullptr, lines, 1);
}

// ---- the main menu and the quit confirmation ------------------------------------------------

void OpenMainMenu() {
  static const Line kLines[6] = {"ゲームに戻る", "ステータス", "アイテム・装備", "ゲームのロード", "オプション", "ゲームを終了"};
  OpenList(6, "　【メインメニュー】", kLines);
  MenuState = kMainMenuRead;
}

void OpenPage(int32_t state) {
  MenuState = state;
  SubModeArg = kPageOpen;
}

void ReadMainMenu() {
  static const Line kQuitLines[2] = {"いいえ", "はい"};
  switch (MessageResult) {
    case -2:
    case 0:
      CloseMenu();
      break;
    case 1:
      OpenPage(kStatusPage);
      break;
    case 2:
      OpenPage(kEquipmentPage);
      break;
    case 3:
      OpenPage(kLoadList);
      break;
    case 4:
      OpenPage(kOptionMenuStep);
      break;
    case 5:
      SubModeArg = 0;
      OpenList(2, "　【ゲーム終了】", kQuitLines);
      MenuState = kQuitRead;
      break;
    default:
      break;
  }
}

void ReadQuitConfirmation() {
  switch (MessageResult) {
    case -2:
    case 0:
      SubModeArg = 0;
      MenuState = kMainMenu;
      break;
    case 1:
      Running = 0;  // the main loop ends and the program exits
      SubMode = kSubWorld;
      SubModeArg = 0;
      MenuState = kMainMenu;
      break;
    default:
      break;
  }
}

bool Pressed(int button) { return IsButtonPressed(ButtonBits[button]); }

// The pages close straight back to the game on a new press of jump or action. A page chosen
// with jump waits for a new press: the input lock holds until both are up.
void CloseOnJumpOrAction() {
  if (Pressed(kButtonJump) || Pressed(kButtonAction)) CloseMenu();
}

// Queues `n` glyphs of a menu font on draw-queue layer 4.
void MenuText(int x, int y, const char* text, int n, int font) { DrawMenuText(4, x, y, text, n, font); }
void MenuLabel(int x, int y, const char* label, int font) {
  MenuText(x, y, label, static_cast<int>(std::strlen(label)), font);
}

// Numbers are formatted into a buffer wide enough for any two 32-bit values; only the stated
// number of glyphs is drawn, so a value with more digits loses its last ones.
struct Number {
  char text[32] = {};
  Number(const char* format, int32_t a, int32_t b = 0) { std::snprintf(text, sizeof text, format, a, b); }
};

// ---- the status page ------------------------------------------------------------------------

// Row r of the page: its label at x 23, its value at value_x, both in the value font.
void StatusRow(int row, const char* label, int value_x, int glyphs, const Number& value) {
  const int y = 53 + 16 * row;
  MenuLabel(23, y, label, kFontValue);
  MenuText(value_x, y, value.text, glyphs, kFontValue);
}

void StatusPage() {
  const PlayerStatsRecord& p = PlayerStats;
  DrawFrameBox(7, 37, 327, 293, 0x000000, 1);
  // The level tables read a level above their last row as the last row.
  const int32_t next_level = p.Level >= kMaxLevel ? kMaxLevel : p.Level + 1;
  StatusRow(0, "LEVEL", 263, 3, Number("%03d", p.Level));
  StatusRow(1, "HP", 167, 9, Number("%04d@%04d", p.Hp, p.MaxHp));
  StatusRow(2, "MP", 167, 9, Number("%04d@%04d", p.Mp, p.MaxMp));
  StatusRow(3, "EXP", 103, 13, Number("%06d@%06d", p.Exp, ExpForLevel(next_level)));
  StatusRow(5, "ATTACK", 263, 3, Number("%03d", p.Attack));
  StatusRow(6, "DEFENSE", 263, 3, Number("%03d", p.Defense));
  StatusRow(7, "EFFICIENCY", 263, 3, Number("%03d", p.Efficiency));
  StatusRow(9, "FORCE", 263, 3, Number("%03d", AttackForLevel(p.Level)));
  StatusRow(10, "BRAINS", 263, 3, Number("%03d", EfficiencyForLevel(p.Level)));
  StatusRow(11, "ARMOR", 263, 3, Number("%03d", DefenseForLevel(p.Level)));
  StatusRow(13, "YEN", 215, 6, Number("%06d", p.Money));
  CloseOnJumpOrAction();
}

// ---- the equipment page ---------------------------------------------------------------------

constexpr int kPages = 6;  // the categories, in their own numbering
constexpr uint32_t kBagPage = kCategoryConsumables;
constexpr uint32_t kSpecialPage = kCategorySpecialItems;
constexpr int kSlotsInRow = 7;
constexpr int kSpecialSlots = 14;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kDeepBlue = 0x000044;

// Each category's label, and its owned mask and selected field (the bag has neither).
struct EquipRow {
  const char* label;
  uint32_t PlayerStatsRecord::*owned;
  uint32_t PlayerStatsRecord::*selected;
};
constexpr EquipRow kRows[kPages] = {
    {"RING", &PlayerStatsRecord::OwnedRings, &PlayerStatsRecord::EquippedRing},
    {"CHOKER", &PlayerStatsRecord::OwnedChokers, &PlayerStatsRecord::EquippedChoker},
    {"PENDANT", &PlayerStatsRecord::OwnedPendants, &PlayerStatsRecord::EquippedPendant},
    {"S;MAGIC", &PlayerStatsRecord::OwnedMagicTools, &PlayerStatsRecord::EquippedMagicTool},
    {"ITEM", nullptr, nullptr},
    {"S;ITEM", &PlayerStatsRecord::OwnedSpecialItems, &PlayerStatsRecord::SelectedSpecialItem},
};

// A save may hold any row or bag slot: they count as their nearest valid value.
uint32_t CurrentPage() { return std::min<uint32_t>(PlayerStats.EquipPage, kPages - 1); }
uint32_t CurrentBagSlot() { return std::min<uint32_t>(PlayerStats.BagCursor, kSlotsInRow - 1); }

bool HasBit(uint32_t mask, int bit) { return (mask >> bit & 1u) != 0; }

// An item's 2 x 2 icon: item k of the category starts at its base + 2k.
void DrawIcon(uint32_t category, uint32_t k, int x, int y) {
  const int64_t first = kItemIconBase[category] + 2 * static_cast<int64_t>(k);
  // An icon beyond the sheets (an item id from a save) draws nothing.
  if (first + 41 > INT32_MAX) return;
  const int cell = static_cast<int>(first);
  PushCell(4, 1, kScreenCoords, x, y, cell);
  PushCell(4, 1, kScreenCoords, x + 16, y, cell + 1);
  PushCell(4, 1, kScreenCoords, x, y + 16, cell + 40);
  PushCell(4, 1, kScreenCoords, x + 16, y + 16, cell + 41);
}

// One slot: its two squares, the icon of what it holds, the outline when it is selected.
struct Slot {
  int x, y;          // the slot's top-left, where the icon and the outline go
  uint32_t border;   // the outer square's colour
  bool holds;
  uint32_t icon;     // bit number or consumable id
  bool selected;
};

void DrawSlot(uint32_t category, const Slot& s, uint32_t outline) {
  PushFillRect(4, 1, kScreenCoords, s.x, s.y + 1, 30, 30, s.border);
  PushFillRect(4, 1, kScreenCoords, s.x + 1, s.y + 2, 28, 28, kDeepBlue);
  if (s.holds) DrawIcon(category, s.icon, s.x, s.y);
  if (s.selected) PushRectOutline(4, 1, kScreenCoords, s.x, s.y, 32, 32, outline);
}

// Rows 0..4: the label and seven slots, the current row highlighted.
void DrawItemRow(uint32_t category, bool current, uint32_t grey) {
  const EquipRow& row = kRows[category];
  const int top = 32 + 16 * (2 + 2 * static_cast<int>(category));
  MenuLabel(28, top + 8, row.label, current ? kFontLabel : kFontValue);
  const PlayerStatsRecord& p = PlayerStats;
  for (int i = 0; i < kSlotsInRow; ++i) {
    Slot s{148 + 32 * i, top, 0x000099, false, static_cast<uint32_t>(i), false};
    if (category == kBagPage) {
      s.holds = p.Bag[i] != 0;
      s.icon = p.Bag[i];
      s.selected = static_cast<uint32_t>(i) == CurrentBagSlot();
    } else {
      s.holds = HasBit(p.*row.owned, i);
      s.selected = HasBit(p.*row.selected, i);
    }
    DrawSlot(category, s, current ? grey : kWhite);
  }
}

// The special items: fourteen slots in two rows of seven, the second shifted right by 16.
void DrawSpecialItems(bool current, uint32_t grey) {
  const PlayerStatsRecord& p = PlayerStats;
  MenuLabel(391, 48, kRows[kSpecialPage].label, current ? kFontLabel : kFontValue);
  for (int bit = 0; bit < kSpecialSlots; ++bit) {
    const int i = bit % kSlotsInRow, j = bit / kSlotsInRow;
    const Slot s{388 + 32 * i + 16 * j, 68 + 32 * j, 0x0000CC, HasBit(p.OwnedSpecialItems, bit),
                 static_cast<uint32_t>(bit), current && HasBit(p.SelectedSpecialItem, bit)};
    DrawSlot(kCategorySpecialItems, s, grey);
  }
}

void DrawFightingValues() {
  static constexpr struct {
    const char* label;
    int y;
    int32_t PlayerStatsRecord::*value;
  } kValues[] = {{"ATTACK", 160, &PlayerStatsRecord::Attack},
                 {"DEFENSE", 176, &PlayerStatsRecord::Defense},
                 {"EFFICIENCY", 192, &PlayerStatsRecord::Efficiency}};
  for (const auto& v : kValues) {
    MenuLabel(391, v.y, v.label, kFontValue);
    MenuText(576, v.y, Number("%03d", PlayerStats.*v.value).text, 3, kFontValue);
  }
}

// The description's index: 1 + the lowest selected bit of the row (0 for none); in the bag the
// id under the cursor.
uint32_t DescriptionIndex(uint32_t page) {
  if (page == kBagPage) return PlayerStats.Bag[CurrentBagSlot()];
  const uint32_t selected = PlayerStats.*kRows[page].selected;
  for (int bit = 0; bit < kSpecialSlots; ++bit) {
    if (HasBit(selected, bit)) return static_cast<uint32_t>(bit) + 1;
  }
  return 0;
}

void DrawDescription(uint32_t page) {
  // Cleared first: the description routine leaves lines it has nothing for untouched.
  char lines[5][kDescriptionLineSize] = {};
  ItemDescription(lines[0], lines[1], lines[2], lines[3], lines[4], page, DescriptionIndex(page));
  MenuText(28, 240, "COMMENT:", 8, kFontValue);
  constexpr const char* kFace = "MS UI Gothic";
  constexpr uint32_t kTitle = 0xBBBBFF, kShadow = 0x666600;
  PushText(4, 1, kScreenCoords, 153, 239, kTitle, 16, kFace, lines[0]);
  for (int k = 1; k < 5; ++k) PushText(4, 1, kScreenCoords, 153, 240 + 20 * k, kShadow, 16, kFace, lines[k]);
  PushText(4, 1, kScreenCoords, 152, 239, kTitle, 16, kFace, lines[0]);
  for (int k = 1; k < 5; ++k) PushText(4, 1, kScreenCoords, 152, 239 + 20 * k, kWhite, 16, kFace, lines[k]);
}

// Right and left step the row's selection through the owned items (the bag's cursor through
// its slots); NextOwnedBit's end keeps the selection.
void StepSelection(uint32_t page, int32_t direction) {
  PlayerStatsRecord& p = PlayerStats;
  if (page == kBagPage) {
    const uint32_t slot = CurrentBagSlot();
    if (direction == 1 && slot < kSlotsInRow - 1) p.BagCursor = slot + 1;
    if (direction != 1 && slot > 0) p.BagCursor = slot - 1;
    return;
  }
  uint32_t& selected = p.*kRows[page].selected;
  const uint32_t next = NextOwnedBit(direction, selected, p.*kRows[page].owned);
  if (next != kNoOwnedBit) selected = next;
}

// One button a frame, the first that matches. Right, up and down sound even while the effects
// are muted; left does not.
void MoveEquipmentCursor(uint32_t page) {
  constexpr int kCursorSound = 10;
  if (Pressed(kButtonRight)) {
    StepSelection(page, 1);
    PlaySoundSlot(kCursorSound);
  } else if (Pressed(kButtonLeft)) {
    StepSelection(page, -1);
    PlaySound(kCursorSound);
  } else if (Pressed(kButtonUp)) {
    if (page > 0) {
      PlayerStats.EquipPage = page - 1;
      PlaySoundSlot(kCursorSound);
    }
  } else if (Pressed(kButtonDown)) {
    if (page < kPages - 1) {
      PlayerStats.EquipPage = page + 1;
      PlaySoundSlot(kCursorSound);
    }
  }
}

void EquipmentPage() {
  const uint32_t g = GetFrameCounter(0) * 8 % 256;  // a pulse
  const uint32_t grey = g << 16 | g << 8 | g;
  const uint32_t page = CurrentPage();
  DrawFrameBox(12, 32, 628, 448, 0x000000, 1);
  for (uint32_t category = 0; category <= kBagPage; ++category) DrawItemRow(category, category == page, grey);
  DrawSpecialItems(page == kSpecialPage, grey);
  DrawFightingValues();
  DrawDescription(page);
  MoveEquipmentCursor(page);
  RecalcHeroineStats();  // the game uses the new equipment at once
  CloseOnJumpOrAction();
}

// ---- loading a save slot --------------------------------------------------------------------

constexpr const char* kNoRecord = "－記録がありません－";

void BackToMainMenu() {
  SlotHeadersStale = -1;
  MenuState = kMainMenu;
}

void OpenLoadList() {
  if (SlotHeadersStale == -1) {
    ReadSlotHeaders();
    SlotHeadersStale = 0;
  }
  Line lines[4] = {"戻る"};
  for (int slot = 0; slot < 3; ++slot) {
    std::snprintf(lines[slot + 1], sizeof lines[slot + 1], "%.*s", static_cast<int>(sizeof SlotHeaders[slot] - 1),
                  SlotHeaders[slot]);
  }
  OpenList(4, "　【ロードメニュー】", lines);
  MenuState = kLoadRead;
}

void ReadLoadList() {
  const int32_t result = MessageResult;
  if (result == -2) {
    BackToMainMenu();
  } else if (result == 0) {
    PlaySound(kRefuseSound);
    BackToMainMenu();
  } else if (result >= 1 && result <= 3) {
    const int slot = result - 1;
    if (std::strncmp(SlotHeaders[slot], kNoRecord, sizeof SlotHeaders[slot]) == 0) {
      PlaySound(kRefuseSound);
      BackToMainMenu();
    } else {
      PlaySound(kLoadSound);
      MenuLoadSlot = slot;
      MenuState = kLoadFadeOut;
    }
  }
}

// Once the screen is black: the whole save block is replaced by the slot's file.
void ReadChosenSave() {
  if (IsFading()) return;
  static const char* const kSlots[] = {".\\Data\\save0.dat", ".\\Data\\save1.dat", ".\\Data\\save2.dat"};
  const int slot = MenuLoadSlot >= 0 && MenuLoadSlot <= 2 ? MenuLoadSlot : 0;
  if (ReadSave(kSlots[slot]) != 0) {
    // The file went away (or changed) after the list was read: the game is as it was, so the
    // picture comes back and the main menu opens again over it.
    FadeIn();
    PlaySound(kRefuseSound);
    SlotHeadersStale = -1;
    MenuState = kMainMenu;
    return;
  }
  MenuLoadSlot = 0;
  MenuState = kLoadEnterRoom;
}

// She stands in the save room facing right, and the loaded game runs from the next frame.
void ReleaseLoadedGame() {
  HeroControl = 0;
  PlaceHeroine(0, -1, -1, 'R', 'N');
  ResetEventStepsAfterLoad();
  SubMode = kSubWorld;
  SubModeArg = 0;
  SlotHeadersStale = -1;
  MenuState = kMainMenu;
}

}  // namespace

bool IsKnownMenuState(int32_t state) {
  switch (state) {
    case kMainMenu:
    case kMainMenuRead:
    case kStatusPage:
    case kQuitRead:
    case kEquipmentPage:
    case kLoadList:
    case kLoadRead:
    case kLoadFadeOut:
    case kLoadReadSave:
    case kLoadEnterRoom:
    case kLoadFadeIn:
    case kLoadRelease:
      return true;
    default:
      return IsOptionMenuStep(kPauseMenuOptions, state);
  }
}

uint32_t RunPauseMenu() {
  switch (MenuState) {
    case kMainMenu:
      OpenMainMenu();
      break;
    case kMainMenuRead:
      ReadMainMenu();
      break;
    case kStatusPage:
      StatusPage();
      break;
    case kQuitRead:
      ReadQuitConfirmation();
      break;
    case kEquipmentPage:
      EquipmentPage();
      break;
    case kLoadList:
      OpenLoadList();
      break;
    case kLoadRead:
      ReadLoadList();
      break;
    case kLoadFadeOut:
      FadeOut();
      MenuState = kLoadReadSave;
      break;
    case kLoadReadSave:
      ReadChosenSave();
      break;
    case kLoadEnterRoom:
      ChangeScene(kSceneSaveRoom);
      RedrawAllLayers();
      FadeIn();
      MenuState = kLoadFadeIn;
      break;
    case kLoadFadeIn:
      if (!IsFading()) MenuState = kLoadRelease;
      break;
    case kLoadRelease:
      ReleaseLoadedGame();
      break;
    default:
      if (IsOptionMenuStep(kPauseMenuOptions, MenuState)) RunOptionMenus(kPauseMenuOptions);
      break;
  }
  return 0;
}
