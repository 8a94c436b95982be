// Tamblin.dll bound through its import library, as the application binds it: a schedule file in
// a scratch folder, a real window for the events, and the library's clock set by the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/standins/tamblin/Tamblin.h"

namespace {

const long kWed = 1 << 2;

_tagTimingParam OneShot(long y, long mo, long d, long h, long mi, long s, long length) {
  return {y, mo, d, h, mi, s, length, 1, 0, 0};
}

_tagTimingParam Weekly(long y, long mo, long d, long h, long mi, long s, long length, long mask) {
  return {y, mo, d, h, mi, s, length, 0, mask, 0};
}

_tagExcuteParam Excute(long length, DWORD source, long channel, long freq) {
  _tagExcuteParam e = {};
  e.stuExcute.dwSize = 40;
  e.lRecordLength = length;
  e.dwSource = source;
  e.nChannel = channel;
  e.lFreq = freq;
  return e;
}

// The two records of the hand-written schedule file two-items.rec.
const _tagTimingParam kFileTiming[2] = {OneShot(2024, 6, 3, 20, 0, 0, 3600), Weekly(2024, 6, 5, 8, 0, 0, 1, 36)};
_tagExcuteParam FileExcute(int i) {
  if (i == 0) {
    _tagExcuteParam e = Excute(3600, 0, 5, 471250);
    e.bShutDown = TRUE;
    return e;
  }
  _tagExcuteParam e = Excute(1, 3, 2, 87500);
  e.bMute = TRUE;
  e.bAutoRun = TRUE;
  e.unAutoRunTime = 0xFFFFFFFFu;
  return e;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Golden() { return ReadBytes(std::string(ONDRIX_TEST_DIR) + "/two-items.rec"); }

typedef std::pair<HTIMINGITEM, long> Event;

class TamblinTest : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_dir = std::string(temp) + "ondrix-tamblin-" + std::to_string(GetCurrentProcessId()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name();
    m_file = m_dir + "\\Rec.rec";
    RemoveFiles();
    CreateDirectoryA(m_dir.c_str(), nullptr);
    m_window = CreateWindowA("STATIC", "panel", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, m_window);
  }

  void TearDown() override {
    Timing_Uninitialize();
    Timing_SetTestClock(nullptr);
    Events();
    DestroyWindow(m_window);
    RemoveFiles();
  }

  void RemoveFiles() {
    for (const char* suffix : {"", ".bak", ".tmp"}) {
      std::string p = m_file + suffix;
      RemoveDirectoryA(p.c_str());
      DeleteFileA(p.c_str());
    }
    RemoveDirectoryA(m_dir.c_str());
  }

  void Open(UINT maxItems = 128) {
    ASSERT_TRUE(Timing_Initialize(m_file.c_str(), maxItems));
    Timing_RegisterMsgWnd(m_window);
  }

  static void Clock(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s) {
    SYSTEMTIME t = {};
    t.wYear = y;
    t.wMonth = mo;
    t.wDay = d;
    t.wHour = h;
    t.wMinute = mi;
    t.wSecond = s;
    ASSERT_TRUE(Timing_SetTestClock(&t));
  }

  // Takes the scheduler events waiting in the window's queue.
  std::vector<Event> Events() {
    std::vector<Event> out;
    MSG msg;
    while (PeekMessageA(&msg, m_window, WM_TIMING_EVENT, WM_TIMING_EVENT, PM_REMOVE)) {
      out.emplace_back(reinterpret_cast<HTIMINGITEM>(msg.wParam), static_cast<long>(msg.lParam));
    }
    return out;
  }

  static std::vector<HTIMINGITEM> Walk() {
    std::vector<HTIMINGITEM> items;
    for (HTIMINGITEM i = Timing_GetFirstItem(0); i; i = Timing_GetNextItem(0, i)) items.push_back(i);
    return items;
  }

  static HTIMINGITEM Insert(const _tagTimingParam& timing, long length = 3600) {
    _tagExcuteParam e = Excute(length, 0, 1, 48250);
    return Timing_InsertItem(0, timing, &e);
  }

  // The two items most cases meet: a one-shot hour on Monday 2024-06-03 from 20:00, and half an
  // hour every Wednesday from 08:00, beginning 2024-06-05.
  static HTIMINGITEM InsertEvening() { return Insert(OneShot(2024, 6, 3, 20, 0, 0, 3600)); }
  static HTIMINGITEM InsertWednesdays() { return Insert(Weekly(2024, 6, 5, 8, 0, 0, 1800, kWed), 1800); }

  // A schedule of those two, opened that Monday at the hour given.
  void OpenMonday(WORD hour, HTIMINGITEM* evening, HTIMINGITEM* wednesdays) {
    Open();
    Clock(2024, 6, 3, hour, 0, 0);
    *evening = InsertEvening();
    *wednesdays = InsertWednesdays();
    ASSERT_TRUE(*evening && *wednesdays);
  }

  static void ExpectRecords(HTIMINGITEM item, const _tagTimingParam& timing, const _tagExcuteParam& excute) {
    _tagTimingParam t;
    _tagExcuteParam e;
    ASSERT_TRUE(Timing_GetItemTimingParam(item, &t));
    ASSERT_TRUE(Timing_GetItemExcuteParam(item, &e, sizeof e));
    EXPECT_EQ(0, std::memcmp(&t, &timing, sizeof t));
    EXPECT_EQ(0, std::memcmp(&e, &excute, sizeof e));
  }

  std::string m_dir;
  std::string m_file;
  HWND m_window = nullptr;
};

TEST_F(TamblinTest, ExportsPlainNames) {
  HMODULE dll = GetModuleHandleA("Tamblin.dll");
  ASSERT_NE(nullptr, dll);
  for (const char* name :
       {"Timing_Initialize", "Timing_RegisterMsgWnd", "Timing_StartTrigger", "Timing_StopTrigger",
        "Timing_RefreshTrigger", "Timing_Uninitialize", "Timing_InsertItem", "Timing_UpdateItem",
        "Timing_RemoveItem", "Timing_CheckItem", "Timing_CancelItem", "Timing_GetFirstItem", "Timing_GetNextItem",
        "Timing_GetItemTimingParam", "Timing_GetItemExcuteParam", "Timing_SetTestClock"}) {
    EXPECT_NE(nullptr, GetProcAddress(dll, name)) << name;
  }
}

TEST_F(TamblinTest, InsertUpdateRemoveAndWalk) {
  Open();
  EXPECT_EQ(nullptr, Timing_GetFirstItem(0));
  Clock(2024, 6, 1, 12, 0, 0);
  HTIMINGITEM a = InsertEvening();
  HTIMINGITEM b = InsertWednesdays();
  HTIMINGITEM c = Insert(OneShot(2024, 6, 4, 9, 0, 0, 60), 60);
  ASSERT_TRUE(a && b && c);
  EXPECT_EQ((std::vector<HTIMINGITEM>{a, b, c}), Walk());
  ExpectRecords(b, Weekly(2024, 6, 5, 8, 0, 0, 1800, kWed), Excute(1800, 0, 1, 48250));

  char buffer[41];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_FALSE(Timing_GetItemExcuteParam(a, buffer, 39));
  EXPECT_EQ('x', buffer[0]);

  // An update keeps the item's place.
  _tagExcuteParam radio = Excute(1200, 3, 4, 97100);
  ASSERT_TRUE(Timing_UpdateItem(a, OneShot(2024, 6, 3, 21, 0, 0, 1200), &radio));
  EXPECT_EQ((std::vector<HTIMINGITEM>{a, b, c}), Walk());
  ExpectRecords(a, OneShot(2024, 6, 3, 21, 0, 0, 1200), radio);

  ASSERT_TRUE(Timing_RemoveItem(a));
  EXPECT_EQ((std::vector<HTIMINGITEM>{b, c}), Walk());
  EXPECT_EQ((std::vector<Event>{{a, TIMING_EVENT_REMOVED}}), Events());
  // A handle that left names nothing, and is never handed out again.
  _tagTimingParam t;
  EXPECT_FALSE(Timing_GetItemTimingParam(a, &t));
  EXPECT_EQ(nullptr, Timing_GetNextItem(0, a));
  EXPECT_FALSE(Timing_RemoveItem(a));
  EXPECT_FALSE(Timing_UpdateItem(a, OneShot(2024, 6, 3, 21, 0, 0, 1200), &radio));
  EXPECT_NE(a, Insert(OneShot(2024, 6, 9, 9, 0, 0, 60)));
}

TEST_F(TamblinTest, CheckItemResults) {
  HTIMINGITEM evening, wednesdays;
  ASSERT_NO_FATAL_FAILURE(OpenMonday(12, &evening, &wednesdays));

  struct Case {
    const char* what;
    _tagTimingParam timing;
    long result;
    HTIMINGITEM met;
  } cases[] = {
      {"free", OneShot(2024, 6, 3, 21, 0, 0, 60), TIMING_ITEM_NORMAL, nullptr},
      {"ends as the other starts", OneShot(2024, 6, 3, 19, 0, 0, 3600), TIMING_ITEM_NORMAL, nullptr},
      {"one second into the other", OneShot(2024, 6, 3, 19, 0, 0, 3601), TIMING_ITEM_OVERLAP, evening},
      {"starts in its last second", OneShot(2024, 6, 3, 20, 59, 59, 0), TIMING_ITEM_OVERLAP, evening},
      {"starts as the other ends", OneShot(2024, 6, 3, 21, 0, 0, 0), TIMING_ITEM_NORMAL, nullptr},
      {"in a weekly span", OneShot(2024, 6, 12, 8, 29, 59, 1), TIMING_ITEM_OVERLAP, wednesdays},
      {"after a weekly span", OneShot(2024, 6, 12, 8, 30, 0, 1), TIMING_ITEM_NORMAL, nullptr},
      {"weekly item's day before it begins", OneShot(2024, 5, 29, 8, 0, 0, 60), TIMING_ITEM_EXPIRED, nullptr},
      {"one second ago", OneShot(2024, 6, 3, 11, 59, 59, 60), TIMING_ITEM_EXPIRED, nullptr},
      {"now", OneShot(2024, 6, 3, 12, 0, 0, 60), TIMING_ITEM_NORMAL, nullptr},
      {"weekly, ends as the other starts", Weekly(2024, 6, 3, 7, 45, 0, 900, 1 | kWed), TIMING_ITEM_NORMAL,
       nullptr},
      {"weekly into weekly", Weekly(2024, 6, 3, 7, 45, 0, 901, kWed), TIMING_ITEM_OVERLAP, wednesdays},
      {"weekly over midnight into weekly", Weekly(2024, 6, 3, 23, 0, 0, 9 * 3600 + 1, 1 << 1),
       TIMING_ITEM_OVERLAP, wednesdays},
      {"weekly over a one-shot", Weekly(2024, 6, 3, 20, 30, 0, 60, 1), TIMING_ITEM_OVERLAP, evening},
      {"weekly begun after the one-shot", Weekly(2024, 6, 4, 20, 30, 0, 60, 1), TIMING_ITEM_NORMAL, nullptr},
      {"weekly begun in the past", Weekly(2020, 1, 1, 6, 0, 0, 60, 0x7F), TIMING_ITEM_NORMAL, nullptr},
      {"leap day", OneShot(2028, 2, 29, 0, 0, 0, 60), TIMING_ITEM_NORMAL, nullptr},
      {"no leap day", OneShot(2027, 2, 29, 0, 0, 0, 60), TIMING_ITEM_INVALID, nullptr},
      {"month 13", OneShot(2024, 13, 1, 0, 0, 0, 60), TIMING_ITEM_INVALID, nullptr},
      {"April 31", OneShot(2024, 4, 31, 0, 0, 0, 60), TIMING_ITEM_INVALID, nullptr},
      {"hour 24", OneShot(2024, 7, 1, 24, 0, 0, 60), TIMING_ITEM_INVALID, nullptr},
      {"second 60", OneShot(2024, 7, 1, 0, 0, 60, 60), TIMING_ITEM_INVALID, nullptr},
      {"negative length", OneShot(2024, 7, 1, 0, 0, 0, -1), TIMING_ITEM_INVALID, nullptr},
      {"weekly without a day", Weekly(2024, 7, 1, 0, 0, 0, 60, 0), TIMING_ITEM_INVALID, nullptr},
      {"weekly a week long", Weekly(2024, 7, 1, 0, 0, 0, 7 * 86400, 1), TIMING_ITEM_INVALID, nullptr},
  };
  for (const Case& c : cases) {
    long result = -1;
    EXPECT_EQ(c.met, Timing_CheckItem(0, nullptr, c.timing, &result)) << c.what;
    EXPECT_EQ(c.result, result) << c.what;
    // Insert takes exactly what the check allows, and refuses without a trace.
    HTIMINGITEM inserted = Insert(c.timing);
    EXPECT_EQ(c.result <= TIMING_ITEM_EXPIRED, inserted != nullptr) << c.what;
    if (inserted) Timing_RemoveItem(inserted);
    EXPECT_EQ(2u, Walk().size()) << c.what;
  }

  // An item checked for its own new record is not met by itself.
  long result = -1;
  _tagTimingParam later = OneShot(2024, 6, 3, 20, 30, 0, 3600);
  EXPECT_EQ(nullptr, Timing_CheckItem(0, evening, later, &result));
  EXPECT_EQ(TIMING_ITEM_NORMAL, result);
  EXPECT_EQ(evening, Timing_CheckItem(0, wednesdays, later, &result));
  EXPECT_EQ(TIMING_ITEM_OVERLAP, result);
  _tagExcuteParam e = Excute(3600, 0, 1, 48250);
  EXPECT_FALSE(Timing_UpdateItem(wednesdays, later, &e));
  EXPECT_TRUE(Timing_UpdateItem(evening, later, &e));
}

TEST_F(TamblinTest, ScheduleBoundedBySize) {
  Open(2);
  Clock(2024, 6, 1, 0, 0, 0);
  ASSERT_TRUE(Insert(OneShot(2024, 6, 2, 10, 0, 0, 60)));
  HTIMINGITEM second = Insert(OneShot(2024, 6, 2, 11, 0, 0, 60));
  ASSERT_TRUE(second);
  long result = -1;
  Timing_CheckItem(0, nullptr, OneShot(2024, 6, 2, 12, 0, 0, 60), &result);
  EXPECT_EQ(TIMING_ITEM_INVALID, result);
  EXPECT_EQ(nullptr, Insert(OneShot(2024, 6, 2, 12, 0, 0, 60)));
  Timing_CheckItem(0, second, OneShot(2024, 6, 2, 12, 0, 0, 60), &result);
  EXPECT_EQ(TIMING_ITEM_NORMAL, result);
}

TEST_F(TamblinTest, FileWrittenAsDocumentedAndReadBack) {
  Open();
  Clock(2024, 6, 1, 0, 0, 0);
  _tagExcuteParam e0 = FileExcute(0), e1 = FileExcute(1);
  HTIMINGITEM first = Timing_InsertItem(0, kFileTiming[0], &e0);
  ASSERT_TRUE(first && Timing_InsertItem(0, kFileTiming[1], &e1));
  const std::string golden = Golden();
  EXPECT_EQ(golden, ReadBytes(m_file));
  EXPECT_FALSE(Exists(m_file + ".tmp"));

  // Read back by a new start of the library, and from the same text with LF line ends.
  for (bool lfOnly : {false, true}) {
    Timing_Uninitialize();
    if (lfOnly) {
      std::string lf = golden;
      for (size_t p; (p = lf.find('\r')) != std::string::npos;) lf.erase(p, 1);
      WriteBytes(m_file, lf);
    }
    Open();
    std::vector<HTIMINGITEM> items = Walk();
    ASSERT_EQ(2u, items.size()) << lfOnly;
    for (int i = 0; i < 2; ++i) ExpectRecords(items[i], kFileTiming[i], FileExcute(i));
    EXPECT_FALSE(Exists(m_file + ".bak"));
  }

  // Every change rewrites the file.
  ASSERT_TRUE(Timing_RemoveItem(Timing_GetFirstItem(0)));
  size_t line2 = golden.find("\r\n") + 2, line3 = golden.find("\r\n", line2) + 2;
  EXPECT_EQ(golden.substr(0, line2) + golden.substr(line3, golden.find("end") - line3) + "end 1\r\n",
            ReadBytes(m_file));
}

TEST_F(TamblinTest, ChangeTheFileRefusesIsUndone) {
  Open();
  Clock(2024, 6, 1, 0, 0, 0);
  HTIMINGITEM kept = Insert(OneShot(2024, 6, 2, 10, 0, 0, 60), 60);
  ASSERT_TRUE(kept);
  const std::string before = ReadBytes(m_file);
  // The temporary file's name taken by a folder: the schedule cannot be written.
  ASSERT_TRUE(CreateDirectoryA((m_file + ".tmp").c_str(), nullptr));
  _tagExcuteParam e = Excute(60, 0, 1, 48250);
  EXPECT_EQ(nullptr, Insert(OneShot(2024, 6, 3, 10, 0, 0, 60)));
  EXPECT_FALSE(Timing_UpdateItem(kept, OneShot(2024, 6, 4, 10, 0, 0, 60), &e));
  EXPECT_FALSE(Timing_RemoveItem(kept));
  EXPECT_EQ(std::vector<HTIMINGITEM>{kept}, Walk());
  ExpectRecords(kept, OneShot(2024, 6, 2, 10, 0, 0, 60), e);
  EXPECT_TRUE(Events().empty());
  EXPECT_EQ(before, ReadBytes(m_file));
}

TEST_F(TamblinTest, DamagedFileSetAside) {
  const std::string golden = Golden();
  std::string wrongMonth = golden;
  wrongMonth.replace(wrongMonth.find("2024 6 3"), 8, "2024 13 3");
  std::string hugeNumber = golden;
  hugeNumber.replace(hugeNumber.find("471250"), 6, "2147483648");
  std::string shortLine = golden;
  shortLine.erase(shortLine.find(" 0 0 0\r\n"), 2);
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"cut inside an item", golden.substr(0, golden.find("87500"))},
      {"cut before the end line", golden.substr(0, golden.find("end"))},
      {"cut before the last line end", golden.substr(0, golden.size() - 2)},
      {"count wrong", golden.substr(0, golden.find("end")) + "end 3\r\n"},
      {"empty", ""},
      {"not ours", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
      {"a month out of range", wrongMonth},
      {"a number beyond 32 bits", hugeNumber},
      {"a line one number short", shortLine},
  };
  for (const Case& c : cases) {
    WriteBytes(m_file + ".bak", "an older damaged file");
    WriteBytes(m_file, c.bytes);
    Open();
    EXPECT_EQ(nullptr, Timing_GetFirstItem(0)) << c.what;
    EXPECT_EQ(c.bytes, ReadBytes(m_file + ".bak")) << c.what;
    EXPECT_FALSE(Exists(m_file)) << c.what;
    // The empty schedule works and writes a sound file.
    Clock(2024, 6, 1, 0, 0, 0);
    ASSERT_TRUE(Insert(OneShot(2024, 6, 2, 10, 0, 0, 60))) << c.what;
    EXPECT_EQ(0u, ReadBytes(m_file).find("Tamblin schedule 1\r\n")) << c.what;
    EXPECT_EQ(c.bytes, ReadBytes(m_file + ".bak")) << c.what;
    Timing_Uninitialize();
    DeleteFileA(m_file.c_str());
  }
}

TEST_F(TamblinTest, EventsAtTheirTimes) {
  HTIMINGITEM evening, wednesdays;
  ASSERT_NO_FATAL_FAILURE(OpenMonday(19, &evening, &wednesdays));

  // Nothing fires before the trigger starts.
  Clock(2024, 6, 3, 20, 0, 0);
  EXPECT_TRUE(Events().empty());
  Clock(2024, 6, 3, 19, 59, 59);
  ASSERT_TRUE(Timing_StartTrigger(0));
  EXPECT_TRUE(Events().empty());

  typedef std::vector<Event> Events_;
  struct Step {
    WORD d, h, mi, s;
    Events_ events;
  } steps[] = {
      {3, 20, 0, 0, {{evening, TIMING_EVENT_STARTED}}},
      {3, 20, 59, 59, {}},
      {3, 21, 0, 0, {{evening, TIMING_EVENT_STOPPED}, {evening, TIMING_EVENT_REMOVED}}},
      {5, 7, 59, 59, {}},
      {5, 8, 0, 0, {{wednesdays, TIMING_EVENT_STARTED}}},
      {5, 8, 30, 0, {{wednesdays, TIMING_EVENT_STOPPED}}},
      {12, 7, 59, 59, {}},
      {12, 8, 0, 0, {{wednesdays, TIMING_EVENT_STARTED}}},
      {12, 8, 29, 59, {}},
      {12, 8, 30, 0, {{wednesdays, TIMING_EVENT_STOPPED}}},
  };
  for (const Step& s : steps) {
    Clock(2024, 6, s.d, s.h, s.mi, s.s);
    EXPECT_EQ(s.events, Events()) << s.d << " " << s.h << ":" << s.mi << ":" << s.s;
  }
  EXPECT_EQ(std::vector<HTIMINGITEM>{wednesdays}, Walk());
  EXPECT_EQ(std::string::npos, ReadBytes(m_file).find("2024 6 3 20 0 0"));

  // A span that went by unseen is skipped: a one-shot item leaves, a weekly item waits a week.
  HTIMINGITEM missed = Insert(OneShot(2024, 6, 13, 10, 0, 0, 60), 60);
  Clock(2024, 6, 13, 11, 0, 0);
  EXPECT_EQ((Events_{{missed, TIMING_EVENT_REMOVED}}), Events());
  Clock(2024, 6, 19, 9, 0, 0);
  EXPECT_TRUE(Events().empty());
  Clock(2024, 6, 26, 8, 0, 0);
  EXPECT_EQ((Events_{{wednesdays, TIMING_EVENT_STARTED}}), Events());

  // While it runs, a new item over it meets the running item.
  long result = -1;
  EXPECT_EQ(wednesdays, Timing_CheckItem(0, nullptr, OneShot(2024, 6, 26, 8, 20, 0, 60), &result));
  EXPECT_EQ(TIMING_ITEM_OVERLAP_RUNNING, result);

  // Back-to-back items: the stop comes before the next start.
  Clock(2024, 6, 26, 8, 30, 0);
  Events();
  HTIMINGITEM first = Insert(OneShot(2024, 6, 27, 10, 0, 0, 3600));
  HTIMINGITEM second = Insert(OneShot(2024, 6, 27, 11, 0, 0, 3600));
  Clock(2024, 6, 27, 10, 0, 0);
  Clock(2024, 6, 27, 11, 0, 0);
  EXPECT_EQ((Events_{{first, TIMING_EVENT_STARTED},
                     {first, TIMING_EVENT_STOPPED},
                     {first, TIMING_EVENT_REMOVED},
                     {second, TIMING_EVENT_STARTED}}),
            Events());
}

TEST_F(TamblinTest, RunningItemCancelledRemovedOrUpdated) {
  Open();
  Clock(2024, 6, 4, 0, 0, 0);
  HTIMINGITEM wednesdays = InsertWednesdays();
  HTIMINGITEM once = Insert(OneShot(2024, 6, 4, 10, 0, 0, 3600));
  HTIMINGITEM removed = Insert(OneShot(2024, 6, 4, 12, 0, 0, 3600));
  HTIMINGITEM updated = Insert(OneShot(2024, 6, 4, 14, 0, 0, 3600));
  ASSERT_TRUE(Timing_StartTrigger(0));
  typedef std::vector<Event> Events_;

  // A cancelled one-shot item leaves the schedule; with nothing running, cancel does nothing.
  Clock(2024, 6, 4, 10, 0, 0);
  EXPECT_EQ((Events_{{once, TIMING_EVENT_STARTED}}), Events());
  Timing_CancelItem(0);
  EXPECT_EQ((Events_{{once, TIMING_EVENT_REMOVED}}), Events());
  Timing_CancelItem(0);
  EXPECT_TRUE(Events().empty());

  Clock(2024, 6, 4, 12, 0, 0);
  EXPECT_EQ((Events_{{removed, TIMING_EVENT_STARTED}}), Events());
  ASSERT_TRUE(Timing_RemoveItem(removed));
  EXPECT_EQ((Events_{{removed, TIMING_EVENT_STOPPED}, {removed, TIMING_EVENT_REMOVED}}), Events());

  Clock(2024, 6, 4, 14, 0, 0);
  EXPECT_EQ((Events_{{updated, TIMING_EVENT_STARTED}}), Events());
  _tagExcuteParam e = Excute(3600, 0, 1, 48250);
  ASSERT_TRUE(Timing_UpdateItem(updated, OneShot(2024, 6, 4, 16, 0, 0, 3600), &e));
  EXPECT_EQ((Events_{{updated, TIMING_EVENT_STOPPED}}), Events());
  Clock(2024, 6, 4, 16, 0, 0);
  EXPECT_EQ((Events_{{updated, TIMING_EVENT_STARTED}}), Events());
  Clock(2024, 6, 4, 17, 0, 0);
  EXPECT_EQ((Events_{{updated, TIMING_EVENT_STOPPED}, {updated, TIMING_EVENT_REMOVED}}), Events());

  // A cancelled weekly item: no stop, no new start within the same span, back next week.
  Clock(2024, 6, 5, 8, 0, 0);
  EXPECT_EQ((Events_{{wednesdays, TIMING_EVENT_STARTED}}), Events());
  Timing_CancelItem(0);
  EXPECT_TRUE(Events().empty());
  Clock(2024, 6, 5, 8, 29, 59);
  EXPECT_TRUE(Events().empty());
  Clock(2024, 6, 12, 8, 0, 0);
  EXPECT_EQ((Events_{{wednesdays, TIMING_EVENT_STARTED}}), Events());
  EXPECT_EQ(std::vector<HTIMINGITEM>{wednesdays}, Walk());
}

TEST_F(TamblinTest, LateAndRefreshedStarts) {
  Open();
  Clock(2024, 6, 4, 0, 0, 0);
  HTIMINGITEM late = Insert(OneShot(2024, 6, 4, 10, 0, 0, 3600));
  HTIMINGITEM wednesdays = InsertWednesdays();
  typedef std::vector<Event> Events_;

  // The trigger starts inside an item's span: the item starts at once.
  Clock(2024, 6, 4, 10, 30, 0);
  ASSERT_TRUE(Timing_StartTrigger(0));
  EXPECT_EQ((Events_{{late, TIMING_EVENT_STARTED}}), Events());
  Clock(2024, 6, 4, 11, 0, 0);
  Events();

  // An item stored inside its span starts at once too.
  long result = -1;
  _tagTimingParam begun = OneShot(2024, 6, 4, 11, 30, 0, 3600);
  Clock(2024, 6, 4, 12, 0, 0);
  Timing_CheckItem(0, nullptr, begun, &result);
  EXPECT_EQ(TIMING_ITEM_EXPIRED, result);
  HTIMINGITEM stored = Insert(begun);
  EXPECT_EQ((Events_{{stored, TIMING_EVENT_STARTED}}), Events());
  Timing_CancelItem(0);
  Events();

  // The clock set back after a weekly span: only a refresh arms the span again.
  Clock(2024, 6, 5, 8, 0, 0);
  Clock(2024, 6, 5, 8, 30, 0);
  EXPECT_EQ((Events_{{wednesdays, TIMING_EVENT_STARTED}, {wednesdays, TIMING_EVENT_STOPPED}}), Events());
  Clock(2024, 6, 5, 7, 0, 0);
  Clock(2024, 6, 5, 8, 0, 0);
  EXPECT_TRUE(Events().empty());
  Clock(2024, 6, 5, 7, 0, 0);
  Timing_RefreshTrigger(0);
  Clock(2024, 6, 5, 8, 0, 0);
  EXPECT_EQ((Events_{{wednesdays, TIMING_EVENT_STARTED}}), Events());
}

// The system clock, through the library's own thread: an item two seconds ahead starts by itself.
TEST_F(TamblinTest, FiresOnTheSystemClock) {
  Open();
  ASSERT_TRUE(Timing_StartTrigger(0));
  SYSTEMTIME now;
  GetLocalTime(&now);
  FILETIME ft;
  SystemTimeToFileTime(&now, &ft);
  ULARGE_INTEGER t = {{ft.dwLowDateTime, ft.dwHighDateTime}};
  t.QuadPart += 2 * 10000000ULL;
  ft = {t.LowPart, t.HighPart};
  SYSTEMTIME start;
  FileTimeToSystemTime(&ft, &start);
  HTIMINGITEM item =
      Insert(OneShot(start.wYear, start.wMonth, start.wDay, start.wHour, start.wMinute, start.wSecond, 1), 1);
  ASSERT_TRUE(item);

  std::vector<Event> got;
  const DWORD deadline = GetTickCount() + 10000;
  while (got.size() < 3 && GetTickCount() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, deadline - GetTickCount(), QS_POSTMESSAGE);
    for (const Event& e : Events()) got.push_back(e);
  }
  EXPECT_EQ((std::vector<Event>{{item, TIMING_EVENT_STARTED}, {item, TIMING_EVENT_STOPPED}, {item, TIMING_EVENT_REMOVED}}),
            got);
}

}  // namespace
