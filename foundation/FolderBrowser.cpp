#include "foundation/FolderBrowser.h"

#include <shlwapi.h>

#include <map>

namespace {

const char kRectKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell";
const char kRectValue[] = "BrowseFolderRect";

// One folder dialog at a time: the dialog's browser and the procedure the subclass replaced.
std::map<HWND, CFolderBrowser*> g_dialogs;
WNDPROC g_previousProc = NULL;

// The last '\' of a text that may hold double-byte characters, whose trail byte can be '\'.
const char* LastBackslash(const char* text)
{
    const char* last = NULL;
    for (const char* p = text; *p; p = CharNextA(p))
        if (*p == '\\')
            last = p;
    return last;
}

BOOL IsEdit(HWND control)
{
    char name[16] = "";
    return control && GetClassNameA(control, name, sizeof(name)) && lstrcmpiA(name, "Edit") == 0;
}

// The dialog's edit box has id 0x3744; some shells give that id to its label and number the box
// after it.
HWND EditBox(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, CFolderBrowser::kEditId);
    if (IsEdit(edit))
        return edit;
    edit = GetDlgItem(dialog, CFolderBrowser::kEditId + 1);
    return IsEdit(edit) ? edit : NULL;
}

int CALLBACK SimpleCallback(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data)
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

}  // namespace

CFolderBrowser::CFolderBrowser()
    : m_flags(BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_RETURNFSANCESTORS | BIF_EDITBOX | BIF_VALIDATE),
      m_editReadOnly(1),
      m_showNewFolder(1),
      m_rootFolder(0),
      m_createPrompt("Directory: \n\n '%1' \n\n not exists!  Do you want to create it?  "),
      m_owner(NULL),
      m_clientWidth(0),
      m_clientHeight(0)
{
    if (IsShellVersion5())
        m_flags |= BIF_NEWDIALOGSTYLE;
    OleInitialize(NULL);
}

CFolderBrowser::~CFolderBrowser()
{
    m_anchors.clear();
    OleUninitialize();
}

int CFolderBrowser::Browse(HWND owner, const char* title, const char* initialFolder)
{
    m_owner = owner;
    m_title = title ? title : "";
    m_initialFolder = initialFolder ? initialFolder : "";
    return DoModal();
}

int CFolderBrowser::BrowseRes(HWND owner, UINT titleId, const char* initialFolder)
{
    CString title;
    title.LoadString(titleId);
    return Browse(owner, title, initialFolder);
}

int CFolderBrowser::DoModal()
{
    IMalloc* allocator = NULL;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator)
        return 0;
    LPITEMIDLIST root = NULL;
    if (m_rootFolder != 0)
        SHGetSpecialFolderLocation(m_owner, m_rootFolder, &root);
    BROWSEINFOA info = {};
    info.hwndOwner = m_owner;
    info.pidlRoot = root;
    info.pszDisplayName = NULL;
    info.lpszTitle = m_title;
    info.ulFlags = m_flags;
    info.lpfn = BrowseCallback;
    info.lParam = (LPARAM)this;
    m_result.Empty();
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (chosen)
    {
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDListA(chosen, path))
            m_result = path;
        allocator->Free(chosen);
    }
    if (root)
        allocator->Free(root);
    allocator->Release();
    return FolderExists(m_result) ? 1 : 0;
}

BOOL CFolderBrowser::FolderExists(const char* path) const
{
    if (!path || !*path)
        return FALSE;
    if (m_flags & BIF_BROWSEINCLUDEFILES)
        return PathFileExistsA(path);
    return PathFileExistsA(path) && PathIsDirectoryA(path);
}

void CFolderBrowser::LayoutControls(HWND dialog)
{
    AnchorControl(dialog, kTitleId, kRightFollowsWidth);
    AnchorControl(dialog, kStatusId, kRightFollowsWidth);
    if (HWND edit = EditBox(dialog))
        AnchorControl(dialog, GetDlgCtrlID(edit), kRightFollowsWidth);
    AnchorControl(dialog, kTreeId, kRightFollowsWidth | kBottomFollowsHeight);
    AnchorControl(dialog, IDOK, kMovesRight | kMovesDown);
    AnchorControl(dialog, IDCANCEL, kMovesRight | kMovesDown);
    RECT client;
    GetClientRect(dialog, &client);
    m_clientWidth = client.right - client.left;
    m_clientHeight = client.bottom - client.top;
    g_dialogs[dialog] = this;
}

BOOL CFolderBrowser::AnchorControl(HWND dialog, int controlId, UINT flags)
{
    HWND control = GetDlgItem(dialog, controlId);
    if (!control)
        return FALSE;
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(NULL, dialog, (POINT*)&rect, 2);
    for (Anchor& anchor : m_anchors)
        if (anchor.control == control)
        {
            anchor.flags = flags;
            anchor.rect = rect;
            return TRUE;
        }
    m_anchors.push_back(Anchor{ control, flags, rect });
    return TRUE;
}

DWORD CFolderBrowser::GetDllVersion(const char* library)
{
    HMODULE module = LoadLibraryA(library);
    if (!module)
        return 0;
    DWORD version = 0;
    DLLGETVERSIONPROC getVersion = (DLLGETVERSIONPROC)GetProcAddress(module, "DllGetVersion");
    if (getVersion)
    {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof(info);
        if (SUCCEEDED(getVersion(&info)))
            version = (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
    }
    FreeLibrary(module);
    return version;
}

BOOL CFolderBrowser::IsShellVersion5()
{
    return GetDllVersion("Shlwapi.dll") >= 0x50000;
}

BOOL CFolderBrowser::SaveBrowseRect(HWND dialog)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(dialog, &placement))
        return FALSE;
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRectKey, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) != ERROR_SUCCESS)
        return FALSE;
    const LONG written = RegSetValueExA(key, kRectValue, 0, REG_BINARY, (const BYTE*)&placement.rcNormalPosition,
                                        sizeof(placement.rcNormalPosition));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

BOOL CFolderBrowser::LoadBrowseRect(HWND dialog)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRectKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    RECT rect;
    DWORD type = 0, size = sizeof(rect);
    const LONG read = RegQueryValueExA(key, kRectValue, NULL, &type, (BYTE*)&rect, &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_BINARY || size != sizeof(rect))
        return FALSE;
    MoveWindow(dialog, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    return TRUE;
}

BOOL CFolderBrowser::IsDirectory(const char* path)
{
    if (!path || !*path)
        return FALSE;
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CFolderBrowser::CreateFolderTree(const char* path)
{
    if (!path || !*path)
        return FALSE;
    if (IsDirectory(path))
        return TRUE;
    CString copy(path);
    const char* last = LastBackslash(copy);
    if (last && last[1] == '\0')
        copy = copy.Left((int)(last - (const char*)copy));
    last = LastBackslash(copy);
    const CString parent = last ? copy.Left((int)(last - (const char*)copy)) : CString();
    if (!CreateFolderTree(parent))
        return FALSE;
    return CreateDirectoryA(copy, NULL);
}

int CFolderBrowser::ShowMessage(HWND owner, const char* text, UINT type)
{
    return MessageBoxA(owner, text, NULL, type);
}

CString CFolderBrowser::MessageText(UINT id, const char* fallback, const char* path) const
{
    CString text;
    if (!text.LoadString(id))
        text = fallback;
    text.Replace("%1", path);
    return text;
}

int CALLBACK CFolderBrowser::BrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM data)
{
    CFolderBrowser* self = (CFolderBrowser*)data;
    if (!self)
        return 0;
    switch (message)
    {
    case BFFM_INITIALIZED:
        self->OnInitialized(dialog);
        return 0;
    case BFFM_SELCHANGED:
        self->OnSelectionChanged(dialog, (LPCITEMIDLIST)param);
        return 0;
    case BFFM_VALIDATEFAILEDA:
        return self->OnValidateFailed(dialog, (const char*)param);
    default:
        return 0;
    }
}

void CFolderBrowser::OnInitialized(HWND dialog)
{
    if (!(m_flags & BIF_NEWDIALOGSTYLE))
    {
        SetWindowLongA(dialog, GWL_STYLE, GetWindowLongA(dialog, GWL_STYLE) | WS_THICKFRAME);
        SetWindowPos(dialog, NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        AppendMenuA(GetSystemMenu(dialog, FALSE), MF_STRING, SC_SIZE, "&Size");
        g_previousProc = (WNDPROC)SetWindowLongPtrA(dialog, GWLP_WNDPROC, (LONG_PTR)SubclassProc);
        LayoutControls(dialog);
        LoadBrowseRect(dialog);
    }
    if (!m_caption.IsEmpty())
        SetWindowTextA(dialog, m_caption);
    HWND edit = EditBox(dialog);
    if ((m_flags & BIF_EDITBOX) && edit)
        SendMessageA(edit, EM_SETREADONLY, m_editReadOnly, 0);
    if (!m_showNewFolder)
        ShowWindow(GetDlgItem(dialog, kNewFolderId), SW_HIDE);
    if (FolderExists(m_initialFolder))
    {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, (LPARAM)(const char*)m_initialFolder);
        if (edit)
            SetWindowTextA(edit, m_initialFolder);
    }
}

void CFolderBrowser::OnSelectionChanged(HWND dialog, LPCITEMIDLIST item)
{
    char path[MAX_PATH] = "";
    if (item)
        SHGetPathFromIDListA(item, path);
    SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, (LPARAM)path);
    if (HWND edit = EditBox(dialog))
        SetWindowTextA(edit, path);
    SendMessageA(dialog, BFFM_ENABLEOK, 0, FolderExists(path) ? 1 : 0);
}

int CFolderBrowser::OnValidateFailed(HWND dialog, const char* typed)
{
    if (!typed)
        return 1;
    char full[MAX_PATH] = "";
    const DWORD length = GetFullPathNameA(typed, sizeof(full), full, NULL);
    // A relative name is taken against the current folder.
    if (length > 0 && length < sizeof(full) && lstrcmpiA(full, typed) != 0)
        return OnValidateFailed(dialog, full);
    if (!FolderExists(typed))
    {
        if (m_flags & BIF_BROWSEINCLUDEFILES)
        {
            ShowMessage(dialog, MessageText(kFolderMissingTextId, "'%1' does not exist.", typed), MB_ICONERROR);
            return 1;
        }
        CString prompt = m_createPrompt;
        prompt.Replace("%1", typed);
        if (ShowMessage(dialog, prompt, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return 1;
        if (!CreateFolderTree(typed))
        {
            ShowMessage(dialog, MessageText(kCreateFailedTextId, "The folder '%1' could not be created.", typed),
                        MB_ICONERROR);
            return 1;
        }
    }
    if (dialog)
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, (LPARAM)typed);
    m_result = typed;
    return 0;
}

void CFolderBrowser::ResizeControls(HWND dialog, int width, int height)
{
    const int dx = width - m_clientWidth, dy = height - m_clientHeight;
    for (Anchor& anchor : m_anchors)
    {
        if (!IsWindow(anchor.control))
            continue;
        RECT& r = anchor.rect;
        if (anchor.flags & kRightFollowsWidth)
            r.right += dx;
        if (anchor.flags & kBottomFollowsHeight)
            r.bottom += dy;
        if (anchor.flags & kMovesRight)
            OffsetRect(&r, dx, 0);
        if (anchor.flags & kMovesDown)
            OffsetRect(&r, 0, dy);
        MoveWindow(anchor.control, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    m_clientWidth = width;
    m_clientHeight = height;
    InvalidateRect(dialog, NULL, FALSE);
}

LRESULT CALLBACK CFolderBrowser::SubclassProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = g_previousProc;
    switch (message)
    {
    case WM_GETMINMAXINFO:
    {
        MINMAXINFO* info = (MINMAXINFO*)lParam;
        info->ptMinTrackSize.x = kMinTrackSize;
        info->ptMinTrackSize.y = kMinTrackSize;
        return 0;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && (HWND)lParam && (HWND)lParam == EditBox(dialog))
            SendMessageA(dialog, BFFM_ENABLEOK, 0, GetWindowTextLengthA((HWND)lParam) > 0 ? 1 : 0);
        break;
    case WM_ERASEBKGND:
    {
        HWND tree = GetDlgItem(dialog, kTreeId);
        if (tree)
        {
            RECT rect;
            GetWindowRect(tree, &rect);
            MapWindowPoints(NULL, dialog, (POINT*)&rect, 2);
            ExcludeClipRect((HDC)wParam, rect.left, rect.top, rect.right, rect.bottom);
        }
        break;
    }
    case WM_DESTROY:
        g_dialogs.erase(dialog);
        SaveBrowseRect(dialog);
        break;
    case WM_SIZE:
    {
        auto found = g_dialogs.find(dialog);
        if (wParam != SIZE_MINIMIZED && found != g_dialogs.end())
            found->second->ResizeControls(dialog, LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    default:
        break;
    }
    return CallWindowProcA(previous, dialog, message, wParam, lParam);
}

int CFolderBrowser::BrowseSimple(HWND owner, const char* title, UINT flags, const char* initialFolder, CString& chosen)
{
    CoInitialize(NULL);
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = flags | BIF_NEWDIALOGSTYLE;
    info.lpfn = SimpleCallback;
    info.lParam = (LPARAM)((initialFolder && *initialFolder) ? initialFolder : NULL);
    int result = 2;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (item)
    {
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDListA(item, path))
        {
            chosen = path;
            result = 1;
        }
        CoTaskMemFree(item);
    }
    CoUninitialize();
    return result;
}
