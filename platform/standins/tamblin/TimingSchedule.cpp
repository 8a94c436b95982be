#include "platform/standins/tamblin/TimingSchedule.h"

#include <algorithm>

#include "platform/standins/tamblin/TimingCalendar.h"

namespace tamblin {

namespace {

const int64_t kLongAgo = INT64_MIN / 2;

// Handles are never reused within the process, so an event that arrives after its item left
// cannot name a newer item.
HTIMINGITEM NewHandle() {
  static volatile LONG last = 0;
  return reinterpret_cast<HTIMINGITEM>(static_cast<UINT_PTR>(InterlockedIncrement(&last)));
}

bool IsOneShot(const _tagTimingParam& t) { return t.bExcuteOnce != 0; }

}  // namespace

std::vector<CTimingSchedule::Item>::iterator CTimingSchedule::Locate(HTIMINGITEM item) {
  return std::find_if(m_items.begin(), m_items.end(), [item](const Item& i) { return i.handle == item; });
}

std::vector<CTimingSchedule::Item>::const_iterator CTimingSchedule::Locate(HTIMINGITEM item) const {
  return std::find_if(m_items.begin(), m_items.end(), [item](const Item& i) { return i.handle == item; });
}

void CTimingSchedule::Arm(Item* item, int64_t openAfter, int64_t notBefore) {
  const _tagTimingParam& t = item->record.timing;
  // A one-shot item stays armed at its start even when that went by: firing then removes it.
  if (IsOneShot(t)) {
    item->armed = true;
    item->armedStart = TimingStart(t);
    return;
  }
  item->armed = NextSpanStart(t, openAfter, notBefore, &item->armedStart);
}

void CTimingSchedule::Assign(const std::vector<TimingRecord>& records, int64_t now) {
  m_items.clear();
  for (const TimingRecord& r : records) {
    Item item{NewHandle(), r, false, 0, false};
    Arm(&item, now, kLongAgo);
    m_items.push_back(item);
  }
}

std::vector<TimingRecord> CTimingSchedule::Records() const {
  std::vector<TimingRecord> out;
  for (const Item& i : m_items) out.push_back(i.record);
  return out;
}

long CTimingSchedule::Check(HTIMINGITEM self, const _tagTimingParam& timing, int64_t now, HTIMINGITEM* met) const {
  *met = nullptr;
  if (!IsValidTiming(timing)) return TIMING_ITEM_INVALID;
  if (self ? Locate(self) == m_items.end() : m_items.size() >= m_maxItems) return TIMING_ITEM_INVALID;
  for (const Item& i : m_items) {
    if (i.handle == self || !TimingsMeet(timing, i.record.timing)) continue;
    *met = i.handle;
    return i.running ? TIMING_ITEM_OVERLAP_RUNNING : TIMING_ITEM_OVERLAP;
  }
  if (IsOneShot(timing) && TimingStart(timing) < now) return TIMING_ITEM_EXPIRED;
  return TIMING_ITEM_NORMAL;
}

namespace {

bool MayStore(long result) { return result == TIMING_ITEM_NORMAL || result == TIMING_ITEM_EXPIRED; }

}  // namespace

HTIMINGITEM CTimingSchedule::Insert(const TimingRecord& record, int64_t now) {
  HTIMINGITEM met;
  if (!MayStore(Check(nullptr, record.timing, now, &met))) return nullptr;
  Item item{NewHandle(), record, false, 0, false};
  Arm(&item, now, kLongAgo);
  m_items.push_back(item);
  return item.handle;
}

bool CTimingSchedule::Update(HTIMINGITEM handle, const TimingRecord& record, int64_t now,
                             std::vector<TimingEvent>* events) {
  HTIMINGITEM met;
  if (!MayStore(Check(handle, record.timing, now, &met))) return false;
  auto it = Locate(handle);
  if (it->running) {
    it->running = false;
    events->push_back({handle, TIMING_EVENT_STOPPED});
  }
  it->record = record;
  Arm(&*it, now, kLongAgo);
  return true;
}

bool CTimingSchedule::Remove(HTIMINGITEM handle, std::vector<TimingEvent>* events) {
  auto it = Locate(handle);
  if (it == m_items.end()) return false;
  if (it->running) events->push_back({handle, TIMING_EVENT_STOPPED});
  m_items.erase(it);
  events->push_back({handle, TIMING_EVENT_REMOVED});
  return true;
}

void CTimingSchedule::Finish(std::vector<Item>::iterator it, int64_t now, std::vector<TimingEvent>* events) {
  it->running = false;
  if (IsOneShot(it->record.timing)) {
    HTIMINGITEM handle = it->handle;
    m_items.erase(it);
    events->push_back({handle, TIMING_EVENT_REMOVED});
    return;
  }
  Arm(&*it, now, it->armedStart + TimingSpan(it->record.timing));
}

void CTimingSchedule::Cancel(int64_t now, std::vector<TimingEvent>* events) {
  auto it = std::find_if(m_items.begin(), m_items.end(), [](const Item& i) { return i.running; });
  if (it != m_items.end()) Finish(it, now, events);
}

void CTimingSchedule::Rearm(int64_t now) {
  for (Item& i : m_items) {
    if (!i.running && !IsOneShot(i.record.timing)) Arm(&i, now, kLongAgo);
  }
}

void CTimingSchedule::Fire(int64_t now, std::vector<TimingEvent>* events) {
  for (;;) {
    auto running = std::find_if(m_items.begin(), m_items.end(), [](const Item& i) { return i.running; });
    if (running != m_items.end()) {
      const int64_t end = running->armedStart + TimingSpan(running->record.timing);
      if (now >= running->armedStart && now < end) return;
      events->push_back({running->handle, TIMING_EVENT_STOPPED});
      Finish(running, now, events);
      continue;
    }
    auto due = m_items.end();
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
      if (it->armed && it->armedStart <= now && (due == m_items.end() || it->armedStart < due->armedStart)) due = it;
    }
    if (due == m_items.end()) return;
    if (now < due->armedStart + TimingSpan(due->record.timing)) {
      due->running = true;
      events->push_back({due->handle, TIMING_EVENT_STARTED});
      return;
    }
    // Its whole span went by while nothing fired: skipped, not started late.
    Finish(due, now, events);
  }
}

HTIMINGITEM CTimingSchedule::First() const { return m_items.empty() ? nullptr : m_items.front().handle; }

HTIMINGITEM CTimingSchedule::Next(HTIMINGITEM item) const {
  auto it = Locate(item);
  if (it == m_items.end() || ++it == m_items.end()) return nullptr;
  return it->handle;
}

const TimingRecord* CTimingSchedule::Find(HTIMINGITEM item) const {
  auto it = Locate(item);
  return it == m_items.end() ? nullptr : &it->record;
}

}  // namespace tamblin
