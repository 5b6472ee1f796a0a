// The vending machines of the cave's rest rooms, on EventStep[2]: the drink machine (event 256)
// and the food machine (event 259), one runner with each machine's row. A machine greets, opens
// its menu, shows the chosen item's description and a buy-or-not menu; after a purchase, a full
// bag or too little money it comes back to its menu, and "買わない" or cancel on the menu ends
// it. Cancel or "買わない" on the buy-or-not menu goes back to the greeting.
#include <cstdio>

#include "actors/actor_library.h"
#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "audio/sound_slots.h"
#include "events/event_script.h"
#include "events/field_trades.h"
#include "world/message_window.h"
#include "world/save_block.h"

namespace {

constexpr const char* kTovia = "【トヴィア】";
constexpr int kSoundCancel = 20;
constexpr int kSoundBought = 1;
constexpr int32_t kEnd = 100;  // the last step; values above it do nothing

using Line = char[49];

// One item of a machine: its menu line (21 full-width characters: the name, blanks and the price
// aligned right), the machine's description and the header of the buy-or-not menu. The header
// is shown as it stands; the price charged is always the item's buy price (BuyItem's).
struct MachineItem {
  uint32_t id;
  const char* menu_line;
  const char* description;
  const char* header;
};

// A machine: how it holds her at the greeting, its speaker, its items (menu lines 1 and up) and
// the steps of each item: the first shows the description, `to_menu` steps after it the
// buy-or-not menu opens once the description is closed, `to_answer` steps after it the answer
// is read.
struct Machine {
  void (*hold)();
  const char* speaker;
  const MachineItem* items;
  int item_count;
  int32_t item_steps[3];
  int32_t to_menu, to_answer;
};

constexpr MachineItem kDrinks[] = {
    {2, "ソーダ　　　　　　　　　　　　　　１２０円", "「ソーダはＨＰを３０回復します。」", "【ソーダ　１２０円】"},
    {4, "アクアスウェット　　　　　　　　　７００円", "「アクアスウェットはＭＰを８０回復します。」",
     "【アクアスウェット　７００円】"},
    {5, "エナジー１　　　　　　　　　　　　４００円", "「エナジーワンはＨＰを１００回復します。」",
     "【エナジーワン　４００円】"},
};

constexpr MachineItem kFoods[] = {
    {1, "ハーンバーガー　　　　　　　　　　３００円", "「ハンバーガーは、ＨＰを６０回復します。」",
     "【ハンバーガー　３５０円】"},
    {8, "ルウチョコレート　　　　　　　　１０００円", "「ルウチョコレートはＨＰ・ＭＰを２５０回復します。」",
     "【ルウチョコレート　１０００円】"},
};

// The drink machine freezes her in the door pose facing left; the food machine holds her as
// every event begins.
constexpr Machine kDrinkMachine = {FreezeHeroine, "【ドリンク販売機】", kDrinks, 3, {10, 20, 30}, 5, 6};
constexpr Machine kFoodMachine = {BeginEvent, "【販売機】", kFoods, 2, {10, 15}, 1, 2};

// "買わない" first, then the items' lines.
void OpenItemMenu(const Machine& m) {
  Line lines[4] = {"買わない"};
  for (int i = 0; i < m.item_count; ++i) std::snprintf(lines[i + 1], sizeof lines[i + 1], "%s", m.items[i].menu_line);
  CloseMessage();
  OpenMessage(24, m.item_count + 1, 0, "【メニュー】", nullptr, lines, 1);
}

// The menu's answer: the end on cancel or "買わない", else the chosen item's first step.
void AnswerItemMenu(const Machine& m, int32_t& step) {
  if (MessageResult == -2) {
    step = kEnd;
  } else if (MessageResult == 0) {
    PlaySound(kSoundCancel);
    step = kEnd;
  } else if (MessageResult >= 1 && MessageResult <= m.item_count) {
    step = m.item_steps[MessageResult - 1];
  }
}

// The buy-or-not menu under the item's header.
void OpenBuyMenu(const MachineItem& item) {
  const Line lines[2] = {"買わない", "買う"};
  CloseMessage();
  OpenMessage(15, 2, 0, item.header, nullptr, lines, 1);
}

// Its answer: back to the greeting on cancel or "買わない"; on "買う" the purchase, paid and bagged
// or refunded when the bag is full, and its line's step.
void AnswerBuyMenu(const MachineItem& item, int32_t& step) {
  if (MessageResult == -2) {
    step = 0;
  } else if (MessageResult == 0) {
    PlaySound(kSoundCancel);
    step = 0;
  } else if (MessageResult == 1) {
    step = static_cast<int32_t>(BuyItem(item.id));
  }
}

// Steps 70, 80 and 90, the lines after a purchase (BuyItem's steps): each goes back to the menu
// through step 1.
void SayPurchaseOutcome(const Machine& m, int32_t& step) {
  if (step == kBuyBagFull) {
    OpenMessage(15, 0, 0, kTovia, "「荷物がいっぱいなので買えない・・・・」", nullptr, 1);
  } else if (step == kBuyTooLittleMoney) {
    OpenMessage(15, 0, 0, kTovia, "「お金が足りない・・・・」", nullptr, 1);
  } else {
    OpenMessage(15, 0, 0, m.speaker, "「毎度有難うございました。」", nullptr, 1);
    PlaySound(kSoundBought);
  }
  step = 1;
}

// The steps of the items: true when `step` was one of them.
bool RunItemSteps(const Machine& m, int32_t& step) {
  for (int i = 0; i < m.item_count; ++i) {
    const MachineItem& item = m.items[i];
    const int32_t first = m.item_steps[i];
    if (step == first) {
      OpenMessage(24, 0, 0, m.speaker, item.description, nullptr, 1);
      step = first + m.to_menu;
    } else if (step == first + m.to_menu) {
      if (MessageResult == -2) {
        OpenBuyMenu(item);
        step = first + m.to_answer;
      }
    } else if (step == first + m.to_answer) {
      AnswerBuyMenu(item, step);
    } else {
      continue;
    }
    return true;
  }
  return false;
}

void RunMachine(const Machine& m) {
  int32_t& step = EventStep[2];
  if (step > kEnd || RunItemSteps(m, step)) return;
  switch (step) {
    case 0:
      m.hold();
      CloseMessage();
      OpenMessage(24, 0, 0, m.speaker, "「いらっしゃいませ。」", nullptr, 1);
      step = 1;
      break;
    case 1:
      if (MessageResult == -2) {
        OpenItemMenu(m);
        step = 2;
      }
      break;
    case 2:
      AnswerItemMenu(m, step);
      break;
    case kBuyBagFull:
    case kBuyTooLittleMoney:
    case kBuyDone:
      SayPurchaseOutcome(m, step);
      break;
    case kEnd:
      EndEvent(2);
      break;
    default:
      break;
  }
}

}  // namespace

void FreezeHeroine() {
  HeroControl = 2;
  HeroPadBits = 0;
  PlaceHeroine(6, -1, -1, 'L', 'N');
}

void FieldEvent256() { RunMachine(kDrinkMachine); }

void FieldEvent259() { RunMachine(kFoodMachine); }
