#include "platform/afx/Time.h"

#include <cstdio>

CString CTimeSpan::Format(LPCSTR pszFormat) const {
  CString out;
  if (!pszFormat) return out;
  char num[32];
  for (LPCSTR p = pszFormat; *p; ++p) {
    if (*p != '%' || p[1] == '\0') {
      out += *p;
      continue;
    }
    switch (*++p) {
      case 'D': std::snprintf(num, sizeof num, "%lld", static_cast<long long>(GetDays())); out += num; break;
      case 'H': std::snprintf(num, sizeof num, "%02ld", static_cast<long>(GetHours())); out += num; break;
      case 'M': std::snprintf(num, sizeof num, "%02ld", static_cast<long>(GetMinutes())); out += num; break;
      case 'S': std::snprintf(num, sizeof num, "%02ld", static_cast<long>(GetSeconds())); out += num; break;
      default: out += *p; break;
    }
  }
  return out;
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
  struct tm t = {};
  t.tm_year = nYear - 1900;
  t.tm_mon = nMonth - 1;
  t.tm_mday = nDay;
  t.tm_hour = nHour;
  t.tm_min = nMin;
  t.tm_sec = nSec;
  t.tm_isdst = nDST;
  m_time = _mktime64(&t);
  if (m_time == -1) m_time = 0;
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST) {}

CTime::CTime(const FILETIME& ft, int nDST) {
  FILETIME local;
  SYSTEMTIME st;
  if (FileTimeToLocalFileTime(&ft, &local) && FileTimeToSystemTime(&local, &st)) {
    *this = CTime(st, nDST);
  } else {
    m_time = 0;
  }
}

CTime CTime::GetCurrentTime() { return CTime(_time64(nullptr)); }

BOOL CTime::IsValidFILETIME(const FILETIME& ft) {
  FILETIME local;
  SYSTEMTIME st;
  return FileTimeToLocalFileTime(&ft, &local) && FileTimeToSystemTime(&local, &st);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const {
  struct tm* t = _localtime64(&m_time);
  if (!t) return nullptr;
  if (ptm) {
    *ptm = *t;
    return ptm;
  }
  return t;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const {
  struct tm* t = _gmtime64(&m_time);
  if (!t) return nullptr;
  if (ptm) {
    *ptm = *t;
    return ptm;
  }
  return t;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const {
  struct tm t;
  if (!GetLocalTm(&t)) return FALSE;
  st.wYear = static_cast<WORD>(t.tm_year + 1900);
  st.wMonth = static_cast<WORD>(t.tm_mon + 1);
  st.wDayOfWeek = static_cast<WORD>(t.tm_wday);
  st.wDay = static_cast<WORD>(t.tm_mday);
  st.wHour = static_cast<WORD>(t.tm_hour);
  st.wMinute = static_cast<WORD>(t.tm_min);
  st.wSecond = static_cast<WORD>(t.tm_sec);
  st.wMilliseconds = 0;
  return TRUE;
}

namespace {
struct tm LocalOf(__time64_t t) {
  struct tm* p = _localtime64(&t);
  struct tm r = {};
  if (p) r = *p;
  return r;
}
}  // namespace

int CTime::GetYear() const { return LocalOf(m_time).tm_year + 1900; }
int CTime::GetMonth() const { return LocalOf(m_time).tm_mon + 1; }
int CTime::GetDay() const { return LocalOf(m_time).tm_mday; }
int CTime::GetHour() const { return LocalOf(m_time).tm_hour; }
int CTime::GetMinute() const { return LocalOf(m_time).tm_min; }
int CTime::GetSecond() const { return LocalOf(m_time).tm_sec; }
int CTime::GetDayOfWeek() const { return LocalOf(m_time).tm_wday + 1; }

namespace {
CString FormatTm(const struct tm* t, LPCSTR pszFormat) {
  CString out;
  if (!t || !pszFormat) return out;
  char buf[256];
  size_t n = strftime(buf, sizeof buf, pszFormat, t);
  out = CString(buf, static_cast<int>(n));
  return out;
}
}  // namespace

CString CTime::Format(LPCSTR pszFormat) const { return FormatTm(_localtime64(&m_time), pszFormat); }

CString CTime::FormatGmt(LPCSTR pszFormat) const { return FormatTm(_gmtime64(&m_time), pszFormat); }
