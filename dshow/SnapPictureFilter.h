#pragma once

#include "dshow/FilterNode.h"
#include "dshow/SnapPictureInterface.h"

// The wrapper of the companion snapshot filter: saves the passing picture as
// a bitmap or JPEG file.
class CSnapPictureFilter : public CFilterNode
{
public:
    enum { COMMAND_SAVE = 1, TYPE_REFUSED = 3, QUALITY_MAX = 100 };

    CSnapPictureFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CSnapPictureFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CSnapPictureFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CSnapPictureFilter() override;

    // TRUE when the filter has its private interface.
    BOOL Initfilter() override;
    // Type 1 bitmap, 2 JPEG (any other but 3 goes as 0); quality clamped to
    // 0..100. A name that does not fit the request (259 characters at most)
    // is refused.
    BOOL SnapPicture(LONG lType, LPCSTR pszFile, LONG lQuality);

private:
    ComPtr<ISnapPicture> m_pSnap;
};
