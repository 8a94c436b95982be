#include "skin/ToolTipCtrlEx.h"

#include "platform/afx/String.h"

IMPLEMENT_DYNAMIC(CToolTipCtrlEx, CToolTipCtrl)

HWND CToolTipCtrlEx::ToolOwner() const
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    return owner ? owner : ::GetParent(m_hWnd);
}

BOOL CToolTipCtrlEx::Add(UINT flags, UINT_PTR id, const RECT* rect, LPCSTR text)
{
    if (!m_hWnd)
        return FALSE;
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = flags;
    info.hwnd = ToolOwner();
    info.uId = id;
    if (rect)
        info.rect = *rect;
    info.lpszText = const_cast<LPSTR>(text ? text : "");
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrlEx::AddTool(UINT controlId, LPCSTR text)
{
    HWND control = ::GetDlgItem(::GetParent(m_hWnd), static_cast<int>(controlId));
    if (!control)
        return FALSE;
    return Add(TTF_IDISHWND | TTF_SUBCLASS, reinterpret_cast<UINT_PTR>(control), nullptr, text);
}

BOOL CToolTipCtrlEx::AddTool(UINT controlId, UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    return AddTool(controlId, static_cast<LPCSTR>(text));
}

BOOL CToolTipCtrlEx::AddTool(UINT toolId, const RECT& rect, LPCSTR text)
{
    return Add(TTF_SUBCLASS, toolId, &rect, text);
}

BOOL CToolTipCtrlEx::AddTool(UINT toolId, const RECT& rect, UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    return AddTool(toolId, rect, static_cast<LPCSTR>(text));
}
