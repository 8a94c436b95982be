#include <algorithm>
#include <vector>

#include "engine/TVEngine.h"

BOOL CTVEngine::LoadChannelList(int nCountryCode, LPCSTR pszListName)
{
    CFreqNameMap names;
    if (!m_ChannelAddress.GetChannelNames(nCountryCode, pszListName ? pszListName : "", names))
        return FALSE;
    std::vector<long> frequencies;
    POSITION pos = names.GetStartPosition();
    while (pos)
    {
        long frequency = 0;
        CString name;
        names.GetNextAssoc(pos, frequency, name);
        frequencies.push_back(frequency);
    }
    std::sort(frequencies.begin(), frequencies.end());
    m_TVTable.RemoveAll();
    DWORD id = 0;
    for (long frequency : frequencies)
    {
        CString name;
        names.Lookup(frequency, name);
        m_TVTable.Add(new CChannelItem(++id, frequency, name, CChannelItem::FLAG_NEW));
    }
    m_TVTable.m_nCurIndex = 0;
    m_TVTable.SetModified(TRUE);
    return TRUE;
}
