#include "platform/resources.h"

namespace res {

namespace {
const Entry* table = nullptr;
size_t table_size = 0;
}  // namespace

void Install(const Entry* entries, size_t count) {
  table = entries;
  table_size = count;
}

bool Find(Kind kind, int id, const uint8_t*& bytes, size_t& size) {
  for (size_t i = 0; i < table_size; ++i) {
    if (table[i].kind == kind && table[i].id == id) {
      bytes = table[i].begin;
      size = static_cast<size_t>(table[i].end - table[i].begin);
      return true;
    }
  }
  return false;
}

}  // namespace res
