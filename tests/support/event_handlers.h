// A test's own handler in an entry of the event tables while the test runs:
//
//   ScopedFieldHandler door(1000, FieldRoutine([] { WarpToMap(2, 0, 960, 40, 1172, 1, 610); }));
//   ScopedGuideHandler stay(600, GuideRoutine([]() -> uint32_t { return 0; }));
//   ScopedTalk talk(7, [] { HeroControl = 1; });
//
// The entry gets back what it held when the guard goes out of scope.
#pragma once

#include <cstdint>

#include "events/event_tables.h"

template <typename Entry, Entry (*Set)(int32_t, Entry)>
class ScopedEventEntry {
 public:
  ScopedEventEntry(int32_t number, Entry entry) : number_(number), previous_(Set(number, entry)) {}
  ~ScopedEventEntry() { Set(number_, previous_); }
  ScopedEventEntry(const ScopedEventEntry&) = delete;
  ScopedEventEntry& operator=(const ScopedEventEntry&) = delete;

 private:
  int32_t number_;
  Entry previous_;
};

using ScopedGuideHandler = ScopedEventEntry<GuideHandler, SetGuideHandler>;
using ScopedFieldHandler = ScopedEventEntry<FieldHandler, SetFieldHandler>;
using ScopedTalk = ScopedEventEntry<TalkRoutine, SetTalkRoutine>;
