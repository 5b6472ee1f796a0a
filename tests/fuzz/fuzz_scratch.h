// The scratch folder of the fuzz targets: a fresh folder under the system's temporary folder,
// made on first use with an empty "Data" folder inside and removed when the process ends. The
// game's file layer is pointed at it, so every file the game reads or writes while a target
// runs lies inside.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The folder (made on first use).
const std::string& ScratchFolder();

// Writes `size` bytes as the file "Data/<name>" of the scratch folder; aborts when it cannot,
// since a target that cannot hand its input to the game tests nothing.
void WriteScratchFile(const char* name, const uint8_t* data, size_t size);

// Removes the file "Data/<name>" of the scratch folder, when it is there.
void RemoveScratchFile(const char* name);

// Copies the map the build compiled (Data/<name> of the build folder) into the scratch Data
// folder, unless a file of that name is there.
void CopyBuiltMap(const char* name);

// Points the game's file layer at the scratch folder.
void UseScratchFolder();
