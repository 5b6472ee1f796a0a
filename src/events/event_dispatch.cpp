#include "events/event_dispatch.h"

#include "app/game_flow.h"
#include "events/event_tables.h"

namespace {

bool IsFieldEventNumber(int32_t n) {
  return (n >= 160 && n <= 164) || (n >= 256 && n <= 511) || (n >= 1000 && n <= 1199);
}

}  // namespace

uint32_t DispatchTalk() {
  const TalkRoutine talk = TalkRoutineOf(SubModeArg);
  talk();
  return talk == TalkWithoutConversation ? 1 : 0;
}

uint32_t DispatchGuideEvent() { return GuideHandlerOf(SubModeArg)(); }

uint32_t DispatchFieldEvent() {
  const int32_t number = SubModeArg;
  FieldHandlerOf(number)();
  return IsFieldEventNumber(number) ? 0 : 1;
}

uint32_t DispatchErrorScene() {
  if (SubModeArg == 1) {
    RunFatalErrorScene();
    return 0;
  }
  return 1;
}

uint32_t DispatchStartScene() {
  switch (SubModeArg) {
    case 1:
      // Until the title screen is built, its stage goes straight into play.
      return EnterCaveInPlaceOfTitle();
    default:
      // The opening and the game-over scene are not part of the game yet: the world runs.
      return 1;
  }
}
