#pragma once

#include "dshow/FilterNode.h"
#include "dshow/MpegRecordInterface.h"

// The wrapper of the recording pause filter ("Veltrane HAL Switch"): holds its
// IMpegRecordFilter. A filter without that interface leaves the node invalid,
// so the graph drops it and the add fails. Each operation answers E_FAIL
// without the interface, else the filter's own result.
class CHALSwitchFilter : public CFilterNode
{
public:
    CHALSwitchFilter(CDShowGraph* pGraph, REFCLSID clsid);
    ~CHALSwitchFilter() override;
    virtual DWORD ReservedF(DWORD, DWORD, DWORD) { return 0; }
    virtual DWORD ReservedG(DWORD, DWORD, DWORD) { return 0; }

    HRESULT PauseRecord();
    HRESULT ResumeRecord();
    // Lets the filter deliver on the streaming thread instead of its own.
    HRESULT SetCreateDeliverThread();
    HRESULT GetLostBFrame(long* plValue);
    HRESULT SetLostBFrame(long lValue);

protected:
    virtual void AcquireInterface();

private:
    IMpegRecordFilter* m_pRecord;
};
