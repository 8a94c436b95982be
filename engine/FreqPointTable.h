#pragma once

#include "platform/afx/Array.h"
#include "platform/afx/String.h"

// One user frequency-point table of "ChannelPoint.ini": the frequencies (MHz) that a channel
// scan visits for a country and a TV input kind.
class CFreqPointEntry
{
public:
    CFreqPointEntry(int nCount, int nType, int nCountryCode, LPCSTR pszName);
    virtual ~CFreqPointEntry();

    // Stores the next point, growing the array when the header announced fewer.
    void AddPoint(int nSlot, float value);

    float* m_pValues;
    int m_nCount;
    int m_nType;
    int m_nCountryCode;
    CString m_strName;

private:
    CFreqPointEntry(const CFreqPointEntry&) = delete;
    CFreqPointEntry& operator=(const CFreqPointEntry&) = delete;
};

// The point tables of "ChannelPoint.ini" in file order; owns its entries.
class CFreqPointTable : public CPtrArray
{
public:
    CFreqPointTable();
    ~CFreqPointTable() override;

    void RemoveAll();
    CFreqPointEntry* GetEntry(int nIndex) const;
    // 0 when the file cannot be opened (the table stays as it was); otherwise the tables read.
    BOOL LoadFromFile(LPCSTR pszPath);
    // The first table of the type whose country code matches or whose name matches without regard
    // to case; its values stay owned by the table.
    BOOL Find(int nCountryCode, LPCSTR pszName, int nType, const float** ppValues, int* pnCount) const;
};
