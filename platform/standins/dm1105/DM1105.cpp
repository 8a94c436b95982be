// Stand-in for the DVB-C chip maker's library: a 256-byte EEPROM and the chip's ports held in
// memory, and a key callback that is called for each key injected by a test.
#include "platform/standins/dm1105/DM1105.h"

namespace {

CRITICAL_SECTION g_lock;
BYTE g_eeprom[256];
BYTE g_ports[256];
PFN_IRKEY_CALLBACK g_callback = nullptr;
void* g_context = nullptr;

struct Lock {
  Lock() { EnterCriticalSection(&g_lock); }
  ~Lock() { LeaveCriticalSection(&g_lock); }
};

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    InitializeCriticalSection(&g_lock);
    // A fresh EEPROM reads as erased.
    FillMemory(g_eeprom, sizeof g_eeprom, 0xFF);
  } else if (reason == DLL_PROCESS_DETACH) {
    DeleteCriticalSection(&g_lock);
  }
  return TRUE;
}

extern "C" BOOL WINAPI RegIRkeyCallback(PFN_IRKEY_CALLBACK callback, DWORD, void* context) {
  if (!callback)
    return FALSE;
  Lock lock;
  g_callback = callback;
  g_context = context;
  return TRUE;
}

extern "C" BOOL WINAPI UnregIRkeyCallback(void) {
  Lock lock;
  g_callback = nullptr;
  g_context = nullptr;
  return TRUE;
}

extern "C" BOOL WINAPI WritePortBYTE(DWORD port, BYTE value) {
  if (port >= sizeof g_ports)
    return FALSE;
  Lock lock;
  g_ports[port] = value;
  return TRUE;
}

extern "C" BOOL WINAPI ReadEEPROM(DWORD address, BYTE* buffer, DWORD length) {
  if (!buffer || length == 0 || length > sizeof g_eeprom)
    return FALSE;
  Lock lock;
  for (DWORD i = 0; i < length; ++i)
    buffer[i] = g_eeprom[(address + i) & 0xFF];
  return TRUE;
}

extern "C" BOOL WINAPI WriteEEPROM(DWORD address, const BYTE* buffer, DWORD length) {
  if (!buffer || length == 0 || length > sizeof g_eeprom)
    return FALSE;
  Lock lock;
  for (DWORD i = 0; i < length; ++i)
    g_eeprom[(address + i) & 0xFF] = buffer[i];
  return TRUE;
}

extern "C" BOOL WINAPI InjectIRkey(DWORD key) {
  PFN_IRKEY_CALLBACK callback;
  void* context;
  {
    Lock lock;
    callback = g_callback;
    context = g_context;
  }
  if (!callback)
    return FALSE;
  // The chip's library hands the context back in a 32-bit argument.
  callback(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(context)), key);
  return TRUE;
}

extern "C" BOOL WINAPI ReadPortBYTE(DWORD port, BYTE* value) {
  if (port >= sizeof g_ports || !value)
    return FALSE;
  Lock lock;
  *value = g_ports[port];
  return TRUE;
}
