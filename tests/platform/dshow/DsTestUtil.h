#pragma once
#include "platform/dshow/Streams.h"
#include <string>
#include <vector>

// The count an object holds right now (AddRef then Release).
inline ULONG RefCount(IUnknown* p)
{
    p->AddRef();
    return p->Release();
}

// COM for one test program's thread.
struct ComScope
{
    HRESULT hr;
    ComScope() : hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};

inline ComPtr<IPin> PinByIndex(IBaseFilter* f, int index)
{
    ComPtr<IEnumPins> e;
    ComPtr<IPin> pin;
    if (FAILED(f->EnumPins(&e))) return pin;
    if (index > 0) e->Skip(ULONG(index));
    e->Next(1, &pin, nullptr);
    return pin;
}

inline std::vector<BYTE> PatternBytes(size_t n, unsigned seed)
{
    std::vector<BYTE> v(n);
    unsigned x = seed * 2654435761u + 1;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        v[i] = BYTE(x >> 16);
    }
    return v;
}

inline bool WriteWholeFile(const std::string& path, const std::vector<BYTE>& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    bool ok = bytes.empty() || (WriteFile(h, bytes.data(), DWORD(bytes.size()), &done, nullptr) && done == bytes.size());
    CloseHandle(h);
    return ok;
}

inline std::vector<BYTE> ReadWholeFile(const std::string& path)
{
    std::vector<BYTE> v;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return v;
    DWORD size = GetFileSize(h, nullptr);
    v.resize(size);
    DWORD done = 0;
    if (size && !ReadFile(h, v.data(), size, &done, nullptr)) v.clear();
    CloseHandle(h);
    return v;
}

// A fresh file name in the build folder's temporary area.
inline std::string TempPath(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    std::string p = std::string(dir) + "ondrix-dsbase-" + std::to_string(GetCurrentProcessId()) + "-" + name;
    DeleteFileA(p.c_str());
    return p;
}
