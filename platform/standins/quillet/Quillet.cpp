// Stand-in remote-control service library. The caller loads and frees it around every use, so its
// state lives in the process environment:
//   QUILLET_STATE          service state reported by RSGetStatus (4 = running); default 1
//   QUILLET_STATUS_RESULT  result of RSGetStatus; default 1
//   QUILLET_START_RESULTS  results of successive RSStart calls, comma-separated, the last one
//                          repeating; default 1. A nonzero start sets the state to 4.
//   QUILLET_STOP_RESULT    result of RSStop (which sets the state to 1); default 1
//   QUILLET_CALLS          every call appends its name and ';'
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string GetVar(const char* name, const char* fallback) {
  char buf[1024];
  DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
  if (n == 0 || n >= sizeof buf) return fallback;
  return std::string(buf, n);
}

void SetVar(const char* name, const std::string& value) { SetEnvironmentVariableA(name, value.c_str()); }

void Record(const char* call) { SetVar("QUILLET_CALLS", GetVar("QUILLET_CALLS", "") + call + ";"); }

void SetState(int state) { SetVar("QUILLET_STATE", std::to_string(state)); }

}  // namespace

extern "C" {

__declspec(dllexport) int __cdecl RSGetStatus(int* state) {
  Record("RSGetStatus");
  if (state) *state = std::atoi(GetVar("QUILLET_STATE", "1").c_str());
  return std::atoi(GetVar("QUILLET_STATUS_RESULT", "1").c_str());
}

__declspec(dllexport) int __cdecl RSInstall() {
  Record("RSInstall");
  return 1;
}

__declspec(dllexport) int __cdecl RSUnInstall() {
  Record("RSUnInstall");
  return 1;
}

#ifndef QUILLET_WITHOUT_START
__declspec(dllexport) int __cdecl RSStart() {
  Record("RSStart");
  std::string results = GetVar("QUILLET_START_RESULTS", "1");
  size_t comma = results.find(',');
  int result = std::atoi(results.substr(0, comma).c_str());
  if (comma != std::string::npos) SetVar("QUILLET_START_RESULTS", results.substr(comma + 1));
  if (result) SetState(4);
  return result;
}
#endif

__declspec(dllexport) int __cdecl RSStop() {
  Record("RSStop");
  SetState(1);
  return std::atoi(GetVar("QUILLET_STOP_RESULT", "1").c_str());
}

}  // extern "C"
