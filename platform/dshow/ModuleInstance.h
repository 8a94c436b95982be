#pragma once
#include <windows.h>

// The module (DLL or program) this library is linked into: the one whose resources
// property pages load and whose file name registration writes.
HINSTANCE DsModuleInstance();
