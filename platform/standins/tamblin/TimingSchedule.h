#pragma once
// The schedule's items and the rules that fire them, with the time always passed in: no clock,
// thread, window or file here. Changes that fire or remove items append the events to post.
#include <cstdint>
#include <vector>

#include "platform/standins/tamblin/Tamblin.h"

namespace tamblin {

struct TimingEvent {
  HTIMINGITEM item;
  int state;  // TIMING_EVENT_*
};

struct TimingRecord {
  _tagTimingParam timing;
  _tagExcuteParam excute;
};

class CTimingSchedule {
 public:
  explicit CTimingSchedule(size_t maxItems = 128) : m_maxItems(maxItems) {}

  // Replaces the items (as loaded from the file), armed from now.
  void Assign(const std::vector<TimingRecord>& records, int64_t now);
  std::vector<TimingRecord> Records() const;
  size_t Count() const { return m_items.size(); }

  long Check(HTIMINGITEM self, const _tagTimingParam& timing, int64_t now, HTIMINGITEM* met) const;
  HTIMINGITEM Insert(const TimingRecord& record, int64_t now);
  bool Update(HTIMINGITEM item, const TimingRecord& record, int64_t now, std::vector<TimingEvent>* events);
  bool Remove(HTIMINGITEM item, std::vector<TimingEvent>* events);
  void Cancel(int64_t now, std::vector<TimingEvent>* events);
  // Arms every waiting weekly item afresh from now (after the clock was set).
  void Rearm(int64_t now);
  // Stops the running item whose span is over and starts the item whose time has come.
  void Fire(int64_t now, std::vector<TimingEvent>* events);

  HTIMINGITEM First() const;
  HTIMINGITEM Next(HTIMINGITEM item) const;
  const TimingRecord* Find(HTIMINGITEM item) const;

 private:
  struct Item {
    HTIMINGITEM handle;
    TimingRecord record;
    bool armed;  // false: nothing more to fire
    int64_t armedStart;
    bool running;
  };

  std::vector<Item>::iterator Locate(HTIMINGITEM item);
  std::vector<Item>::const_iterator Locate(HTIMINGITEM item) const;
  static void Arm(Item* item, int64_t openAfter, int64_t notBefore);
  // After a span ended or was cancelled: a one-shot item leaves, a weekly item waits again.
  void Finish(std::vector<Item>::iterator it, int64_t now, std::vector<TimingEvent>* events);

  size_t m_maxItems;
  std::vector<Item> m_items;
};

}  // namespace tamblin
