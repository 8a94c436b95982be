#pragma once
#include "foundation/CallbackTimer.h"
#include "foundation/DriveList.h"

// Message posted to the target window while the watched disk's free space is at or below the limit:
// wParam the root text (LPCSTR, valid for the rest of the run), lParam the free MB.
const UINT WM_DISK_SPACE_LOW = 3021;

// Checks one disk periodically and tells a window when its free space falls to a limit.
class CDiskWatcher
{
public:
    CDiskWatcher();
    virtual ~CDiskWatcher();
    virtual void WatchDisk();

    // Reads the drive list and remembers the window; the list's refresh result.
    BOOL Init(HWND target);
    // 0 when the root is not in the watcher's own list.
    BOOL SetWatch(LPCSTR root, int limitMB);
    void Start(UINT periodMs);
    void Stop();
    int IsRunning() const { return m_running; }
    CDriveInfo* GetWatchedDrive() const { return m_watched; }
    CDriveList& GetDriveList() { return m_drives; }

    static int OnTimerAll();

private:
    CDiskWatcher(const CDiskWatcher&) = delete;
    CDiskWatcher& operator=(const CDiskWatcher&) = delete;

    HWND m_target;
    CString m_root;
    int m_limitMB;
    CCallbackTimer m_timer;
    CDriveInfo* m_watched;
    int m_running;
    CDriveList m_drives;
};
