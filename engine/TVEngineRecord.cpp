#include "engine/TVEngine.h"

#include "engine/EngineWindows.h"
#include "foundation/PathUtils.h"

#include <stdio.h>

namespace
{
const UINT kWatchPeriodMs = 5000;
// GetRecordDisk wants this much beyond the reserve.
const int kRecordMarginMB = 10;

BOOL SameRoot(LPCSTR pszPath, LPCSTR pszRoot)
{
    return pszPath != NULL && pszRoot != NULL && strlen(pszPath) >= 3 && _strnicmp(pszPath, pszRoot, 3) == 0;
}
}  // namespace

CString CTVEngine::TimeStampName(LPCSTR pszExtension)
{
    SYSTEMTIME st;
    m_pfnLocalTime(&st);
    char sz[64];
    snprintf(sz, sizeof(sz), "%04u%02u%02u-%02u%02u%02u%s", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
             st.wSecond, pszExtension);
    return CString(sz);
}

CString CTVEngine::MakeRecordFileName(int nFormat)
{
    // Only the hardware-MPEG modes write a program stream; every other format
    // (the ones without a mode of their own included) is recorded as AVI.
    BOOL bMpeg = nFormat == 1 || nFormat == 2 || nFormat == 4 || nFormat == 6;
    return TimeStampName(bMpeg ? ".mpg" : ".avi");
}

CString CTVEngine::MakeAudioRecordFileName(int nFormat)
{
    // Formats 0, 1 and 3 are written by the AVI multiplexer.
    return TimeStampName(nFormat == 2 ? ".mp2" : ".avi");
}

CString CTVEngine::MakeSnapshotFileName(int nType)
{
    return TimeStampName(nType == 2 ? ".jpg" : ".bmp");
}

CString CTVEngine::MakeUniquePath(LPCSTR pszFolder, LPCSTR pszName)
{
    CString path = JoinPath(pszFolder, pszName);
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return path;
    CString name(pszName);
    int nDot = name.ReverseFind('.');
    CString stem = nDot >= 0 ? name.Left(nDot) : name;
    CString ext = nDot >= 0 ? name.Mid(nDot) : CString();
    for (int n = 2;; ++n)
    {
        char suffix[16];
        snprintf(suffix, sizeof(suffix), "-%d", n);
        path = JoinPath(pszFolder, stem + suffix + ext);
        if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
            return path;
    }
}

// The rotating walk over ValidDisk from pszRoot's place: the first known
// drive with more than nThresholdMB free.
BOOL CTVEngine::FindRotatingDisk(LPCSTR pszRoot, int nThresholdMB, CDriveInfo** ppDrive)
{
    *ppDrive = NULL;
    int nCount = static_cast<int>(ValidDisk.GetSize());
    int nStart = 0;
    for (int i = 0; i < nCount; ++i)
    {
        if (pszRoot != NULL && ValidDisk[i].CompareNoCase(pszRoot) == 0)
        {
            nStart = i;
            break;
        }
    }
    for (int i = 0; i < nCount; ++i)
    {
        CDriveInfo* pDrive = m_DriveList.FindByRoot(ValidDisk[(nStart + i) % nCount]);
        if (pDrive != NULL && pDrive->GetFreeMB() > nThresholdMB)
        {
            *ppDrive = pDrive;
            return TRUE;
        }
    }
    return FALSE;
}

CDriveInfo* CTVEngine::FindDiskWithSpace(LPCSTR pszRoot)
{
    CDriveInfo* pDrive;
    FindRotatingDisk(pszRoot, ReservedSpace, &pDrive);
    return pDrive;
}

BOOL CTVEngine::GetRecordDisk(CString& root)
{
    CDriveInfo* pDrive;
    root.Empty();
    if (!FindRotatingDisk(CurDisk, ReservedSpace + kRecordMarginMB, &pDrive))
        return FALSE;
    root = pDrive->GetRoot();
    return TRUE;
}

BOOL CTVEngine::UseDisk(CDriveInfo* pDrive)
{
    if (pDrive == NULL || pDrive->GetFreeMB() <= ReservedSpace)
        return FALSE;
    m_pCurDrive = pDrive;
    CurDisk = pDrive->GetRoot();
    if (SameRoot(RecordPath, CurDisk))
        m_strRecordFolder = RecordPath;
    else
        m_strRecordFolder = CurDisk + VideoFolder;
    m_DiskWatcher.SetWatch(CurDisk, ReservedSpace);
    m_DiskWatcher.Start(kWatchPeriodMs);
    m_bDiskFull = FALSE;
    return TRUE;
}

BOOL CTVEngine::UseDiskOfPath(LPCSTR pszPath)
{
    if (pszPath == NULL || strlen(pszPath) < 3)
        return FALSE;
    CString root(pszPath, 3);
    CDriveInfo* pDrive = m_DriveList.FindByRoot(root);
    return pDrive != NULL && UseDisk(pDrive);
}

BOOL CTVEngine::SetRecordPath(LPCSTR pszPath)
{
    if (pszPath == NULL)
        return FALSE;
    if (GetFileAttributesA(pszPath) == INVALID_FILE_ATTRIBUTES)
        CreateDirectoryPath(pszPath);
    RecordPath = pszPath;
    return UseDiskOfPath(pszPath);
}

// The drive in use no longer qualifies: end a recording and take the next
// allowed drive with room; none marks the disks full.
BOOL CTVEngine::MoveToDiskWithSpace()
{
    if (m_TVHardWare.IsRecording())
        StopRecord();
    CDriveInfo* pDrive = FindDiskWithSpace(CurDisk);
    if (pDrive != NULL)
        UseDisk(pDrive);
    m_bDiskFull = pDrive == NULL;
    return pDrive != NULL;
}

BOOL CTVEngine::SetVideoFolder(LPCSTR pszName)
{
    if (pszName == NULL || !CreateDirectoryPath(CurDisk + pszName))
        return FALSE;
    VideoFolder = pszName;
    if (m_pCurDrive != NULL && m_strRecordFolder.CompareNoCase(RecordPath) != 0)
        m_strRecordFolder = m_pCurDrive->GetRoot() + VideoFolder;
    return TRUE;
}

BOOL CTVEngine::SetReservedSpace(int nMB)
{
    ReservedSpace = nMB;
    if (m_pCurDrive != NULL && m_pCurDrive->GetFreeMB() > nMB)
    {
        m_DiskWatcher.SetWatch(CurDisk, ReservedSpace);
        m_DiskWatcher.Start(kWatchPeriodMs);
        m_bDiskFull = FALSE;
        return TRUE;
    }
    return MoveToDiskWithSpace();
}

BOOL CTVEngine::SetValidDisks(const CStringArray& disks)
{
    ValidDisk.RemoveAll();
    for (int i = 0; i < disks.GetSize(); ++i)
        ValidDisk.Add(disks[i]);
    for (int i = 0; i < ValidDisk.GetSize(); ++i)
    {
        if (ValidDisk[i].CompareNoCase(CurDisk) == 0)
            return TRUE;
    }
    return MoveToDiskWithSpace();
}

void CTVEngine::InitDiskMonitor(HWND hTarget)
{
    const UINT kNoRoomText = 34047;
    const UINT kInformationCaption = 57344;
    // The watcher refreshes its list of drives; the engine's list follows.
    m_DiskWatcher.Init(hTarget);
    m_DriveList.Refresh();
    if (ValidDisk.GetSize() == 0)
    {
        for (int i = 0; i < m_DriveList.GetCount(); ++i)
        {
            CDriveInfo* pDrive = m_DriveList.GetAt(i);
            if (pDrive != NULL && pDrive->GetFreeMB() > ReservedSpace)
                ValidDisk.Add(pDrive->GetRoot());
        }
    }
    if (ValidDisk.GetSize() > 0)
    {
        if ((CurDisk.IsEmpty() || SameRoot(RecordPath, CurDisk)) && SetRecordPath(RecordPath))
            return;
        CDriveInfo* pDrive = FindDiskWithSpace(CurDisk);
        if (pDrive != NULL)
        {
            UseDiskOfPath(pDrive->GetRoot());
            return;
        }
        m_bDiskFull = TRUE;
        if (m_TVHardWare.IsRecording())
            m_pWindows->ShowResMessage(kNoRoomText, kInformationCaption, MB_ICONINFORMATION);
        return;
    }
    m_bDiskFull = TRUE;
    ValidDisk.Add(m_strAppFolder.Left(3));
    m_pWindows->ShowResMessage(kNoRoomText, kInformationCaption, MB_ICONINFORMATION);
}

void CTVEngine::SetDiskFull(BOOL bFull)
{
    if (bFull && m_TVHardWare.IsRecording())
        StopRecord();
    m_bDiskFull = bFull;
}

BOOL CTVEngine::StartRecord()
{
    if (m_bRecording || m_bScanning || m_bDiskFull || IsDeviceMissing())
        return FALSE;
    CString root;
    if (!GetRecordDisk(root))
        return FALSE;
    // The file goes to the drive that was found to have room.
    if (!SameRoot(m_strRecordFolder, root))
    {
        CDriveInfo* pDrive = m_DriveList.FindByRoot(root);
        if (pDrive == NULL || !UseDisk(pDrive))
            return FALSE;
    }
    if (GetFileAttributesA(m_strRecordFolder) == INVALID_FILE_ATTRIBUTES)
        CreateDirectoryPath(m_strRecordFolder);
    CString name = IsRadio() ? MakeAudioRecordFileName(m_TVHardWare.FMRecordFormat)
                             : MakeRecordFileName(m_TVHardWare.RecordFormat);
    m_strRecordingPath = MakeUniquePath(m_strRecordFolder, name);
    m_TVHardWare.SetRecordFileName(m_strRecordingPath);
    BOOL bResult = m_TVHardWare.StartRecord();
    if (bResult)
        m_bRecording = TRUE;
    return bResult;
}

BOOL CTVEngine::StopRecord()
{
    m_bRecording = FALSE;
    return m_TVHardWare.StopRecord();
}

BOOL CTVEngine::SetTimeShiftLength(int nSeconds)
{
    if (!m_TVHardWare.SetTimeShiftLength(nSeconds))
        return FALSE;
    TFTime = nSeconds;
    return TRUE;
}

BOOL CTVEngine::SetTimeShiftReserved(int nValue)
{
    TFReserved = nValue;
    m_TVHardWare.SetTimeShiftReserved(static_cast<DWORD>(nValue));
    return TRUE;
}

// Megabytes the time-shift buffer takes, at the rates the encoder sends.
static ULONGLONG TimeShiftMB(const CTVHardWare& hw)
{
    return hw.GetTimeShiftBufferSize() / 8 / 1024;
}

BOOL CTVEngine::FindTimeShiftDisk(CString& root)
{
    root.Empty();
    ULONGLONG ullNeed = TimeShiftMB(m_TVHardWare) + static_cast<ULONGLONG>(ReservedSpace > 0 ? ReservedSpace : 0);
    CDriveInfo* pDrive;
    if (ullNeed > 0x7FFFFFFF || !FindRotatingDisk(CurDisk, static_cast<int>(ullNeed), &pDrive))
        return FALSE;
    root = pDrive->GetRoot();
    return TRUE;
}

BOOL CTVEngine::StartTimeShift()
{
    if (IsDeviceMissing())
        return FALSE;
    if (GetFileAttributesA(m_strRecordFolder) == INVALID_FILE_ATTRIBUTES)
        CreateDirectoryPath(m_strRecordFolder);
    m_TVHardWare.SetTimeShiftFileName(JoinPath(m_strRecordFolder, MakeRecordFileName(2)));
    if (!m_TVHardWare.StartTimeShift())
        return FALSE;
    // The buffer is sized at the encoder's real rate, which may be above the
    // one the disk was chosen for: make sure the disk holds it.
    CDriveInfo* pDrive = m_DriveList.FindByRoot(CString(static_cast<LPCSTR>(m_strRecordFolder), 3));
    if (pDrive != NULL)
    {
        ULONGLONG ullNeed = m_TVHardWare.GetTimeShiftBufferBytes() / (1024 * 1024) +
                            static_cast<ULONGLONG>(ReservedSpace > 0 ? ReservedSpace : 0);
        pDrive->Refresh();
        if (static_cast<ULONGLONG>(pDrive->GetFreeMB()) <= ullNeed)
        {
            m_TVHardWare.StopTimeShift();
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CTVEngine::TakeSnapshot()
{
    int nType = SnapBmp ? 1 : 2;
    if (GetFileAttributesA(SnapPath) == INVALID_FILE_ATTRIBUTES)
        CreateDirectoryPath(SnapPath);
    CString path = MakeUniquePath(SnapPath, MakeSnapshotFileName(nType));
    return m_TVHardWare.TakeSnapshot(path, nType, JpgQuality);
}
