#pragma once
#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "platform/afx/String.h"

// The shell's folder dialog with the current folder pre-selected, OK only for real folders and an
// offer to create a typed folder that does not exist. On shells older than 5.0 the dialog is made
// resizable and its place is remembered in "BrowseFolderRect".
class CFolderBrowser
{
public:
    enum
    {
        kMinTrackSize = 280
    };
    // Anchor flags of a control: how it follows a change of the dialog's size.
    enum
    {
        kRightFollowsWidth = 1,
        kBottomFollowsHeight = 2,
        kMovesRight = 4,
        kMovesDown = 8
    };
    // Controls of the shell's dialog.
    enum
    {
        kTreeId = 0x3741,
        kTitleId = 0x3742,
        kStatusId = 0x3743,
        kEditId = 0x3744,
        kNewFolderId = 0x3746
    };
    enum
    {
        kFolderMissingTextId = 61858,
        kCreateFailedTextId = 61859
    };

    CFolderBrowser();
    virtual ~CFolderBrowser();
    // 1 when the result is an existing folder.
    virtual int DoModal();
    virtual void LayoutControls(HWND dialog);

    int Browse(HWND owner, const char* title, const char* initialFolder);
    int BrowseRes(HWND owner, UINT titleId, const char* initialFolder);
    BOOL FolderExists(const char* path) const;
    BOOL AnchorControl(HWND dialog, int controlId, UINT flags);
    const CString& GetResult() const { return m_result; }

    static BOOL IsShellVersion5();
    static DWORD GetDllVersion(const char* library);
    static BOOL SaveBrowseRect(HWND dialog);
    static BOOL LoadBrowseRect(HWND dialog);
    static BOOL IsDirectory(const char* path);
    static BOOL CreateFolderTree(const char* path);
    // The plain browse without a browser object: 1 when a folder was chosen, 2 when not.
    static int BrowseSimple(HWND owner, const char* title, UINT flags, const char* initialFolder, CString& chosen);

    CString m_caption;
    UINT m_flags;
    int m_editReadOnly;
    int m_showNewFolder;
    int m_rootFolder;
    CString m_createPrompt;
    HWND m_owner;
    CString m_title;
    CString m_initialFolder;
    CString m_result;

protected:
    // The dialog's messages to the user; MessageBoxA with no caption.
    virtual int ShowMessage(HWND owner, const char* text, UINT type);
    static int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM param, LPARAM data);
    int OnValidateFailed(HWND dialog, const char* typed);

private:
    struct Anchor
    {
        HWND control;
        UINT flags;
        RECT rect;
    };
    static LRESULT CALLBACK SubclassProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitialized(HWND dialog);
    void OnSelectionChanged(HWND dialog, LPCITEMIDLIST item);
    void ResizeControls(HWND dialog, int width, int height);
    CString MessageText(UINT id, const char* fallback, const char* path) const;

    std::vector<Anchor> m_anchors;
    int m_clientWidth;
    int m_clientHeight;
};
