#include "skin/EditListCtrl.h"

IMPLEMENT_DYNAMIC(CInPlaceEdit, CEdit)
IMPLEMENT_DYNAMIC(CInPlaceCombo, CComboBox)
IMPLEMENT_DYNAMIC(CEditListCtrl, CListCtrl)

namespace
{
const DWORD kEditStyle = ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL;
const DWORD kComboStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | CBS_DISABLENOSCROLL | CBS_SORT | CBS_OEMCONVERT |
                          CBS_AUTOHSCROLL | CBS_DROPDOWNLIST;
const int kMinComboColumnWidth = 10;

// The end of an edit as the list's own label edit reports it, sent to the list.
void ReportEnd(CWnd* pEditor, int nItem, int nSubItem, LPCSTR pszText)
{
    CWnd* pList = pEditor->GetParent();
    if (pList == NULL)
        return;
    CString text(pszText);
    NMLVDISPINFOA info = {};
    info.hdr.hwndFrom = pList->m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(pEditor->GetDlgCtrlID());
    info.hdr.code = LVN_ENDLABELEDITA;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nItem;
    info.item.iSubItem = nSubItem;
    info.item.pszText = text.GetBuffer(text.GetLength());
    info.item.cchTextMax = text.GetLength();
    pList->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    text.ReleaseBuffer();
}

// Enter or Escape ends the edit by handing the focus back to the list; Escape throws it away.
BOOL EndOnKey(CWnd* pEditor, const MSG* pMsg, BOOL& bCancelled)
{
    if (pMsg->message != WM_KEYDOWN || (pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE))
        return FALSE;
    if (pMsg->wParam == VK_ESCAPE)
        bCancelled = TRUE;
    if (CWnd* pList = pEditor->GetParent())
        pList->SetFocus();
    return TRUE;
}

// The editor lost the focus: the list learns the cell's new text (the old one when cancelled),
// and the editor's window goes.
void EndEdit(CWnd* pEditor, int nItem, int nSubItem, BOOL bCancelled, const CString& initial)
{
    CString text;
    if (bCancelled)
        text = initial;
    else
        pEditor->GetWindowText(text);
    ReportEnd(pEditor, nItem, nSubItem, text);
    pEditor->PostMessage(WM_CLOSE);
}

template <class TEditor> TEditor* SharedEditor(TEditor*& pInstance)
{
    if (pInstance == NULL)
        pInstance = new TEditor;
    return pInstance;
}

template <class TEditor> void DeleteSharedEditor(TEditor*& pInstance)
{
    delete pInstance;
    pInstance = NULL;
}
} // namespace

// ---- in-place edit ----

CInPlaceEdit* CInPlaceEdit::s_pInstance = NULL;

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
END_MESSAGE_MAP()

CInPlaceEdit::CInPlaceEdit() : m_nItem(-1), m_nSubItem(-1), m_bCancelled(FALSE) {}

CInPlaceEdit::~CInPlaceEdit()
{
    if (m_hWnd)
        DestroyWindow();
}

CInPlaceEdit* CInPlaceEdit::GetInstance()
{
    return SharedEditor(s_pInstance);
}

void CInPlaceEdit::DeleteInstance()
{
    DeleteSharedEditor(s_pInstance);
}

BOOL CInPlaceEdit::Open(CWnd* pList, int nItem, int nSubItem, const CRect& rect, DWORD dwStyle,
                        LPCSTR pszValidChars, LPCSTR pszText)
{
    m_nItem = nItem;
    m_nSubItem = nSubItem;
    m_strValidChars = pszValidChars;
    m_strInitText = pszText;
    m_bCancelled = FALSE;
    if (m_hWnd)
        return TRUE;
    return Create(dwStyle | WS_CHILD | WS_VISIBLE | WS_BORDER, rect, pList, 0);
}

int CInPlaceEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CWnd* pParent = GetParent())
        SetFont(pParent->GetFont());
    ShowWindow(SW_SHOW);
    SetWindowText(m_strInitText);
    SetSel(0, -1);
    SetFocus();
    return 0;
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    return EndOnKey(this, pMsg, m_bCancelled) || CEdit::PreTranslateMessage(pMsg);
}

void CInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bControl = nChar == VK_BACK || nChar == 3 || nChar == 22 || nChar == 24;
    if (!m_strValidChars.IsEmpty() && !bControl && m_strValidChars.Find(static_cast<char>(nChar)) == -1)
    {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit(this, m_nItem, m_nSubItem, m_bCancelled, m_strInitText);
}

// ---- in-place combo ----

CInPlaceCombo* CInPlaceCombo::s_pInstance = NULL;

BEGIN_MESSAGE_MAP(CInPlaceCombo, CComboBox)
    ON_WM_CREATE()
    ON_WM_KILLFOCUS()
    ON_CONTROL_REFLECT(CBN_CLOSEUP, &CInPlaceCombo::OnCloseUp)
END_MESSAGE_MAP()

CInPlaceCombo::CInPlaceCombo() : m_nItem(-1), m_nSubItem(-1), m_bCancelled(FALSE) {}

CInPlaceCombo::~CInPlaceCombo()
{
    if (m_hWnd)
        DestroyWindow();
}

CInPlaceCombo* CInPlaceCombo::GetInstance()
{
    return SharedEditor(s_pInstance);
}

void CInPlaceCombo::DeleteInstance()
{
    DeleteSharedEditor(s_pInstance);
}

BOOL CInPlaceCombo::Open(CWnd* pList, int nItem, int nSubItem, const CRect& rect, DWORD dwStyle,
                         const CStringList& choices, LPCSTR pszText)
{
    m_nItem = nItem;
    m_nSubItem = nSubItem;
    m_choices.RemoveAll();
    for (POSITION pos = choices.GetHeadPosition(); pos != NULL;)
        m_choices.AddTail(choices.GetNext(pos));
    m_strCurText = pszText;
    m_bCancelled = FALSE;
    if (m_hWnd)
        return TRUE;
    return Create(dwStyle, rect, pList, 0);
}

int CInPlaceCombo::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CComboBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (CWnd* pParent = GetParent())
        SetFont(pParent->GetFont());
    SetFocus();
    ResetContent();
    for (POSITION pos = m_choices.GetHeadPosition(); pos != NULL;)
        AddString(m_choices.GetNext(pos));
    return 0;
}

BOOL CInPlaceCombo::PreTranslateMessage(MSG* pMsg)
{
    return EndOnKey(this, pMsg, m_bCancelled) || CComboBox::PreTranslateMessage(pMsg);
}

void CInPlaceCombo::OnCloseUp()
{
    if (CWnd* pList = GetParent())
        pList->SetFocus();
}

void CInPlaceCombo::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    EndEdit(this, m_nItem, m_nSubItem, m_bCancelled, m_strCurText);
}

// ---- the list ----

BEGIN_MESSAGE_MAP(CEditListCtrl, CListCtrl)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT(LVN_BEGINLABELEDITA, &CEditListCtrl::OnBeginLabelEdit)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDITA, &CEditListCtrl::OnEndLabelEdit)
END_MESSAGE_MAP()

CEditListCtrl::CEditListCtrl() : m_dwEditStyle(kEditStyle), m_dwComboStyle(kComboStyle), m_nColumnCount(0)
{
    m_comboColumns.InitHashTable(10);
    m_readOnlyColumns.InitHashTable(10);
}

CEditListCtrl::~CEditListCtrl() {}

void CEditListCtrl::SetComboColumn(int nColumn, BOOL bOn)
{
    if (bOn)
        m_comboColumns.SetAt(nColumn, nColumn);
    else
        m_comboColumns.RemoveKey(nColumn);
}

void CEditListCtrl::SetReadOnlyColumn(int nColumn, BOOL bOn)
{
    if (bOn)
        m_readOnlyColumns.SetAt(nColumn, nColumn);
    else
        m_readOnlyColumns.RemoveKey(nColumn);
}

BOOL CEditListCtrl::IsComboColumn(int nColumn) const
{
    int value;
    return m_comboColumns.Lookup(nColumn, value);
}

BOOL CEditListCtrl::IsReadOnlyColumn(int nColumn) const
{
    int value;
    return m_readOnlyColumns.Lookup(nColumn, value);
}

void CEditListCtrl::SetValidChars(LPCSTR pszChars, int nColumn)
{
    if (nColumn == -1)
    {
        for (CString& chars : m_validChars)
            chars = pszChars;
    }
    else if (nColumn >= 0 && nColumn < 100)
    {
        m_validChars[nColumn] = pszChars;
    }
}

CEditListCtrl& CEditListCtrl::SetComboHScroll(BOOL bOn)
{
    m_dwComboStyle = bOn ? (m_dwComboStyle | WS_HSCROLL) : (m_dwComboStyle & ~WS_HSCROLL);
    return *this;
}

CEditListCtrl& CEditListCtrl::SetComboVScroll(BOOL bOn)
{
    m_dwComboStyle = bOn ? (m_dwComboStyle | WS_VSCROLL) : (m_dwComboStyle & ~WS_VSCROLL);
    return *this;
}

int CEditListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    ++m_nColumnCount;
    return CListCtrl::InsertColumn(nCol, lpszColumnHeading, nFormat, nWidth, nSubItem);
}

void CEditListCtrl::DeleteAllColumns()
{
    for (int i = 0; i < m_nColumnCount; ++i)
        DeleteColumn(0);
    m_nColumnCount = 0;
}

int CEditListCtrl::HitTestCell(CPoint point, int* pnColumn)
{
    *pnColumn = 0;
    const int nItem = HitTest(point, NULL);
    if ((GetStyle() & LVS_TYPEMASK) != LVS_REPORT || nItem < 0)
        return -1;
    CRect bounds;
    if (!GetItemRect(nItem, &bounds, LVIR_BOUNDS) || !bounds.PtInRect(point))
        return -1;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    const int nColumns = pHeader ? pHeader->GetItemCount() : 0;
    int x = bounds.left;
    for (int nColumn = 0; nColumn < nColumns; ++nColumn)
    {
        const int nWidth = GetColumnWidth(nColumn);
        if (point.x >= x && point.x <= x + nWidth)
        {
            *pnColumn = nColumn;
            return nItem;
        }
        x += nWidth;
    }
    return -1;
}

BOOL CEditListCtrl::GetCellRect(int nItem, int nColumn, CRect& rect)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == NULL || nColumn >= pHeader->GetItemCount())
        return FALSE;
    CRect bounds;
    if (!GetItemRect(nItem, &bounds, LVIR_BOUNDS))
        return FALSE;
    int nOffset = 0;
    for (int i = 0; i < nColumn; ++i)
        nOffset += GetColumnWidth(i);
    const int nWidth = GetColumnWidth(nColumn);
    CRect client;
    GetClientRect(&client);
    // Scroll the column into view.
    const int nLeft = bounds.left + nOffset;
    int nScroll = 0;
    if (nLeft < 0 || nLeft > client.right)
        nScroll = nLeft;
    else if (nLeft + nWidth > client.right)
        nScroll = nLeft + nWidth - client.right;
    if (nScroll != 0)
    {
        Scroll(CSize(nScroll, 0));
        GetItemRect(nItem, &bounds, LVIR_BOUNDS);
    }
    rect = bounds;
    rect.left = bounds.left + nOffset;
    rect.right = rect.left + nWidth;
    if (rect.right > client.right)
        rect.right = client.right;
    return TRUE;
}

CInPlaceCombo* CEditListCtrl::ShowInPlaceCombo(int nItem, int nColumn)
{
    if (!EnsureVisible(nItem, TRUE))
        return NULL;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == NULL || nColumn >= pHeader->GetItemCount() || GetColumnWidth(nColumn) < kMinComboColumnWidth)
        return NULL;
    CStringList choices;
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_EDITLIST_GET_CHOICES, static_cast<WPARAM>(nColumn), reinterpret_cast<LPARAM>(&choices));
    CRect rect;
    if (!GetCellRect(nItem, nColumn, rect))
        return NULL;
    const int nCount = static_cast<int>(choices.GetCount());
    rect.bottom = rect.top + rect.Height() * (nCount < 10 ? nCount + 10 : 11);
    CString text = GetItemText(nItem, nColumn);
    CInPlaceCombo* pCombo = CInPlaceCombo::GetInstance();
    if (!pCombo->Open(this, nItem, nColumn, rect, m_dwComboStyle, choices, text))
        return NULL;
    pCombo->SelectString(-1, text);
    return pCombo;
}

CInPlaceEdit* CEditListCtrl::ShowInPlaceEdit(int nItem, int nColumn)
{
    CRect rect;
    if (!EnsureVisible(nItem, TRUE) || !GetCellRect(nItem, nColumn, rect))
        return NULL;
    CInPlaceEdit* pEdit = CInPlaceEdit::GetInstance();
    const CString& valid = nColumn >= 0 && nColumn < 100 ? m_validChars[nColumn] : m_validChars[0];
    if (!pEdit->Open(this, nItem, nColumn, rect, m_dwEditStyle, valid, GetItemText(nItem, nColumn)))
        return NULL;
    return pEdit;
}

BOOL CEditListCtrl::OpenFromClick(UINT nFlags, CPoint point, BOOL bDouble)
{
    int nColumn = 0;
    const int nItem = HitTestCell(point, &nColumn);
    if (nItem < 0)
        return FALSE;
    if ((nFlags & (MK_SHIFT | MK_CONTROL)) != 0 || !(GetItemState(nItem, LVIS_FOCUSED) & LVIS_FOCUSED) ||
        !(GetStyle() & LVS_EDITLABELS))
        return TRUE;
    if (IsComboColumn(nColumn))
        ShowInPlaceCombo(nItem, nColumn);
    else if (bDouble && !IsReadOnlyColumn(nColumn))
        ShowInPlaceEdit(nItem, nColumn);
    return TRUE;
}

void CEditListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    int nColumn = 0;
    // A click on no cell (empty space below the rows) does nothing at all.
    if (HitTestCell(point, &nColumn) < 0)
        return;
    CListCtrl::OnLButtonDown(nFlags, point);
    OpenFromClick(nFlags, point, FALSE);
}

void CEditListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OpenFromClick(nFlags, point, TRUE);
    CListCtrl::OnLButtonDblClk(nFlags, point);
}

void CEditListCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    // An open editor commits before the cells move away from under it.
    if (GetFocus() != this)
        SetFocus();
    CListCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CEditListCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (GetFocus() != this)
        SetFocus();
    CListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CEditListCtrl::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLVDISPINFOA* pInfo = reinterpret_cast<const NMLVDISPINFOA*>(pNMHDR);
    *pResult = IsReadOnlyColumn(pInfo->item.iSubItem) ? 1 : 0;
}

void CEditListCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVDISPINFOA* pInfo = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
    if (pInfo->item.pszText != NULL)
        SetItemText(pInfo->item.iItem, pInfo->item.iSubItem, pInfo->item.pszText);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_EDITLIST_CELL_EDITED, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(pInfo));
    *pResult = 0;
}

void CEditListCtrl::OnDestroy()
{
    // The editors are the lists' shared children; they go with the list.
    CInPlaceEdit::DeleteInstance();
    CInPlaceCombo::DeleteInstance();
    CListCtrl::OnDestroy();
}
