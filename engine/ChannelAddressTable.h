#pragma once

#include "engine/ChannelTable.h"
#include "foundation/IniFile.h"
#include "platform/afx/StringArray.h"

// "ChannelAddress.ini": for each country (a section named by its code) the names of its regional
// channel lists, and for each list (a section named by the list, or "<code>-Default") its
// "Channel-%d" entries "Name,Frequency". Read only.
class CChannelAddressTable
{
public:
    CChannelAddressTable();
    virtual ~CChannelAddressTable();

    // Empties the table and reads the file; 0 when it is missing or unreadable.
    BOOL Load(LPCSTR pszPath);
    // Appends the country's list names; 1 when there was at least one.
    BOOL GetTableNames(int nCountryCode, CStringArray& names);
    // Adds the list's frequency-to-name entries (the country's default list for an empty list
    // name); 1 when at least one entry was set.
    BOOL GetChannelNames(int nCountryCode, LPCSTR pszListName, CFreqNameMap& names);

private:
    CChannelAddressTable(const CChannelAddressTable&) = delete;
    CChannelAddressTable& operator=(const CChannelAddressTable&) = delete;
    // "Total" of the section, held to the numbered keys the section really has.
    int GetKeyTotal(LPCSTR pszSection, LPCSTR pszPrefix);

    CIniFile m_Ini;
};
