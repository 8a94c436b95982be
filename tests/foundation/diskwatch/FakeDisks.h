#pragma once
#include <windows.h>
#include <map>
#include <string>

// Disks of chosen sizes in place of the system's space query: root -> {total MB, free MB};
// a root not listed fails the query.
struct FakeDisk {
  ULONGLONG totalMB;
  ULONGLONG freeMB;
};
inline std::map<std::string, FakeDisk>& FakeDisks() {
  static std::map<std::string, FakeDisk> disks;
  return disks;
}
inline BOOL FakeSpaceQuery(LPCSTR root, ULARGE_INTEGER* total, ULARGE_INTEGER* totalFree) {
  auto it = FakeDisks().find(root);
  if (it == FakeDisks().end()) return FALSE;
  total->QuadPart = it->second.totalMB << 20;
  // A few bytes over a whole MB still count as that MB.
  totalFree->QuadPart = (it->second.freeMB << 20) + 1000;
  return TRUE;
}
