// The save statue in the save room, event 164, on its own counter EventStep[164]: it speaks, opens
// the save menu ("キャンセル" and the three slots' headers) and writes the chosen slot. The save
// is written while the counter is 2, so every save file holds that value; the loaders clear it.
#include <cstdio>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "audio/sound_slots.h"
#include "events/field_trades.h"
#include "world/message_window.h"
#include "world/save_block.h"
#include "world/save_files.h"

namespace {

constexpr const char* kStatue = "【石像】";
constexpr int kSoundSaved = 19;
constexpr int kSoundCancel = 20;

// The files of the three slots, in the menu's order after "キャンセル".
constexpr const char* kSlotFiles[3] = {".\\Data\\save0.dat", ".\\Data\\save1.dat", ".\\Data\\save2.dat"};

void Say(const char* text) { OpenMessage(24, 0, 0, kStatue, text, nullptr, 1); }

// "キャンセル" and the headers of the three slots, read again first when they are stale.
void OpenSaveMenu() {
  if (SlotHeadersStale == -1) {
    ReadSlotHeaders();
    SlotHeadersStale = 0;
  }
  char lines[4][49] = {"キャンセル"};
  for (int n = 0; n < 3; ++n) std::snprintf(lines[n + 1], sizeof lines[n + 1], "%.*s", 31, SlotHeaders[n]);
  CloseMessage();
  OpenMessage(15, 4, 0, "　セーブメニュー", nullptr, lines, 1);
}

}  // namespace

void FieldEvent164() {
  int32_t& step = EventStep[164];
  switch (step) {
    case 0:
      FreezeHeroine();
      CloseMessage();
      Say("「汝、我の声が聞こえるならば祈りをささげよ。」");
      step = 1;
      break;
    case 1:
      if (MessageResult == -2) {
        OpenSaveMenu();
        step = 2;
      }
      break;
    case 2:
      if (MessageResult == -2 || MessageResult == 0) {
        if (MessageResult == 0) PlaySound(kSoundCancel);
        ResetHeroineFacing();
        step = 7;
        SlotHeadersStale = -1;
      } else if (MessageResult >= 1 && MessageResult <= 3) {
        // A save that could not be written is reported as such; the slot keeps its old file.
        const bool saved = WriteSave(kSlotFiles[MessageResult - 1]) == 0;
        PlaySound(saved ? kSoundSaved : kSoundCancel);
        step = saved ? 5 : 9;
        SlotHeadersStale = -1;
      }
      break;
    case 5:
      Say("「現在の状況を【セーブ】（保護）しました。」");
      step = 6;
      break;
    case 7:
      Say("「キャンセルしました。」");
      step = 8;
      break;
    case 9:
      Say("「セーブできませんでした。」");
      step = 6;
      break;
    case 6:
    case 8:
      if (MessageResult == -2) step = 10;
      break;
    case 10:
      step = 0;
      HeroControl = 0;
      ResetHeroineFacing();
      SubMode = kSubWorld;
      SubModeArg = 0;
      break;
    default:
      break;
  }
}
