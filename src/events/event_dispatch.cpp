#include "events/event_dispatch.h"

#include "app/game_flow.h"

uint32_t DispatchErrorScene() {
  if (SubModeArg == 1) {
    RunFatalErrorScene();
    return 0;
  }
  return 1;
}
