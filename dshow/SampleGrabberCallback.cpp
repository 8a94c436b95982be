#include "dshow/SampleGrabberCallback.h"

#include "platform/dshow/CritSec.h"

#include <string.h>

CSampleGrabberCallback::CSampleGrabberCallback() : m_bPending(FALSE)
{
    memset(&m_bih, 0, sizeof(m_bih));
    m_szPath[0] = '\0';
    InitializeCriticalSection(&m_cs);
}

CSampleGrabberCallback::~CSampleGrabberCallback()
{
    DeleteCriticalSection(&m_cs);
}

void CSampleGrabberCallback::SetFormat(const BITMAPINFOHEADER& bih)
{
    CScopedLock lock(&m_cs);
    m_bih = bih;
}

BITMAPINFOHEADER CSampleGrabberCallback::GetFormat()
{
    CScopedLock lock(&m_cs);
    return m_bih;
}

BOOL CSampleGrabberCallback::PostRequest(LPCSTR pszPath)
{
    if (pszPath == NULL || strlen(pszPath) >= PATH_SIZE)
        return FALSE;
    CScopedLock lock(&m_cs);
    if (m_bPending)
        return FALSE;
    strcpy(m_szPath, pszPath);
    m_bPending = TRUE;
    return TRUE;
}

BOOL CSampleGrabberCallback::PeekRequest(char* pszPath, int cbPath)
{
    CScopedLock lock(&m_cs);
    if (!m_bPending || pszPath == NULL || cbPath < PATH_SIZE)
        return FALSE;
    strcpy(pszPath, m_szPath);
    return TRUE;
}

void CSampleGrabberCallback::CompleteRequest()
{
    CScopedLock lock(&m_cs);
    m_bPending = FALSE;
}

BOOL CSampleGrabberCallback::IsPending()
{
    CScopedLock lock(&m_cs);
    return m_bPending;
}
