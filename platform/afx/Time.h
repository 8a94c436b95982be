#pragma once
#include "platform/afx/String.h"
#include <ctime>

// windows.h maps GetCurrentTime to GetTickCount; here it is CTime's own.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

// A span of seconds in the manner of MFC's CTimeSpan.
class CTimeSpan {
public:
  CTimeSpan() : m_span(0) {}
  CTimeSpan(__int64 seconds) : m_span(seconds) {}
  CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
      : m_span(((static_cast<__int64>(lDays) * 24 + nHours) * 60 + nMins) * 60 + nSecs) {}

  __int64 GetTimeSpan() const { return m_span; }
  LONGLONG GetDays() const { return m_span / (24 * 3600); }
  LONGLONG GetTotalHours() const { return m_span / 3600; }
  LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
  LONGLONG GetTotalMinutes() const { return m_span / 60; }
  LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
  LONGLONG GetTotalSeconds() const { return m_span; }
  LONG GetSeconds() const { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }

  // %D days, %H hours, %M minutes, %S seconds, %% a percent sign.
  CString Format(LPCSTR pszFormat) const;

  CTimeSpan operator+(CTimeSpan s) const { return CTimeSpan(m_span + s.m_span); }
  CTimeSpan operator-(CTimeSpan s) const { return CTimeSpan(m_span - s.m_span); }
  CTimeSpan& operator+=(CTimeSpan s) { m_span += s.m_span; return *this; }
  CTimeSpan& operator-=(CTimeSpan s) { m_span -= s.m_span; return *this; }
  bool operator==(CTimeSpan s) const { return m_span == s.m_span; }
  bool operator!=(CTimeSpan s) const { return m_span != s.m_span; }
  bool operator<(CTimeSpan s) const { return m_span < s.m_span; }
  bool operator>(CTimeSpan s) const { return m_span > s.m_span; }
  bool operator<=(CTimeSpan s) const { return m_span <= s.m_span; }
  bool operator>=(CTimeSpan s) const { return m_span >= s.m_span; }

private:
  __int64 m_span;
};

// A point in time in seconds since 1970 (UTC), shown in local time, in the manner of MFC's CTime.
class CTime {
public:
  CTime() : m_time(0) {}
  CTime(__time64_t time) : m_time(time) {}
  // Local time; nDST < 0 lets the C library decide daylight saving.
  CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
  CTime(const SYSTEMTIME& st, int nDST = -1);
  CTime(const FILETIME& ft, int nDST = -1);

  static CTime GetCurrentTime();
  static BOOL IsValidFILETIME(const FILETIME& ft);

  __time64_t GetTime() const { return m_time; }
  struct tm* GetLocalTm(struct tm* ptm) const;
  struct tm* GetGmtTm(struct tm* ptm) const;
  BOOL GetAsSystemTime(SYSTEMTIME& st) const;

  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 = Sunday

  // strftime formats of the local / UTC time.
  CString Format(LPCSTR pszFormat) const;
  CString FormatGmt(LPCSTR pszFormat) const;

  CTime operator+(CTimeSpan s) const { return CTime(m_time + s.GetTimeSpan()); }
  CTime operator-(CTimeSpan s) const { return CTime(m_time - s.GetTimeSpan()); }
  CTimeSpan operator-(CTime t) const { return CTimeSpan(m_time - t.m_time); }
  CTime& operator+=(CTimeSpan s) { m_time += s.GetTimeSpan(); return *this; }
  CTime& operator-=(CTimeSpan s) { m_time -= s.GetTimeSpan(); return *this; }
  bool operator==(CTime t) const { return m_time == t.m_time; }
  bool operator!=(CTime t) const { return m_time != t.m_time; }
  bool operator<(CTime t) const { return m_time < t.m_time; }
  bool operator>(CTime t) const { return m_time > t.m_time; }
  bool operator<=(CTime t) const { return m_time <= t.m_time; }
  bool operator>=(CTime t) const { return m_time >= t.m_time; }

private:
  __time64_t m_time;
};
