#pragma once
#include "platform/afx/Map.h"
#include "platform/afx/String.h"
#include "platform/afx/StringArray.h"
#include "platform/afx/Time.h"

// A colour as the INI files store it: red, green, blue.
struct RGBTriple
{
    BYTE red;
    BYTE green;
    BYTE blue;

    RGBTriple() : red(0), green(0), blue(0) {}
    RGBTriple(BYTE r, BYTE g, BYTE b) : red(r), green(g), blue(b) {}
    explicit RGBTriple(COLORREF c)
        : red(static_cast<BYTE>(c & 0xFF)),
          green(static_cast<BYTE>((c >> 8) & 0xFF)),
          blue(static_cast<BYTE>((c >> 16) & 0xFF))
    {
    }
    operator COLORREF() const { return red | (green << 8) | (blue << 16); }
};

// One [section] of an INI file: keys to text values, with typed reading and writing.
// Getters give 0 and leave the output alone when the key is absent or the text cannot hold the value.
class CIniSection
{
public:
    explicit CIniSection(LPCSTR name);

    const CString& GetName() const { return m_name; }
    int GetKeyCount() const { return static_cast<int>(m_values.GetCount()); }
    // The key/value map, in the order Save writes it.
    const CMapStringToString& GetValues() const { return m_values; }
    BOOL HasKey(LPCSTR key) const;
    BOOL RemoveKey(LPCSTR key) { return m_values.RemoveKey(key); }

    BOOL GetString(LPCSTR key, CString& value) const;
    BOOL SetString(LPCSTR key, LPCSTR value);
    BOOL GetInt(LPCSTR key, int& value) const;
    BOOL SetInt(LPCSTR key, int value);
    BOOL GetUInt(LPCSTR key, UINT& value) const;
    BOOL SetUInt(LPCSTR key, UINT value);
    BOOL GetLong(LPCSTR key, long& value) const;
    BOOL SetLong(LPCSTR key, long value);
    BOOL GetFloat(LPCSTR key, float& value) const;
    BOOL SetFloat(LPCSTR key, float value);
    BOOL GetDouble(LPCSTR key, double& value) const;
    BOOL SetDouble(LPCSTR key, double value);
    BOOL GetPoint(LPCSTR key, POINT& value) const;
    BOOL SetPoint(LPCSTR key, const POINT& value);
    BOOL GetSize(LPCSTR key, SIZE& value) const;
    BOOL SetSize(LPCSTR key, const SIZE& value);
    BOOL GetRect(LPCSTR key, RECT& value) const;
    BOOL SetRect(LPCSTR key, const RECT& value);
    BOOL GetColor(LPCSTR key, RGBTriple& value) const;
    BOOL SetColor(LPCSTR key, const RGBTriple& value);
    BOOL GetTime(LPCSTR key, CTime& value) const;
    BOOL SetTime(LPCSTR key, const CTime& value);
    // Entries are appended to the caller's array.
    BOOL GetStringList(LPCSTR key, CStringArray& value, char separator) const;
    BOOL SetStringList(LPCSTR key, const CStringArray& value, char separator);

    // The highest n of the keys written as prefix + "%d" + suffix, -1 when there is none; bounds a
    // walk over numbered keys by what the file holds rather than by a count it claims.
    int GetHighestKeyIndex(LPCSTR prefix, LPCSTR suffix = "") const;

    static BOOL ParsePoint(const CString& text, POINT& value);
    static BOOL ParseRect(const CString& text, RECT& value);
    static BOOL ParseColor(const CString& text, RGBTriple& value);
    static BOOL ParseTime(const CString& text, CTime& value);
    static BOOL ParseList(const CString& text, CStringArray& value, char separator);

private:
    CString m_name;
    CMapStringToString m_values;
};
