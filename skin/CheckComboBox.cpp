#include "skin/CheckComboBox.h"

#include "platform/afx/Dc.h"

IMPLEMENT_DYNAMIC(CCheckComboBox, CComboBox)

CCheckComboBox* CCheckComboBox::s_pOpenCombo = NULL;
WNDPROC CCheckComboBox::s_pfnListProc = NULL;

BEGIN_MESSAGE_MAP(CCheckComboBox, CComboBox)
    ON_CONTROL_REFLECT(CBN_DROPDOWN, &CCheckComboBox::OnDropDown)
END_MESSAGE_MAP()

CCheckComboBox::CCheckComboBox() : m_hListBox(NULL), m_bTextUpdated(FALSE), m_bItemHeightSet(FALSE) {}

CCheckComboBox::~CCheckComboBox()
{
    if (s_pOpenCombo == this)
        s_pOpenCombo = NULL;
}

BOOL CCheckComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle &= ~0xF;
    dwStyle |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
    return CComboBox::Create(dwStyle, rect, pParentWnd, nID);
}

int CCheckComboBox::SetCheck(int nIndex, BOOL bCheck)
{
    int nResult = SetItemData(nIndex, bCheck);
    if (nResult < 0)
        return nResult;
    m_bTextUpdated = FALSE;
    Invalidate(FALSE);
    return nResult;
}

BOOL CCheckComboBox::GetCheck(int nIndex) const
{
    return static_cast<BOOL>(GetItemData(nIndex));
}

int CCheckComboBox::SetAllChecks(BOOL bCheck)
{
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
        SetItemData(i, bCheck);
    m_bTextUpdated = FALSE;
    Invalidate(FALSE);
    return nCount;
}

void CCheckComboBox::RecalcText()
{
    if (m_bTextUpdated)
        return;
    char szSeparator[11] = "";
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, szSeparator, sizeof szSeparator);
    CString separator(szSeparator);
    if (separator.IsEmpty())
        separator = ";";
    separator.TrimRight();
    separator += ' ';

    CString text;
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        if (!GetItemData(i))
            continue;
        CString item;
        GetLBText(i, item);
        if (!text.IsEmpty())
            text += separator;
        text += item;
    }
    m_strText = text;
    m_bTextUpdated = TRUE;
}

void CCheckComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    CClientDC dc(this);
    CFont* pFont = GetFont();
    CFont* pOld = pFont ? dc.SelectObject(pFont) : NULL;
    TEXTMETRICA metrics;
    dc.GetTextMetrics(&metrics);
    if (pOld)
        dc.SelectObject(pOld);
    lpMeasureItemStruct->itemHeight = metrics.tmHeight + metrics.tmExternalLeading + 2;
    if (!m_bItemHeightSet)
    {
        m_bItemHeightSet = TRUE;
        SetItemHeight(-1, lpMeasureItemStruct->itemHeight);
    }
}

void CCheckComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect checkRect = lpDrawItemStruct->rcItem;
    CRect textRect = lpDrawItemStruct->rcItem;
    CString text;
    BOOL bCheckBox = FALSE;
    BOOL bChecked = FALSE;

    // The closed combo's field: its items come with index -1 because the list never reports a
    // selection; the field flag says the same where the system passes an index anyway.
    const int nIndex = static_cast<int>(lpDrawItemStruct->itemID);
    if (nIndex >= 0 && !(lpDrawItemStruct->itemState & ODS_COMBOBOXEDIT))
    {
        GetLBText(nIndex, text);
        bChecked = GetCheck(nIndex);
        TEXTMETRICA metrics;
        pDC->GetTextMetrics(&metrics);
        checkRect.left = 0;
        checkRect.right = checkRect.left + metrics.tmHeight + metrics.tmExternalLeading + 6;
        checkRect.top += 1;
        checkRect.bottom -= 1;
        textRect.left = checkRect.right;
        bCheckBox = TRUE;
    }
    else
    {
        RecalcText();
        text = m_strText;
    }

    if (bCheckBox)
    {
        pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
        pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        UINT nState = DFCS_BUTTONCHECK;
        if (bChecked)
            nState |= DFCS_CHECKED;
        ::DrawFrameControl(pDC->GetSafeHdc(), &checkRect, DFC_BUTTON, nState);
    }

    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    pDC->SetBkColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    pDC->ExtTextOut(0, 0, ETO_OPAQUE, &textRect, static_cast<LPCSTR>(NULL), 0, NULL);
    CString shown = " " + text;
    pDC->DrawText(shown, &textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);

    if ((lpDrawItemStruct->itemState & (ODS_FOCUS | ODS_SELECTED)) == (ODS_FOCUS | ODS_SELECTED))
        pDC->DrawFocusRect(&textRect);
}

void CCheckComboBox::OnDropDown()
{
    s_pOpenCombo = this;
}

LRESULT CCheckComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CTLCOLORLISTBOX:
        // The first list box that asks for its colours is the drop-down list: subclass it once.
        if (m_hListBox == NULL && reinterpret_cast<HWND>(lParam) != m_hWnd && lParam != 0)
        {
            m_hListBox = reinterpret_cast<HWND>(lParam);
            WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(m_hListBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CCheckComboBox::ListProc)));
            if (pfnOld != &CCheckComboBox::ListProc)
                s_pfnListProc = pfnOld;
        }
        return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
    case WM_GETTEXT:
        if (lParam == 0 || wParam == 0)
            return 0;
        RecalcText();
        lstrcpynA(reinterpret_cast<LPSTR>(lParam), m_strText, static_cast<int>(wParam));
        return lstrlenA(reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH:
        RecalcText();
        return m_strText.GetLength();
    default:
        return CComboBox::WindowProc(message, wParam, lParam);
    }
}

void CCheckComboBox::ToggleFromList(HWND hList, int nIndex)
{
    CRect item;
    ::CallWindowProcA(s_pfnListProc, hList, LB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(&item));
    ::InvalidateRect(hList, &item, FALSE);
    SetCheck(nIndex, !GetCheck(nIndex));
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CBN_SELCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CALLBACK CCheckComboBox::ListProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CCheckComboBox* pCombo = s_pOpenCombo;
    switch (message)
    {
    case WM_LBUTTONDOWN:
    {
        CRect client;
        ::GetClientRect(hWnd, &client);
        CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        if (pCombo && client.PtInRect(point))
        {
            const int nHeight = static_cast<int>(::CallWindowProcA(s_pfnListProc, hWnd, LB_GETITEMHEIGHT, 0, 0));
            const int nTop = static_cast<int>(::CallWindowProcA(s_pfnListProc, hWnd, LB_GETTOPINDEX, 0, 0));
            const int nIndex = nTop + (nHeight > 0 ? point.y / nHeight : 0);
            CRect item;
            if (::CallWindowProcA(s_pfnListProc, hWnd, LB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(&item)) !=
                    LB_ERR &&
                item.PtInRect(point))
                pCombo->ToggleFromList(hWnd, nIndex);
        }
        break;
    }
    case WM_LBUTTONUP:
        // The list stays open.
        return 0;
    case WM_CHAR:
        if (wParam == VK_SPACE)
        {
            const int nIndex = static_cast<int>(::CallWindowProcA(s_pfnListProc, hWnd, LB_GETCURSEL, 0, 0));
            if (pCombo && nIndex >= 0)
                pCombo->ToggleFromList(hWnd, nIndex);
            return 0;
        }
        break;
    case LB_GETCURSEL:
        // Closing the list never changes the combo's selection.
        return -1;
    default:
        break;
    }
    return ::CallWindowProcA(s_pfnListProc, hWnd, message, wParam, lParam);
}
