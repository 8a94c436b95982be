#include "engine/TVEngine.h"

#include "engine/EngineWindows.h"
#include "foundation/RegistryKey.h"
#include "foundation/Trace.h"

namespace {
// The archiver registers a template for new ".zip" files in its own folder.
const char kZipShellNewKey[] = ".zip\\ShellNew";
const char kArchiver[] = "WinRAR.exe";

CString FolderOf(const CString& path)
{
    int nSlash = path.ReverseFind('\\');
    return nSlash < 0 ? CString() : path.Left(nSlash + 1);
}
}  // namespace

BOOL CTVEngine::UnpackEpgArchive()
{
    CString archiver;
    CRegistryKey key;
    CString templateFile;
    if (key.Open(HKEY_CLASSES_ROOT, kZipShellNewKey) == ERROR_SUCCESS &&
        key.QueryString("FileName", templateFile) == ERROR_SUCCESS && !templateFile.IsEmpty())
        archiver = FolderOf(templateFile) + kArchiver;
    if (archiver.IsEmpty() || ::GetFileAttributesA(archiver) == INVALID_FILE_ATTRIBUTES)
    {
        m_pWindows->ShowMessage("找不到 WinRAR.exe", MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    if (m_strEpgArchive.IsEmpty() || m_strEpgFolder.IsEmpty())
        return FALSE;

    // e: without the archive's folders; -ibck: in the background; -o+: overwrite what is there.
    CString command;
    command.Format("\"%s\" e -ap -ibck -r -o+ \"%s\" \"%s\"", (LPCSTR)archiver, (LPCSTR)m_strEpgArchive,
                   (LPCSTR)m_strEpgFolder);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    CString line = command;
    if (!::CreateProcessA(NULL, line.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
    {
        DebugHelperTrace("UnpackEpgArchive: cannot start %s (%lu)\n", (LPCSTR)archiver, ::GetLastError());
        return FALSE;
    }
    // The guide list is read right after: wait for the archiver to finish.
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD dwExit = 1;
    ::GetExitCodeProcess(pi.hProcess, &dwExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    if (dwExit != 0)
        DebugHelperTrace("UnpackEpgArchive: the archiver ended with %lu\n", dwExit);
    return dwExit == 0;
}

BOOL CTVEngine::ListEpgFiles()
{
    m_EpgFiles.RemoveAll();
    if (m_strEpgFolder.IsEmpty())
        return FALSE;
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(m_strEpgFolder + "*.txt", &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return TRUE;
    do
    {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            m_EpgFiles.Add(data.cFileName);
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    return TRUE;
}
