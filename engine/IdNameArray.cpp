#include "engine/IdNameArray.h"

void CIdNameArray::SetAt(int nID, LPCSTR pszName)
{
    CIdName record;
    record.nID = nID;
    record.strName = pszName;
    Add(record);
}

CString CIdNameArray::GetName(int nID) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (GetAt(i).nID == nID)
            return GetAt(i).strName;
    }
    return CString();
}
