#pragma once
#include "platform/afx/String.h"

// One fixed disk: its root ("C:\"), volume label and sizes in MB of 2^20 bytes.
class CDriveInfo
{
public:
    explicit CDriveInfo(LPCSTR root);
    virtual ~CDriveInfo() {}

    // Sizes and label from the system; 0 (values kept) when the space query fails.
    BOOL Refresh();
    // Asks the system again; the last known value when that fails.
    int GetFreeMB();
    int GetTotalMB() const { return m_totalMB; }
    // Free share in percent of the total, 0 for a total of 0.
    int GetFreePercent();
    CString GetRoot() const { return m_root; }
    CString GetVolumeLabel() const { return m_label; }
    CString GetDescription() const { return m_description; }
    // The root text itself; it lives as long as this object.
    LPCSTR GetRootText() const { return m_root; }

    // The system's space query; tests put a disk of their own in its place.
    typedef BOOL (*SpaceQuery)(LPCSTR root, ULARGE_INTEGER* totalBytes, ULARGE_INTEGER* totalFreeBytes);
    static void SetSpaceQuery(SpaceQuery query);

private:
    BOOL QuerySpace();

    CString m_root;
    CString m_label;
    CString m_description;  // never filled
    int m_totalMB;
    int m_freeMB;
};
