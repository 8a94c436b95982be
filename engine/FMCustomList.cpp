#include "engine/FMCustomList.h"

CFMCustomList::CFMCustomList() : m_nCurrent(-1)
{
}

CFMCustomList::~CFMCustomList()
{
    RemoveAll();
}

CFMCustomList& CFMCustomList::operator=(const CFMCustomList& other)
{
    if (&other == this)
        return *this;
    RemoveAll();
    for (int i = 0; i < other.GetCount(); ++i)
        Add(new CFMCustomEntry(*other.GetAt(i)));
    m_nCurrent = other.m_nCurrent;
    return *this;
}

void CFMCustomList::RemoveAll()
{
    for (int i = 0; i < GetCount(); ++i)
        delete GetAt(i);
    m_Entries.RemoveAll();
    m_nCurrent = -1;
}

CFMCustomEntry* CFMCustomList::GetAt(int nIndex) const
{
    return IsValidIndex(nIndex) ? static_cast<CFMCustomEntry*>(m_Entries.GetAt(nIndex)) : NULL;
}

CFMCustomEntry* CFMCustomList::GetOrAdd(int nIndex)
{
    if (IsValidIndex(nIndex))
        return GetAt(nIndex);
    if (nIndex != GetCount())
        return NULL;
    CFMCustomEntry* pEntry = new CFMCustomEntry;
    Add(pEntry);
    return pEntry;
}

void CFMCustomList::Add(CFMCustomEntry* pEntry)
{
    m_Entries.Add(pEntry);
}

void CFMCustomList::RemoveAt(int nIndex)
{
    if (!IsValidIndex(nIndex))
        return;
    delete GetAt(nIndex);
    m_Entries.RemoveAt(nIndex);
}
