#include "skin/SkinList.h"

#include <cstdlib>

CSkinList::CSkinList() : m_file(nullptr)
{
}

CSkinList::~CSkinList()
{
    delete m_file;
}

BOOL CSkinList::Open(LPCSTR path)
{
    if (m_file && m_file->GetPathName().Compare(path ? path : "") != 0)
    {
        delete m_file;
        m_file = nullptr;
    }
    if (!m_file)
        m_file = new CIniFile(path);
    return m_file->Load();
}

int CSkinList::GetTotal() const
{
    CString text;
    if (!m_file || !m_file->GetValue("General", "Total", text))
        return 0;
    return std::atoi(text);
}

BOOL CSkinList::GetSkinNames(CStringList& names) const
{
    if (!m_file)
        return FALSE;
    const int total = GetTotal();
    for (int i = 0; i < total; ++i)
    {
        CString key, name;
        key.Format("Skin-%d", i);
        if (m_file->GetValue("General", key, name))
            names.AddTail(name);
    }
    return TRUE;
}

BOOL CSkinList::GetSkinFiles(LPCSTR name, CString& description, CString& library) const
{
    if (!m_file)
        return FALSE;
    m_file->GetValue(name, "Ini", description);
    m_file->GetValue(name, "Dll", library);
    return TRUE;
}
