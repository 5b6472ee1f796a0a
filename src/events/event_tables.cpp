#include "events/event_tables.h"

#include <array>
#include <utility>

#include "actors/actor_table.h"
#include "app/game_flow.h"
#include "events/event_raise.h"
#include "events/field_doors.h"
#include "events/field_signs.h"
#include "events/field_trades.h"
#include "events/guide_events.h"
#include "modules/modules.h"
#include "world/flags.h"
#include "world/save_block.h"

namespace {

constexpr int32_t kFirstOncePerGame = 513;  // guide events 513..699 run once per game
constexpr int32_t kLastOncePerGame = 699;

constexpr GuideHandler kGuideWithoutScript = GuideRoutine(GuideEventWithoutScript);
constexpr FieldHandler kFieldWithoutScript = FieldRoutine(FieldEventWithoutScript);

struct EventTables {
  std::array<GuideHandler, kEventNumbers> guide;
  std::array<FieldHandler, kEventNumbers> field;
  std::array<TalkRoutine, kTalkGroups> talk;
};

EventTables BuildEventTables() {
  EventTables t;
  t.guide.fill(kGuideWithoutScript);
  t.field.fill(kFieldWithoutScript);
  t.talk.fill(TalkWithoutConversation);

  // The scripted numbers and the conversations, each kind under its own heading.

  // The townspeople's conversations (groups 2..6).
  t.talk[2] = TalkNpcKlaus;
  t.talk[3] = TalkNpcRod;
  t.talk[4] = TalkNpcLime;
  t.talk[5] = TalkNpcPancho;
  t.talk[6] = TalkNpcDamian;

  // Doors, warps and signs.
  for (const InMapWarpRow& warp : kInMapWarps) t.field[warp.number] = FieldRunner<RunInMapWarp>(warp);
  t.field[162] = FieldRoutine(FieldEvent162);
  t.field[163] = FieldRoutine(FieldEvent163);
  t.field[261] = FieldRoutine(FieldEvent261);
  for (const DoorRow& door : kDoors) t.field[door.number] = FieldRunner<RunDoor>(door);
  t.field[273] = FieldRoutine(FieldEvent273);
  for (const SignedDoorRow& door : kSignedDoors) t.field[door.number] = FieldRunner<RunSignedDoor>(door);
  for (const WipeRow& wipe : kWipes) t.field[wipe.number] = FieldRunner<RunWipe>(wipe);
  for (const SignRow& sign : kSigns) t.field[sign.number] = FieldRunner<RunSign>(sign);

  // Guide events.
  t.guide[128] = GuideRoutine(GuideEvent128);
  for (const LongGuideTalk& talk : kLongGuideTalks) t.guide[talk.number] = GuideRunner<RunLongGuideTalk>(talk);
  t.guide[515] = GuideRoutine(GuideEvent515);
  for (const ShortGuideTalk& talk : kShortGuideTalks) t.guide[talk.number] = GuideRunner<RunShortGuideTalk>(talk);
  t.guide[700] = GuideRoutine(GuideEvent700);

  // The save statue, machines, clinic, paintings and chests.
  t.field[164] = FieldRoutine(FieldEvent164);
  t.field[256] = FieldRoutine(FieldEvent256);
  t.field[257] = FieldRoutine(FieldEvent257);
  t.field[259] = FieldRoutine(FieldEvent259);
  for (const PaintingRow& painting : kPaintings) t.field[painting.number] = FieldRunner<RunPainting>(painting);
  t.field[317] = FieldRoutine(FieldEvent317);
  for (const ChestRow& chest : kChests) t.field[chest.number] = FieldRunner<RunChest>(chest);

  return t;
}

EventTables& Tables() {
  static EventTables tables = BuildEventTables();
  return tables;
}

bool InTable(int32_t number, int32_t size) { return number >= 0 && number < size; }

// What every event without a script does on its one frame.
void EndAtOnce(int32_t number) {
  SubMode = kSubWorld;
  SubModeArg = 0;
  HeroControl = 0;
  EventSubCounter = 0;
  InputLock = 1;
  StepCounterOf(number) = 0;
}

}  // namespace

// The game as built holds the heroine (or every later event) for good on such a number; ending
// it at once lets her walk on.
uint32_t GuideEventWithoutScript() {
  const int32_t number = SubModeArg;
  EndAtOnce(number);
  if (number >= kFirstOncePerGame && number <= kLastOncePerGame) SetFlag(0, number - kFirstOncePerGame, 1);
  return 1;
}

void FieldEventWithoutScript() { EndAtOnce(SubModeArg); }

void TalkWithoutConversation() {
  const int32_t group = SubModeArg;
  SubMode = kSubWorld;
  SubModeArg = 0;
  HeroControl = 0;
  EventSubCounter = 0;
  InputLock = 1;
  if (InTable(group, kActorGroups)) Actor(group, 0).Control() = 0;
}

const GuideHandler& GuideHandlerOf(int32_t number) {
  return InTable(number, kEventNumbers) ? Tables().guide[number] : kGuideWithoutScript;
}

const FieldHandler& FieldHandlerOf(int32_t number) {
  return InTable(number, kEventNumbers) ? Tables().field[number] : kFieldWithoutScript;
}

TalkRoutine TalkRoutineOf(int32_t group) {
  return InTable(group, kTalkGroups) ? Tables().talk[group] : TalkWithoutConversation;
}

GuideHandler SetGuideHandler(int32_t number, GuideHandler handler) {
  return InTable(number, kEventNumbers) ? std::exchange(Tables().guide[number], handler) : kGuideWithoutScript;
}

FieldHandler SetFieldHandler(int32_t number, FieldHandler handler) {
  return InTable(number, kEventNumbers) ? std::exchange(Tables().field[number], handler) : kFieldWithoutScript;
}

TalkRoutine SetTalkRoutine(int32_t group, TalkRoutine routine) {
  return InTable(group, kTalkGroups) ? std::exchange(Tables().talk[group], routine) : TalkWithoutConversation;
}
