#include "engine/TVEngine.h"

#include <algorithm>
#include <new>
#include <vector>

#include "engine/EngineWindows.h"
#include "engine/FrequencyPlans.h"
#include "foundation/RegistryKey.h"
#include "foundation/Trace.h"

namespace
{
const char kTelephonyCountryKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Country List\\";
const char kTaiwanName[] = "台灣地區";
const LANGID kLangChineseTaiwan = 1028;
const LANGID kLangChineseMacau = 3076;
const int kCountryTaiwan = 886;
const int kCountryNorthAmerica = 1;
} // namespace

BOOL CTVEngine::LoadCountryList()
{
    m_CountryNames.RemoveAll();
    for (int i = 0; i < g_nTelephonyCountryCodes; ++i)
    {
        CString key;
        key.Format("%s%d", kTelephonyCountryKey, g_TelephonyCountryCodes[i]);
        CRegistryKey reg;
        CString name;
        if (reg.Open(HKEY_LOCAL_MACHINE, key) == ERROR_SUCCESS && reg.QueryString("Name", name) == ERROR_SUCCESS)
            m_CountryNames[static_cast<DWORD>(g_TelephonyCountryCodes[i])] = name;
    }
    LANGID lang = GetSystemDefaultLangID();
    if (lang == kLangChineseTaiwan || lang == kLangChineseMacau)
        m_CountryNames[kCountryTaiwan] = kTaiwanName;
    CString northAmerica = m_CountryNames.GetString(kCountryNorthAmerica);
    m_CountryNames[kCountryNorthAmerica] = northAmerica + "(IRC)";
    m_CountryNames[COUNTRY_CODE_HRC] = northAmerica + "(HRC)";
    CString regional;
    regional.LoadString(IDS_REGIONAL_CODE_NAME);
    m_CountryNames[COUNTRY_CODE_REGIONAL] = regional;
    return m_CountryNames.GetCount() > 0;
}

BOOL CTVEngine::SelectPointTable()
{
    if (IsFreeScanInput())
        return 0;
    const float* pUserPoints = NULL;
    int nUserCount = 0;
    CString countryName = m_CountryNames.GetString(static_cast<DWORD>(CountryCode));
    if (m_FreqPoints.Find(CountryCode, countryName, TVInput, &pUserPoints, &nUserCount))
        return SetPointTable(pUserPoints, nUserCount);

    const FREQUENCY_PLAN* pPlan = FindFrequencyPlan(CountryCode, TVInput);
    if (pPlan == NULL)
        return 0;
    std::vector<float> points(static_cast<size_t>(pPlan->nCount));
    for (int i = 0; i < pPlan->nCount; ++i)
        points[i] = static_cast<float>(pPlan->pFrequencies[i] / 1000000.0);
    return SetPointTable(points.data(), pPlan->nCount);
}

BOOL CTVEngine::SetPointTable(const float* pList, int nCount)
{
    if (pList == NULL || nCount <= 0)
        return 0;
    // The tuner keeps a pointer to the list while it may scan, so the engine owns a copy of its
    // own and lets the previous one go only once the device has taken the new one.
    float* pCopy = new (std::nothrow) float[nCount];
    if (pCopy == NULL)
        return 0;
    std::copy(pList, pList + nCount, pCopy);
    for (int i = 0; i < nCount - 1; ++i)
    {
        int nSmallest = i;
        for (int j = i + 1; j < nCount; ++j)
        {
            if (pCopy[j] < pCopy[nSmallest])
                nSmallest = j;
        }
        std::swap(pCopy[i], pCopy[nSmallest]);
    }
    if (!m_TVHardWare.SetScanList(pCopy, nCount))
    {
        DebugHelperTrace("scan list of %d points refused", nCount);
        delete[] pCopy;
        return 0;
    }
    delete[] m_pPointList;
    m_pPointList = pCopy;
    m_nPointCount = nCount;
    return 1;
}

BOOL CTVEngine::StartChannelScan(int nMode)
{
    if (!IsFreeScanInput())
        SelectPointTable();
    m_bScanning = m_TVHardWare.StartChannelScan(nMode == 1, IsFreeScanInput());
    if (m_bScanning)
        m_pWindows->OnSearchBegin();
    return m_bScanning;
}

void CTVEngine::StopChannelScan()
{
    if (!m_bScanning)
        return;
    m_TVHardWare.StopChannelScan();
    m_bScanning = FALSE;
}

void CTVEngine::EndChannelScan(CChannelTable* pFound)
{
    m_bScanning = FALSE;
    CChannelTable* pTable = GetChannelTable();
    if (pTable == NULL)
        return;
    if (pTable->m_bReservePrev && pFound != NULL)
        pTable->MergeFrom(*pFound);
    if (IsTVInput())
    {
        CFreqNameMap names;
        if (m_ChannelAddress.GetChannelNames(CountryCode, City, names) && names.GetCount() > 0)
            pTable->ApplyNames(names);
    }
    pTable->SetModified(TRUE);
}

BOOL CTVEngine::GetDefaultChannelNames(CFreqNameMap& names)
{
    if (!IsTVInput())
        return 0;
    return m_ChannelAddress.GetChannelNames(CountryCode, City, names);
}

BOOL CTVEngine::LoadChannelList(int nCountryCode, LPCSTR pszListName)
{
    CFreqNameMap names;
    m_ChannelAddress.GetChannelNames(nCountryCode, pszListName, names);
    return BuildChannelTable(names);
}

BOOL CTVEngine::BuildChannelTable(const CFreqNameMap& names)
{
    m_TVTable.RemoveAll();
    long frequency = 0;
    CString name;
    for (POSITION pos = names.GetStartPosition(); pos;)
    {
        names.GetNextAssoc(pos, frequency, name);
        m_TVTable.Add(new CChannelItem(1, frequency, name, 1));
    }
    SortChannelTable(m_TVTable);
    return 1;
}

void CTVEngine::SortChannelTable(CChannelTable& table)
{
    std::vector<CChannelItem*> items;
    for (int i = 0; i < table.GetCount(); ++i)
        items.push_back(table.GetChannel(i));
    std::stable_sort(items.begin(), items.end(),
                     [](const CChannelItem* a, const CChannelItem* b) { return a->Frequency < b->Frequency; });
    for (size_t i = 0; i < items.size(); ++i)
        table.SetAt(static_cast<INT_PTR>(i), items[i]);
}
