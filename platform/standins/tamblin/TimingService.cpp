#include "platform/standins/tamblin/TimingService.h"

#include "platform/standins/tamblin/ScheduleFile.h"
#include "platform/standins/tamblin/TimingCalendar.h"

namespace tamblin {

namespace {

const UINT kDefaultMaxItems = 128;

bool HasRemoval(const std::vector<TimingEvent>& events) {
  for (const TimingEvent& e : events) {
    if (e.state == TIMING_EVENT_REMOVED) return true;
  }
  return false;
}

int64_t FromSystemTime(const SYSTEMTIME& t) {
  return WallSeconds(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

}  // namespace

int64_t CTimingService::Now() const {
  if (m_testClock) return m_testNow;
  SYSTEMTIME now;
  GetLocalTime(&now);
  return FromSystemTime(now);
}

BOOL CTimingService::Initialize(LPCSTR file, UINT maxItems) {
  Uninitialize();
  if (!file || !*file) return FALSE;
  std::vector<TimingRecord> records;
  if (CScheduleFile::Load(file, &records) == CScheduleFile::kUnreadable) return FALSE;
  Lock lock(m_lock);
  m_path = file;
  m_schedule = CTimingSchedule(maxItems ? maxItems : kDefaultMaxItems);
  m_schedule.Assign(records, Now());
  m_initialized = true;
  return TRUE;
}

void CTimingService::Uninitialize() {
  StopTrigger();
  Lock lock(m_lock);
  m_initialized = false;
  m_path.clear();
  m_schedule = CTimingSchedule();
  m_window = nullptr;
}

void CTimingService::RegisterWindow(HWND window) {
  Lock lock(m_lock);
  m_window = window;
}

BOOL CTimingService::StartTrigger() {
  Lock lock(m_lock);
  if (!m_initialized) return FALSE;
  if (m_thread) return TRUE;
  m_wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  ThreadStart* start = m_wake ? new ThreadStart{this, m_wake} : nullptr;
  m_thread = start ? CreateThread(nullptr, 0, ThreadMain, start, 0, nullptr) : nullptr;
  if (!m_thread) {
    delete start;
    if (m_wake) CloseHandle(m_wake);
    m_wake = nullptr;
    return FALSE;
  }
  FireDue();
  return TRUE;
}

void CTimingService::StopTrigger() {
  HANDLE thread, wake;
  {
    Lock lock(m_lock);
    if (!m_thread) return;
    thread = m_thread;
    wake = m_wake;
    m_thread = m_wake = nullptr;
    SetEvent(wake);
  }
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  CloseHandle(wake);
}

void CTimingService::RefreshTrigger() {
  Lock lock(m_lock);
  if (!m_initialized) return;
  m_schedule.Rearm(Now());
  FireDue();
}

BOOL CTimingService::SetTestClock(const SYSTEMTIME* localNow) {
  Lock lock(m_lock);
  if (localNow) {
    if (!IsValidDate(localNow->wYear, localNow->wMonth, localNow->wDay) ||
        !IsValidTimeOfDay(localNow->wHour, localNow->wMinute, localNow->wSecond)) {
      return FALSE;
    }
    m_testNow = FromSystemTime(*localNow);
  }
  m_testClock = localNow != nullptr;
  FireDue();
  return TRUE;
}

bool CTimingService::Commit(const CTimingSchedule& before) {
  if (CScheduleFile::Save(m_path, m_schedule.Records())) return true;
  m_schedule = before;
  return false;
}

void CTimingService::Post(const std::vector<TimingEvent>& events) {
  if (!m_window) return;
  for (const TimingEvent& e : events) {
    PostMessageA(m_window, WM_TIMING_EVENT, reinterpret_cast<WPARAM>(e.item), e.state);
  }
}

void CTimingService::Finish(const std::vector<TimingEvent>& events) {
  Post(events);
  FireDue();
}

void CTimingService::FireDue() {
  if (!m_thread) return;
  std::vector<TimingEvent> events;
  m_schedule.Fire(Now(), &events);
  // Only removals change the file; if it refuses now, the next load drops the item as missed.
  if (HasRemoval(events)) CScheduleFile::Save(m_path, m_schedule.Records());
  Post(events);
}

HTIMINGITEM CTimingService::Check(HTIMINGITEM item, const _tagTimingParam& timing, long* result) {
  Lock lock(m_lock);
  if (!result) return nullptr;
  HTIMINGITEM met = nullptr;
  *result = m_initialized ? m_schedule.Check(item, timing, Now(), &met) : TIMING_ITEM_INVALID;
  return met;
}

HTIMINGITEM CTimingService::Insert(const _tagTimingParam& timing, const _tagExcuteParam* excute) {
  Lock lock(m_lock);
  if (!m_initialized || !excute) return nullptr;
  const CTimingSchedule before = m_schedule;
  HTIMINGITEM item = m_schedule.Insert({timing, *excute}, Now());
  if (!item || !Commit(before)) return nullptr;
  Finish({});
  return item;
}

BOOL CTimingService::Update(HTIMINGITEM item, const _tagTimingParam& timing, const _tagExcuteParam* excute) {
  Lock lock(m_lock);
  if (!m_initialized || !excute) return FALSE;
  const CTimingSchedule before = m_schedule;
  std::vector<TimingEvent> events;
  if (!m_schedule.Update(item, {timing, *excute}, Now(), &events) || !Commit(before)) return FALSE;
  Finish(events);
  return TRUE;
}

BOOL CTimingService::Remove(HTIMINGITEM item) {
  Lock lock(m_lock);
  if (!m_initialized) return FALSE;
  const CTimingSchedule before = m_schedule;
  std::vector<TimingEvent> events;
  if (!m_schedule.Remove(item, &events) || !Commit(before)) return FALSE;
  Finish(events);
  return TRUE;
}

void CTimingService::Cancel() {
  Lock lock(m_lock);
  if (!m_initialized) return;
  std::vector<TimingEvent> events;
  m_schedule.Cancel(Now(), &events);
  if (HasRemoval(events)) CScheduleFile::Save(m_path, m_schedule.Records());
  Finish(events);
}

HTIMINGITEM CTimingService::First() {
  Lock lock(m_lock);
  return m_schedule.First();
}

HTIMINGITEM CTimingService::Next(HTIMINGITEM item) {
  Lock lock(m_lock);
  return m_schedule.Next(item);
}

BOOL CTimingService::GetTiming(HTIMINGITEM item, _tagTimingParam* timing) {
  Lock lock(m_lock);
  const TimingRecord* r = m_schedule.Find(item);
  if (!r || !timing) return FALSE;
  *timing = r->timing;
  return TRUE;
}

BOOL CTimingService::GetExcute(HTIMINGITEM item, void* buffer, int size) {
  Lock lock(m_lock);
  const TimingRecord* r = m_schedule.Find(item);
  if (!r || !buffer || size < static_cast<int>(sizeof r->excute)) return FALSE;
  CopyMemory(buffer, &r->excute, sizeof r->excute);
  return TRUE;
}

DWORD WINAPI CTimingService::ThreadMain(void* param) {
  ThreadStart start = *static_cast<ThreadStart*>(param);
  delete static_cast<ThreadStart*>(param);
  start.service->Run(start.wake);
  return 0;
}

void CTimingService::Run(HANDLE wake) {
  for (;;) {
    DWORD wait = 1000;
    {
      Lock lock(m_lock);
      // Stopped, or stopped and started again with a thread of its own.
      if (m_wake != wake) return;
      // Wake just after each whole second of the system clock, when spans begin and end.
      if (!m_testClock) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        wait = 1000 - now.wMilliseconds;
      }
      FireDue();
    }
    WaitForSingleObject(wake, wait);
  }
}

}  // namespace tamblin
