#pragma once

#include <dshow.h>
#include <qedit.h>

// The base of a sample grabber's buffer callback that saves pictures on
// request: the grabber wrapper gives it the picture format of the connection
// and posts snapshot requests (a path) to it; the callback takes a request
// on the streaming thread, writes the picture and completes it. One lock
// guards the format and the request between the two threads.
class CSampleGrabberCallback : public ISampleGrabberCB
{
public:
    enum { PATH_SIZE = 260 };

    CSampleGrabberCallback();
    virtual ~CSampleGrabberCallback();

    // The picture format of the grabber's connection.
    void SetFormat(const BITMAPINFOHEADER& bih);
    BITMAPINFOHEADER GetFormat();

    // FALSE while a request is pending, or for a path that does not fit.
    BOOL PostRequest(LPCSTR pszPath);
    // On the streaming thread: the pending request's path (cbPath bytes at
    // least PATH_SIZE); FALSE when none is pending.
    BOOL PeekRequest(char* pszPath, int cbPath);
    // Ends the pending request, so the next one may come.
    void CompleteRequest();
    BOOL IsPending();

protected:
    BITMAPINFOHEADER m_bih;
    char m_szPath[PATH_SIZE];
    BOOL m_bPending;

private:
    CRITICAL_SECTION m_cs;

    CSampleGrabberCallback(const CSampleGrabberCallback&) = delete;
    CSampleGrabberCallback& operator=(const CSampleGrabberCallback&) = delete;
};
