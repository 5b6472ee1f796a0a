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

// True when both paths name one existing file, however each is spelled: the file each resolves
// to for reading (ResolvePath) is the same file on the disk, reached through "." and "..", folders
// of other case or links as they may be.
bool SameFile(const char* a, const char* b);

// True when `name` names an entry inside the folder it is joined to, as ResolvePath reads a part
// of a path: it holds no separator, and once its trailing spaces and dots are dropped it is
// neither empty nor "." or "..".
bool IsFileName(const std::string& name);

// fopen through ResolvePath; a mode with 'w' or 'a' resolves for writing. nullptr on failure, and
// for reading anything but a file (a folder, say).
FILE* OpenFile(const char* path, const char* mode);

// What tells one state of a file from another: its path on this machine, its size and the time
// of its last change; "" when there is no such file.
std::string FileVersion(const char* path);

// A file written whole or not at all: the bytes go to a temporary file beside the target, which
// replaces the target only when every write succeeded, so a failed write never destroys the file
// that was there.
struct FileReplacement {
  FILE* file = nullptr;  // nullptr when the temporary file could not be created
  std::string temporary;
  std::string target;
};
FileReplacement BeginFileReplacement(const char* path);
// Closes the temporary file and, when `complete` and the close succeeded, renames it over the
// target. 0 done; -1 the close failed; -2 not complete or the rename failed. On any failure the
// temporary file is removed and the target is as it was.
int FinishFileReplacement(FileReplacement& replacement, bool complete);
