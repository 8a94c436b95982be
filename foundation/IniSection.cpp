#include "foundation/IniSection.h"

#include <cstdlib>

namespace {

// Splits off count comma-separated fields; a field's own first character never ends it.
void SplitFields(const CString& text, int count, int* fields)
{
    int len = text.GetLength();
    int start = 0;
    for (int i = 0; i < count; ++i)
    {
        if (start >= len)
        {
            fields[i] = 0;
            start = len + 1;
            continue;
        }
        int end = text.Find(',', start + 1);
        if (end < 0)
            end = len;
        fields[i] = std::atoi(text.Mid(start, end - start));
        start = end + 1;
    }
}

}  // namespace

CIniSection::CIniSection(LPCSTR name) : m_name(name), m_values(10)
{
}

BOOL CIniSection::HasKey(LPCSTR key) const
{
    CString value;
    return m_values.Lookup(key, value);
}

int CIniSection::GetHighestKeyIndex(LPCSTR prefix, LPCSTR suffix) const
{
    int prefixLength = lstrlenA(prefix);
    int suffixLength = lstrlenA(suffix);
    int highest = -1;
    CString key, value, digits;
    for (POSITION pos = m_values.GetStartPosition(); pos;)
    {
        m_values.GetNextAssoc(pos, key, value);
        int middle = key.GetLength() - prefixLength - suffixLength;
        if (middle <= 0 || key.Left(prefixLength) != prefix || key.Right(suffixLength) != suffix)
            continue;
        int index = std::atoi(key.Mid(prefixLength, middle));
        digits.Format("%d", index);
        if (digits == key.Mid(prefixLength, middle) && index > highest)
            highest = index;
    }
    return highest;
}

BOOL CIniSection::GetString(LPCSTR key, CString& value) const
{
    return m_values.Lookup(key, value);
}

BOOL CIniSection::SetString(LPCSTR key, LPCSTR value)
{
    m_values.SetAt(key, value ? value : "");
    return TRUE;
}

BOOL CIniSection::GetInt(LPCSTR key, int& value) const
{
    CString text;
    if (!m_values.Lookup(key, text))
        return FALSE;
    value = std::atoi(text);
    return TRUE;
}

BOOL CIniSection::SetInt(LPCSTR key, int value)
{
    CString text;
    text.Format("%d", value);
    return SetString(key, text);
}

BOOL CIniSection::GetUInt(LPCSTR key, UINT& value) const
{
    int number;
    if (!GetInt(key, number))
        return FALSE;
    value = static_cast<UINT>(number);
    return TRUE;
}

// Written as a signed number, which is what the files have always held.
BOOL CIniSection::SetUInt(LPCSTR key, UINT value)
{
    return SetInt(key, static_cast<int>(value));
}

BOOL CIniSection::GetLong(LPCSTR key, long& value) const
{
    CString text;
    if (!m_values.Lookup(key, text))
        return FALSE;
    value = std::atol(text);
    return TRUE;
}

BOOL CIniSection::SetLong(LPCSTR key, long value)
{
    return SetInt(key, static_cast<int>(value));
}

BOOL CIniSection::GetFloat(LPCSTR key, float& value) const
{
    double number;
    if (!GetDouble(key, number))
        return FALSE;
    value = static_cast<float>(number);
    return TRUE;
}

BOOL CIniSection::SetFloat(LPCSTR key, float value)
{
    return SetDouble(key, value);
}

BOOL CIniSection::GetDouble(LPCSTR key, double& value) const
{
    CString text;
    if (!m_values.Lookup(key, text))
        return FALSE;
    value = std::atof(text);
    return TRUE;
}

BOOL CIniSection::SetDouble(LPCSTR key, double value)
{
    CString text;
    text.Format("%f", value);
    return SetString(key, text);
}

BOOL CIniSection::GetPoint(LPCSTR key, POINT& value) const
{
    CString text;
    return m_values.Lookup(key, text) && ParsePoint(text, value);
}

BOOL CIniSection::SetPoint(LPCSTR key, const POINT& value)
{
    CString text;
    text.Format("%d,%d", static_cast<int>(value.x), static_cast<int>(value.y));
    return SetString(key, text);
}

BOOL CIniSection::GetSize(LPCSTR key, SIZE& value) const
{
    CString text;
    POINT p;
    if (!m_values.Lookup(key, text) || !ParsePoint(text, p))
        return FALSE;
    value.cx = p.x;
    value.cy = p.y;
    return TRUE;
}

BOOL CIniSection::SetSize(LPCSTR key, const SIZE& value)
{
    CString text;
    text.Format("%d,%d", static_cast<int>(value.cx), static_cast<int>(value.cy));
    return SetString(key, text);
}

BOOL CIniSection::GetRect(LPCSTR key, RECT& value) const
{
    CString text;
    return m_values.Lookup(key, text) && ParseRect(text, value);
}

BOOL CIniSection::SetRect(LPCSTR key, const RECT& value)
{
    CString text;
    text.Format("%d,%d,%d,%d", static_cast<int>(value.left), static_cast<int>(value.top), static_cast<int>(value.right),
                static_cast<int>(value.bottom));
    return SetString(key, text);
}

BOOL CIniSection::GetColor(LPCSTR key, RGBTriple& value) const
{
    CString text;
    return m_values.Lookup(key, text) && ParseColor(text, value);
}

BOOL CIniSection::SetColor(LPCSTR key, const RGBTriple& value)
{
    CString text;
    text.Format("%d,%d,%d", value.red, value.green, value.blue);
    return SetString(key, text);
}

BOOL CIniSection::GetTime(LPCSTR key, CTime& value) const
{
    CString text;
    return m_values.Lookup(key, text) && ParseTime(text, value);
}

BOOL CIniSection::SetTime(LPCSTR key, const CTime& value)
{
    return SetString(key, value.Format("%Y,%m,%d,%H,%M,%S"));
}

BOOL CIniSection::GetStringList(LPCSTR key, CStringArray& value, char separator) const
{
    CString text;
    return m_values.Lookup(key, text) && ParseList(text, value, separator);
}

BOOL CIniSection::SetStringList(LPCSTR key, const CStringArray& value, char separator)
{
    CString text;
    for (INT_PTR i = 0; i < value.GetSize(); ++i)
    {
        if (i > 0)
            text += separator;
        text += value[i];
    }
    return SetString(key, text);
}

BOOL CIniSection::ParsePoint(const CString& text, POINT& value)
{
    if (text.GetLength() < 3)
        return FALSE;
    int comma = text.Find(',');
    if (comma < 0)
        return FALSE;
    value.x = std::atoi(text.Left(comma));
    value.y = std::atoi(text.Mid(comma + 1));
    return TRUE;
}

BOOL CIniSection::ParseRect(const CString& text, RECT& value)
{
    if (text.GetLength() < 7)
        return FALSE;
    int f[4];
    SplitFields(text, 4, f);
    value.left = f[0];
    value.top = f[1];
    value.right = f[2];
    value.bottom = f[3];
    return TRUE;
}

BOOL CIniSection::ParseColor(const CString& text, RGBTriple& value)
{
    if (text.GetLength() < 5)
        return FALSE;
    int first = text.Find(',');
    if (first < 0)
        return FALSE;
    int second = text.Find(',', first + 1);
    if (second < 0)
        return FALSE;
    value.red = static_cast<BYTE>(std::atoi(text.Left(first)) & 0xFF);
    value.green = static_cast<BYTE>(std::atoi(text.Mid(first + 1, second - first - 1)) & 0xFF);
    value.blue = static_cast<BYTE>(std::atoi(text.Mid(second + 1)) & 0xFF);
    return TRUE;
}

// A text whose fields form no representable local time is refused rather than read as a made-up time.
BOOL CIniSection::ParseTime(const CString& text, CTime& value)
{
    if (text.GetLength() < 10)
        return FALSE;
    int f[6];
    SplitFields(text, 6, f);
    struct tm t = {};
    t.tm_year = f[0] - 1900;
    t.tm_mon = f[1] - 1;
    t.tm_mday = f[2];
    t.tm_hour = f[3];
    t.tm_min = f[4];
    t.tm_sec = f[5];
    t.tm_isdst = -1;
    if (_mktime64(&t) == -1)
        return FALSE;
    value = CTime(f[0], f[1], f[2], f[3], f[4], f[5]);
    return TRUE;
}

BOOL CIniSection::ParseList(const CString& text, CStringArray& value, char separator)
{
    if (text.IsEmpty())
        return FALSE;
    int start = 0;
    int pos = text.Find(separator, 0);
    while (pos >= 1)
    {
        value.Add(text.Mid(start, pos - start));
        start = pos + 1;
        pos = text.Find(separator, start);
    }
    value.Add(text.Mid(start));
    return TRUE;
}
