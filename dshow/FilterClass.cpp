#include "dshow/FilterClass.h"

#include "dshow/DShowText.h"
#include "dshow/FilterNode.h"

#include <cstring>

namespace
{
const CFilterClass* s_pRows = NULL;
int s_nRows = 0;
}

BOOL CFilterClass::MatchClsid(REFCLSID clsid) const
{
    m_bMatchedByName = FALSE;
    if (m_pClsid == NULL)
        return FALSE;
    return std::memcmp(m_pClsid, &clsid, sizeof(CLSID)) == 0;
}

BOOL CFilterClass::MatchCategory(REFGUID category, LPCSTR pszWanted) const
{
    m_bMatchedByName = TRUE;
    if (m_pCategory == NULL || std::memcmp(m_pCategory, &category, sizeof(GUID)) != 0)
        return FALSE;
    // The wanted name goes to the by-device constructor; longer names are
    // cut to the buffer (device names never exceed it).
    CopyAnsi(m_szFriendlyName, NAME_SIZE, pszWanted);
    if (pszWanted == NULL)
        return FALSE;
    return std::strcmp(m_szName, "CLASS_FILTER") == 0 || std::strcmp(m_szName, pszWanted) == 0;
}

CFilterNode* CFilterClass::Create(CDShowGraph* pGraph, BOOL bExclude) const
{
    if (m_pfnCreate == NULL)
        return NULL;
    return m_pfnCreate(pGraph, bExclude, *this);
}

void CFilterClass::SetTable(const CFilterClass* pRows, int nRows)
{
    s_pRows = pRows;
    s_nRows = pRows != NULL && nRows > 0 ? nRows : 0;
}

const CFilterClass* CFilterClass::FindByClsid(REFCLSID clsid)
{
    for (int i = 0; i < s_nRows; ++i)
    {
        if (s_pRows[i].MatchClsid(clsid))
            return &s_pRows[i];
    }
    return NULL;
}

const CFilterClass* CFilterClass::FindByCategory(REFGUID category, LPCSTR pszWanted)
{
    for (int i = 0; i < s_nRows; ++i)
    {
        if (s_pRows[i].MatchCategory(category, pszWanted))
            return &s_pRows[i];
    }
    return NULL;
}

int CFilterClass::GetCount()
{
    return s_nRows;
}

const CFilterClass* CFilterClass::GetAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= s_nRows)
        return NULL;
    return &s_pRows[nIndex];
}

CFilterNode* CreateNoFilterNode(CDShowGraph*, BOOL, const CFilterClass&)
{
    return NULL;
}
