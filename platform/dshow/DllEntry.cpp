#include "platform/dshow/ClassFactory.h"
#include "platform/dshow/ModuleInstance.h"

// The exports every filter module of ours has; each module supplies g_Templates.

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    return DsGetClassObject(g_Templates, g_cTemplates, rclsid, riid, ppv);
}

STDAPI DllCanUnloadNow()
{
    return DsCanUnloadNow();
}

STDAPI AMovieDllRegisterServer2(BOOL bRegister)
{
    return DsRegisterTemplates(DsModuleInstance(), g_Templates, g_cTemplates, bRegister);
}
