// The map source: a readable text of a map (the format is described at the top of mapc.cpp),
// compiled into the game's tile store.
#pragma once

#include <string>

// Clears the tile store (which must be allocated) and compiles `text` into it. "" when the text
// compiled; otherwise the first fault, as "LINE: message".
std::string CompileMapSource(const std::string& text);
