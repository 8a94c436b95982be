#pragma once

#include "platform/afx/Array.h"
#include "platform/afx/String.h"

// One labelled choice of a list the windows show (record formats, video sources, standards).
struct CIdName
{
    int nID;
    CString strName;
};

// Labelled choices in the order they were added; ids are not unique by themselves.
class CIdNameArray : public CArray<CIdName, const CIdName&>
{
public:
    // Appends a record; an existing record with the id stays.
    void SetAt(int nID, LPCSTR pszName);
    // The name of the first record with the id, empty when none has it.
    CString GetName(int nID) const;
};
