#pragma once

#include "dshow/FilterNode.h"
#include "dshow/SampleGrabberCallback.h"

// The wrapper of the "SampleGrabber" filter: a buffer callback that is told
// the connection's picture format and takes snapshot requests.
class CSampleGrabberFilter : public CFilterNode
{
public:
    CSampleGrabberFilter(CDShowGraph* pGraph, REFCLSID clsid);
    CSampleGrabberFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude);
    CSampleGrabberFilter(CDShowGraph* pGraph, IBaseFilter* pFilter);
    ~CSampleGrabberFilter() override;

    // Forgets the callback; TRUE when the filter has ISampleGrabber.
    BOOL Initfilter() override;
    // Needs both pins connected. Gives the callback (not owned) the picture
    // format of a video connection and makes it the grabber's buffer
    // callback; a null callback is forgotten (FALSE).
    BOOL SetGrabberCallback(CSampleGrabberCallback* pCallback);
    // FALSE without a callback, while a request is pending, or for a path of
    // 260 characters or more.
    BOOL RequestSnapshot(LPCSTR pszPath);
    // Asks for RGB24 video.
    BOOL SetVideoMediaType();

    // The picture format inside a connection's format block, or null for a
    // format that holds none (or is too short to).
    static const BITMAPINFOHEADER* FindBitmapHeader(const AM_MEDIA_TYPE& mt);

private:
    ComPtr<ISampleGrabber> m_pGrabber;
    CSampleGrabberCallback* m_pCallback;
};
