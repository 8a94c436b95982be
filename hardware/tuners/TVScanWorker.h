#pragma once

#include "dshow/WorkThread.h"

class CTunerModule;

// The TV scan: searches each point of the owner's scan list (method 0) or
// sweeps a range (method 1) with the tuner's frequency-error codes, posting
// WM_TUNER_SCAN_STEP per point or channel searched and WM_TUNER_SCAN_DONE at
// the end.
class CTVScanWorker : public CWorkThread
{
public:
    explicit CTVScanWorker(CTunerModule* pOwner);
    ~CTVScanWorker() override;

    BOOL InitInstance() override;
    int Run() override;
    int ExitInstance() override;

    void SetStartStep(LONG step);
    void SetFineStep(LONG step);
    void SetMethod(LONG method);
    void SetHitJump(LONG jump);
    void SetWindow(LONG window);
    void SetRange(LONG low, LONG high);
    void SetDwell(LONG ms);

    LONG GetStartStep() const { return m_nStartStep; }
    LONG GetFineStep() const { return m_nFineStep; }
    LONG GetMethod() const { return m_nMethod; }
    LONG GetHitJump() const { return m_nHitJump; }
    LONG GetWindow() const { return m_nWindow; }
    LONG GetRangeLow() const { return m_nRangeLow; }
    LONG GetRangeHigh() const { return m_nRangeHigh; }
    LONG GetDwell() const { return m_nDwell; }

private:
    enum { SEARCH_STOPPED = -1, SEARCH_NOT_RUN = 0, SEARCH_DONE = 1 };

    // Searches [low, high] for a carrier, starting at the centre, into the
    // frequency found and its lock flag.
    int FineSearch(float low, float high, float centre, LONG* pFound, BOOL* pLocked);
    BOOL ConfirmCarrier();
    // FALSE when the stop event ended the wait.
    BOOL Dwell();
    void RangeSearch(HWND hNotify);
    void ListSearch(HWND hNotify);

    CTunerModule* m_pOwner;
    volatile LONG m_nStartStep;
    volatile LONG m_nFineStep;
    volatile LONG m_nHitJump;
    volatile LONG m_nWindow;
    volatile LONG m_nRangeLow;
    volatile LONG m_nRangeHigh;
    volatile LONG m_nClampHigh;
    volatile LONG m_nDwell;
    volatile LONG m_nMethod;
};
