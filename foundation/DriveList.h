#pragma once
#include "foundation/DriveInfo.h"
#include "platform/afx/Array.h"

// The fixed disks of the machine, in the order the system lists its drives; owns its entries.
class CDriveList
{
public:
    CDriveList() {}
    virtual ~CDriveList() { Clear(); }

    BOOL Refresh();
    void Clear();
    int GetCount() const { return static_cast<int>(m_drives.GetSize()); }
    CDriveInfo* GetAt(int index) const;
    // Roots compared ignoring case.
    CDriveInfo* FindByRoot(LPCSTR root) const;
    // Appends every drive of that label (ignoring case); 1 when any was found.
    BOOL FindByLabel(LPCSTR label, CPtrArray& found) const;
    // Appends every drive whose free space is above (above = 1) or below (above = 0) limitMB.
    BOOL CollectByFreeSpace(int limitMB, CPtrArray& found, BOOL above) const;

    // The system's drive type query; tests list drives of other kinds through it.
    typedef UINT (*DriveTypeQuery)(LPCSTR root);
    static void SetDriveTypeQuery(DriveTypeQuery query);

private:
    CDriveList(const CDriveList&) = delete;
    CDriveList& operator=(const CDriveList&) = delete;

    CPtrArray m_drives;
};
