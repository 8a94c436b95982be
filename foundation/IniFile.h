#pragma once
#include "foundation/IniSection.h"
#include "platform/afx/List.h"

// An INI-style text file held whole in memory: an ordered list of sections (names may repeat;
// lookups take the first), saved back with each section's keys in its map's iteration order.
class CIniFile
{
public:
    CIniFile();
    explicit CIniFile(LPCSTR path);
    virtual ~CIniFile();

    CString GetPathName() const { return m_path; }
    void SetPathName(LPCSTR path) { m_path = path; }

    // Appends the sections of the file to those already held; 1 or 0 (see GetLastErrorText).
    BOOL Load();
    // Writes every section; the file is replaced only once the new text is completely written.
    BOOL Save();
    void RemoveAll();
    CString GetLastErrorText() const { return m_lastError; }

    BOOL HasSection(LPCSTR name) const;
    POSITION FindSection(LPCSTR name) const;
    // The first section of that name, appended empty when absent; owned by the file.
    CIniSection* GetSection(LPCSTR name);
    int GetSectionCount() const { return static_cast<int>(m_sections.GetCount()); }
    // Walks the sections in file order, repeated names included.
    POSITION GetFirstSectionPosition() const { return m_sections.GetHeadPosition(); }
    CIniSection* GetNextSection(POSITION& pos) const { return m_sections.GetNext(pos); }
    int GetKeyCount(LPCSTR section);

    BOOL GetValue(LPCSTR section, LPCSTR key, CString& value) const;
    BOOL SetValue(LPCSTR section, LPCSTR key, LPCSTR value);

    BOOL GetInt(LPCSTR section, LPCSTR key, int& value) { return GetSection(section)->GetInt(key, value); }
    BOOL GetUInt(LPCSTR section, LPCSTR key, UINT& value) { return GetSection(section)->GetUInt(key, value); }
    BOOL GetLong(LPCSTR section, LPCSTR key, long& value) { return GetSection(section)->GetLong(key, value); }
    BOOL GetFloat(LPCSTR section, LPCSTR key, float& value) { return GetSection(section)->GetFloat(key, value); }
    BOOL GetDouble(LPCSTR section, LPCSTR key, double& value) { return GetSection(section)->GetDouble(key, value); }
    BOOL GetPoint(LPCSTR section, LPCSTR key, POINT& value) { return GetSection(section)->GetPoint(key, value); }
    BOOL GetSize(LPCSTR section, LPCSTR key, SIZE& value) { return GetSection(section)->GetSize(key, value); }
    BOOL GetRect(LPCSTR section, LPCSTR key, RECT& value) { return GetSection(section)->GetRect(key, value); }
    BOOL GetColor(LPCSTR section, LPCSTR key, RGBTriple& value) { return GetSection(section)->GetColor(key, value); }
    BOOL GetStringList(LPCSTR section, LPCSTR key, CStringArray& value, char separator)
    {
        return GetSection(section)->GetStringList(key, value, separator);
    }

    BOOL SetInt(LPCSTR section, LPCSTR key, int value) { return GetSection(section)->SetInt(key, value); }
    BOOL SetUInt(LPCSTR section, LPCSTR key, UINT value) { return GetSection(section)->SetUInt(key, value); }
    BOOL SetLong(LPCSTR section, LPCSTR key, long value) { return GetSection(section)->SetLong(key, value); }
    BOOL SetFloat(LPCSTR section, LPCSTR key, float value) { return GetSection(section)->SetFloat(key, value); }
    BOOL SetDouble(LPCSTR section, LPCSTR key, double value) { return GetSection(section)->SetDouble(key, value); }
    BOOL SetPoint(LPCSTR section, LPCSTR key, const POINT& value) { return GetSection(section)->SetPoint(key, value); }
    BOOL SetSize(LPCSTR section, LPCSTR key, const SIZE& value) { return GetSection(section)->SetSize(key, value); }
    BOOL SetRect(LPCSTR section, LPCSTR key, const RECT& value) { return GetSection(section)->SetRect(key, value); }
    BOOL SetColor(LPCSTR section, LPCSTR key, const RGBTriple& value)
    {
        return GetSection(section)->SetColor(key, value);
    }
    BOOL SetStringList(LPCSTR section, LPCSTR key, const CStringArray& value, char separator)
    {
        return GetSection(section)->SetStringList(key, value, separator);
    }

private:
    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    void ParseLine(const char* line, int length, CIniSection*& current);
    CIniSection* FirstSection(LPCSTR name) const;

    CList<CIniSection*, CIniSection*> m_sections;
    CString m_lastError;
    CString m_path;
};
