#pragma once
#include <dshow.h>

// Registration data of a filter, as IFilterMapper2 takes it. Pin and filter names
// are const here so tables can be written with plain string literals.
typedef REGPINTYPES AMOVIESETUP_MEDIATYPE;

struct AMOVIESETUP_PIN
{
    const WCHAR* strName;              // pin name
    BOOL bRendered;                    // the filter renders this input
    BOOL bOutput;                      // output pin
    BOOL bZero;                        // the filter may have none of this pin
    BOOL bMany;                        // the filter may have several of this pin
    const CLSID* clsConnectsToFilter;  // usually &CLSID_NULL
    const WCHAR* strConnectsToPin;     // usually null
    UINT nMediaTypes;
    const AMOVIESETUP_MEDIATYPE* lpMediaType;
};

struct AMOVIESETUP_FILTER
{
    const CLSID* clsID;
    const WCHAR* strName;
    DWORD dwMerit;
    UINT nPins;
    const AMOVIESETUP_PIN* lpPin;
};

// Writes (or removes) HKCR\CLSID\{clsid} with its InprocServer32 key naming the module.
HRESULT DsRegisterServerKeys(REFCLSID clsid, const WCHAR* pName, HMODULE hModule, const char* pThreadingModel);
HRESULT DsUnregisterServerKeys(REFCLSID clsid);

// Registers (or unregisters) one filter through IFilterMapper2. A null category means
// the DirectShow filters category; a device category (video input, crossbar, ...)
// makes the filter appear in the system device enumerator under pFriendlyName.
HRESULT DsRegisterFilter(IFilterMapper2* pMapper, const AMOVIESETUP_FILTER* pSetup, const CLSID* pCategory,
                         const WCHAR* pFriendlyName, BOOL bRegister);
