#include "platform/ks/ProcessSection.h"

#include <stdio.h>

void* OpenProcessSection(const char* pszTag, DWORD cbSize, void* volatile* ppCache)
{
    if (*ppCache != NULL)
        return *ppCache;
    char name[96];
    sprintf(name, "Local\\%s-%lu", pszTag, GetCurrentProcessId());
    // The mapping handle stays open for the life of the process.
    HANDLE hMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, cbSize, name);
    if (hMapping == NULL)
        return NULL;
    void* pView = MapViewOfFile(hMapping, FILE_MAP_ALL_ACCESS, 0, 0, cbSize);
    if (pView == NULL)
    {
        CloseHandle(hMapping);
        return NULL;
    }
    // Two threads may race here; both map the same section, one view stays.
    if (InterlockedCompareExchangePointer(ppCache, pView, NULL) != NULL)
    {
        UnmapViewOfFile(pView);
        CloseHandle(hMapping);
    }
    return *ppCache;
}

CProcessSectionLock::CProcessSectionLock(volatile LONG* pLock) : m_pLock(pLock)
{
    while (InterlockedCompareExchange(m_pLock, 1, 0) != 0)
        Sleep(0);
}

CProcessSectionLock::~CProcessSectionLock()
{
    InterlockedExchange(m_pLock, 0);
}
