#include "foundation/IniFile.h"

#include "foundation/PathUtils.h"

#include <cstring>
#include <string>

CIniFile::CIniFile() : m_lastError("No error")
{
}

CIniFile::CIniFile(LPCSTR path) : m_lastError("No error"), m_path(path)
{
}

CIniFile::~CIniFile()
{
    RemoveAll();
}

void CIniFile::RemoveAll()
{
    for (POSITION pos = m_sections.GetHeadPosition(); pos;)
        delete m_sections.GetNext(pos);
    m_sections.RemoveAll();
}

void CIniFile::ParseLine(const char* line, int length, CIniSection*& current)
{
    if (length == 0)
        return;
    if (line[0] == '[')
    {
        // The last character is dropped whatever it is; nothing is trimmed.
        CString name = length >= 2 ? CString(line + 1, length - 2) : CString();
        current = new CIniSection(name);
        m_sections.AddTail(current);
        return;
    }
    if (!current)
        return;
    const char* eq = static_cast<const char*>(std::memchr(line, '=', length));
    if (!eq)
        return;
    int keyLength = static_cast<int>(eq - line);
    CString key(line, keyLength);
    CString value(eq + 1, length - keyLength - 1);
    current->SetString(key, value);
}

// A read error keeps the sections read so far but reports failure, so a caller does not take a
// partly read settings file for the whole one.
BOOL CIniFile::Load()
{
    if (GetFileAttributesA(m_path) == INVALID_FILE_ATTRIBUTES)
    {
        m_lastError = "File not exist!";
        return FALSE;
    }
    HANDLE file = CreateFileA(m_path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        m_lastError = "Unable to open ini File!";
        return FALSE;
    }

    CIniSection* current = nullptr;
    std::string pending;
    char chunk[8192];
    BOOL ok = TRUE;
    for (;;)
    {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr))
        {
            m_lastError = "Unable to read file!";
            ok = FALSE;
            break;
        }
        if (got == 0)
            break;
        pending.append(chunk, got);
        size_t start = 0;
        for (size_t lf; (lf = pending.find('\n', start)) != std::string::npos; start = lf + 1)
        {
            size_t end = lf;
            if (end > start && pending[end - 1] == '\r')
                --end;
            ParseLine(pending.data() + start, static_cast<int>(end - start), current);
        }
        pending.erase(0, start);
    }
    if (ok && !pending.empty())
    {
        size_t end = pending.size();
        if (pending[end - 1] == '\r')
            --end;
        ParseLine(pending.data(), static_cast<int>(end), current);
    }
    CloseHandle(file);
    return ok;
}

// The text goes to a temporary file beside the target, which then replaces the target: a failed
// save (disk full, write error) leaves the old file as it was.
BOOL CIniFile::Save()
{
    std::string text;
    for (POSITION pos = m_sections.GetHeadPosition(); pos;)
    {
        const CIniSection* section = m_sections.GetNext(pos);
        text += '[';
        text += section->GetName();
        text += "]\r\n";
        CString key, value;
        const CMapStringToString& values = section->GetValues();
        for (POSITION v = values.GetStartPosition(); v;)
        {
            values.GetNextAssoc(v, key, value);
            text.append(key, key.GetLength());
            text += '=';
            text.append(value, value.GetLength());
            text += "\r\n";
        }
    }

    DWORD attributes = GetFileAttributesA(m_path);
    if (m_path.IsEmpty() ||
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))))
    {
        m_lastError = "Unable to open ini File!";
        return FALSE;
    }
    BOOL created = FALSE;
    BOOL ok = ReplaceFileContents(m_path, text.data(), text.size(), &created);
    if (!ok)
        m_lastError = created ? "Unable to write file!" : "Unable to open ini File!";
    return ok;
}

CIniSection* CIniFile::FirstSection(LPCSTR name) const
{
    POSITION pos = FindSection(name);
    return pos ? m_sections.GetAt(pos) : nullptr;
}

BOOL CIniFile::HasSection(LPCSTR name) const
{
    return FindSection(name) != nullptr;
}

POSITION CIniFile::FindSection(LPCSTR name) const
{
    for (POSITION pos = m_sections.GetHeadPosition(); pos;)
    {
        POSITION here = pos;
        if (m_sections.GetNext(pos)->GetName() == (name ? name : ""))
            return here;
    }
    return nullptr;
}

CIniSection* CIniFile::GetSection(LPCSTR name)
{
    CIniSection* section = FirstSection(name);
    if (!section)
    {
        section = new CIniSection(name);
        m_sections.AddTail(section);
    }
    return section;
}

int CIniFile::GetKeyCount(LPCSTR section)
{
    return GetSection(section)->GetKeyCount();
}

BOOL CIniFile::GetValue(LPCSTR section, LPCSTR key, CString& value) const
{
    const CIniSection* found = FirstSection(section);
    return found && found->GetString(key, value);
}

BOOL CIniFile::SetValue(LPCSTR section, LPCSTR key, LPCSTR value)
{
    return GetSection(section)->SetString(key, value);
}
