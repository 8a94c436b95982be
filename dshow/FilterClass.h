#pragma once

#include <dshow.h>

#include <new>
#include <type_traits>

class CDShowGraph;
class CFilterNode;

// One row of the filter-class registry: which class the graph builds for a
// filter added by class identifier (rows with a class identifier) or by device
// category and friendly name (rows with a category). "CLASS_FILTER" as the
// registered name stands for any device of the category.
//
// The lookup state (matched-by-name flag and the friendly name handed to the
// by-device constructor) is rewritten by every lookup that tests the row, so
// lookups must only run on one thread (the user-interface thread).
class CFilterClass
{
public:
    enum { NAME_SIZE = 128 };
    typedef CFilterNode* (*PFN_CREATE)(CDShowGraph* pGraph, BOOL bExclude, const CFilterClass& record);

    const CLSID* m_pClsid;
    const GUID* m_pCategory;
    char m_szName[NAME_SIZE];
    PFN_CREATE m_pfnCreate;
    mutable BOOL m_bMatchedByName;
    mutable char m_szFriendlyName[NAME_SIZE];

    BOOL MatchClsid(REFCLSID clsid) const;
    BOOL MatchCategory(REFGUID category, LPCSTR pszWanted) const;

    // Builds the row's class: by device (the row's category and friendly name,
    // bExclude) when the row was matched by name, else by class identifier.
    // Null when the object cannot be made; the object may come back not valid.
    CFilterNode* Create(CDShowGraph* pGraph, BOOL bExclude) const;

    // The rows lookups walk, in lookup order; the layer that knows every
    // class hands them over once at start-up. Until then no row matches.
    static void SetTable(const CFilterClass* pRows, int nRows);

    // Lookups in registry order; null when no row matches.
    static const CFilterClass* FindByClsid(REFCLSID clsid);
    static const CFilterClass* FindByCategory(REFGUID category, LPCSTR pszWanted);

    static int GetCount();
    static const CFilterClass* GetAt(int nIndex);
};

// Factory of a class T derived from CFilterNode: uses T's constructor
// (graph, category, friendly name, exclude) for rows matched by name and
// (graph, class identifier) otherwise.
template <class T>
CFilterNode* CreateFilterNodeOf(CDShowGraph* pGraph, BOOL bExclude, const CFilterClass& record)
{
    if (record.m_bMatchedByName)
    {
        if constexpr (std::is_constructible<T, CDShowGraph*, const GUID*, LPCSTR, BOOL>::value)
            return new (std::nothrow) T(pGraph, record.m_pCategory, record.m_szFriendlyName, bExclude);
        else
            return nullptr;
    }
    if constexpr (std::is_constructible<T, CDShowGraph*, const CLSID&>::value)
    {
        if (record.m_pClsid == nullptr)
            return nullptr;
        return new (std::nothrow) T(pGraph, *record.m_pClsid);
    }
    else
    {
        return nullptr;
    }
}

// Factory of the rows whose class is not part of this build yet: yields no
// object, so the graph adds nothing for them.
CFilterNode* CreateNoFilterNode(CDShowGraph* pGraph, BOOL bExclude, const CFilterClass& record);
