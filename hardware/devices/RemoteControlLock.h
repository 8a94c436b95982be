#pragma once

#include "dshow/NamedMutex.h"

// Holds the system-wide "Mutex_Remote_Control", which serialises a card's
// open, its microcontroller traffic and its remote-key reads across
// processes, for the guard's scope. Locked() is false when the wait of at
// most 1000 ms failed (or when the guard was told not to take it).
class CRemoteControlLock
{
public:
    explicit CRemoteControlLock(BOOL bTake = TRUE)
        : m_mutex("Mutex_Remote_Control", FALSE), m_bLocked(bTake && m_mutex.Lock())
    {
    }
    ~CRemoteControlLock()
    {
        if (m_bLocked)
            m_mutex.Unlock();
    }
    BOOL Locked() const { return m_bLocked; }

private:
    CNamedMutex m_mutex;
    BOOL m_bLocked;

    CRemoteControlLock(const CRemoteControlLock&) = delete;
    CRemoteControlLock& operator=(const CRemoteControlLock&) = delete;
};
