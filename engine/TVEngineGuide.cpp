#include "engine/TVEngine.h"

#include <shellapi.h>
#include <stdio.h>

#include <vector>

#include "engine/EngineWindows.h"
#include "foundation/RegistryKey.h"
#include "foundation/Trace.h"

namespace
{
const char kZipShellNewKey[] = "Software\\Classes\\.zip\\ShellNew";
const char kArchiverName[] = "WinRAR.exe";
const char kArchiverMissing[] = "找不到 WinRAR.exe";
const char kNoGuideFile[] = "没有找到该频道所对应的EPG文件，请指定！";
const char kNowFormat[] = "正在播放: %02d:%02d %s";
const char kNextFormat[] = "下一节目: %02d:%02d %s";
const char kGuideMask[] = "*.txt";

// One programme of the day: its start and title.
struct GUIDE_ENTRY
{
    int nHour;
    int nMinute;
    CString title;
};

// Reads one line of any length, without its line end; FALSE at the end of the file.
BOOL ReadLine(FILE* pFile, CString& line)
{
    line.Empty();
    char buffer[512];
    BOOL bAny = FALSE;
    while (fgets(buffer, sizeof(buffer), pFile) != NULL)
    {
        bAny = TRUE;
        size_t length = strlen(buffer);
        BOOL bEnd = length > 0 && buffer[length - 1] == '\n';
        while (length > 0 && (buffer[length - 1] == '\n' || buffer[length - 1] == '\r'))
            buffer[--length] = '\0';
        line += buffer;
        if (bEnd)
            break;
    }
    return bAny;
}

// The hour and minute of a time field "H:MM" or "HH:MM"; FALSE without a colon.
BOOL ParseTime(const CString& field, int* pnHour, int* pnMinute)
{
    int nColon = field.Find(':');
    if (nColon < 0)
        return FALSE;
    *pnHour = atoi(field.Left(nColon));
    *pnMinute = atoi(field.Mid(nColon + 1));
    return TRUE;
}

BOOL SplitProgrammeLine(const CString& line, CString& time, CString& title)
{
    int nSeparator = line.Find('\t');
    if (nSeparator < 0)
        nSeparator = line.Find(' ');
    if (nSeparator < 0)
        return FALSE;
    time = line.Left(nSeparator);
    title = line.Mid(nSeparator);
    title.TrimLeft(" \t");
    return TRUE;
}

CString ShortPath(const CString& path)
{
    char buffer[MAX_PATH] = "";
    if (GetShortPathNameA(path, buffer, sizeof(buffer)) == 0 || buffer[sizeof(buffer) - 1] != '\0')
        buffer[0] = '\0';
    return buffer;
}

CString EntryText(LPCSTR pszFormat, const GUIDE_ENTRY& entry)
{
    CString text;
    text.Format(pszFormat, entry.nHour, entry.nMinute, static_cast<LPCSTR>(entry.title));
    return text;
}
} // namespace

BOOL CTVEngine::UnpackEpgArchive()
{
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kZipShellNewKey) != ERROR_SUCCESS)
        return 0;
    CString archiver;
    CString templateFile;
    if (key.QueryString("FileName", templateFile) == ERROR_SUCCESS)
        archiver = templateFile.Left(templateFile.ReverseFind('\\') + 1) + kArchiverName;
    DWORD dwAttributes = archiver.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(archiver);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || (dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
    {
        m_pWindows->ShowMessage(kArchiverMissing, MB_OK);
        return 0;
    }
    // Extract, without the folders of the archive, the programme files into the programme folder.
    CString parameters = " e -ap -ibck -r -o+节目单 " + ShortPath(m_strEpgArchive) + " 节目单\\*.txt " +
                         ShortPath(m_strEpgFolder);
    ShellExecuteA(NULL, "Open", archiver, parameters, NULL, SW_HIDE);
    return 1;
}

BOOL CTVEngine::ListEpgFiles()
{
    if (m_strEpgFolder.IsEmpty())
        return 0;
    m_EpgFiles.RemoveAll();
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(m_strEpgFolder + kGuideMask, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do
    {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            m_EpgFiles.Add(data.cFileName);
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return m_EpgFiles.GetSize() > 0;
}

BOOL CTVEngine::GetNowNextText(CChannelItem* pItem, CString& now, CString& next)
{
    CString file;
    if (!LookupEpgFile(pItem != NULL ? static_cast<LPCSTR>(pItem->Name) : "", file) || file.IsEmpty())
    {
        now = kNoGuideFile;
        next.Empty();
        return 1;
    }
    FILE* pFile = fopen(m_strEpgFolder + file, "rt");
    if (pFile == NULL)
        return 1;

    SYSTEMTIME clock;
    m_pfnLocalTime(&clock);
    // Monday is day 0; the headers are resources 33849 (Monday) to 33855 (Sunday).
    const int nToday = (clock.wDayOfWeek + 6) % 7;
    CString headers[7];
    for (int d = 0; d < 7; ++d)
        headers[d].LoadString(IDS_GUIDE_DAY_BEFORE_MONDAY + 1 + d);
    const CString* pPreviousHeader = nToday > 0 ? &headers[nToday - 1] : NULL;

    // Where a line is: the night of the previous day (its programmes from 24:00 on belong to
    // today), today, or another day's section before today's begins.
    enum { IN_PREVIOUS, IN_TODAY, IN_OTHER_DAY } section = IN_TODAY;
    BOOL bTodayHeaderSeen = FALSE;
    CString line;
    if (pPreviousHeader != NULL)
    {
        section = IN_OTHER_DAY;
        while (ReadLine(pFile, line))
        {
            if (!pPreviousHeader->IsEmpty() && line.Find(*pPreviousHeader) >= 0)
            {
                section = IN_PREVIOUS;
                break;
            }
        }
        // A file without the day before still has today's section: look for it from the start.
        if (section == IN_OTHER_DAY)
            fseek(pFile, 0, SEEK_SET);
    }

    std::vector<GUIDE_ENTRY> entries;
    int nLastHour = 0;
    BOOL bResult = 1;
    while (ReadLine(pFile, line))
    {
        line.TrimLeft(" \t");
        if (line.IsEmpty())
            continue;
        int nHeaderDay = -1;
        for (int d = 0; d < 7 && nHeaderDay < 0; ++d)
        {
            if (!headers[d].IsEmpty() && line.Find(headers[d]) >= 0)
                nHeaderDay = d;
        }
        if (nHeaderDay == nToday)
        {
            section = IN_TODAY;
            bTodayHeaderSeen = TRUE;
            continue;
        }
        if (nHeaderDay >= 0)
        {
            // Another day's section begins: it ends today's, and is skipped until today's.
            if (section == IN_TODAY && (bTodayHeaderSeen || !entries.empty()))
                break;
            section = IN_OTHER_DAY;
            continue;
        }
        if (section == IN_OTHER_DAY)
            continue;

        CString time, title;
        if (!SplitProgrammeLine(line, time, title))
        {
            bResult = 0;
            break;
        }
        GUIDE_ENTRY entry;
        entry.title = title;
        BOOL bIsTime = ParseTime(time, &entry.nHour, &entry.nMinute);
        if (section == IN_PREVIOUS)
        {
            if (!bIsTime || !(entry.nHour < nLastHour || entry.nHour >= 24))
                continue;
            entry.nHour %= 24;
            nLastHour = entry.nHour;
            entries.push_back(entry);
            continue;
        }
        if (!bIsTime || entry.nHour < nLastHour || entry.nHour >= 24)
            break;
        nLastHour = entry.nHour;
        entries.push_back(entry);
    }
    fclose(pFile);
    if (!bResult)
        return 0;

    const int nNow = clock.wHour * 3600 + clock.wMinute * 60 + clock.wSecond;
    for (size_t i = 0; i < entries.size(); ++i)
    {
        if (entries[i].nHour * 3600 + entries[i].nMinute * 60 <= nNow)
            continue;
        next = EntryText(kNextFormat, entries[i]);
        // Before the day's first programme nothing is on: no line may keep another channel's text.
        if (i > 0)
            now = EntryText(kNowFormat, entries[i - 1]);
        else
            now.Empty();
        return 1;
    }
    // Nothing later today: no line may keep what another channel showed.
    now.Empty();
    next.Empty();
    return 1;
}
