#include "platform/dshow/ModuleInstance.h"

HINSTANCE DsModuleInstance()
{
    HMODULE h = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&DsModuleInstance), &h);
    return h;
}
