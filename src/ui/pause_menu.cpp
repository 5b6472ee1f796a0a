#include "ui/pause_menu.h"

#include <cstdio>
#include <cstring>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "audio/sound_slots.h"
#include "platform/input.h"
#include "ui/option_menus.h"
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

uint32_t RunPauseMenu() {
  switch (MenuState) {
    case kMainMenu:
      OpenMainMenu();
      break;
    case kMainMenuRead:
      ReadMainMenu();
      break;
    case kQuitRead:
      ReadQuitConfirmation();
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
