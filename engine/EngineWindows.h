#pragma once

#include <windows.h>

#include "platform/afx/List.h"

// What the engine asks of the windows. The windows implement it, so the
// engine builds and runs without them; until they do, messages go to plain
// message boxes and the services that only windows have do nothing.
class CEngineWindows
{
public:
    virtual ~CEngineWindows() {}
    // Shows the text to the user; the button pressed.
    virtual int ShowMessage(LPCSTR pszText, UINT uType) = 0;
    // Shows the message of a string resource under a caption resource of the
    // product's resource library; the button pressed.
    virtual int ShowResMessage(UINT nTextId, UINT nCaptionId, UINT uType);
    // Whether the application starts the tray program when it ends.
    virtual void SetTrayAutoStart(BOOL bStart) {}
    // Lays out and shows the on-screen menu, or hides it; its result.
    virtual BOOL ShowOsdMenu(BOOL bShow) { return FALSE; }
    // The video window gets ready for a channel scan.
    virtual void OnSearchBegin() {}
    // Appends the names of the installed skins that the skin list file names;
    // FALSE when the file cannot be read.
    virtual BOOL ReadSkinNames(LPCSTR pszSkinSetPath, CStringList& names) { return FALSE; }
};

// Plain message boxes without an owner.
class CMessageBoxWindows : public CEngineWindows
{
public:
    int ShowMessage(LPCSTR pszText, UINT uType) override { return MessageBoxA(NULL, pszText, NULL, uType); }
};
