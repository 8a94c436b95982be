#pragma once
// The library's one schedule: its file, its clock, the window that gets the events and the
// thread that fires items while the trigger runs. Every call takes the one lock; events are
// posted under it, so they reach the window in the order they happened.
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/standins/tamblin/TimingSchedule.h"

namespace tamblin {

class CTimingService {
 public:
  CTimingService() = default;
  CTimingService(const CTimingService&) = delete;
  CTimingService& operator=(const CTimingService&) = delete;

  BOOL Initialize(LPCSTR file, UINT maxItems);
  void Uninitialize();
  void RegisterWindow(HWND window);

  BOOL StartTrigger();
  void StopTrigger();
  void RefreshTrigger();
  BOOL SetTestClock(const SYSTEMTIME* localNow);

  HTIMINGITEM Check(HTIMINGITEM item, const _tagTimingParam& timing, long* result);
  HTIMINGITEM Insert(const _tagTimingParam& timing, const _tagExcuteParam* excute);
  BOOL Update(HTIMINGITEM item, const _tagTimingParam& timing, const _tagExcuteParam* excute);
  BOOL Remove(HTIMINGITEM item);
  void Cancel();

  HTIMINGITEM First();
  HTIMINGITEM Next(HTIMINGITEM item);
  BOOL GetTiming(HTIMINGITEM item, _tagTimingParam* timing);
  BOOL GetExcute(HTIMINGITEM item, void* buffer, int size);

 private:
  typedef std::lock_guard<std::mutex> Lock;

  int64_t Now() const;
  // Writes the schedule; when the file refuses, the schedule goes back to `before`.
  bool Commit(const CTimingSchedule& before);
  void Post(const std::vector<TimingEvent>& events);
  // Posts what a change did, then fires what is due now.
  void Finish(const std::vector<TimingEvent>& events);
  void FireDue();
  // The thread is handed the wake event it serves: once that is no longer the service's, it ends.
  struct ThreadStart {
    CTimingService* service;
    HANDLE wake;
  };
  static DWORD WINAPI ThreadMain(void* param);
  void Run(HANDLE wake);

  std::mutex m_lock;
  bool m_initialized = false;
  std::string m_path;
  CTimingSchedule m_schedule;
  HWND m_window = nullptr;
  bool m_testClock = false;
  int64_t m_testNow = 0;
  HANDLE m_thread = nullptr;
  HANDLE m_wake = nullptr;
};

}  // namespace tamblin
