#include "fuzz/fuzz_scratch.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

struct Scratch {
  std::string folder;

  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "tovia_fuzz_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("tovia fuzz: cannot make a scratch folder");
      std::abort();
    }
    folder = pattern;
    fs::create_directory(fs::path(folder) / "Data");
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

Scratch& TheScratch() {
  static Scratch scratch;
  return scratch;
}

}  // namespace

const std::string& ScratchFolder() { return TheScratch().folder; }

void WriteScratchFile(const char* name, const uint8_t* data, size_t size) {
  const std::string path = ScratchFolder() + "/Data/" + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  const bool written = f != nullptr && (size == 0 || std::fwrite(data, 1, size, f) == size);
  if (f == nullptr || std::fclose(f) != 0 || !written) {
    std::fprintf(stderr, "tovia fuzz: cannot write %s\n", path.c_str());
    std::abort();
  }
}

void RemoveScratchFile(const char* name) { std::remove((ScratchFolder() + "/Data/" + name).c_str()); }

void CopyBuiltMap(const char* name) {
  const fs::path to = fs::path(ScratchFolder()) / "Data" / name;
  std::error_code ec;
  if (fs::exists(to, ec)) return;
  const fs::path from = fs::path(TOVIA_BINARY_DIR) / "Data" / name;
  fs::copy_file(from, to, ec);
  if (ec) {
    std::fprintf(stderr, "tovia fuzz: cannot copy the map %s: %s\n", from.c_str(), ec.message().c_str());
    std::abort();
  }
}

void UseScratchFolder() { SetFileBase(ScratchFolder()); }
