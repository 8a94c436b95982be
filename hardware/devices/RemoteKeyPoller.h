#pragma once

#include "dshow/NamedMutex.h"
#include "dshow/WorkThread.h"

class CCaptureDevice;

// Reads the card's remote-control key at a fixed period and posts each key to
// the device's notify window, under "Mutex_Remote_Control" so that card
// classes talking to a microcontroller are never interleaved.
class CRemoteKeyPoller : public CWorkThread
{
public:
    explicit CRemoteKeyPoller(CCaptureDevice* pOwner);
    ~CRemoteKeyPoller() override;

    BOOL InitInstance() override;
    int Run() override;
    int ExitInstance() override;

    // Refuses a period below 1 ms.
    BOOL SetPeriod(int ms);
    int GetPeriod() const { return m_nPeriod; }

private:
    CCaptureDevice* m_pOwner;
    CNamedMutex m_mutex;
    volatile LONG m_nPeriod;
};
