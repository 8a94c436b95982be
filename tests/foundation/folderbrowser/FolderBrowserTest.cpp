#include "foundation/FolderBrowser.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

const char kKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell";
const char kValue[] = "BrowseFolderRect";

// A plain folder on the prefix's C: drive (the user's Temp folder is not shown in the tree).
std::string TestFolder(const char* leaf) {
  std::string path = "C:\\ondrix-browse";
  CreateDirectoryA(path.c_str(), NULL);
  if (leaf && *leaf) {
    path += "\\";
    path += leaf;
  }
  return path;
}

void WriteRect(const void* data, DWORD size) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL));
  RegSetValueExA(key, kValue, 0, REG_BINARY, (const BYTE*)data, size);
  RegCloseKey(key);
}

std::vector<BYTE> ReadRect() {
  std::vector<BYTE> bytes(64);
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return {};
  DWORD size = (DWORD)bytes.size(), type = 0;
  if (RegQueryValueExA(key, kValue, NULL, &type, bytes.data(), &size) != ERROR_SUCCESS)
    size = 0;
  RegCloseKey(key);
  bytes.resize(size);
  return bytes;
}

void DeleteRect() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
    RegDeleteValueA(key, kValue);
    RegCloseKey(key);
  }
}

// What the driver saw of the dialog; checked on the test's own thread afterwards.
struct Seen {
  HWND dialog = NULL;
  RECT placed = {};
  RECT afterSmall = {};
  RECT afterLarge = {};
  RECT treeBefore = {}, treeAfter = {};
  RECT okBefore = {}, okAfter = {};
  LONG style = 0;
  bool sizeItem = false;
  bool editReadOnly = false;
  bool newFolderVisible = false;
  bool okWithEmptyEdit = true;
  bool okWithText = false;
  char editText[MAX_PATH] = "";
};

RECT ChildRect(HWND dialog, int id) {
  RECT rect = {};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(NULL, dialog, (POINT*)&rect, 2);
  return rect;
}

HWND EditBoxOf(HWND dialog) {
  for (int id : {(int)CFolderBrowser::kEditId, (int)CFolderBrowser::kEditId + 1}) {
    char name[16] = "";
    HWND control = GetDlgItem(dialog, id);
    if (control && GetClassNameA(control, name, sizeof name) && lstrcmpiA(name, "Edit") == 0)
      return control;
  }
  return NULL;
}

bool HasSizeItem(HWND dialog) {
  HMENU menu = GetSystemMenu(dialog, FALSE);
  char text[64];
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    if (GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION) && strcmp(text, "&Size") == 0)
      return true;
  return false;
}

// Runs the dialog with a driver thread that finds it by caption, lets `drive` look and act, then
// presses `button`.
int RunDialog(CFolderBrowser& browser, int button, const std::function<void(HWND)>& drive) {
  const std::string caption = browser.m_caption.IsEmpty() ? "" : (const char*)browser.m_caption;
  std::thread driver([&] {
    HWND dialog = NULL;
    for (int i = 0; i < 500 && !dialog; ++i) {
      dialog = FindWindowA("#32770", caption.c_str());
      if (!dialog || !IsWindowVisible(dialog)) {
        dialog = NULL;
        Sleep(10);
      }
    }
    if (!dialog)
      return;
    drive(dialog);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)GetDlgItem(dialog, button));
  });
  const int result = browser.DoModal();
  driver.join();
  return result;
}

class ScriptedBrowser : public CFolderBrowser {
public:
  using CFolderBrowser::OnValidateFailed;
  int ShowMessage(HWND, const char* text, UINT type) override {
    messages.push_back(text);
    types.push_back(type);
    return answer;
  }
  int answer = IDNO;
  std::vector<std::string> messages;
  std::vector<UINT> types;
};

}  // namespace

TEST(FolderBrowser, DefaultsOnThisShell) {
  CFolderBrowser browser;
  EXPECT_TRUE(CFolderBrowser::IsShellVersion5());
  EXPECT_EQ(0x3Bu | 0x40u, browser.m_flags);
  EXPECT_EQ(1, browser.m_editReadOnly);
  EXPECT_EQ(1, browser.m_showNewFolder);
  EXPECT_EQ(0, browser.m_rootFolder);
  EXPECT_STREQ("Directory: \n\n '%1' \n\n not exists!  Do you want to create it?  ", browser.m_createPrompt);
}

TEST(FolderBrowser, DllVersion) {
  EXPECT_GE(CFolderBrowser::GetDllVersion("Shlwapi.dll"), 0x50000u);
  EXPECT_EQ(0u, CFolderBrowser::GetDllVersion("no-such-library.dll"));
  EXPECT_EQ(0u, CFolderBrowser::GetDllVersion("kernel32.dll"));  // no DllGetVersion
}

TEST(FolderBrowser, FolderExistsAndFiles) {
  const std::string folder = TestFolder("");
  const std::string file = TestFolder("file.txt");
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  CloseHandle(h);
  CFolderBrowser browser;
  EXPECT_TRUE(browser.FolderExists(folder.c_str()));
  EXPECT_FALSE(browser.FolderExists(file.c_str()));
  EXPECT_FALSE(browser.FolderExists(""));
  EXPECT_FALSE(browser.FolderExists(NULL));
  browser.m_flags |= BIF_BROWSEINCLUDEFILES;
  EXPECT_TRUE(browser.FolderExists(file.c_str()));
  EXPECT_TRUE(CFolderBrowser::IsDirectory(folder.c_str()));
  EXPECT_FALSE(CFolderBrowser::IsDirectory(file.c_str()));
  EXPECT_FALSE(CFolderBrowser::IsDirectory(""));
}

TEST(FolderBrowser, CreateFolderTree) {
  const std::string base = TestFolder("tree");
  RemoveDirectoryA((base + "\\a\\b\\c").c_str());
  RemoveDirectoryA((base + "\\a\\b").c_str());
  RemoveDirectoryA((base + "\\a").c_str());
  EXPECT_TRUE(CFolderBrowser::CreateFolderTree((base + "\\a\\b\\c\\").c_str()));
  EXPECT_TRUE(CFolderBrowser::IsDirectory((base + "\\a\\b\\c").c_str()));
  EXPECT_TRUE(CFolderBrowser::CreateFolderTree((base + "\\a\\b").c_str()));  // already there
  EXPECT_FALSE(CFolderBrowser::CreateFolderTree("no-backslash-folder-xyz"));
  EXPECT_FALSE(CFolderBrowser::CreateFolderTree(""));
  const std::string file = TestFolder("file.txt");
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  CloseHandle(h);
  EXPECT_FALSE(CFolderBrowser::CreateFolderTree((file + "\\sub").c_str()));
}

TEST(FolderBrowserValidate, RelativeNameResolvesAgainstCurrentFolder) {
  const std::string base = TestFolder("");
  const std::string wanted = base + "\\typed";
  RemoveDirectoryA(wanted.c_str());
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(base.c_str());
  ScriptedBrowser browser;
  browser.answer = IDNO;
  // No: the dialog stays open and nothing is made.
  EXPECT_EQ(1, browser.OnValidateFailed(NULL, "typed"));
  ASSERT_EQ(1u, browser.messages.size());
  EXPECT_NE(std::string::npos, browser.messages[0].find("'" + wanted + "'"));
  EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), browser.types[0]);
  EXPECT_FALSE(CFolderBrowser::IsDirectory(wanted.c_str()));
  // Yes: made, chosen, and the dialog may close.
  browser.answer = IDYES;
  EXPECT_EQ(0, browser.OnValidateFailed(NULL, "typed"));
  EXPECT_TRUE(CFolderBrowser::IsDirectory(wanted.c_str()));
  EXPECT_STREQ(wanted.c_str(), browser.m_result);
  SetCurrentDirectoryA(previous);
}

TEST(FolderBrowserValidate, ExistingFolderIsTakenWithoutAsking) {
  ScriptedBrowser browser;
  const std::string base = TestFolder("");
  EXPECT_EQ(0, browser.OnValidateFailed(NULL, base.c_str()));
  EXPECT_TRUE(browser.messages.empty());
  EXPECT_STREQ(base.c_str(), browser.m_result);
}

TEST(FolderBrowserValidate, FailuresKeepTheDialogOpen) {
  const std::string file = TestFolder("file.txt");
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  CloseHandle(h);
  ScriptedBrowser browser;
  browser.answer = IDYES;
  EXPECT_EQ(1, browser.OnValidateFailed(NULL, (file + "\\below").c_str()));
  ASSERT_EQ(2u, browser.messages.size());
  EXPECT_NE(std::string::npos, browser.messages[1].find(file + "\\below"));
  EXPECT_EQ((UINT)MB_ICONERROR, browser.types[1]);

  ScriptedBrowser files;
  files.m_flags |= BIF_BROWSEINCLUDEFILES;
  EXPECT_EQ(1, files.OnValidateFailed(NULL, TestFolder("missing.txt").c_str()));
  ASSERT_EQ(1u, files.messages.size());
  EXPECT_EQ((UINT)MB_ICONERROR, files.types[0]);
  EXPECT_TRUE(files.m_result.IsEmpty());
}

TEST(FolderBrowserDialog, NewStyleSelectsInitialFolderAndLeavesTheRectAlone) {
  const RECT stored = {10, 20, 410, 420};
  WriteRect(&stored, sizeof stored);
  const std::string initial = TestFolder("");
  CFolderBrowser browser;
  browser.m_caption = "Ondrix browse new style";
  browser.m_initialFolder = initial.c_str();
  browser.m_title = "Pick a folder";
  Seen seen;
  const int result = RunDialog(browser, IDOK, [&](HWND dialog) {
    Sleep(100);
    seen.dialog = dialog;
    GetWindowRect(dialog, &seen.placed);
    seen.sizeItem = HasSizeItem(dialog);
    HWND edit = EditBoxOf(dialog);
    GetWindowTextA(edit, seen.editText, MAX_PATH);
    seen.editReadOnly = (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) != 0;
    seen.newFolderVisible = IsWindowVisible(GetDlgItem(dialog, CFolderBrowser::kNewFolderId)) != 0;
  });
  ASSERT_NE(nullptr, seen.dialog) << "the folder dialog did not appear";
  EXPECT_FALSE(seen.sizeItem);
  EXPECT_STREQ(initial.c_str(), seen.editText);
  EXPECT_TRUE(seen.editReadOnly);
  EXPECT_TRUE(seen.newFolderVisible);
  EXPECT_FALSE(seen.placed.left == 10 && seen.placed.top == 20 && seen.placed.right == 410);
  EXPECT_EQ(1, result);
  EXPECT_STREQ(initial.c_str(), browser.GetResult());
  const std::vector<BYTE> after = ReadRect();
  ASSERT_EQ(16u, after.size());
  EXPECT_EQ(0, memcmp(after.data(), &stored, 16));
  DeleteRect();
}

TEST(FolderBrowserDialog, OldStyleIsResizableAndRemembersItsPlace) {
  const RECT stored = {100, 120, 500, 520};
  WriteRect(&stored, sizeof stored);
  CFolderBrowser browser;
  browser.m_flags &= ~BIF_NEWDIALOGSTYLE;
  browser.m_caption = "Ondrix browse old style";
  browser.m_showNewFolder = 0;
  browser.m_initialFolder = TestFolder("").c_str();
  Seen seen;
  const int result = RunDialog(browser, IDCANCEL, [&](HWND dialog) {
    Sleep(100);
    seen.dialog = dialog;
    GetWindowRect(dialog, &seen.placed);
    seen.style = GetWindowLongA(dialog, GWL_STYLE);
    seen.sizeItem = HasSizeItem(dialog);
    seen.newFolderVisible = IsWindowVisible(GetDlgItem(dialog, CFolderBrowser::kNewFolderId)) != 0;
    // This shell's old dialog has no edit box: one of ours stands in with the shell's id.
    HWND edit = EditBoxOf(dialog);
    if (!edit)
      edit = CreateWindowA("Edit", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, dialog,
                           (HMENU)(INT_PTR)CFolderBrowser::kEditId, NULL, NULL);
    SetWindowTextA(edit, "");
    seen.okWithEmptyEdit = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != 0;
    SetWindowTextA(edit, "x");
    seen.okWithText = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != 0;
    SetWindowPos(dialog, NULL, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(dialog, &seen.afterSmall);
    seen.treeBefore = ChildRect(dialog, CFolderBrowser::kTreeId);
    seen.okBefore = ChildRect(dialog, IDOK);
    SetWindowPos(dialog, NULL, 0, 0, 380, 330, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(dialog, &seen.afterLarge);
    seen.treeAfter = ChildRect(dialog, CFolderBrowser::kTreeId);
    seen.okAfter = ChildRect(dialog, IDOK);
  });
  ASSERT_NE(nullptr, seen.dialog) << "the folder dialog did not appear";
  EXPECT_EQ(0, result);
  EXPECT_EQ(100, seen.placed.left);
  EXPECT_EQ(120, seen.placed.top);
  EXPECT_EQ(500, seen.placed.right);
  EXPECT_EQ(520, seen.placed.bottom);
  EXPECT_TRUE(seen.style & WS_THICKFRAME);
  EXPECT_TRUE(seen.sizeItem);
  EXPECT_FALSE(seen.newFolderVisible);
  EXPECT_FALSE(seen.okWithEmptyEdit);
  EXPECT_TRUE(seen.okWithText);
  // Never smaller than the minimum tracking size.
  EXPECT_EQ(280, seen.afterSmall.right - seen.afterSmall.left);
  EXPECT_EQ(280, seen.afterSmall.bottom - seen.afterSmall.top);
  // Grown by 100 x 50: the tree follows with its right and bottom edges, OK moves.
  EXPECT_EQ(seen.treeBefore.left, seen.treeAfter.left);
  EXPECT_EQ(seen.treeBefore.right + 100, seen.treeAfter.right);
  EXPECT_EQ(seen.treeBefore.bottom + 50, seen.treeAfter.bottom);
  EXPECT_EQ(seen.okBefore.left + 100, seen.okAfter.left);
  EXPECT_EQ(seen.okBefore.top + 50, seen.okAfter.top);
  EXPECT_EQ(seen.okBefore.right - seen.okBefore.left, seen.okAfter.right - seen.okAfter.left);
  // The place at closing is remembered.
  const std::vector<BYTE> after = ReadRect();
  ASSERT_EQ(16u, after.size());
  RECT saved;
  memcpy(&saved, after.data(), 16);
  EXPECT_EQ(100, saved.left);
  EXPECT_EQ(120, saved.top);
  EXPECT_EQ(480, saved.right);
  EXPECT_EQ(450, saved.bottom);
  DeleteRect();
}

TEST(FolderBrowserDialog, RectOfTwelveBytesIsIgnored) {
  const LONG shortValue[3] = {100, 120, 500};
  WriteRect(shortValue, sizeof shortValue);
  CFolderBrowser browser;
  browser.m_flags &= ~BIF_NEWDIALOGSTYLE;
  browser.m_caption = "Ondrix browse short rect";
  Seen seen;
  RunDialog(browser, IDCANCEL, [&](HWND dialog) {
    Sleep(50);
    seen.dialog = dialog;
    GetWindowRect(dialog, &seen.placed);
  });
  ASSERT_NE(nullptr, seen.dialog);
  EXPECT_FALSE(seen.placed.left == 100 && seen.placed.top == 120);
  const std::vector<BYTE> after = ReadRect();
  ASSERT_EQ(16u, after.size());
  RECT saved;
  memcpy(&saved, after.data(), 16);
  EXPECT_EQ(seen.placed.left, saved.left);
  EXPECT_EQ(seen.placed.bottom, saved.bottom);
  DeleteRect();
}
