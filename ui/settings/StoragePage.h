#pragma once
#include "platform/afx/CommonControls.h"
#include "platform/afx/StringArray.h"
#include "skin/CheckComboBox.h"
#include "skin/PageBase.h"

// Where and how much is recorded: the drives allowed for recording, the space kept free on a
// drive, the longest recording, what happens when a drive is full or a recording too long, and the
// record sub-folder. Each drive is listed with its size and free space. The values go to the
// controller on OK or Apply.
class CStoragePage : public CPageBase
{
    DECLARE_DYNAMIC(CStoragePage)
public:
    CStoragePage();
    ~CStoragePage() override;

    BOOL OnInitDialog() override;
    BOOL SaveData() override;
    // The fields back to 90 minutes, 300 MB, both choices 1 and the sub-folder "Video".
    void ResetFields();

    CCheckComboBox& GetDriveChoice() { return m_drives; }
    CListCtrl& GetDriveList() { return m_driveList; }
    const CStringArray& GetAllowedDrives() const { return m_allowed; }
    BOOL AreDrivesChanged() const { return m_bDrivesChanged; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDrivesChanged();
    void OnDrivesClosed();
    void OnChanged();
    DECLARE_MESSAGE_MAP()

    void FillDrives();

    CCheckComboBox m_drives;
    CListCtrl m_driveList;
    int m_nNoSpace;
    int m_nExcessLength;
    int m_nReservedSpace;
    long m_lMaxLength;
    CString m_strFolder;
    CStringArray m_allowed;
    BOOL m_bDrivesChanged;
};
