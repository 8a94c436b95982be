#pragma once

#include "dshow/WorkThread.h"

class CTunerModule;

// The FM scan: steps the owner's FM range, posting one WM_TUNER_SCAN_STEP per
// frequency that could be set and WM_TUNER_SCAN_DONE at the end.
class CTunerScanWorker : public CWorkThread
{
public:
    enum { SETTLE_MS = 150 };

    explicit CTunerScanWorker(CTunerModule* pOwner);
    ~CTunerScanWorker() override;

    BOOL InitInstance() override;
    int Run() override;
    int ExitInstance() override;

    void SetRange(LONG low, LONG high);
    void SetStep(LONG step);
    // Ignored when the step is 0 or less.
    void SetStepIfPositive(LONG step);

    LONG GetStart() const { return m_nStart; }
    LONG GetEnd() const { return m_nEnd; }
    LONG GetStep() const { return m_nStep; }
    LONG GetHitStep() const { return m_nHitStep; }

private:
    CTunerModule* m_pOwner;
    volatile LONG m_nStart;
    volatile LONG m_nEnd;
    volatile LONG m_nStep;
    volatile LONG m_nHitStep;
};
