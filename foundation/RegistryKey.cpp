#include "foundation/RegistryKey.h"

#include <cstring>

CRegistryKey::CRegistryKey() : m_key(nullptr)
{
}

CRegistryKey::~CRegistryKey()
{
    Close();
}

LONG CRegistryKey::Open(HKEY root, LPCSTR subKey)
{
    // An older handle would otherwise leak.
    Close();
    m_path = subKey;
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, &key);
    m_key = result == ERROR_SUCCESS ? key : nullptr;
    return result;
}

void CRegistryKey::Close()
{
    if (m_key)
        RegCloseKey(m_key);
    m_key = nullptr;
}

LONG CRegistryKey::QueryValue(LPCSTR name, void* data, DWORD* size)
{
    return RegQueryValueExA(m_key, name, nullptr, nullptr, static_cast<BYTE*>(data), size);
}

LONG CRegistryKey::QueryString(LPCSTR name, CString& value)
{
    char buffer[200];
    std::memset(buffer, 0, sizeof buffer);
    DWORD size = sizeof buffer;
    LONG result = RegQueryValueExA(m_key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    if (result == ERROR_SUCCESS)
    {
        // A value stored without its terminating zero must not run past the buffer.
        buffer[sizeof buffer - 1] = '\0';
        value = buffer;
    }
    return result;
}

LONG CRegistryKey::QueryDWORD(LPCSTR name, DWORD& value)
{
    DWORD data = 0;
    DWORD size = sizeof data;
    LONG result = RegQueryValueExA(m_key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size);
    if (result == ERROR_SUCCESS)
        value = data;
    return result;
}

LONG CRegistryKey::SetBinary(LPCSTR name, const void* data, DWORD size)
{
    return RegSetValueExA(m_key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
}

LONG CRegistryKey::SetString(LPCSTR name, LPCSTR value)
{
    if (!value)
        value = "";
    return RegSetValueExA(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          static_cast<DWORD>(std::strlen(value) + 1));
}

LONG CRegistryKey::SetDWORD(LPCSTR name, DWORD value)
{
    return RegSetValueExA(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

LONG CRegistryKey::DeleteValue(LPCSTR name)
{
    return RegDeleteValueA(m_key, name);
}
