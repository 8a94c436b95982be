#include "engine/ChannelAddressTable.h"

#include <cstdlib>

CChannelAddressTable::CChannelAddressTable()
{
}

CChannelAddressTable::~CChannelAddressTable()
{
}

BOOL CChannelAddressTable::Load(LPCSTR pszPath)
{
    m_Ini.RemoveAll();
    m_Ini.SetPathName(pszPath);
    return m_Ini.Load();
}

int CChannelAddressTable::GetKeyTotal(LPCSTR pszSection, LPCSTR pszPrefix)
{
    CString text;
    if (!m_Ini.HasSection(pszSection) || !m_Ini.GetValue(pszSection, "Total", text))
        return 0;
    int total = std::atoi(text);
    int last = m_Ini.GetSection(pszSection)->GetHighestKeyIndex(pszPrefix);
    return total < last + 1 ? total : last + 1;
}

BOOL CChannelAddressTable::GetTableNames(int nCountryCode, CStringArray& names)
{
    CString section, key, value;
    section.Format("%d", nCountryCode);
    int total = GetKeyTotal(section, "Table-");
    BOOL bAny = 0;
    for (int i = 0; i < total; ++i)
    {
        key.Format("Table-%d", i);
        if (!m_Ini.GetValue(section, key, value))
            continue;
        names.Add(value);
        bAny = 1;
    }
    return bAny;
}

// The name ends at the first comma; the frequency is the number after it.
BOOL CChannelAddressTable::GetChannelNames(int nCountryCode, LPCSTR pszListName, CFreqNameMap& names)
{
    CString section(pszListName ? pszListName : "");
    if (section.IsEmpty())
        section.Format("%d-Default", nCountryCode);
    int total = GetKeyTotal(section, "Channel-");
    BOOL bAny = 0;
    CString key, value;
    for (int i = 0; i < total; ++i)
    {
        key.Format("Channel-%d", i);
        if (!m_Ini.GetValue(section, key, value))
            continue;
        int comma = value.Find(',');
        if (comma < 0)
            continue;
        names.SetAt(std::atol(value.Mid(comma + 1)), value.Left(comma));
        bAny = 1;
    }
    return bAny;
}
