#include "platform/files.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string base_dir;  // empty: the working directory

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names compare without regard to the case of ASCII letters; bytes of Shift-JIS characters are
// compared as they are.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// Trailing spaces and dots of a name mean nothing, as on the system the game's paths come from;
// "." and ".." keep their meaning.
std::string TrimName(std::string name) {
  if (name == "." || name == "..") return name;
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  return name;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '/' || c == '\\') {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(part);
  return parts;
}

// The entry of `dir` named `name`: the exact name when it exists, else the first entry (in
// sorted order) equal without regard to case; "" when there is none.
std::string FindEntry(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  if (fs::exists(dir / name, ec)) return name;
  std::vector<std::string> matches;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (SameName(entry, name)) matches.push_back(entry);
  }
  if (matches.empty()) return "";
  return *std::min_element(matches.begin(), matches.end());
}

}  // namespace

void SetFileBase(const std::string& dir) { base_dir = dir; }

std::string ResolvePath(const char* path, bool for_write) {
  if (path == nullptr || *path == '\0') return "";
  std::vector<std::string> parts = SplitPath(path);
  fs::path resolved;
  size_t first = 0;
  if (parts[0].empty()) {  // an absolute path
    resolved = "/";
    first = 1;
  } else {
    resolved = base_dir.empty() ? fs::path(".") : fs::path(base_dir);
  }
  for (size_t i = first; i < parts.size(); ++i) {
    const std::string name = TrimName(parts[i]);
    if (name.empty()) continue;  // "a//b", a trailing slash
    if (name == "." || name == "..") {
      resolved /= name;
      continue;
    }
    const bool last = i + 1 == parts.size();
    std::string found = FindEntry(resolved, name);
    if (found.empty()) {
      if (!(last && for_write)) return "";
      found = name;
    }
    resolved /= found;
  }
  return resolved.string();
}

bool SameFile(const char* a, const char* b) {
  const std::string first = ResolvePath(a, false), second = ResolvePath(b, false);
  if (first.empty() || second.empty()) return false;
  std::error_code ec;
  return fs::equivalent(first, second, ec) && !ec;
}

bool IsFileName(const std::string& name) {
  if (name.find_first_of("/\\") != std::string::npos) return false;
  const std::string trimmed = TrimName(name);
  return !trimmed.empty() && trimmed != "." && trimmed != "..";
}

FILE* OpenFile(const char* path, const char* mode) {
  const bool for_write = std::strpbrk(mode, "wa") != nullptr;
  const std::string resolved = ResolvePath(path, for_write);
  if (resolved.empty()) return nullptr;
  // Only files are read: a folder opens here, and its read would then fail as if the file were
  // damaged.
  std::error_code ec;
  if (!for_write && !fs::is_regular_file(resolved, ec)) return nullptr;
  return std::fopen(resolved.c_str(), mode);
}

std::string FileVersion(const char* path) {
  const std::string resolved = ResolvePath(path, false);
  std::error_code ec;
  const auto size = fs::file_size(resolved, ec);
  if (resolved.empty() || ec) return "";
  const auto changed = fs::last_write_time(resolved, ec);
  if (ec) return "";
  return resolved + '|' + std::to_string(size) + '|' + std::to_string(changed.time_since_epoch().count());
}

FileReplacement BeginFileReplacement(const char* path) {
  FileReplacement r;
  r.target = ResolvePath(path, true);
  if (r.target.empty()) return r;
  r.temporary = r.target + ".tmp";
  r.file = std::fopen(r.temporary.c_str(), "wb");
  return r;
}

int FinishFileReplacement(FileReplacement& r, bool complete) {
  if (r.file == nullptr) return -2;
  const bool closed = std::fclose(r.file) == 0;
  r.file = nullptr;
  int result = 0;
  if (!closed) {
    result = -1;
  } else if (!complete || std::rename(r.temporary.c_str(), r.target.c_str()) != 0) {
    result = -2;
  }
  if (result != 0) std::remove(r.temporary.c_str());
  return result;
}
