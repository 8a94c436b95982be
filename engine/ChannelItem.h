#pragma once

#include "platform/afx/String.h"

// One stored TV or FM channel. The channel file keeps all four fields; the profile form keeps the
// name, the frequency and whether it is a favourite.
class CChannelItem
{
public:
    enum
    {
        FLAG_NEW = 1,  // set on channels made by the profile reader and "New Channel"
        FLAG_FAVORITE = 2,
        FLAG_HIDDEN = 4,  // skipped when stepping
    };

    CChannelItem(DWORD id = 0, long frequency = 0, LPCSTR name = "", DWORD flags = 0);
    CChannelItem(const CChannelItem& other);
    CChannelItem& operator=(const CChannelItem& other);
    virtual ~CChannelItem();

    void SetFavorite(BOOL bFavorite);
    void SetHidden(BOOL bHidden);
    BOOL IsFavorite() const { return (Flags & FLAG_FAVORITE) ? 1 : 0; }
    BOOL IsVisible() const { return (Flags & FLAG_HIDDEN) ? 0 : 1; }

    // The channel-file line "ID,Flags,Frequency,Name".
    CString Format() const;
    // Fills the fields from a trimmed channel-file line; valid with four fields, an ID and a
    // frequency of at least 1.
    BOOL Parse(LPCSTR pszLine);
    // The profile value "Name,Frequency,State", state 3 for a favourite and 1 otherwise.
    CString FormatProfileValue() const;
    // Fills name, frequency and the favourite bit from a profile value; valid with three fields,
    // a name and a frequency of at least 1.
    BOOL ParseProfileValue(LPCSTR pszValue);

    DWORD ID;
    long Frequency;
    CString Name;
    DWORD Flags;
};
