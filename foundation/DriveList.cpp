#include "foundation/DriveList.h"

#include <cstring>

namespace {
UINT SystemDriveType(LPCSTR root)
{
    return GetDriveTypeA(root);
}
CDriveList::DriveTypeQuery g_driveType = SystemDriveType;
}  // namespace

void CDriveList::SetDriveTypeQuery(DriveTypeQuery query)
{
    g_driveType = query ? query : SystemDriveType;
}

BOOL CDriveList::Refresh()
{
    Clear();
    char buffer[MAX_PATH + 2] = {};
    DWORD n = GetLogicalDriveStringsA(MAX_PATH, buffer);
    if (n == 0)
        return FALSE;
    // When the list does not fit, the system leaves the buffer empty: no drives then.
    for (const char* root = buffer; *root && root < buffer + MAX_PATH; root += std::strlen(root) + 1)
    {
        if (g_driveType(root) != DRIVE_FIXED)
            continue;
        CDriveInfo* drive = new CDriveInfo(root);
        drive->Refresh();
        m_drives.Add(drive);
    }
    return TRUE;
}

void CDriveList::Clear()
{
    for (INT_PTR i = 0; i < m_drives.GetSize(); ++i)
        delete static_cast<CDriveInfo*>(m_drives[i]);
    m_drives.RemoveAll();
}

CDriveInfo* CDriveList::GetAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return static_cast<CDriveInfo*>(m_drives[index]);
}

CDriveInfo* CDriveList::FindByRoot(LPCSTR root) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (GetAt(i)->GetRoot().CompareNoCase(root) == 0)
            return GetAt(i);
    return nullptr;
}

BOOL CDriveList::FindByLabel(LPCSTR label, CPtrArray& found) const
{
    BOOL any = FALSE;
    for (int i = 0; i < GetCount(); ++i)
    {
        if (GetAt(i)->GetVolumeLabel().CompareNoCase(label) == 0)
        {
            found.Add(GetAt(i));
            any = TRUE;
        }
    }
    return any;
}

BOOL CDriveList::CollectByFreeSpace(int limitMB, CPtrArray& found, BOOL above) const
{
    BOOL any = FALSE;
    for (int i = 0; i < GetCount(); ++i)
    {
        int free = GetAt(i)->GetFreeMB();
        if (above ? free > limitMB : free < limitMB)
        {
            found.Add(GetAt(i));
            any = TRUE;
        }
    }
    return any;
}
