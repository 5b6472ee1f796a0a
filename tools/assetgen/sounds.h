// The 33 sound effects, written as WAVE resources in the format each slot's resource has.
#pragma once
#include "output.h"

void WriteSounds(Output& out);
