// Klaus (group 2), the heroine's teacher: a town NPC who walks about at random and says "なんだ？"
// when she talks to him. Beside the walk he has four gestures, which the opening starts by
// writing his Input while it holds him: the big spell (jump bit), a raised hand (action bit),
// the hand lowered (magic bit) and the small spell from the open hand (item bit). A gesture
// plays once, paced by frame counter 0, and holds its last pose until his Motion is set back to
// walking. Every frame he publishes his animation cursor (ActorField::KlausCursor), on which
// the opening times its lines and the blasts.
//
// He is 96 pixels tall and his pictures are of different widths, from a table of first cells,
// widths and left shifts by pattern, on sprite sheet 1 as bitmap 151.
#include "actors/actor_table.h"
#include "modules/module_kit.h"
#include "modules/modules.h"
#include "modules/town_npc.h"
#include "platform/counters.h"
#include "platform/input.h"

namespace {

constexpr int kGroup = 2;
constexpr int kHeight = 96;
constexpr int kBaseCell = 1200;     // sprite sheet 1
constexpr int kLeftCells = 240;     // his pictures facing left lie 6 rows further down

// Walking; the gestures are Motion 4 to 7.
constexpr int32_t kOnGround = 1;
constexpr int32_t kInAir = 3;
constexpr int32_t kBigSpell = 4;

// His walk table: the walk cycle, then one run for each gesture.
constexpr std::array<int32_t, 140> KlausWalkTable() {
  return NpcWalkTable<140>({
      {50, {0,  0,  5,  6,  7,  9,  8,  9,  9,  10, 10, 10, 11, 12, 13, 14, 15, 15, 15, 14, 14,
            13, 13, 12, 12, 11, 11, 10, 10, 8,  8,  9,  9,  7,  7,  6,  6,  5,  5,  5,  5}},
      {100, {20, 20, 20, 21, 21, 21, 22, 22, 22}},
      {110, {22, 22, 22, 21, 21, 21, 20, 20, 20}},
      {120, {16, 17, 18, 19, 19, 18, 17, 16, 0, 0}},
  });
}

// What each gesture's bit starts, tested in this order when he is pressed neither way.
struct Gesture {
  int button;
  int32_t first_entry;
  int32_t motion;
};
constexpr Gesture kGestures[] = {
    {kButtonJump, 50, kBigSpell},
    {kButtonAction, 100, 5},
    {kButtonMagic, 110, 6},
    {kButtonItem, 120, 7},
};

// Klaus and Rod may be walked beyond their range by a scene that holds them.
constexpr NpcWalkRules kWalk{.range_only_while_free = true, .faces_by_bit = false};

void StartKlausGesture(const Actor& a) {
  for (const Gesture& g : kGestures) {
    if ((a.Input() & static_cast<int32_t>(ButtonBits[g.button])) == 0) continue;
    a.AnimCursor() = g.first_entry;
    a.Motion() = g.motion;
    a.StepX() = a.VelX() = 0;
    return;
  }
  a.AnimCursor() = 0;
}

// One entry on; at the gesture's end it stays on its last pose.
void StepKlausGesture(const Actor& a, std::span<const int32_t> walk) {
  a.AnimCursor() += 1;
  if (NpcPattern(walk, a.AnimCursor()) == -1) a.AnimCursor() -= 1;
}

}  // namespace

void UpdateNpcKlaus() {
  static constexpr auto WlkTbl = KlausWalkTable();
  // His body's height by pattern, for the talk test.
  static constexpr auto BYsTbl = ValueTable<23>(
      {{0, {91, 90, 88, 90, 88, 91, 91, 91, 89, 90, 88, 90, 93, 93, 92, 91, 91, 91, 91, 90, 91, 91, 91}}});
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() == kActorFree) continue;
    if (a.State() == kActorSpawned || a.State() == kActorActive) a.Motion() &= 0xFF;
    if (!StepNpcWill(a)) continue;
    const uint32_t counter = GetFrameCounter(0);
    switch (a.Motion()) {
      case kOnGround:
        if (WalkNpc(a, kWalk) == 0) StartKlausGesture(a);
        break;
      case kInAir:
        FallNpc(a);
        break;
      case kBigSpell:
        if (counter % 2 == 0) StepKlausGesture(a, WlkTbl);
        break;
      case 5:
      case 6:
      case 7:
        if (counter % 3 == 0) StepKlausGesture(a, WlkTbl);
        break;
      default:
        break;
    }
    a.Field(ActorField::KlausCursor) = a.AnimCursor();
    RewindNpcWalk(a, WlkTbl);
    SetNpcTalkBox(a, TableEntry(BYsTbl, NpcPattern(WlkTbl, a.AnimCursor())));
  }
}

void MoveNpcKlaus() {
  static constexpr auto WlkTbl = KlausWalkTable();
  MoveTownNpcs(kGroup, WlkTbl, kHeight);
}

void DrawNpcKlaus() {
  static constexpr auto WlkTbl = KlausWalkTable();
  // By pattern: the first cell, the width in cells (6 rows tall) and how far the picture stands
  // left of PosX.
  static constexpr auto SPS = ValueTable<23>({{0, {480, 482, 484, 488, 490, 0, 2, 5, 7, 11, 15, 19, 23, 26, 29, 32,
                                                   240, 243, 246, 249, 254, 256, 258}}});
  static constexpr auto XSX =
      ValueTable<23>({{0, {2, 2, 4, 2, 4, 2, 3, 2, 4, 4, 4, 4, 3, 3, 3, 5, 3, 3, 3, 4, 2, 2, 3}}});
  static constexpr auto XV = ValueTable<23>({{2, {16, 0, 16, 0, 0, 0, 16, 16, 16, 16}}});
  for (int slot = 0; slot < kActorSlots; ++slot) {
    const Actor a(kGroup, slot);
    if (a.State() == kActorFree) continue;
    const int p = NpcPattern(WlkTbl, a.AnimCursor());
    if (p < 0) continue;
    const int left = a.FaceX() == -1 ? 1 : 0;
    PushNpcCells(a.PosX() - TableEntry(XV, p), a.PosY(), TableEntry(XSX, p), 6,
                 kBaseCell + TableEntry(SPS, p) + kLeftCells * left);
  }
}

void TalkNpcKlaus() {
  static constexpr TalkStep kSteps[] = {
      {TalkAction::Line, 1, "クラウス先生：", "「なんだ？」", 0},
      {TalkAction::End, 0},
  };
  RunConversation(kGroup, kSteps);
}
