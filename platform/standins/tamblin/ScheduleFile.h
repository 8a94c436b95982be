#pragma once
// The schedule file: its text form (laid out in Tamblin.h), reading with damaged files moved
// aside, and writing through a temporary file renamed over the old one.
#include <string>
#include <vector>

#include "platform/standins/tamblin/TimingSchedule.h"

namespace tamblin {

class CScheduleFile {
 public:
  enum LoadResult {
    kLoaded,
    kMissing,     // no file: an empty schedule
    kSetAside,    // damaged, now "<file>.bak": an empty schedule
    kUnreadable,  // exists but cannot be read or set aside
  };

  static std::string Format(const std::vector<TimingRecord>& records);
  static bool Parse(const std::string& text, std::vector<TimingRecord>* records);

  static LoadResult Load(const std::string& path, std::vector<TimingRecord>* records);
  static bool Save(const std::string& path, const std::vector<TimingRecord>& records);
};

}  // namespace tamblin
