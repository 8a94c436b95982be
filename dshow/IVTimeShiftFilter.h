#pragma once

#include "dshow/FilterNode.h"
#include "dshow/InterVideoInterfaces.h"

// The InterVideo time-shift filter: its buffer file and settings, reached by
// the positions of its private interface. Every operation is TRUE for any
// success code of its call.
class CIVTimeShiftFilter : public CFilterNode
{
public:
    CIVTimeShiftFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CIVTimeShiftFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CIVTimeShiftFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CIVTimeShiftFilter() override;

    BOOL Initfilter() override;

    // A path of 260 characters or more does not fit the filter's buffer and is refused.
    BOOL SetTimeShiftFile(LPCSTR pszPath);
    // Folder and file name from the path (split at its last backslash), a
    // size of b x c / 8 kilobytes, mode a; then the rate b.
    BOOL ConfigureTimeShift(LPCSTR pszPath, DWORD a, DWORD b, DWORD c);
    BOOL Action20();
    BOOL Action19();
    BOOL SetValue15(DWORD dwValue);
    BOOL SetValue16(DWORD dwValue);
    BOOL SetValue13(DWORD dwValue);
    BOOL SetValue17(DWORD dwValue);
    BOOL SetValue14(LONGLONG llValue);

private:
    ComPtr<IIVTimeShift> m_pTimeShift;
};
