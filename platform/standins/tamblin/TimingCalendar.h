#pragma once
// Local wall-clock arithmetic of the schedule: seconds counted from 1970-01-01 00:00 local time,
// with no time zone and no daylight-saving shift, so a day is always 86400 seconds.
#include <cstdint>

#include "platform/standins/tamblin/Tamblin.h"

namespace tamblin {

const int64_t kSecondsPerDay = 86400;
const int64_t kSecondsPerWeek = 7 * kSecondsPerDay;

bool IsValidDate(long year, long month, long day);
bool IsValidTimeOfDay(long hour, long minute, long second);
// Fields in range, length 0 or more; a weekly item needs a day and a length under a week.
bool IsValidTiming(const _tagTimingParam& timing);

int64_t WallSeconds(long year, long month, long day, long hour, long minute, long second);
// The first start of the record (its date and time of day).
int64_t TimingStart(const _tagTimingParam& timing);
// How long one span lasts: the record's length, at least one second.
int64_t TimingSpan(const _tagTimingParam& timing);

// The earliest span of the record that starts at notBefore or later and is still open after
// openAfter (start + span > openAfter). False when there is none (a one-shot item outside it).
bool NextSpanStart(const _tagTimingParam& timing, int64_t openAfter, int64_t notBefore, int64_t* start);

// Whether some span of one record meets some span of the other.
bool TimingsMeet(const _tagTimingParam& a, const _tagTimingParam& b);

}  // namespace tamblin
