#include "foundation/DiskWatcher.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "foundation/Trace.h"

namespace {

std::vector<CDiskWatcher*> g_watchers;

// The window reads the root text when the message arrives, possibly after the drive list was read
// again or the watcher was destroyed: the text posted is a copy that lives as long as the program.
LPCSTR LastingRootText(LPCSTR root)
{
    static std::set<std::string> roots;
    return roots.insert(root).first->c_str();
}

}  // namespace

CDiskWatcher::CDiskWatcher() : m_target(nullptr), m_limitMB(1), m_watched(nullptr), m_running(0)
{
    g_watchers.push_back(this);
}

CDiskWatcher::~CDiskWatcher()
{
    m_timer.Stop();
    g_watchers.erase(std::remove(g_watchers.begin(), g_watchers.end(), this), g_watchers.end());
}

BOOL CDiskWatcher::Init(HWND target)
{
    // The list's entries are about to go: forget the one we pointed into.
    m_watched = nullptr;
    BOOL result = m_drives.Refresh();
    m_timer.SetCallback(OnTimerAll);
    m_target = target;
    return result;
}

BOOL CDiskWatcher::SetWatch(LPCSTR root, int limitMB)
{
    CDriveInfo* drive = m_drives.FindByRoot(root);
    if (!drive)
        return FALSE;
    m_root = root;
    m_limitMB = limitMB;
    m_watched = drive;
    return TRUE;
}

void CDiskWatcher::Start(UINT periodMs)
{
    if (m_running)
        m_timer.Stop();
    m_timer.Start(periodMs);
    m_running = 1;
}

void CDiskWatcher::Stop()
{
    m_timer.Stop();
    m_running = 0;
}

void CDiskWatcher::WatchDisk()
{
    if (!m_watched)
        return;
    int free = m_watched->GetFreeMB();
    if (free > m_limitMB)
        return;
    PostMessageA(m_target, WM_DISK_SPACE_LOW, reinterpret_cast<WPARAM>(LastingRootText(m_watched->GetRootText())),
                 free);
    NullTrace("WatchDisk WPARAM: %s,LPARAM: %d\n", m_watched->GetRootText(), free);
}

int CDiskWatcher::OnTimerAll()
{
    if (g_watchers.empty())
        return -1;
    // A copy: a watcher's check must not disturb the walk.
    std::vector<CDiskWatcher*> watchers(g_watchers);
    for (CDiskWatcher* watcher : watchers)
    {
        if (!watcher->m_timer.IsFired())
            continue;
        watcher->m_timer.Stop();
        watcher->WatchDisk();
        watcher->m_timer.Restart();
    }
    return 0;
}
