#include "foundation/DriveInfo.h"

namespace {

BOOL SystemSpaceQuery(LPCSTR root, ULARGE_INTEGER* totalBytes, ULARGE_INTEGER* totalFreeBytes)
{
    ULARGE_INTEGER available;
    return GetDiskFreeSpaceExA(root, &available, totalBytes, totalFreeBytes);
}

CDriveInfo::SpaceQuery g_spaceQuery = SystemSpaceQuery;

int ToMB(ULONGLONG bytes)
{
    return static_cast<int>(bytes >> 20);
}

}  // namespace

void CDriveInfo::SetSpaceQuery(SpaceQuery query)
{
    g_spaceQuery = query ? query : SystemSpaceQuery;
}

CDriveInfo::CDriveInfo(LPCSTR root) : m_root(root), m_totalMB(1), m_freeMB(0)
{
    if (m_root.GetLength() > 3)
        m_root = m_root.Left(3);
}

BOOL CDriveInfo::QuerySpace()
{
    ULARGE_INTEGER total, totalFree;
    if (!g_spaceQuery(m_root, &total, &totalFree))
        return FALSE;
    m_totalMB = ToMB(total.QuadPart);
    m_freeMB = ToMB(totalFree.QuadPart);
    return TRUE;
}

BOOL CDriveInfo::Refresh()
{
    if (!QuerySpace())
        return FALSE;
    char label[MAX_PATH] = {};
    if (GetVolumeInformationA(m_root, label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0))
        m_label = label;
    else
        m_label.Empty();
    return TRUE;
}

int CDriveInfo::GetFreeMB()
{
    QuerySpace();
    return m_freeMB;
}

int CDriveInfo::GetFreePercent()
{
    GetFreeMB();
    if (m_totalMB == 0)
        return 0;
    return static_cast<int>(static_cast<long long>(m_freeMB) * 100 / m_totalMB);
}
