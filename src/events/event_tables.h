// The handlers of the numbered events, in tables built once on first use: the guide events and
// the field events indexed by event number (the values of map layer 4, 0..1199), and the talks
// indexed by the townsperson's actor group (0..31).
//
// A scripted number's entry is its own routine (FieldEvent162, GuideEvent128) or a shared runner
// with the number's data row (a door, a sign, a talk of one form):
//
//   t.field[162] = FieldRoutine(FieldEvent162);
//   for (const DoorRow& door : kDoors) t.field[door.number] = FieldRunner<RunDoor>(door);
//
// Every other number's entry ends its event on the frame it is first dispatched, so that the
// heroine is never held for ever on a tile that has nothing to say.
#pragma once

#include <cstdint>

constexpr int32_t kEventNumbers = 1200;
constexpr int32_t kTalkGroups = 32;

// A guide handler answers 1 when the world runs this frame.
struct GuideHandler {
  uint32_t (*routine)() = nullptr;              // a script of its own, or
  uint32_t (*runner)(const void* row) = nullptr;  // a shared runner
  const void* row = nullptr;                    // with this number's data row
  uint32_t operator()() const { return routine != nullptr ? routine() : runner(row); }
  bool operator==(const GuideHandler&) const = default;
};

struct FieldHandler {
  void (*routine)() = nullptr;
  void (*runner)(const void* row) = nullptr;
  const void* row = nullptr;
  void operator()() const { routine != nullptr ? routine() : runner(row); }
  bool operator==(const FieldHandler&) const = default;
};

using TalkRoutine = void (*)();

constexpr GuideHandler GuideRoutine(uint32_t (*routine)()) { return {routine, nullptr, nullptr}; }
constexpr FieldHandler FieldRoutine(void (*routine)()) { return {routine, nullptr, nullptr}; }

// A shared runner `Runner` (a routine taking `const Row&`) given the number's row, which must
// live as long as the program (a constant table).
template <auto Runner, typename Row>
GuideHandler GuideRunner(const Row& row) {
  return {nullptr, [](const void* r) -> uint32_t { return Runner(*static_cast<const Row*>(r)); }, &row};
}
template <auto Runner, typename Row>
FieldHandler FieldRunner(const Row& row) {
  return {nullptr, [](const void* r) { Runner(*static_cast<const Row*>(r)); }, &row};
}

// The numbers without a script, in any range, and any number outside the tables: the event ends
// at once. SubMode, SubModeArg, HeroControl, the event's step counter and EventSubCounter 0,
// input locked until jump and action are up. A guide number of 513..699 also gets its seen flag,
// or she would be stopped on its tile again on every frame; the guide handler answers 1.
uint32_t GuideEventWithoutScript();
void FieldEventWithoutScript();
// A talk with a group that has no conversation ends the same way and releases slot 0 of the
// group, the one the talk speaks through. Its EventStep[group], a talk's progress, is kept.
void TalkWithoutConversation();

// The entry of an event number (of a group for talks); a number outside the table reads the
// handler without a script.
const GuideHandler& GuideHandlerOf(int32_t number);
const FieldHandler& FieldHandlerOf(int32_t number);
TalkRoutine TalkRoutineOf(int32_t group);

// Puts a handler into the entry of a number and returns the one it replaces; a number outside the
// table takes nothing. For tests, which put their own handler in while they run
// (tests/support/event_handlers.h).
GuideHandler SetGuideHandler(int32_t number, GuideHandler handler);
FieldHandler SetFieldHandler(int32_t number, FieldHandler handler);
TalkRoutine SetTalkRoutine(int32_t group, TalkRoutine routine);
