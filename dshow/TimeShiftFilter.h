#pragma once

#include "dshow/FilterNode.h"
#include "dshow/TimeShiftInterface.h"

// The wrapper of the companion "Time Shift" filter: the buffer file with its
// index, its size, the play-back position and pause.
class CTimeShiftFilter : public CFilterNode
{
public:
    CTimeShiftFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CTimeShiftFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CTimeShiftFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CTimeShiftFilter() override;

    // TRUE when the filter has the private interface.
    BOOL Initfilter() override;
    // The media file; its index is the same name up to its last '.' with ".idx".
    BOOL SetFileName(LPCSTR pszMediaFile);
    BOOL SetBufferSize(LONGLONG* pllSize, DWORD dwValue);
    BOOL GetPositions(LONGLONG* pllReadPos, LONGLONG* pllCurBufLen, LONGLONG* pllTotalBufLen);
    BOOL SetPosition(LONGLONG* pllPosition);
    BOOL TogglePause();

    // The index file name of a media file name; FALSE when it would not fit.
    static BOOL MakeIndexName(LPCSTR pszMediaFile, char* pszIndex, int cbIndex);

private:
    ComPtr<ITimeShift> m_pTimeShift;
};
