#pragma once

#include <windows.h>

// A zeroed block of memory that every module of the process meets under one
// tag: the program and the filter DLLs each link this library, and what a
// simulated driver in one registers must be found from the other. The block
// is mapped once per module and kept in *ppCache; null when it cannot be made.
void* OpenProcessSection(const char* pszTag, DWORD cbSize, void* volatile* ppCache);

// Holds a spin lock kept in a LONG of such a block.
class CProcessSectionLock
{
public:
    explicit CProcessSectionLock(volatile LONG* pLock);
    ~CProcessSectionLock();

private:
    volatile LONG* m_pLock;

    CProcessSectionLock(const CProcessSectionLock&) = delete;
    CProcessSectionLock& operator=(const CProcessSectionLock&) = delete;
};
