#pragma once

#include "platform/afx/Array.h"
#include "platform/afx/String.h"

// A name the user gave to one audio compressor for recording the radio.
class CFMCustomEntry
{
public:
    CString m_strName;
    CString m_strAudioComp;
};

// The user's FM custom entries with the current one (-1 when none); owns its entries.
class CFMCustomList : public CObject
{
public:
    CFMCustomList();
    ~CFMCustomList() override;

    // A deep copy of the other list's entries and its current index.
    CFMCustomList& operator=(const CFMCustomList& other);

    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_Entries.GetSize()); }
    BOOL IsValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }
    CFMCustomEntry* GetAt(int nIndex) const;
    // The entry at the index; at the count a new empty entry is appended; otherwise none.
    CFMCustomEntry* GetOrAdd(int nIndex);
    void Add(CFMCustomEntry* pEntry);
    void RemoveAt(int nIndex);
    BOOL IsCurValid() const { return IsValidIndex(m_nCurrent); }
    CFMCustomEntry* GetCurEntry() const { return GetAt(m_nCurrent); }

    int m_nCurrent;

private:
    CFMCustomList(const CFMCustomList&) = delete;
    CPtrArray m_Entries;
};
