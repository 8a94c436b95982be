#include "engine/EngineWindows.h"

#include "platform/afx/String.h"

int CEngineWindows::ShowResMessage(UINT nTextId, UINT nCaptionId, UINT uType)
{
    CString text;
    text.LoadString(nTextId);
    return ShowMessage(text, uType);
}
