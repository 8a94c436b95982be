#pragma once
#include "platform/afx/String.h"

// One open registry key with typed value access; every operation returns the Win32 error code.
class CRegistryKey
{
public:
    CRegistryKey();
    virtual ~CRegistryKey();

    // Opens with full access; a key already open is closed first.
    LONG Open(HKEY root, LPCSTR subKey);
    void Close();
    HKEY GetKey() const { return m_key; }
    CString GetPath() const { return m_path; }

    LONG QueryValue(LPCSTR name, void* data, DWORD* size);
    // Values of 200 bytes or more (with the terminating zero) fail with ERROR_MORE_DATA; the output is set only on
    // success.
    LONG QueryString(LPCSTR name, CString& value);
    LONG QueryDWORD(LPCSTR name, DWORD& value);
    LONG SetBinary(LPCSTR name, const void* data, DWORD size);
    LONG SetString(LPCSTR name, LPCSTR value);
    LONG SetDWORD(LPCSTR name, DWORD value);
    LONG DeleteValue(LPCSTR name);

private:
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    HKEY m_key;
    CString m_path;
};
