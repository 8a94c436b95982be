#pragma once
#include "platform/afx/CommonControls.h"

// A tool tip whose tools are the controls of its parent dialog, named by control id, or
// rectangles of it, with texts given directly or as string resources. The tools subclass their
// windows, so the mouse over a tool shows its tip without the owner relaying anything.
class CToolTipCtrlEx : public CToolTipCtrl
{
    DECLARE_DYNAMIC(CToolTipCtrlEx)
public:
    using CToolTipCtrl::AddTool;

    // The dialog item with the id in the tool tip's parent, with string stringId as its tip.
    BOOL AddTool(UINT controlId, UINT stringId);
    BOOL AddTool(UINT controlId, LPCSTR text);
    // A rectangle (client coordinates of the tool tip's owner) as tool toolId.
    BOOL AddTool(UINT toolId, const RECT& rect, UINT stringId);
    BOOL AddTool(UINT toolId, const RECT& rect, LPCSTR text);

private:
    // The window the tools belong to: the tool tip's owner, else its parent.
    HWND ToolOwner() const;
    BOOL Add(UINT flags, UINT_PTR id, const RECT* rect, LPCSTR text);
};
