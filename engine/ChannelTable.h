#pragma once

#include "engine/ChannelItem.h"
#include "platform/afx/Array.h"
#include "platform/afx/Map.h"

// Frequency (kHz) to channel name, as the regional channel lists give them.
typedef CMap<long, long, CString, LPCSTR> CFreqNameMap;

// The ordered channels of one band (TV or FM) with the current channel, the one before it and the
// band's frequency tolerance, and the rules by which the user steps through them. The table owns
// its items; the owner calls RemoveAll before it destroys a table. Items are never sorted, and
// every look-up scans from the highest index down, so the later of two matching entries wins.
class CChannelTable : public CPtrArray
{
public:
    CChannelTable();
    ~CChannelTable() override;

    // The band; also sets the tolerance: 200 kHz for FM, 1000 kHz for TV.
    void SetFMTable(BOOL bFM);
    BOOL IsFMTable() const { return m_bFM; }
    int GetCount() const { return static_cast<int>(GetSize()); }
    void SetFavorOnly(BOOL bFavorOnly) { m_bFavorOnly = bFavorOnly; }
    void SetModified(BOOL bModified) { m_bModified = bModified; }
    BOOL IsModified() const { return m_bModified; }

    // Deletes every item; the current index, frequencies and flags stay.
    void RemoveAll();
    // A copy of every item of the other table, in order.
    void CopyItems(const CChannelTable& other);
    CChannelTable& operator=(const CChannelTable& other);

    CChannelItem* GetChannel(int nIndex) const;
    BOOL IsValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }
    BOOL IsWithinTolerance(long a, long b) const;
    int FindIndexByID(DWORD id) const;
    int FindItem(const CChannelItem* pItem) const;
    int FindIndexByFrequency(long frequency) const;
    DWORD GetMaxID() const;

    // The item at the current index, else the one at the current frequency.
    CChannelItem* GetCurrentChannel() const;
    // Makes the item current and tunes it; 0 for no item, else the tuning result.
    BOOL SetCurrentChannel(CChannelItem* pItem);
    BOOL TuneFrequency(long frequency);
    BOOL GetFrequencyRange(int* pFirst, int* pSecond);

    // The next or previous visible channel (a favourite, with favourites only) from the channel
    // at the frequency (-1: the current frequency); it becomes the current index but is not tuned.
    CChannelItem* NextChannel(long frequency);
    CChannelItem* PrevChannel(long frequency);
    // The channel to show after a scan or an edit, tuned; with no channel at all, the band's
    // resting frequency is tuned and NULL returned.
    CChannelItem* SelectStartChannel();
    int CountVisible() const;
    // Found channels of a scan: a stored channel at the same frequency takes the found ID, flags
    // and name; any other is appended, with a new ID when its ID is taken.
    void MergeFrom(const CChannelTable& other);
    void ApplyNames(const CFreqNameMap& names);
    BOOL FindNameForFrequency(const CFreqNameMap& names, long frequency, CString& name) const;

    // The channel file: header comment lines, then one "ID,Flags,Frequency,Name" line per item.
    // Saving replaces the file only once every byte is written and only then clears the modified flag.
    BOOL SaveToFile(LPCSTR pszPath);
    BOOL LoadFromFile(LPCSTR pszPath);
    // The profile form: "General"/"Total" and "Channel"/"Channel-%d" = "Name,Frequency,State".
    BOOL SaveToProfile(LPCSTR pszPath);
    BOOL LoadFromProfile(LPCSTR pszPath);

    // Kept in "TVParam.ini" by the controller, which reads and writes them directly.
    long m_lCurFreq;
    BOOL m_bFavorOnly;
    BOOL m_bReservePrev;
    BOOL m_bFM;
    int m_nTolerance;
    int m_nCurIndex;
    long m_lLastFreq;
    BOOL m_bModified;

private:
    CChannelTable(const CChannelTable&) = delete;
    BOOL IsAcceptable(const CChannelItem* pItem) const;
    CChannelItem* Step(long frequency, BOOL bForward);
};
