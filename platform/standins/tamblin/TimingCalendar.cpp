#include "platform/standins/tamblin/TimingCalendar.h"

#include <algorithm>

namespace tamblin {

namespace {

int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// 1970-01-01 was a Thursday; Monday is 0, matching bit 0 of the weekly mask.
int MondayBasedWeekday(int64_t day) { return static_cast<int>(((day + 3) % 7 + 7) % 7); }

bool IsOneShot(const _tagTimingParam& t) { return t.bExcuteOnce != 0; }

}  // namespace

bool IsValidDate(long year, long month, long day) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1970 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool IsValidTimeOfDay(long hour, long minute, long second) {
  return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

bool IsValidTiming(const _tagTimingParam& t) {
  if (!IsValidDate(t.nYear, t.nMonth, t.nDay) || !IsValidTimeOfDay(t.nHour, t.nMinute, t.nSecond)) return false;
  if (t.lLength < 0) return false;
  if (IsOneShot(t)) return true;
  return (t.nWeekMask & 0x7F) != 0 && TimingSpan(t) < kSecondsPerWeek;
}

int64_t WallSeconds(long year, long month, long day, long hour, long minute, long second) {
  return DaysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

int64_t TimingStart(const _tagTimingParam& t) {
  return WallSeconds(t.nYear, t.nMonth, t.nDay, t.nHour, t.nMinute, t.nSecond);
}

int64_t TimingSpan(const _tagTimingParam& t) { return std::max<int64_t>(t.lLength, 1); }

bool NextSpanStart(const _tagTimingParam& t, int64_t openAfter, int64_t notBefore, int64_t* start) {
  const int64_t first = TimingStart(t);
  const int64_t span = TimingSpan(t);
  const int64_t earliest = std::max({first, notBefore, openAfter - span + 1});
  if (IsOneShot(t)) {
    if (first < earliest) return false;
    *start = first;
    return true;
  }
  const int64_t timeOfDay = t.nHour * 3600 + t.nMinute * 60 + t.nSecond;
  int64_t day = FloorDiv(earliest - timeOfDay + kSecondsPerDay - 1, kSecondsPerDay);
  for (int i = 0; i < 7; ++i, ++day) {
    if (t.nWeekMask & (1 << MondayBasedWeekday(day))) {
      *start = day * kSecondsPerDay + timeOfDay;
      return true;
    }
  }
  return false;
}

namespace {

// Some span of b meets [start, start + span).
bool MeetsSpan(const _tagTimingParam& b, int64_t start, int64_t span) {
  int64_t s;
  return NextSpanStart(b, start, INT64_MIN / 2, &s) && s < start + span;
}

}  // namespace

bool TimingsMeet(const _tagTimingParam& a, const _tagTimingParam& b) {
  if (IsOneShot(a)) return MeetsSpan(b, TimingStart(a), TimingSpan(a));
  if (IsOneShot(b)) return MeetsSpan(a, TimingStart(b), TimingSpan(b));
  // Two weekly items repeat alike every week once both have begun: any meeting shows within
  // the spans of a that open in the weeks around the later first start.
  const int64_t from = std::max(TimingStart(a), TimingStart(b)) - kSecondsPerWeek;
  int64_t s = from;
  while (NextSpanStart(a, s, INT64_MIN / 2, &s) && s < from + 3 * kSecondsPerWeek) {
    if (MeetsSpan(b, s, TimingSpan(a))) return true;
    s += TimingSpan(a);
  }
  return false;
}

}  // namespace tamblin
