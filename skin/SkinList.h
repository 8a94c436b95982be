#pragma once
#include "foundation/IniFile.h"

// The list of installed skins ("SkinSet.ini"): the names under "General" and, per skin, the paths
// of its description file and resource library.
class CSkinList
{
public:
    CSkinList();
    ~CSkinList();

    // Opening the same path again loads it once more into the same object (the first of repeated
    // sections still wins).
    BOOL Open(LPCSTR path);
    // Appends "Skin-0" .. "Skin-<Total-1>" of "General", skipping missing keys; FALSE when not open.
    BOOL GetSkinNames(CStringList& names) const;
    int GetTotal() const;
    // Each output is left unchanged when its key is missing; FALSE when not open.
    BOOL GetSkinFiles(LPCSTR name, CString& description, CString& library) const;

private:
    CSkinList(const CSkinList&) = delete;
    CSkinList& operator=(const CSkinList&) = delete;

    CIniFile* m_file;
};
