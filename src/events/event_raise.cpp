#include "events/event_raise.h"

#include "app/game_flow.h"
#include "world/save_block.h"

namespace {

bool IsStanding(int32_t mode, int32_t number) { return SubMode == mode && SubModeArg == number; }

}  // namespace

int32_t& StepCounterOf(int32_t number) {
  const bool own = number == 128 || (number >= 160 && number <= 164);
  return EventStep[own ? number : 2];
}

void RaiseEvent(int32_t mode, int32_t number) {
  if (IsStanding(mode, number)) return;
  SubMode = mode;
  SubModeArg = number;
  if (mode != kSubTalk) StepCounterOf(number) = 0;
  EventSubCounter = 0;
}

int RaiseEventIfIdle(int32_t mode, int32_t number) {
  if (IsStanding(mode, number)) return 1;
  if (SubMode != kSubWorld) return 0;
  RaiseEvent(mode, number);
  return 1;
}
