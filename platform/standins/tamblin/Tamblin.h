#pragma once
// The scheduling library Tamblin.dll: keeps a schedule of timed items in one file, fires each item
// at its time and posts its events to one window. Link with the import library (the exports are
// bound by name) and call everything from any thread: the library serialises its calls.
//
// Calling convention: every export is WINAPI (__stdcall), exported under its plain name.
// Every leading UINT argument is reserved and passed as 0.
//
// Times are local wall-clock times (no time zone, no daylight-saving shift), to the second.
// An item occupies [start, start + length) with a length of at least one second:
//   one-shot item (bExcuteOnce nonzero): once, at the date and time of the record;
//   weekly item (bExcuteOnce 0): at the time of day on every day whose bit is set in nWeekMask
//     (bit 0 Monday ... bit 6 Sunday), not before the record's date; its length is under a week.
//
// Events: WM_TIMING_EVENT posted to the registered window, wParam the item, lParam:
//   TIMING_EVENT_STARTED  the item's time has come (also late, when the trigger starts or the
//                         item is stored while its time span is still running);
//   TIMING_EVENT_STOPPED  its time span ended, or it was removed or updated while running;
//   TIMING_EVENT_REMOVED  it left the schedule: removed by the caller, a one-shot item after its
//                         stop or its cancelling, or a one-shot item whose whole span went by
//                         while nothing fired. The handle names no item any more.
// A weekly item is re-armed for its next day after each stop or cancel. At most one item runs at
// a time; an item due while another runs waits for it and starts late if its span is still open.
//
// The schedule file (named in Timing_Initialize) is rewritten on every change: written whole to
// "<file>.tmp" beside it, then renamed over it. It is text in the ANSI code page:
//   line 1:      "Tamblin schedule 1"
//   then per item, in schedule order, 20 decimal signed 32-bit numbers separated by one space:
//                the ten fields of _tagTimingParam in order, then the 40 bytes of
//                _tagExcuteParam as ten 32-bit words in order (dwSize first);
//   last line:   "end <number of items>"
// Every line ends with CR LF (LF alone is read too). A file that does not read back whole by
// these rules, or holds a record Timing_CheckItem would call TIMING_ITEM_INVALID, is damaged:
// Timing_Initialize moves it aside to "<file>.bak" (replacing an older one) and starts with an
// empty schedule.
#include <windows.h>

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#define WM_TIMING_EVENT 0x4C8

enum {
  TIMING_EVENT_STARTED = 0,
  TIMING_EVENT_STOPPED = 1,
  TIMING_EVENT_REMOVED = 2,
};

// Results of Timing_CheckItem. INVALID is tested first, then the two overlaps, then EXPIRED.
enum {
  TIMING_ITEM_NORMAL = 0,           // may be stored
  TIMING_ITEM_EXPIRED = 1,          // may be stored, but a one-shot start lies in the past
  TIMING_ITEM_INVALID = 2,          // a field out of range, a weekly item without a day, no room left
  TIMING_ITEM_OVERLAP = 3,          // its span meets another waiting item's
  TIMING_ITEM_OVERLAP_RUNNING = 4,  // its span meets the item that is running now
};

DECLARE_HANDLE(HTIMINGITEM);

typedef struct _tagTimingParam {
  long nYear;
  long nMonth;   // 1..12
  long nDay;     // 1..days of the month
  long nHour;    // 0..23
  long nMinute;  // 0..59
  long nSecond;  // 0..59
  long lLength;  // seconds, 0 or more; the callers give it lRecordLength's value
  long bExcuteOnce;
  long nWeekMask;  // bit 0 Monday ... bit 6 Sunday
  long lReserved;  // 0
} _tagTimingParam;

typedef struct _tagExcuteHead {
  DWORD dwSize;  // 40
  DWORD dwReserved;
} _tagExcuteHead;

// Kept and handed back as it was given; the library itself never reads it.
typedef struct _tagExcuteParam {
  _tagExcuteHead stuExcute;
  long lRecordLength;  // 1 marks a viewing item, else the recording length in seconds
  DWORD dwSource;      // 0 TV, 1 and 2 video inputs, 3 radio
  long nChannel;       // 1-based channel position
  long lFreq;          // kHz
  BOOL bShutDown;
  BOOL bMute;
  BOOL bAutoRun;
  UINT unAutoRunTime;
} _tagExcuteParam;

// Opens the schedule file (a missing one is an empty schedule, written at the first change); nMaxItems bounds the schedule (0 takes 128).
// FALSE when the path is empty or the file exists but cannot be read. Calling it again first
// uninitialises.
BOOL WINAPI Timing_Initialize(LPCSTR lpszFile, UINT nMaxItems);
// Stops the trigger and forgets the schedule (the file stays as last written).
void WINAPI Timing_Uninitialize(void);
// The window that receives WM_TIMING_EVENT; NULL posts nothing.
void WINAPI Timing_RegisterMsgWnd(HWND hWnd);

// Start firing (FALSE before Timing_Initialize); stop firing (a running item stays running).
BOOL WINAPI Timing_StartTrigger(UINT uReserved);
void WINAPI Timing_StopTrigger(UINT uReserved);
// After the system time changed: weekly items are armed afresh from the new time.
void WINAPI Timing_RefreshTrigger(UINT uReserved);

// Tests a timing record as it would be stored (as a new item, or as hItem's new record: hItem
// itself is then left out of the overlap test). *plResult gets a TIMING_ITEM_* result; the return
// is the item met for the two overlap results, else NULL.
HTIMINGITEM WINAPI Timing_CheckItem(UINT uReserved, HTIMINGITEM hItem, _tagTimingParam timing,
                                    long* plResult);
// Insert and update refuse (NULL / FALSE) what Timing_CheckItem calls INVALID or OVERLAP, and any
// change the file does not take (the schedule then stays as it was).
HTIMINGITEM WINAPI Timing_InsertItem(UINT uReserved, _tagTimingParam timing,
                                     const _tagExcuteParam* pExcute);
// Updating the running item stops it first; the item is then armed by its new record.
BOOL WINAPI Timing_UpdateItem(HTIMINGITEM hItem, _tagTimingParam timing, const _tagExcuteParam* pExcute);
// Removing the running item posts its stop before its removal.
BOOL WINAPI Timing_RemoveItem(HTIMINGITEM hItem);
// Ends the running item's current span without a stop event (the caller has acted already):
// a one-shot item is removed, a weekly item waits for its next day.
void WINAPI Timing_CancelItem(UINT uReserved);

// Walk the schedule in insertion order; NULL at the end or for an item no longer held.
HTIMINGITEM WINAPI Timing_GetFirstItem(UINT uReserved);
HTIMINGITEM WINAPI Timing_GetNextItem(UINT uReserved, HTIMINGITEM hItem);
BOOL WINAPI Timing_GetItemTimingParam(HTIMINGITEM hItem, _tagTimingParam* pTiming);
// Copies the 40-byte record; FALSE (nothing written) when nSize is below 40.
BOOL WINAPI Timing_GetItemExcuteParam(HTIMINGITEM hItem, void* pBuffer, int nSize);

// Test hook, never called by the application: pLocalNow freezes the library's clock at that
// local time (NULL returns to the system clock) and, while the trigger runs, fires whatever that
// time makes due before returning, so the events are in the window's queue on return.
// FALSE for an impossible date or time.
BOOL WINAPI Timing_SetTestClock(const SYSTEMTIME* pLocalNow);

#ifdef __cplusplus
}  // extern "C"

static_assert(sizeof(_tagTimingParam) == 40, "ten 32-bit fields");
static_assert(sizeof(_tagExcuteParam) == 40, "the record size callers pass");
static_assert(offsetof(_tagExcuteParam, lRecordLength) == 8, "after the 8-byte head");
static_assert(offsetof(_tagExcuteParam, lFreq) == 20, "frequency");
static_assert(offsetof(_tagExcuteParam, unAutoRunTime) == 36, "last field");
#endif
