#pragma once

#include <windows.h>

// What the engine asks of the windows. The windows implement it, so the
// engine builds and runs without them; until they do, messages go to plain
// message boxes.
class CEngineWindows
{
public:
    virtual ~CEngineWindows() {}
    // Shows the text to the user; the button pressed.
    virtual int ShowMessage(LPCSTR pszText, UINT uType) = 0;
};

// Plain message boxes without an owner.
class CMessageBoxWindows : public CEngineWindows
{
public:
    int ShowMessage(LPCSTR pszText, UINT uType) override { return MessageBoxA(NULL, pszText, NULL, uType); }
};
