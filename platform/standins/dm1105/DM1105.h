#pragma once
#include <windows.h>

// The DVB-C chip maker's library, bound by import.
#ifdef __cplusplus
extern "C" {
#endif

// Called by the library for each remote-control key: the context given at registration and a
// value whose low byte is the key code. The caller cleans the stack.
typedef void(__cdecl* PFN_IRKEY_CALLBACK)(DWORD context, DWORD key);

// Nonzero when the callback is registered (one callback at a time; a new one replaces the old).
BOOL WINAPI RegIRkeyCallback(PFN_IRKEY_CALLBACK callback, DWORD reserved, void* context);
BOOL WINAPI UnregIRkeyCallback(void);
// Writes a byte to one of the chip's ports; nonzero on success.
BOOL WINAPI WritePortBYTE(DWORD port, BYTE value);
// EEPROM bytes at address .. address + length - 1 (256 bytes, addresses wrap); nonzero on success.
BOOL WINAPI ReadEEPROM(DWORD address, BYTE* buffer, DWORD length);
BOOL WINAPI WriteEEPROM(DWORD address, const BYTE* buffer, DWORD length);

// Test hooks of the stand-in: a key pressed on the remote (nonzero when a callback took it),
// and the byte last written to a port.
BOOL WINAPI InjectIRkey(DWORD key);
BOOL WINAPI ReadPortBYTE(DWORD port, BYTE* value);

#ifdef __cplusplus
}
#endif
