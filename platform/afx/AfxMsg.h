#pragma once
// Framework messages and ids, and the message-map entry macros of the window classes.
#include "platform/afx/CmdTarget.h"

// Sent by a modal loop to its window while the queue is empty: lParam counts the calls since the
// last real message; a result of 0 stops the calls until the next message.
#define WM_KICKIDLE 0x036A
// Messages a parent hands back to the child control they came from.
#define WM_REFLECT_BASE 0xBC00
// The one map entry for every WM_CTLCOLORxxx message (the old message number).
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
// The notification code of menu, accelerator and button commands.
#define CN_COMMAND 0

// Flags of RunModalLoop.
#define MLF_NOIDLEMSG 0x0001
#define MLF_NOKICKIDLE 0x0002
#define MLF_SHOWONIDLE 0x0004

// Framework strings, read from the resource module first (with built-in texts when it lacks them).
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_REAL 0xF111
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_REAL_RANGE 0xF113
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_RADIO_BUTTON 0xF115
#define AFX_IDP_PARSE_BYTE 0xF116
#define AFX_IDP_PARSE_UINT 0xF117
#define AFX_IDP_PARSE_DATETIME 0xF118

// What a WM_CTLCOLORxxx message carries, as the WM_CTLCOLOR map entries receive it.
struct AFX_CTLCOLOR {
  HWND hWnd;
  HDC hDC;
  UINT nCtlType;
};

#define AFX_PT_LPARAM (CPoint(static_cast<DWORD>(c_.lParam)))
#define AFX_MSG_ENTRY(msg, ...) {msg, 0, 0, 0, AFX_MSG_THUNK(__VA_ARGS__)},
#define AFX_MSG_VOID(msg, call) AFX_MSG_ENTRY(msg, p_->call; return TRUE;)

// Window messages, handled by the member of the fixed name.
#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, c_.lResult = p_->OnCreate(reinterpret_cast<LPCREATESTRUCT>(c_.lParam)); return TRUE;)
#define ON_WM_NCCREATE() AFX_MSG_ENTRY(WM_NCCREATE, c_.lResult = p_->OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(c_.lParam)); return TRUE;)
#define ON_WM_DESTROY() AFX_MSG_VOID(WM_DESTROY, OnDestroy())
#define ON_WM_NCDESTROY() AFX_MSG_VOID(WM_NCDESTROY, OnNcDestroy())
#define ON_WM_CLOSE() AFX_MSG_VOID(WM_CLOSE, OnClose())
#define ON_WM_MOVE() AFX_MSG_VOID(WM_MOVE, OnMove(static_cast<short>(LOWORD(c_.lParam)), static_cast<short>(HIWORD(c_.lParam))))
#define ON_WM_SIZE() AFX_MSG_VOID(WM_SIZE, OnSize(static_cast<UINT>(c_.wParam), LOWORD(c_.lParam), HIWORD(c_.lParam)))
#define ON_WM_SIZING() AFX_MSG_ENTRY(WM_SIZING, p_->OnSizing(static_cast<UINT>(c_.wParam), reinterpret_cast<LPRECT>(c_.lParam)); c_.lResult = TRUE; return TRUE;)
#define ON_WM_MOVING() AFX_MSG_ENTRY(WM_MOVING, p_->OnMoving(static_cast<UINT>(c_.wParam), reinterpret_cast<LPRECT>(c_.lParam)); c_.lResult = TRUE; return TRUE;)
#define ON_WM_PAINT() AFX_MSG_VOID(WM_PAINT, OnPaint())
#define ON_WM_NCPAINT() AFX_MSG_VOID(WM_NCPAINT, OnNcPaint())
#define ON_WM_ERASEBKGND() AFX_MSG_ENTRY(WM_ERASEBKGND, c_.lResult = p_->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(c_.wParam))); return TRUE;)
#define ON_WM_NCACTIVATE() AFX_MSG_ENTRY(WM_NCACTIVATE, c_.lResult = p_->OnNcActivate(static_cast<BOOL>(c_.wParam)); return TRUE;)
#define ON_WM_NCCALCSIZE() AFX_MSG_VOID(WM_NCCALCSIZE, OnNcCalcSize(static_cast<BOOL>(c_.wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(c_.lParam)))
#define ON_WM_NCHITTEST() AFX_MSG_ENTRY(WM_NCHITTEST, c_.lResult = p_->OnNcHitTest(AFX_PT_LPARAM); return TRUE;)
#define ON_WM_NCLBUTTONDOWN() AFX_MSG_VOID(WM_NCLBUTTONDOWN, OnNcLButtonDown(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_NCLBUTTONUP() AFX_MSG_VOID(WM_NCLBUTTONUP, OnNcLButtonUp(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_NCLBUTTONDBLCLK() AFX_MSG_VOID(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_NCRBUTTONDOWN() AFX_MSG_VOID(WM_NCRBUTTONDOWN, OnNcRButtonDown(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_NCRBUTTONUP() AFX_MSG_VOID(WM_NCRBUTTONUP, OnNcRButtonUp(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_NCMOUSEMOVE() AFX_MSG_VOID(WM_NCMOUSEMOVE, OnNcMouseMove(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_LBUTTONDOWN() AFX_MSG_VOID(WM_LBUTTONDOWN, OnLButtonDown(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_LBUTTONUP() AFX_MSG_VOID(WM_LBUTTONUP, OnLButtonUp(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_LBUTTONDBLCLK() AFX_MSG_VOID(WM_LBUTTONDBLCLK, OnLButtonDblClk(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_RBUTTONDOWN() AFX_MSG_VOID(WM_RBUTTONDOWN, OnRButtonDown(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_RBUTTONUP() AFX_MSG_VOID(WM_RBUTTONUP, OnRButtonUp(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_RBUTTONDBLCLK() AFX_MSG_VOID(WM_RBUTTONDBLCLK, OnRButtonDblClk(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_MBUTTONDOWN() AFX_MSG_VOID(WM_MBUTTONDOWN, OnMButtonDown(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_MBUTTONUP() AFX_MSG_VOID(WM_MBUTTONUP, OnMButtonUp(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_MOUSEMOVE() AFX_MSG_VOID(WM_MOUSEMOVE, OnMouseMove(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_MOUSEWHEEL() AFX_MSG_ENTRY(WM_MOUSEWHEEL, c_.lResult = p_->OnMouseWheel(GET_KEYSTATE_WPARAM(c_.wParam), GET_WHEEL_DELTA_WPARAM(c_.wParam), AFX_PT_LPARAM); return TRUE;)
#define ON_WM_MOUSELEAVE() AFX_MSG_VOID(WM_MOUSELEAVE, OnMouseLeave())
#define ON_WM_MOUSEHOVER() AFX_MSG_VOID(WM_MOUSEHOVER, OnMouseHover(static_cast<UINT>(c_.wParam), AFX_PT_LPARAM))
#define ON_WM_MOUSEACTIVATE() AFX_MSG_ENTRY(WM_MOUSEACTIVATE, c_.lResult = p_->OnMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(c_.wParam)), LOWORD(c_.lParam), HIWORD(c_.lParam)); return TRUE;)
#define ON_WM_SETCURSOR() AFX_MSG_ENTRY(WM_SETCURSOR, c_.lResult = p_->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(c_.wParam)), LOWORD(c_.lParam), HIWORD(c_.lParam)); return TRUE;)
#define ON_WM_CAPTURECHANGED() AFX_MSG_VOID(WM_CAPTURECHANGED, OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(c_.lParam))))
#define ON_WM_KEYDOWN() AFX_MSG_VOID(WM_KEYDOWN, OnKeyDown(static_cast<UINT>(c_.wParam), LOWORD(c_.lParam), HIWORD(c_.lParam)))
#define ON_WM_KEYUP() AFX_MSG_VOID(WM_KEYUP, OnKeyUp(static_cast<UINT>(c_.wParam), LOWORD(c_.lParam), HIWORD(c_.lParam)))
#define ON_WM_CHAR() AFX_MSG_VOID(WM_CHAR, OnChar(static_cast<UINT>(c_.wParam), LOWORD(c_.lParam), HIWORD(c_.lParam)))
#define ON_WM_SYSKEYDOWN() AFX_MSG_VOID(WM_SYSKEYDOWN, OnSysKeyDown(static_cast<UINT>(c_.wParam), LOWORD(c_.lParam), HIWORD(c_.lParam)))
#define ON_WM_SYSKEYUP() AFX_MSG_VOID(WM_SYSKEYUP, OnSysKeyUp(static_cast<UINT>(c_.wParam), LOWORD(c_.lParam), HIWORD(c_.lParam)))
#define ON_WM_SYSCHAR() AFX_MSG_VOID(WM_SYSCHAR, OnSysChar(static_cast<UINT>(c_.wParam), LOWORD(c_.lParam), HIWORD(c_.lParam)))
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, c_.lResult = p_->OnGetDlgCode(); return TRUE;)
#define ON_WM_SETFOCUS() AFX_MSG_VOID(WM_SETFOCUS, OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(c_.wParam))))
#define ON_WM_KILLFOCUS() AFX_MSG_VOID(WM_KILLFOCUS, OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(c_.wParam))))
#define ON_WM_ACTIVATE() AFX_MSG_VOID(WM_ACTIVATE, OnActivate(LOWORD(c_.wParam), CWnd::FromHandle(reinterpret_cast<HWND>(c_.lParam)), HIWORD(c_.wParam)))
#define ON_WM_ACTIVATEAPP() AFX_MSG_VOID(WM_ACTIVATEAPP, OnActivateApp(static_cast<BOOL>(c_.wParam), static_cast<DWORD>(c_.lParam)))
#define ON_WM_ENABLE() AFX_MSG_VOID(WM_ENABLE, OnEnable(static_cast<BOOL>(c_.wParam)))
#define ON_WM_SHOWWINDOW() AFX_MSG_VOID(WM_SHOWWINDOW, OnShowWindow(static_cast<BOOL>(c_.wParam), static_cast<UINT>(c_.lParam)))
#define ON_WM_QUERYENDSESSION() AFX_MSG_ENTRY(WM_QUERYENDSESSION, c_.lResult = p_->OnQueryEndSession(); return TRUE;)
#define ON_WM_ENDSESSION() AFX_MSG_VOID(WM_ENDSESSION, OnEndSession(static_cast<BOOL>(c_.wParam)))
#define ON_WM_TIMER() AFX_MSG_VOID(WM_TIMER, OnTimer(static_cast<UINT_PTR>(c_.wParam)))
#define ON_WM_HSCROLL() AFX_MSG_VOID(WM_HSCROLL, OnHScroll(LOWORD(c_.wParam), HIWORD(c_.wParam), AfxScrollBarFromHandle(reinterpret_cast<HWND>(c_.lParam))))
#define ON_WM_VSCROLL() AFX_MSG_VOID(WM_VSCROLL, OnVScroll(LOWORD(c_.wParam), HIWORD(c_.wParam), AfxScrollBarFromHandle(reinterpret_cast<HWND>(c_.lParam))))
#define ON_WM_SYSCOMMAND() AFX_MSG_VOID(WM_SYSCOMMAND, OnSysCommand(static_cast<UINT>(c_.wParam), c_.lParam))
#define ON_WM_GETMINMAXINFO() AFX_MSG_VOID(WM_GETMINMAXINFO, OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(c_.lParam)))
#define ON_WM_WINDOWPOSCHANGING() AFX_MSG_VOID(WM_WINDOWPOSCHANGING, OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(c_.lParam)))
#define ON_WM_WINDOWPOSCHANGED() AFX_MSG_VOID(WM_WINDOWPOSCHANGED, OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(c_.lParam)))
#define ON_WM_QUERYDRAGICON() AFX_MSG_ENTRY(WM_QUERYDRAGICON, c_.lResult = reinterpret_cast<LRESULT>(p_->OnQueryDragIcon()); return TRUE;)
#define ON_WM_CTLCOLOR() AFX_MSG_ENTRY(WM_CTLCOLOR, const AFX_CTLCOLOR* k_ = reinterpret_cast<const AFX_CTLCOLOR*>(c_.lParam); c_.lResult = reinterpret_cast<LRESULT>(p_->OnCtlColor(CDC::FromHandle(k_->hDC), CWnd::FromHandle(k_->hWnd), k_->nCtlType)); return TRUE;)
#define ON_WM_DRAWITEM() AFX_MSG_ENTRY(WM_DRAWITEM, p_->OnDrawItem(static_cast<int>(c_.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(c_.lParam)); c_.lResult = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM() AFX_MSG_ENTRY(WM_MEASUREITEM, p_->OnMeasureItem(static_cast<int>(c_.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(c_.lParam)); c_.lResult = TRUE; return TRUE;)
#define ON_WM_COMPAREITEM() AFX_MSG_ENTRY(WM_COMPAREITEM, c_.lResult = p_->OnCompareItem(static_cast<int>(c_.wParam), reinterpret_cast<LPCOMPAREITEMSTRUCT>(c_.lParam)); return TRUE;)
#define ON_WM_DELETEITEM() AFX_MSG_ENTRY(WM_DELETEITEM, p_->OnDeleteItem(static_cast<int>(c_.wParam), reinterpret_cast<LPDELETEITEMSTRUCT>(c_.lParam)); c_.lResult = TRUE; return TRUE;)
#define ON_WM_PARENTNOTIFY() AFX_MSG_VOID(WM_PARENTNOTIFY, OnParentNotify(LOWORD(c_.wParam), c_.lParam))
#define ON_WM_INITMENU() AFX_MSG_VOID(WM_INITMENU, OnInitMenu(CMenu::FromHandle(reinterpret_cast<HMENU>(c_.wParam))))
#define ON_WM_INITMENUPOPUP() AFX_MSG_VOID(WM_INITMENUPOPUP, OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(c_.wParam)), LOWORD(c_.lParam), HIWORD(c_.lParam)))
#define ON_WM_UNINITMENUPOPUP() AFX_MSG_VOID(WM_UNINITMENUPOPUP, OnUnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(c_.wParam)), static_cast<UINT>(c_.lParam)))
#define ON_WM_MENUSELECT() AFX_MSG_VOID(WM_MENUSELECT, OnMenuSelect(LOWORD(c_.wParam), HIWORD(c_.wParam), reinterpret_cast<HMENU>(c_.lParam)))
#define ON_WM_MENUCHAR() AFX_MSG_ENTRY(WM_MENUCHAR, c_.lResult = p_->OnMenuChar(LOWORD(c_.wParam), HIWORD(c_.wParam), CMenu::FromHandle(reinterpret_cast<HMENU>(c_.lParam))); return TRUE;)
#define ON_WM_ENTERIDLE() AFX_MSG_VOID(WM_ENTERIDLE, OnEnterIdle(static_cast<UINT>(c_.wParam), CWnd::FromHandle(reinterpret_cast<HWND>(c_.lParam))))
#define ON_WM_CONTEXTMENU() AFX_MSG_VOID(WM_CONTEXTMENU, OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(c_.wParam)), AFX_PT_LPARAM))
#define ON_WM_SETTINGCHANGE() AFX_MSG_VOID(WM_SETTINGCHANGE, OnSettingChange(static_cast<UINT>(c_.wParam), reinterpret_cast<LPCSTR>(c_.lParam)))
#define ON_WM_SYSCOLORCHANGE() AFX_MSG_VOID(WM_SYSCOLORCHANGE, OnSysColorChange())
#define ON_WM_HELPINFO() AFX_MSG_ENTRY(WM_HELP, c_.lResult = p_->OnHelpInfo(reinterpret_cast<HELPINFO*>(c_.lParam)); return TRUE;)

// Messages a control receives back from its parent (the handler names of the control's side).
#define ON_WM_CTLCOLOR_REFLECT() AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, const AFX_CTLCOLOR* k_ = reinterpret_cast<const AFX_CTLCOLOR*>(c_.lParam); c_.lResult = reinterpret_cast<LRESULT>(p_->CtlColor(CDC::FromHandle(k_->hDC), k_->nCtlType)); return TRUE;)
#define ON_WM_DRAWITEM_REFLECT() AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, p_->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(c_.lParam)); c_.lResult = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT() AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, p_->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(c_.lParam)); c_.lResult = TRUE; return TRUE;)
#define ON_WM_HSCROLL_REFLECT() AFX_MSG_VOID(WM_REFLECT_BASE + WM_HSCROLL, HScroll(LOWORD(c_.wParam), HIWORD(c_.wParam)))
#define ON_WM_VSCROLL_REFLECT() AFX_MSG_VOID(WM_REFLECT_BASE + WM_VSCROLL, VScroll(LOWORD(c_.wParam), HIWORD(c_.wParam)))

// Any message, handled by LRESULT memberFxn(WPARAM, LPARAM); memberFxn is written &Class::Name.
#define ON_MESSAGE(message, memberFxn) \
  AFX_MSG_ENTRY(message, c_.lResult = (p_->*(memberFxn))(c_.wParam, c_.lParam); return TRUE;)

// Commands (menus, accelerators, buttons): void memberFxn(); the _RANGE forms get the id,
// the _EX forms get the id and return whether they handled it.
#define ON_COMMAND(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), AFX_MSG_THUNK((p_->*(memberFxn))(); return TRUE;)},
#define ON_COMMAND_EX(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), AFX_MSG_THUNK(return (p_->*(memberFxn))(c_.nID);)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), AFX_MSG_THUNK((p_->*(memberFxn))(c_.nID); return TRUE;)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), AFX_MSG_THUNK(return (p_->*(memberFxn))(c_.nID);)},

// Control notifications through WM_COMMAND.
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
  {WM_COMMAND, static_cast<WORD>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), AFX_MSG_THUNK((p_->*(memberFxn))(); return TRUE;)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
  {WM_COMMAND, static_cast<WORD>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(idLast), AFX_MSG_THUNK((p_->*(memberFxn))(c_.nID); return TRUE;)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// Common-control notifications through WM_NOTIFY: void memberFxn(NMHDR*, LRESULT*); the _RANGE
// form gets the id first, the _EX form as well and returns whether it handled it.
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
  {WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<UINT>(id), static_cast<UINT>(id), \
   AFX_MSG_THUNK(AFX_NOTIFY* n_ = static_cast<AFX_NOTIFY*>(c_.pExtra); (p_->*(memberFxn))(n_->pNMHDR, n_->pResult); return TRUE;)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
  {WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<UINT>(id), static_cast<UINT>(idLast), \
   AFX_MSG_THUNK(AFX_NOTIFY* n_ = static_cast<AFX_NOTIFY*>(c_.pExtra); (p_->*(memberFxn))(c_.nID, n_->pNMHDR, n_->pResult); return TRUE;)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
  {WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), static_cast<UINT>(id), static_cast<UINT>(id), \
   AFX_MSG_THUNK(AFX_NOTIFY* n_ = static_cast<AFX_NOTIFY*>(c_.pExtra); return (p_->*(memberFxn))(c_.nID, n_->pNMHDR, n_->pResult);)},

// Notifications a control receives back from its parent: the control handles its own events.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
  {WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(wNotifyCode), 0, 0, AFX_MSG_THUNK((p_->*(memberFxn))(); return TRUE;)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
  {WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(wNotifyCode), 0, 0, AFX_MSG_THUNK(return (p_->*(memberFxn))();)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
  {WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), 0, 0, \
   AFX_MSG_THUNK(AFX_NOTIFY* n_ = static_cast<AFX_NOTIFY*>(c_.pExtra); (p_->*(memberFxn))(n_->pNMHDR, n_->pResult); return TRUE;)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
  {WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(static_cast<int>(wNotifyCode)), 0, 0, \
   AFX_MSG_THUNK(AFX_NOTIFY* n_ = static_cast<AFX_NOTIFY*>(c_.pExtra); return (p_->*(memberFxn))(n_->pNMHDR, n_->pResult);)},
