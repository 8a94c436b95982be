#include "platform/standins/tamblin/ScheduleFile.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/standins/tamblin/TimingCalendar.h"

namespace tamblin {

namespace {

const char kHeader[] = "Tamblin schedule 1";
const int kWords = 20;
// Far beyond any schedule's size: a bigger file is not ours.
const DWORD kMaxFileSize = 4 << 20;

static_assert(sizeof(TimingRecord) == kWords * 4, "a record is twenty 32-bit words");

void ToWords(const TimingRecord& r, long words[kWords]) { std::memcpy(words, &r, sizeof r); }

void FromWords(const long words[kWords], TimingRecord* r) { std::memcpy(r, words, sizeof *r); }

// Splits text into lines, each of which must end with LF (a CR before it is dropped).
bool SplitLines(const std::string& text, std::vector<std::string>* lines) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t lf = text.find('\n', pos);
    if (lf == std::string::npos) return false;
    size_t end = (lf > pos && text[lf - 1] == '\r') ? lf - 1 : lf;
    lines->push_back(text.substr(pos, end - pos));
    pos = lf + 1;
  }
  return true;
}

bool ParseNumber(const char*& p, long* value) {
  bool negative = *p == '-';
  if (negative) ++p;
  if (*p < '0' || *p > '9') return false;
  long long v = 0;
  while (*p >= '0' && *p <= '9') {
    v = v * 10 + (*p++ - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return false;
  *value = static_cast<long>(v);
  return true;
}

bool ParseItemLine(const std::string& line, TimingRecord* record) {
  long words[kWords];
  const char* p = line.c_str();
  for (int i = 0; i < kWords; ++i) {
    if (i > 0 && *p++ != ' ') return false;
    if (!ParseNumber(p, &words[i])) return false;
  }
  if (*p != '\0') return false;
  FromWords(words, record);
  return IsValidTiming(record->timing);
}

}  // namespace

std::string CScheduleFile::Format(const std::vector<TimingRecord>& records) {
  std::string text = std::string(kHeader) + "\r\n";
  for (const TimingRecord& r : records) {
    long words[kWords];
    ToWords(r, words);
    for (int i = 0; i < kWords; ++i) {
      if (i > 0) text += ' ';
      text += std::to_string(words[i]);
    }
    text += "\r\n";
  }
  return text + "end " + std::to_string(records.size()) + "\r\n";
}

bool CScheduleFile::Parse(const std::string& text, std::vector<TimingRecord>* records) {
  std::vector<std::string> lines;
  if (!SplitLines(text, &lines) || lines.size() < 2 || lines.front() != kHeader) return false;
  const size_t count = lines.size() - 2;
  if (lines.back() != "end " + std::to_string(count)) return false;
  std::vector<TimingRecord> out(count);
  for (size_t i = 0; i < count; ++i) {
    if (!ParseItemLine(lines[i + 1], &out[i])) return false;
  }
  records->swap(out);
  return true;
}

CScheduleFile::LoadResult CScheduleFile::Load(const std::string& path, std::vector<TimingRecord>* records) {
  records->clear();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? kMissing : kUnreadable;
  }
  DWORD size = GetFileSize(file, nullptr);
  std::string text;
  bool read = size != INVALID_FILE_SIZE;
  if (read && size <= kMaxFileSize) {
    text.resize(size);
    DWORD got = 0;
    read = size == 0 || (ReadFile(file, &text[0], size, &got, nullptr) && got == size);
  }
  CloseHandle(file);
  if (!read) return kUnreadable;
  if (size <= kMaxFileSize && Parse(text, records)) return kLoaded;

  std::string aside = path + ".bak";
  if (!MoveFileExA(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    char line[64];
    std::snprintf(line, sizeof line, "Tamblin: damaged schedule not set aside (%lu)\n", GetLastError());
    OutputDebugStringA(line);
    return kUnreadable;
  }
  return kSetAside;
}

bool CScheduleFile::Save(const std::string& path, const std::vector<TimingRecord>& records) {
  const std::string text = Format(records);
  const std::string temp = path + ".tmp";
  HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
            written == text.size() && FlushFileBuffers(file);
  CloseHandle(file);
  ok = ok && MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) {
    char line[64];
    std::snprintf(line, sizeof line, "Tamblin: schedule not saved (%lu)\n", GetLastError());
    OutputDebugStringA(line);
    DeleteFileA(temp.c_str());
  }
  return ok;
}

}  // namespace tamblin
