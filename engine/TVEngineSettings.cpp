#include "engine/TVEngine.h"

#include "engine/EngineWindows.h"
#include "foundation/IniFile.h"
#include "foundation/PathUtils.h"
#include "foundation/RegistryKey.h"
#include "foundation/Trace.h"
#include "platform/afx/Archive.h"

#include <shlobj.h>

namespace {
const char kCommonKey[] = "Software\\Veltrane\\Common";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char kTrayValue[] = "Wimbrel";
const char kTrayProgram[] = "Wimbrel.exe";
const char kSettingsFile[] = "TVParam.ini";
const char kEpgMapFile[] = "mapChannel.dat";
const char kEpgFolder[] = "节目单";
// A count of FM custom entries only adds empty entries past the keys the file holds; those are
// kept up to this many, so a damaged count cannot fill the memory.
const int kMaxEmptyFMCustom = 256;

BOOL ReadRegistryString(HKEY root, LPCSTR pszKey, LPCSTR pszValue, CString& text)
{
    CRegistryKey key;
    if (key.Open(root, pszKey) != ERROR_SUCCESS)
        return FALSE;
    return key.QueryString(pszValue, text) == ERROR_SUCCESS;
}

void WriteRegistryString(HKEY root, LPCSTR pszKey, LPCSTR pszValue, LPCSTR pszText)
{
    CRegistryKey key;
    if (key.Open(root, pszKey) == ERROR_SUCCESS)
        key.SetString(pszValue, pszText);
}

// Reads or writes each key of one section in its own form; on reading, an absent key leaves
// the member as it was and a value that does not hold its form is traced and left too.
class CSettingsSection
{
public:
    CSettingsSection(CIniFile& ini, LPCSTR pszName, BOOL bSave)
        : m_pSection(ini.GetSection(pszName)), m_pszName(pszName), m_bSave(bSave)
    {
    }

    void Int(LPCSTR pszKey, int& value)
    {
        if (m_bSave)
            m_pSection->SetInt(pszKey, value);
        else
            m_pSection->GetInt(pszKey, value);
    }
    void UInt(LPCSTR pszKey, UINT& value)
    {
        if (m_bSave)
            m_pSection->SetUInt(pszKey, value);
        else
            m_pSection->GetUInt(pszKey, value);
    }
    void UIntOf(LPCSTR pszKey, int& value)
    {
        UINT unsignedValue = static_cast<UINT>(value);
        UInt(pszKey, unsignedValue);
        value = static_cast<int>(unsignedValue);
    }
    void Long(LPCSTR pszKey, int& value)
    {
        long longValue = value;
        if (m_bSave)
            m_pSection->SetLong(pszKey, longValue);
        else if (m_pSection->GetLong(pszKey, longValue))
            value = static_cast<int>(longValue);
    }
    void String(LPCSTR pszKey, CString& value)
    {
        if (m_bSave)
            m_pSection->SetString(pszKey, value);
        else
            m_pSection->GetString(pszKey, value);
    }
    void Size(LPCSTR pszKey, SIZE& value)
    {
        if (m_bSave)
            m_pSection->SetSize(pszKey, value);
        else if (m_pSection->HasKey(pszKey) && !m_pSection->GetSize(pszKey, value))
            Unreadable(pszKey);
    }
    void Point(LPCSTR pszKey, POINT& value)
    {
        if (m_bSave)
            m_pSection->SetPoint(pszKey, value);
        else if (m_pSection->HasKey(pszKey) && !m_pSection->GetPoint(pszKey, value))
            Unreadable(pszKey);
    }
    void Rect(LPCSTR pszKey, RECT& value)
    {
        if (m_bSave)
            m_pSection->SetRect(pszKey, value);
        else if (m_pSection->HasKey(pszKey) && !m_pSection->GetRect(pszKey, value))
            Unreadable(pszKey);
    }
    void Time(LPCSTR pszKey, CTime& value)
    {
        if (m_bSave)
            m_pSection->SetTime(pszKey, value);
        else if (m_pSection->HasKey(pszKey) && !m_pSection->GetTime(pszKey, value))
            Unreadable(pszKey);
    }
    void List(LPCSTR pszKey, CStringArray& value)
    {
        if (m_bSave)
        {
            m_pSection->SetStringList(pszKey, value, ',');
            return;
        }
        CStringArray read;
        if (m_pSection->GetStringList(pszKey, read, ','))
            value.Copy(read);
    }
    CIniSection* Section() const { return m_pSection; }

private:
    void Unreadable(LPCSTR pszKey)
    {
        CString text;
        m_pSection->GetString(pszKey, text);
        DebugHelperTrace("TVParam.ini [%s] %s=%s is not readable; kept the current value", m_pszName, pszKey, text);
    }

    CIniSection* m_pSection;
    LPCSTR m_pszName;
    BOOL m_bSave;
};
}  // namespace

BOOL CTVEngine::LoadSettings()
{
    if (OpenSettingsFile(AppFile(kSettingsFile)))
    {
        SerializeSettings(0);
    }
    else if (m_pSettings->GetSectionCount() > 0)
    {
        // A read that broke off keeps what came before the break.
        DebugHelperTrace("TVParam.ini: %s; read the first %d sections", m_pSettings->GetLastErrorText(),
                         m_pSettings->GetSectionCount());
        SerializeSettings(0);
    }

    CString skinSet = AppFile("SkinSet.ini");
    if (FileExists(skinSet))
        m_pWindows->ReadSkinNames(skinSet, m_SkinNames);

    m_strEpgFolder.Empty();
    ReadRegistryString(HKEY_LOCAL_MACHINE, kCommonKey, "EpgUnzipPath", m_strEpgFolder);
    if (m_strEpgFolder.IsEmpty())
        m_strEpgFolder = m_strAppFolder + "\\" + kEpgFolder + "\\";
    if (m_strEpgFolder.Right(1) != "\\")
        m_strEpgFolder += "\\";
    if (!DirectoryExists(m_strEpgFolder))
        CreateDirectoryPath(m_strEpgFolder);

    SerializeEpgChannelMap(0);
    return 1;
}

BOOL CTVEngine::SaveSettings()
{
    if (!m_TVHardWare.IsTeletextViewerRunning())
        m_TVHardWare.SetTVData(0);
    SerializeSettings(1);
    SerializeEpgChannelMap(1);
    return FlushSettingsFile("");
}

BOOL CTVEngine::OpenSettingsFile(LPCSTR pszPath)
{
    if (m_pSettings == NULL)
    {
        m_pSettings = new CIniFile(pszPath);
    }
    else
    {
        m_pSettings->RemoveAll();
        m_pSettings->SetPathName(pszPath);
    }
    return m_pSettings->Load();
}

BOOL CTVEngine::FlushSettingsFile(LPCSTR pszPath)
{
    if (m_pSettings == NULL)
        return 0;
    if (pszPath != NULL && *pszPath != '\0')
        m_pSettings->SetPathName(pszPath);
    return m_pSettings->Save();
}

// One list of sections and keys serves both directions, so the file is read in the order it is
// written.
void CTVEngine::SerializeSettings(BOOL bSave)
{
    if (m_pSettings == NULL)
        return;
    CIniFile& ini = *m_pSettings;
    CTVHardWare& hw = m_TVHardWare;

    CSettingsSection interfaceSection(ini, "Interface", bSave);
    interfaceSection.String("SkinName", SkinName);
    interfaceSection.Int("AutoStartTray", AutoStartTray);

    CSettingsSection channel(ini, "Channel", bSave);
    channel.Int("TVInput", TVInput);
    channel.Long("CountryCode", CountryCode);
    channel.String("City", City);
    int tvCurFreq = m_TVTable.m_lCurFreq, tvLastFreq = m_TVTable.m_lLastFreq;
    int fmCurFreq = m_FMTable.m_lCurFreq, fmLastFreq = m_FMTable.m_lLastFreq;
    channel.Int("TVCurFreq", tvCurFreq);
    channel.Int("TVLastFreq", tvLastFreq);
    channel.Int("TVCurIndex", m_TVTable.m_nCurIndex);
    channel.Int("TVFavor", m_TVTable.m_bFavorOnly);
    channel.Int("TVReservePrev", m_TVTable.m_bReservePrev);
    channel.Int("FMCurFreq", fmCurFreq);
    channel.Int("FMLastFreq", fmLastFreq);
    channel.Int("FMCurIndex", m_FMTable.m_nCurIndex);
    channel.Int("FMFavor", m_FMTable.m_bFavorOnly);
    channel.Int("FMReservePrev", m_FMTable.m_bReservePrev);
    m_TVTable.m_lCurFreq = tvCurFreq;
    m_TVTable.m_lLastFreq = tvLastFreq;
    m_FMTable.m_lCurFreq = fmCurFreq;
    m_FMTable.m_lLastFreq = fmLastFreq;
    channel.Int("ShowEPGInfo", ShowEPGInfo);
    channel.UInt("ShowEPGTime", ShowEPGTime);

    CSettingsSection device(ini, "Device", bSave);
    device.Int("TVStandard", hw.TVStandard);
    device.Int("AVStandard", hw.AVStandard);
    device.Int("SVStandard", hw.SVStandard);
    device.String("AudioDevice", hw.AudioDevice);
    device.String("AudioInput", hw.AudioInput);
    device.String("AudioPlayDev", hw.AudioPlayDev);
    device.String("AudioPlayInput", hw.AudioPlayInput);
    device.Int("MuteAudioPlaySrc", MuteAudioPlaySrc);
    device.UIntOf("AudioRecVol", hw.AudioRecVol);
    device.Int("TVAUDIOSTEREO", hw.TVAUDIOSTEREO);
    device.Int("TVAUDIOLANGUAGE", hw.TVAUDIOLANGUAGE);
    device.Int("TVDATA", hw.TVDATA);

    CSettingsSection record(ini, "Record", bSave);
    record.Int("SnapBmp", SnapBmp);
    record.Int("JpgQuality", JpgQuality);
    record.Int("MotionSearchInc", MotionSearchInc);
    record.Int("TimeShiftFormat", hw.TimeShiftFormat);
    record.Int("DisplayQuality", DisplayQuality);
    record.Int("RecordFormat", hw.RecordFormat);
    record.Int("FMRecordFormat", hw.FMRecordFormat);
    record.Size("Mpeg4RecordSize", Mpeg4RecordSize);
    record.String("Mpeg4Audio", hw.Mpeg4Audio);
    record.Long("TFTime", TFTime);
    record.Int("TFReserved", TFReserved);
    record.Int("ShowError", ShowError);
    record.Int("SysDefaultLogon", SysDefaultLogon);
    record.String("SysDefaultUser", SysDefaultUser);
    record.String("SysDefaultPass", SysDefaultPass);
    record.String("DefaultUser", DefaultUser);
    record.String("DefaultPass", DefaultPass);

    CSettingsSection schedule(ini, "Schedule", bSave);
    schedule.Int("EnableShut", EnableShut);
    schedule.Time("ShutTime", ShutTime);
    schedule.Int("StartTray", StartTray);

    // The hue is applied but never stored.
    CSettingsSection video(ini, "Video", bSave);
    video.Int("Brightness", Brightness);
    video.Int("Contrast", Contrast);
    video.Int("Saturation", Saturation);
    video.Int("Sharpness", Sharpness);
    video.Int("OverlayBri", OverlayBri);
    video.Int("OverlayCon", OverlayCon);
    video.Int("OverlayHue", OverlayHue);
    video.Int("OverlaySat", OverlaySat);
    video.Int("OverlaySha", OverlaySha);
    video.Int("UseOverlay", UseOverlay);
    video.Size("VideoSize", hw.m_CaptureSize);
    video.Int("HightQuality", HightQuality);
    video.Int("HalfRate", HalfRate);
    video.Int("NoiseReduce", NoiseReduce);
    video.Int("ReduceValue", ReduceValue);
    video.Int("OverlayDesktop", OverlayDesktop);

    CSettingsSection storage(ini, "Storage", bSave);
    storage.String("VideoFolder", VideoFolder);
    storage.Int("MaxLength", MaxLength);
    storage.Int("NoSpace", NoSpace);
    storage.Int("ExcessLength", ExcessLength);
    storage.List("ValidDisk", ValidDisk);
    storage.String("CurDisk", CurDisk);
    storage.Int("ReservedSpace", ReservedSpace);

    CSettingsSection window(ini, "Window", bSave);
    window.Rect("VideoWnd", VideoWnd);
    window.Point("ControlLeftTop", ControlLeftTop);
    window.Size("VideoRatio", VideoRatio);
    window.Int("FullScreen", FullScreen);
    window.Int("TopMost", TopMost);

    CSettingsSection runOnce(ini, "Runonce", bSave);
    runOnce.Int("Run", Run);

    CSettingsSection custom(ini, "FMCustom", bSave);
    int count = m_FMCustom.GetCount();
    if (!bSave)
        m_FMCustom.RemoveAll();
    custom.Int("Current", m_FMCustom.m_nCurrent);
    custom.Int("Count", count);
    if (!bSave)
    {
        int keyed = custom.Section()->GetHighestKeyIndex("FMCustom", "_Name") + 1;
        int keyedComp = custom.Section()->GetHighestKeyIndex("FMCustom", "_AudioComp") + 1;
        int limit = keyed > keyedComp ? keyed : keyedComp;
        if (limit < kMaxEmptyFMCustom)
            limit = kMaxEmptyFMCustom;
        if (count > limit)
            count = limit;
    }
    CString key;
    for (int i = 0; i < count; ++i)
    {
        CFMCustomEntry* pEntry = m_FMCustom.GetOrAdd(i);
        if (pEntry == NULL)
            break;
        key.Format("FMCustom%d_Name", i);
        custom.String(key, pEntry->m_strName);
        key.Format("FMCustom%d_AudioComp", i);
        custom.String(key, pEntry->m_strAudioComp);
    }

    m_RecordParam.Load(bSave, m_pSettings);
}

BOOL CTVEngine::LoadSnapPathFromRegistry()
{
    return ReadRegistryString(HKEY_LOCAL_MACHINE, kCommonKey, "SnapPath", SnapPath);
}

BOOL CTVEngine::LoadRecordPathFromRegistry()
{
    return ReadRegistryString(HKEY_LOCAL_MACHINE, kCommonKey, "RecordPath", RecordPath);
}

void CTVEngine::SaveSnapPathToRegistry()
{
    WriteRegistryString(HKEY_LOCAL_MACHINE, kCommonKey, "SnapPath", SnapPath);
}

void CTVEngine::SaveRecordPathToRegistry()
{
    WriteRegistryString(HKEY_LOCAL_MACHINE, kCommonKey, "RecordPath", RecordPath);
}

CString CTVEngine::GetDefaultRecordPath()
{
    CString root;
    GetSystemDriveRoot(root);
    if (root.Right(1) != "\\")
        root += "\\";
    return root + "Video";
}

CString CTVEngine::GetDefaultSnapPath()
{
    char szFolder[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, szFolder, CSIDL_PERSONAL, TRUE);
    CString path(szFolder);
    if (path.Right(1) != "\\")
        path += "\\";
    return path + "My Pictures";
}

BOOL CTVEngine::ReadTrayAutostart(BOOL* pbEnabled)
{
    CString text;
    *pbEnabled = ReadRegistryString(HKEY_LOCAL_MACHINE, kRunKey, kTrayValue, text) && !text.IsEmpty();
    return 1;
}

// Turning the tray program off leaves an empty value in place rather than deleting it.
void CTVEngine::WriteTrayAutostart(BOOL bEnable)
{
    CString text;
    if (bEnable)
        text = GetShortPath(JoinPath(m_strAppFolder, kTrayProgram));
    WriteRegistryString(HKEY_LOCAL_MACHINE, kRunKey, kTrayValue, text);
}

BOOL CTVEngine::GetSystemLogonUser(CString& user)
{
    return ReadRegistryString(HKEY_LOCAL_MACHINE, kWinlogonKey, "DefaultUserName", user);
}

BOOL CTVEngine::GetSystemLogonPassword(CString& password)
{
    return ReadRegistryString(HKEY_LOCAL_MACHINE, kWinlogonKey, "DefaultPassword", password);
}

BOOL CTVEngine::SetDefaultLogon(LPCSTR pszUser, LPCSTR pszPassword)
{
    if (pszUser == NULL || *pszUser == '\0')
        return FALSE;
    DefaultUser = pszUser;
    DefaultPass = pszPassword;
    return TRUE;
}

BOOL CTVEngine::SerializeEpgChannelMap(BOOL bSave)
{
    CFile file;
    UINT nFlags = bSave ? CFile::modeCreate | CFile::modeWrite : CFile::modeRead;
    if (!file.Open(AppFile(kEpgMapFile), nFlags))
        return 0;
    CArchive ar(&file, bSave ? CArchive::store : CArchive::load, 4096);
    m_EpgChannelMap.Serialize(ar);
    BOOL bResult = ar.Close();
    return file.Close() && bResult;
}

BOOL CTVEngine::LookupEpgFile(LPCSTR pszChannel, CString& file)
{
    file.Empty();
    return m_EpgChannelMap.Lookup(pszChannel, file);
}

BOOL CTVEngine::ReplaceEpgMapEntry(LPCSTR pszChannel, LPCSTR pszFile)
{
    m_EpgChannelMap.RemoveKey(pszChannel);
    m_EpgChannelMap.SetAt(pszChannel, pszFile);
    return 1;
}
