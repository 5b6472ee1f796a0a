// The map source: a readable text of a map (the format is described at the top of mapc.cpp),
// compiled into the game's tile store.
#pragma once

#include <string>

// Clears the tile store (which must be allocated) and compiles `text` into it. "" when the text
// compiled; otherwise the first fault, as "LINE: message".
std::string CompileMapSource(const std::string& text);

// Reads the source file at `path` and compiles it: "" when it compiled; otherwise what went wrong,
// as "PATH:LINE: message" or "PATH: cannot read the map source".
std::string CompileMapSourceFile(const std::string& path);
