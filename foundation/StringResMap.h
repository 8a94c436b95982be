#pragma once
#include "platform/afx/Map.h"
#include "platform/afx/String.h"

// Texts by number; the engine keeps the country names of the telephony country list here, keyed
// by country code.
class CStringResMap : public CMap<DWORD, DWORD, CString, LPCSTR>
{
public:
    CStringResMap() : CMap<DWORD, DWORD, CString, LPCSTR>(10) {}
    virtual ~CStringResMap();

    // Stores the string resource under the key; FALSE (and nothing stored) when there is no such string.
    BOOL AddString(DWORD key, UINT stringId);
    // The text under the key, empty when there is none.
    CString GetString(DWORD key) const;
};
