#pragma once
#include "output.h"

void DrawIcons(Output& out);
