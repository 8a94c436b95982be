#pragma once
// The windows' side of the engine in a test: the messages it would show are
// kept, and answered with OK.
#include <string>
#include <vector>

#include "engine/EngineWindows.h"

class CRecordingWindows : public CEngineWindows
{
public:
    int ShowMessage(LPCSTR pszText, UINT uType) override
    {
        messages.push_back(pszText);
        types.push_back(uType);
        return IDOK;
    }
    std::vector<std::string> messages;
    std::vector<UINT> types;
};
