#include "world/save_files.h"

#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/host.h"
#include "platform/input.h"
#include "platform/utils.h"
#include "world/save_block.h"
#include "world/save_ranges.h"

namespace {

constexpr size_t kHeaderSize = 32;
constexpr size_t kFileSize = kHeaderSize + sizeof(SaveBlock);
constexpr const char* kNoRecord = "－記録がありません－";

// The fields of the running process and the slot list stay as they are when a save is loaded:
// a save holds them too, but taking them from a file would end the program (Running), resize
// the display or show stale slot headers.
void KeepLiveFields(SaveBlock& loaded) {
  loaded.DisplayReinit = Save.DisplayReinit;
  loaded.WindowSize = Save.WindowSize;
  loaded.WindowMode = Save.WindowMode;
  std::memcpy(loaded.CommandLine, Save.CommandLine, sizeof loaded.CommandLine);
  loaded.LastKey = Save.LastKey;
  loaded.Running = Save.Running;
  loaded.AppActive = Save.AppActive;
  loaded.SlotHeadersStale = Save.SlotHeadersStale;
  std::memcpy(loaded.SlotHeaders, Save.SlotHeaders, sizeof loaded.SlotHeaders);
}

bool WriteAll(FILE* f, const void* data, size_t size) { return std::fwrite(data, 1, size, f) == size; }

}  // namespace

void QueryTime(int64_t* time_out) { *time_out = host::WallClockSeconds(); }

std::tm ConvertLocalTime(int64_t time) {
  const std::time_t t = static_cast<std::time_t>(time);
  const std::tm* local = std::localtime(&t);
  return local != nullptr ? *local : std::tm{};
}

void FormatSaveHeader(int64_t time, char (&header)[32]) {
  std::memset(header, 0, sizeof header);
  const std::tm local = ConvertLocalTime(time);
  std::strftime(header, sizeof header, "%m/%d-%H:%M", &local);
  ToFullWidth(header, sizeof header);
}

int WriteSave(const char* path) {
  int64_t now = 0;
  QueryTime(&now);
  char header[kHeaderSize];
  FormatSaveHeader(now, header);

  // Written beside the slot's file and renamed over it only when every byte is on disk, so a
  // failed save never destroys the save that was there.
  FileReplacement file = BeginFileReplacement(path);
  if (file.file == nullptr) return -1;
  const bool written = WriteAll(file.file, header, sizeof header) && WriteAll(file.file, &Save, sizeof Save);
  return FinishFileReplacement(file, written) == 0 ? 0 : -1;
}

int ReadSave(const char* path) {
  FILE* f = OpenFile(path, "rb");
  if (f == nullptr) return -1;
  // Read whole into a buffer first: only a file of exactly the right size is taken.
  static unsigned char buffer[kFileSize + 1];
  const size_t n = std::fread(buffer, 1, sizeof buffer, f);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed || n != kFileSize) return -1;

  static SaveBlock loaded;
  std::memcpy(&loaded, buffer + kHeaderSize, sizeof loaded);
  KeepLiveFields(loaded);
  BringSaveIntoRange(loaded);
  Save = loaded;
  RebuildKeyTable();  // the keyboard follows the loaded joypad buttons
  return 0;
}

void ResetEventStepsAfterLoad() {
  EventStep[2] = 0;
  EventStep[128] = 0;
  for (int n = 160; n <= 164; ++n) EventStep[n] = 0;
}

void ReadSlotHeaders() {
  static const char* const kSlots[] = {".\\Data\\Save0.dat", ".\\Data\\Save1.dat", ".\\Data\\Save2.dat"};
  for (int n = 0; n < 3; ++n) {
    char* header = SlotHeaders[n];
    std::memset(header, 0, kHeaderSize);
    std::snprintf(header, kHeaderSize, "%s", kNoRecord);
    FILE* f = OpenFile(kSlots[n], "rb");
    if (f == nullptr) continue;
    // A file of the wrong size is no save: it shows as an empty slot, which the menus refuse.
    char data[kHeaderSize];
    const bool whole = std::fread(data, 1, kHeaderSize, f) == kHeaderSize && std::fseek(f, 0, SEEK_END) == 0 &&
                       std::ftell(f) == static_cast<long>(kFileSize);
    std::fclose(f);
    if (!whole) continue;
    std::memcpy(header, data, kHeaderSize);
    header[kHeaderSize - 1] = '\0';
  }
}
