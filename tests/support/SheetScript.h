#pragma once
// A property-sheet test's script: one step per start of idle time in the sheet's modal loop.
// After the last step a sheet still open is cancelled, so a step that stopped early (a failed
// assertion) cannot leave the test waiting.
#include <functional>
#include <vector>

#include "platform/afx/PropertySheet.h"

struct SheetScript
{
    std::vector<std::function<void()>> steps;
    size_t next = 0;

    // For the sheet's WM_KICKIDLE handler; its result.
    LRESULT OnKickIdle(CPropertySheet& sheet, LPARAM lCount)
    {
        if (lCount != 0)
            return FALSE;
        if (next < steps.size())
        {
            steps[next++]();
            // Another round of idle time for the next step.
            if (sheet.m_hWnd)
                sheet.PostMessage(WM_NULL);
        }
        else if (next == steps.size() && sheet.m_hWnd && sheet.SendMessage(PSM_GETCURRENTPAGEHWND))
        {
            ++next;
            sheet.PressButton(PSBTN_CANCEL);
        }
        return FALSE;
    }
};
