#include "ui/settings/StoragePage.h"

#include "engine/TVEngine.h"
#include "platform/afx/DataExchange.h"
#include "resources/ResourceIds.h"
#include "ui/settings/SettingsPanel.h"

IMPLEMENT_DYNAMIC(CStoragePage, CPageBase)

namespace
{
const int kMinReserved = 200;
const int kMaxReserved = 600;
const long kMinLength = 5;
const long kMaxLength = 120;
// What the controller takes as reserved space.
const int kStoreReservedMin = 50;
const int kStoreReservedMax = 50000;

BOOL IsStorableReserve(int nMB)
{
    return nMB >= kStoreReservedMin && nMB <= kStoreReservedMax;
}
} // namespace

BEGIN_MESSAGE_MAP(CStoragePage, CPageBase)
    ON_CBN_SELCHANGE(IDC_STORAGE_DRIVES, &CStoragePage::OnDrivesChanged)
    ON_CBN_CLOSEUP(IDC_STORAGE_DRIVES, &CStoragePage::OnDrivesClosed)
    ON_BN_CLICKED(IDC_STORAGE_NO_SPACE_NEXT, &CStoragePage::OnChanged)
    ON_BN_CLICKED(IDC_STORAGE_NO_SPACE_STOP, &CStoragePage::OnChanged)
    ON_BN_CLICKED(IDC_STORAGE_EXCESS_STOP, &CStoragePage::OnChanged)
    ON_BN_CLICKED(IDC_STORAGE_EXCESS_NEXT, &CStoragePage::OnChanged)
    ON_EN_CHANGE(IDC_STORAGE_RESERVED, &CStoragePage::OnChanged)
    ON_EN_CHANGE(IDC_STORAGE_FOLDER, &CStoragePage::OnChanged)
    ON_EN_CHANGE(IDC_STORAGE_MAX_LENGTH, &CStoragePage::OnChanged)
END_MESSAGE_MAP()

CStoragePage::CStoragePage() : CPageBase(IDD_PAGE_STORAGE), m_bDrivesChanged(FALSE)
{
    ResetFields();
}

CStoragePage::~CStoragePage() {}

void CStoragePage::ResetFields()
{
    m_lMaxLength = 90;
    m_nReservedSpace = 300;
    m_nNoSpace = 1;
    m_nExcessLength = 1;
    m_strFolder = "Video";
}

void CStoragePage::DoDataExchange(CDataExchange* pDX)
{
    CPageBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STORAGE_DRIVES, m_drives);
    DDX_Control(pDX, IDC_STORAGE_DRIVE_LIST, m_driveList);
    DDX_Radio(pDX, IDC_STORAGE_NO_SPACE_STOP, m_nNoSpace);
    DDX_Radio(pDX, IDC_STORAGE_EXCESS_STOP, m_nExcessLength);
    DDX_Text(pDX, IDC_STORAGE_RESERVED, m_nReservedSpace);
    DDV_MinMaxInt(pDX, m_nReservedSpace, kMinReserved, kMaxReserved);
    DDX_Text(pDX, IDC_STORAGE_MAX_LENGTH, m_lMaxLength);
    DDV_MinMaxLong(pDX, m_lMaxLength, kMinLength, kMaxLength);
    DDX_Text(pDX, IDC_STORAGE_FOLDER, m_strFolder);
}

BOOL CStoragePage::OnInitDialog()
{
    CPageBase::OnInitDialog();
    CTVEngine& engine = *g_pTVEngine;
    m_lMaxLength = engine.GetMaxLength();
    m_nReservedSpace = engine.GetReservedSpace();
    m_nExcessLength = 1 - engine.ExcessLength;
    m_nNoSpace = 1 - engine.NoSpace;
    m_strFolder = engine.GetVideoFolder();
    m_allowed.Copy(engine.ValidDisk);
    UpdateData(FALSE);

    CString heading;
    heading.LoadString(IDS_COL_DRIVE);
    m_driveList.InsertColumn(0, heading, LVCFMT_LEFT, 70);
    heading.LoadString(IDS_COL_TOTAL_SIZE);
    m_driveList.InsertColumn(1, heading, LVCFMT_RIGHT, 90);
    heading.LoadString(IDS_COL_FREE_SPACE);
    m_driveList.InsertColumn(2, heading, LVCFMT_RIGHT, 150);
    m_driveList.SetExtendedStyle(m_driveList.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES |
                                 LVS_EX_FLATSB);
    FillDrives();
    return TRUE;
}

void CStoragePage::FillDrives()
{
    CTVEngine& engine = *g_pTVEngine;
    CDriveList& drives = engine.GetDriveList();
    const CString current = engine.GetCurDisk();
    for (int i = 0; i < drives.GetCount(); ++i)
    {
        CDriveInfo* pDrive = drives.GetAt(i);
        if (pDrive == NULL)
            continue;
        const CString root = pDrive->GetRoot();
        const int nRow = m_driveList.InsertItem(m_driveList.GetItemCount(), root);
        CString text;
        text.Format("%10d MB", pDrive->GetTotalMB());
        m_driveList.SetItemText(nRow, 1, text);
        text.Format("%10d MB ( %2d%% )", pDrive->GetFreeMB(), pDrive->GetFreePercent());
        m_driveList.SetItemText(nRow, 2, text);
        if (root == current)
            m_driveList.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_drives.AddString(root);
    }
    for (int i = 0; i < m_drives.GetCount(); ++i)
    {
        CString root;
        m_drives.GetLBText(i, root);
        for (int k = 0; k < m_allowed.GetSize(); ++k)
        {
            if (root.CompareNoCase(m_allowed[k]) == 0)
            {
                m_drives.SetCheck(i, TRUE);
                break;
            }
        }
    }
}

void CStoragePage::OnDrivesChanged()
{
    m_bDrivesChanged = TRUE;
    SetModified(TRUE);
}

void CStoragePage::OnDrivesClosed()
{
    if (!m_bDrivesChanged)
        return;
    m_allowed.RemoveAll();
    for (int i = 0; i < m_drives.GetCount(); ++i)
    {
        if (!m_drives.GetCheck(i))
            continue;
        CString root;
        m_drives.GetLBText(i, root);
        m_allowed.Add(root);
    }
    if (m_allowed.GetSize() == 0)
    {
        m_bDrivesChanged = FALSE;
        SettingsMessageBox(this, IDS_NO_DRIVE_CHOSEN, MB_ICONINFORMATION);
    }
}

void CStoragePage::OnChanged()
{
    SetModified(TRUE);
}

BOOL CStoragePage::SaveData()
{
    if (!UpdateData(TRUE))
        return FALSE;
    CTVEngine& engine = *g_pTVEngine;
    if (m_lMaxLength != engine.GetMaxLength())
        engine.SetMaxLength(static_cast<int>(m_lMaxLength));
    engine.ExcessLength = 1 - m_nExcessLength;
    engine.NoSpace = 1 - m_nNoSpace;
    if (m_strFolder != engine.GetVideoFolder())
        engine.SetVideoFolder(m_strFolder);

    const BOOL bReservedChanged = m_nReservedSpace != engine.GetReservedSpace();
    const BOOL bAnyDrive = m_allowed.GetSize() > 0;
    if (bReservedChanged && m_bDrivesChanged)
    {
        if (bAnyDrive)
        {
            if (IsStorableReserve(m_nReservedSpace))
                engine.SetReservedSpace(m_nReservedSpace);
            engine.SetValidDisks(m_allowed);
        }
    }
    else if (m_bDrivesChanged)
    {
        if (bAnyDrive)
            engine.SetValidDisks(m_allowed);
    }
    else if (bReservedChanged && IsStorableReserve(m_nReservedSpace))
    {
        engine.SetReservedSpace(m_nReservedSpace);
    }
    return CPageBase::SaveData();
}
