#pragma once

#include "dshow/WorkThread.h"

// What an event worker needs of the object whose event it serves: the event
// to wait for and the function to call each time it is signalled.
class IEventWorkerOwner
{
public:
    typedef void (*EventCallback)();

    virtual HANDLE GetWorkerEvent() = 0;
    virtual EventCallback GetWorkerCallback() = 0;

protected:
    ~IEventWorkerOwner() {}
};

// Calls the owner's callback each time the owner's event is signalled, until
// stopped.
class CEventWorker : public CWorkThread
{
public:
    explicit CEventWorker(IEventWorkerOwner* pOwner);
    ~CEventWorker() override;

    BOOL InitInstance() override;
    int Run() override;
    int ExitInstance() override;

    IEventWorkerOwner* GetOwner() const { return m_pOwner; }

private:
    IEventWorkerOwner* m_pOwner;
};
