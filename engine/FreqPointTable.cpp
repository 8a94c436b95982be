#include "engine/FreqPointTable.h"

#include "platform/afx/File.h"

#include <cstdio>
#include <cstdlib>

namespace {
// No channel plan comes near this; a damaged header must not ask for gigabytes.
const int kMaxAnnouncedPoints = 4096;
}  // namespace

CFreqPointEntry::CFreqPointEntry(int nCount, int nType, int nCountryCode, LPCSTR pszName)
    : m_pValues(new float[nCount]()), m_nCount(nCount), m_nType(nType), m_nCountryCode(nCountryCode), m_strName(pszName)
{
}

CFreqPointEntry::~CFreqPointEntry()
{
    delete[] m_pValues;
}

void CFreqPointEntry::AddPoint(int nSlot, float value)
{
    if (nSlot >= m_nCount)
    {
        float* pGrown = new float[m_nCount + 1]();
        for (int i = 0; i < m_nCount; ++i)
            pGrown[i] = m_pValues[i];
        delete[] m_pValues;
        m_pValues = pGrown;
        ++m_nCount;
    }
    m_pValues[nSlot] = value;
}

CFreqPointTable::CFreqPointTable()
{
}

CFreqPointTable::~CFreqPointTable()
{
    RemoveAll();
}

void CFreqPointTable::RemoveAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete static_cast<CFreqPointEntry*>(GetAt(i));
    CPtrArray::RemoveAll();
}

CFreqPointEntry* CFreqPointTable::GetEntry(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetSize() ? static_cast<CFreqPointEntry*>(GetAt(nIndex)) : NULL;
}

// A header "[country,type,points,name]" opens a table; each later line's text after its last
// '=' is one point when it begins with a digit.
BOOL CFreqPointTable::LoadFromFile(LPCSTR pszPath)
{
    CStdioFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::typeText))
        return 0;
    RemoveAll();
    CFreqPointEntry* pCurrent = NULL;
    int nSlot = 0;
    CString line;
    while (file.ReadString(line))
    {
        line.Trim();
        if (line.IsEmpty() || line[0] == ';' || line.Left(2) == "//" || line.Left(2) == "\\\\")
            continue;
        if (line[0] == '[')
        {
            pCurrent = NULL;
            char c1, c2, c3;
            int nCountry = 0, nType = 0, nPoints = 0;
            if (std::sscanf(line, "%c%d%c%d%c%d", &c1, &nCountry, &c2, &nType, &c3, &nPoints) != 6 || nPoints < 1)
                continue;
            if (nPoints > kMaxAnnouncedPoints)
                nPoints = kMaxAnnouncedPoints;
            CString name = line.Mid(line.ReverseFind(',') + 1);
            name.TrimRight(']');
            pCurrent = new CFreqPointEntry(nPoints, nType, nCountry, name);
            Add(pCurrent);
            nSlot = 0;
            continue;
        }
        if (pCurrent == NULL)
            continue;
        CString text = line.Mid(line.ReverseFind('=') + 1);
        if (text.IsEmpty() || text[0] < '0' || text[0] > '9')
            continue;
        pCurrent->AddPoint(nSlot++, static_cast<float>(std::atof(text)));
    }
    return 1;
}

BOOL CFreqPointTable::Find(int nCountryCode, LPCSTR pszName, int nType, const float** ppValues, int* pnCount) const
{
    for (int i = 0; i < GetSize(); ++i)
    {
        const CFreqPointEntry* pEntry = GetEntry(i);
        if (pEntry->m_nType != nType)
            continue;
        if (pEntry->m_nCountryCode != nCountryCode && pEntry->m_strName.CompareNoCase(pszName ? pszName : "") != 0)
            continue;
        *ppValues = pEntry->m_pValues;
        *pnCount = pEntry->m_nCount;
        return 1;
    }
    return 0;
}
