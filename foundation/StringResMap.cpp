#include "foundation/StringResMap.h"

CStringResMap::~CStringResMap()
{
}

BOOL CStringResMap::AddString(DWORD key, UINT stringId)
{
    CString text;
    if (!text.LoadString(stringId))
        return FALSE;
    SetAt(key, text);
    return TRUE;
}

CString CStringResMap::GetString(DWORD key) const
{
    CString text;
    if (!Lookup(key, text))
        text.Empty();
    return text;
}
