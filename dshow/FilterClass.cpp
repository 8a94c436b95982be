#include "dshow/FilterClass.h"

#include "dshow/DShowText.h"
#include "dshow/FilterNode.h"

#include <cstring>

extern const CFilterClass g_aFilterClasses[];
extern const int g_nFilterClasses;

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

const CFilterClass* CFilterClass::FindByClsid(REFCLSID clsid)
{
    for (int i = 0; i < g_nFilterClasses; ++i)
    {
        if (g_aFilterClasses[i].MatchClsid(clsid))
            return &g_aFilterClasses[i];
    }
    return NULL;
}

const CFilterClass* CFilterClass::FindByCategory(REFGUID category, LPCSTR pszWanted)
{
    for (int i = 0; i < g_nFilterClasses; ++i)
    {
        if (g_aFilterClasses[i].MatchCategory(category, pszWanted))
            return &g_aFilterClasses[i];
    }
    return NULL;
}

int CFilterClass::GetCount()
{
    return g_nFilterClasses;
}

const CFilterClass* CFilterClass::GetAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= g_nFilterClasses)
        return NULL;
    return &g_aFilterClasses[nIndex];
}

CFilterNode* CreateNoFilterNode(CDShowGraph*, BOOL, const CFilterClass&)
{
    return NULL;
}
