// Raising a talk, a guide event or a field event: the one way every raiser starts one, so that an
// event always begins at its first step.
#pragma once

#include <cstdint>

// Starts the event `number` in sub-mode `mode` (3 a talk with actor group `number`, 4 a guide
// event, 5 a field event): SubMode and SubModeArg are set, the event's step counter (EventStep
// [number] for 128 and 160..164, EventStep[2] for every other event number) and EventSubCounter
// are zeroed. A talk keeps EventStep[group], which is how far that conversation has come.
// Raising the event that already stands changes nothing. This is the heroine's event check's.
void RaiseEvent(int32_t mode, int32_t number);

// The same for every other raiser: it starts the event only while the world runs free
// (SubMode 0), so that nothing that stands is cut short. 1 when the event stands after the call
// (raised now or already standing), 0 when it was refused.
int RaiseEventIfIdle(int32_t mode, int32_t number);

// The step counter a guide or field event runs on: EventStep[number] for 128 and 160..164,
// EventStep[2] for every other number.
int32_t& StepCounterOf(int32_t number);
