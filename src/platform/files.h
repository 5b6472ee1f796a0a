// The file layer: the game names its files as "./Data/LTOWN001.MDT" or ".\Data\save0.dat" and
// expects names to match without regard to case. Every file the game opens goes through here.
#pragma once

#include <cstdio>
#include <string>

// The folder that relative paths start from: the working directory, unless a test set another.
void SetFileBase(const std::string& dir);

// The path on this machine for a path as the game writes it: backslashes become slashes, every
// part of the path is found without regard to case, and trailing spaces and dots are dropped
// from each part. For reading, "" when the file does not exist; for writing, an existing file
// whose name differs only in case is reused, otherwise the name is kept as given (folders are
// never created).
std::string ResolvePath(const char* path, bool for_write);

// fopen through ResolvePath; a mode with 'w' or 'a' resolves for writing. nullptr on failure.
FILE* OpenFile(const char* path, const char* mode);
