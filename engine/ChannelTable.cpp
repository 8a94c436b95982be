#include "engine/ChannelTable.h"

#include "engine/TVEngine.h"

namespace {
const long kTVRestFrequency = 100000;
const long kFMRestFrequency = 0;
}  // namespace

CChannelTable::CChannelTable()
    : m_lCurFreq(0),
      m_bFavorOnly(0),
      m_bReservePrev(1),
      m_bFM(0),
      m_nTolerance(0),
      m_nCurIndex(-1),
      m_lLastFreq(0),
      m_bModified(0)
{
}

CChannelTable::~CChannelTable()
{
}

void CChannelTable::SetFMTable(BOOL bFM)
{
    m_bFM = bFM;
    m_nTolerance = bFM ? 200 : 1000;
}

void CChannelTable::RemoveAll()
{
    for (int i = 0; i < GetCount(); ++i)
        delete GetChannel(i);
    CPtrArray::RemoveAll();
}

void CChannelTable::CopyItems(const CChannelTable& other)
{
    if (&other == this)
        return;
    RemoveAll();
    for (int i = 0; i < other.GetCount(); ++i)
        Add(new CChannelItem(*other.GetChannel(i)));
}

CChannelTable& CChannelTable::operator=(const CChannelTable& other)
{
    if (&other == this)
        return *this;
    CopyItems(other);
    m_bFM = other.m_bFM;
    m_bFavorOnly = other.m_bFavorOnly;
    m_lCurFreq = other.m_lCurFreq;
    m_lLastFreq = other.m_lLastFreq;
    m_nTolerance = other.m_nTolerance;
    m_bReservePrev = other.m_bReservePrev;
    m_nCurIndex = other.m_nCurIndex;
    m_bModified = other.m_bModified;
    return *this;
}

CChannelItem* CChannelTable::GetChannel(int nIndex) const
{
    return IsValidIndex(nIndex) ? static_cast<CChannelItem*>(GetAt(nIndex)) : NULL;
}

BOOL CChannelTable::IsWithinTolerance(long a, long b) const
{
    long long difference = static_cast<long long>(a) - b;
    return (difference < 0 ? -difference : difference) <= m_nTolerance;
}

int CChannelTable::FindIndexByID(DWORD id) const
{
    for (int i = GetCount() - 1; i >= 0; --i)
    {
        if (GetChannel(i)->ID == id)
            return i;
    }
    return -1;
}

int CChannelTable::FindItem(const CChannelItem* pItem) const
{
    for (int i = GetCount() - 1; i >= 0; --i)
    {
        if (GetChannel(i) == pItem)
            return i;
    }
    return -1;
}

int CChannelTable::FindIndexByFrequency(long frequency) const
{
    for (int i = GetCount() - 1; i >= 0; --i)
    {
        if (IsWithinTolerance(GetChannel(i)->Frequency, frequency))
            return i;
    }
    return -1;
}

DWORD CChannelTable::GetMaxID() const
{
    DWORD maxId = 0;
    for (int i = 0; i < GetCount(); ++i)
    {
        if (GetChannel(i)->ID > maxId)
            maxId = GetChannel(i)->ID;
    }
    return maxId;
}

CChannelItem* CChannelTable::GetCurrentChannel() const
{
    if (IsValidIndex(m_nCurIndex))
        return GetChannel(m_nCurIndex);
    return GetChannel(FindIndexByFrequency(m_lCurFreq));
}

BOOL CChannelTable::SetCurrentChannel(CChannelItem* pItem)
{
    if (pItem == NULL)
        return 0;
    m_nCurIndex = FindItem(pItem);
    // Re-selecting the same channel (or one within the tolerance) keeps the recall frequency.
    if (!IsWithinTolerance(pItem->Frequency, m_lCurFreq))
        m_lLastFreq = m_lCurFreq;
    m_lCurFreq = pItem->Frequency;
    return TuneFrequency(m_lCurFreq);
}

BOOL CChannelTable::TuneFrequency(long frequency)
{
    return g_pTVEngine != NULL ? g_pTVEngine->SetFrequency(m_bFM, frequency) : 0;
}

BOOL CChannelTable::GetFrequencyRange(int* pFirst, int* pSecond)
{
    return g_pTVEngine != NULL ? g_pTVEngine->GetFrequencyRange(m_bFM, pFirst, pSecond) : 0;
}

BOOL CChannelTable::IsAcceptable(const CChannelItem* pItem) const
{
    return pItem->IsVisible() && (!m_bFavorOnly || pItem->IsFavorite());
}

// With no channel at the reference frequency, stepping forward starts at index 0 and stepping
// back at the last index, so either way every channel is tried once, from the matching end.
CChannelItem* CChannelTable::Step(long frequency, BOOL bForward)
{
    int count = GetCount();
    if (count == 0)
        return NULL;
    long reference = frequency == -1 ? m_lCurFreq : frequency;
    int start;
    CChannelItem* pCurrent = GetChannel(m_nCurIndex);
    if (pCurrent != NULL && pCurrent->Frequency == reference)
        start = m_nCurIndex;
    else
        start = FindIndexByFrequency(reference);

    int i = start;
    if (i == -1 && !bForward)
        i = 0;
    for (int n = 0; n < count; ++n)
    {
        i = bForward ? (i + 1) % count : (i + count - 1) % count;
        if (IsAcceptable(GetChannel(i)))
        {
            m_nCurIndex = i;
            return GetChannel(i);
        }
    }
    return GetChannel(start);
}

CChannelItem* CChannelTable::NextChannel(long frequency)
{
    return Step(frequency, TRUE);
}

CChannelItem* CChannelTable::PrevChannel(long frequency)
{
    return Step(frequency, FALSE);
}

CChannelItem* CChannelTable::SelectStartChannel()
{
    CChannelItem* pItem = GetCurrentChannel();
    if (pItem == NULL)
        pItem = GetChannel(FindIndexByFrequency(m_lLastFreq));
    if (pItem == NULL)
        pItem = NextChannel(-1);
    if (pItem == NULL)
        pItem = GetChannel(0);
    if (pItem != NULL)
        SetCurrentChannel(pItem);
    else
        TuneFrequency(m_bFM ? kFMRestFrequency : kTVRestFrequency);
    return pItem;
}

int CChannelTable::CountVisible() const
{
    int visible = 0;
    for (int i = 0; i < GetCount(); ++i)
    {
        if (IsAcceptable(GetChannel(i)))
            ++visible;
    }
    return visible;
}

void CChannelTable::MergeFrom(const CChannelTable& other)
{
    for (int s = 0; s < other.GetCount(); ++s)
    {
        const CChannelItem* pFound = other.GetChannel(s);
        CChannelItem* pStored = GetChannel(FindIndexByFrequency(pFound->Frequency));
        if (pStored != NULL)
        {
            pStored->ID = pFound->ID;
            pStored->Flags = pFound->Flags;
            pStored->Name = pFound->Name;
            continue;
        }
        CChannelItem* pCopy = new CChannelItem(*pFound);
        if (IsValidIndex(FindIndexByID(pCopy->ID)))
            pCopy->ID = GetMaxID() + 1;
        Add(pCopy);
    }
}

void CChannelTable::ApplyNames(const CFreqNameMap& names)
{
    long frequency = 0;
    CString name;
    for (POSITION pos = names.GetStartPosition(); pos;)
    {
        names.GetNextAssoc(pos, frequency, name);
        CChannelItem* pItem = GetChannel(FindIndexByFrequency(frequency));
        if (pItem != NULL)
            pItem->Name = name;
    }
}

BOOL CChannelTable::FindNameForFrequency(const CFreqNameMap& names, long frequency, CString& name) const
{
    long key = 0;
    CString value;
    for (POSITION pos = names.GetStartPosition(); pos;)
    {
        names.GetNextAssoc(pos, key, value);
        if (IsWithinTolerance(key, frequency))
        {
            name = value;
            return 1;
        }
    }
    return 0;
}
