#include "ui/osd/OSDFrame.h"

#include "engine/TVEngine.h"
#include "resources/ResourceIds.h"

CString OsdString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

BEGIN_MESSAGE_MAP(MFrame, CWnd)
ON_MESSAGE(WM_OSD_KEY, &MFrame::OnOsdKey)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

MFrame::MFrame()
    : m_pSharedHeader(nullptr),
      m_pSharedFooter(nullptr),
      m_headerSize{ 0, 0 },
      m_footerSize{ 0, 0 },
      m_nCurrentRow(0),
      m_pParentFrame(nullptr),
      m_nSubFrameIndex(0),
      m_bShared(FALSE)
{
}

MFrame::~MFrame()
{
    RemoveAllRows();
    if (m_title.m_hWnd)
        m_title.DestroyWindow();
    if (m_hWnd)
        DestroyWindow();
}

MItemGroup* MFrame::GetRow(int index) const
{
    if (index < 0 || index >= GetRowCount())
        return nullptr;
    return m_rows[index];
}

MFrame* MFrame::GetSelectedFrame()
{
    if (m_nCurrentRow < 0 || m_nCurrentRow >= m_subFrames.GetSize())
        return nullptr;
    return m_subFrames[m_nCurrentRow];
}

void MFrame::Show(BOOL show)
{
    if (show)
    {
        OnRefresh();
        ShowWindow(SW_SHOW);
    }
    else
    {
        OnHide();
        ShowWindow(SW_HIDE);
    }
}

int MFrame::OnCodeOK(UINT key, LPARAM)
{
    if (key == OSD_KEY_CLOSE && g_pTVEngine)
        g_pTVEngine->IsBusy(FALSE);
    return OSD_KEY_UNHANDLED;
}

int MFrame::SelectRow(int index)
{
    const int old = m_nCurrentRow;
    if (GetRowCount() > 0 && index < GetRowCount())
    {
        if (MItemGroup* pOld = GetRow(m_nCurrentRow))
            pOld->SetSelected(FALSE);
        m_nCurrentRow = index;
        m_rows[index]->SetSelected(TRUE);
    }
    return old;
}

BOOL MFrame::ShowParent()
{
    if (!m_pParentFrame)
        return FALSE;
    ShowWindow(SW_HIDE);
    m_pParentFrame->ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL MFrame::ShowSubFrame()
{
    if (m_subFrames.GetSize() == 0 || m_nSubFrameIndex >= m_subFrames.GetSize())
        return FALSE;
    ShowWindow(SW_HIDE);
    m_subFrames[m_nSubFrameIndex]->ShowWindow(SW_SHOW);
    return TRUE;
}

int MFrame::PrevRow()
{
    const int old = m_nCurrentRow;
    const int count = GetRowCount();
    if (count == 0)
        return old;
    m_rows[m_nCurrentRow]->SetSelected(FALSE);
    m_nCurrentRow = m_nCurrentRow - 1 < 0 ? count - 1 : m_nCurrentRow - 1;
    m_rows[m_nCurrentRow]->SetSelected(TRUE);
    return old;
}

int MFrame::NextRow()
{
    const int old = m_nCurrentRow;
    const int count = GetRowCount();
    if (count == 0)
        return old;
    m_rows[m_nCurrentRow]->SetSelected(FALSE);
    m_nCurrentRow = m_nCurrentRow + 1 >= count ? 0 : m_nCurrentRow + 1;
    m_rows[m_nCurrentRow]->SetSelected(TRUE);
    return old;
}

BOOL MFrame::Create(const RECT& rect, CWnd* pParent, UINT id)
{
    if (!CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, pParent, id))
        return FALSE;
    if (!m_title.Create(CRect(0, 0, 1, 1), this, id, OsdString(IDS_SETTINGS_CAPTION)))
        return FALSE;
    m_title.SetCentered(FALSE);
    m_title.SetNormalColor(RGB(255, 0, 0));
    m_title.SetFont(20, 32);
    return TRUE;
}

void MFrame::SetSharedBitmaps(CBitmap* pHeader, CBitmap* pFooter)
{
    m_pSharedHeader = pHeader;
    m_pSharedFooter = pFooter;
    m_bShared = TRUE;
    m_headerSize = OsdBitmapSize(*pHeader);
    m_footerSize = OsdBitmapSize(*pFooter);
    SetWindowPos(nullptr, 0, 0, m_headerSize.cx, m_headerSize.cy + m_footerSize.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL MFrame::SetBitmaps(UINT headerId, UINT footerId)
{
    if (!OsdLoadBitmap(m_header, headerId) || !OsdLoadBitmap(m_footer, footerId))
        return FALSE;
    m_bShared = FALSE;
    m_headerSize = OsdBitmapSize(m_header);
    m_footerSize = OsdBitmapSize(m_footer);
    SetWindowPos(nullptr, 0, 0, m_headerSize.cx, m_headerSize.cy + m_footerSize.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void MFrame::AddRow(MItemGroup* pRow)
{
    if (m_rows.GetSize() == 0)
        pRow->SetSelected(TRUE);
    m_rows.Add(pRow);
    CRect frame, row;
    GetClientRect(&frame);
    pRow->GetClientRect(&row);
    const int height = frame.Height() + row.Height();
    SetWindowPos(nullptr, 0, 0, frame.Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pRow->SetWindowPos(nullptr, 0, m_headerSize.cy + (GetRowCount() - 1) * row.Height(), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_title.MoveWindow(20, height - m_footerSize.cy, frame.Width() - 40, m_footerSize.cy);
}

void MFrame::RemoveAllRows()
{
    for (INT_PTR i = 0; i < m_rows.GetSize(); ++i)
        delete m_rows[i];
    m_rows.RemoveAll();
}

void MFrame::ShowTitle(BOOL show)
{
    m_title.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

BOOL MFrame::SetRowBitmaps(int index, UINT normalId, UINT selectedId)
{
    MItemGroup* pRow = GetRow(index);
    return pRow ? pRow->SetBitmaps(normalId, selectedId) : FALSE;
}

BOOL MFrame::SetRowSharedBitmaps(int index, CBitmap* pNormal, CBitmap* pSelected)
{
    MItemGroup* pRow = GetRow(index);
    if (!pRow)
        return FALSE;
    pRow->SetSharedBitmaps(pNormal, pSelected);
    return TRUE;
}

void MFrame::SetAllRowsSharedBitmaps(CBitmap* pNormal, CBitmap* pSelected)
{
    for (int i = 0; i < GetRowCount(); ++i)
        m_rows[i]->SetSharedBitmaps(pNormal, pSelected);
}

void MFrame::LayoutRows()
{
    if (GetRowCount() == 0)
        return;
    CRect first;
    m_rows[0]->GetClientRect(&first);
    const int rowHeight = first.Height();
    SetWindowPos(nullptr, 0, 0, m_headerSize.cx,
                 GetRowCount() * rowHeight + m_headerSize.cy + m_footerSize.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < GetRowCount(); ++i)
        m_rows[i]->SetWindowPos(nullptr, first.left, m_headerSize.cy + i * rowHeight, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

MItemGroup* MFrame::NewRow(UINT id, LPCSTR caption)
{
    const CRect rect(20, 0, 229, 45);
    MItemGroup* pRow = new MItemGroup;
    pRow->Create(rect, this, id);
    AddItem(pRow, new MLabelItem, rect, id, caption);
    AddRow(pRow);
    return pRow;
}

MChoiceItem* MFrame::AddChoice(MItemGroup* pRow, const RECT& rect, UINT id)
{
    MChoiceItem* pChoice = AddItem(pRow, new MChoiceItem, rect, id);
    pChoice->SetBitmaps(IDB_OSD_CHOICE_LEFT, IDB_OSD_CHOICE_LEFT_SELECTED, IDB_OSD_CHOICE_RIGHT,
                        IDB_OSD_CHOICE_RIGHT_SELECTED);
    return pChoice;
}

MValueBarItem* MFrame::AddBar(MItemGroup* pRow, const RECT& rect, UINT id, int min, int max)
{
    MValueBarItem* pBar = AddItem(pRow, new MValueBarItem, rect, id);
    pBar->SetBitmaps(IDB_OSD_BAR_TRACK, IDB_OSD_BAR_FILL);
    pBar->SetRange(min, max);
    return pBar;
}

void MFrame::OnDraw(CDC* pDC)
{
    CBitmap* pHeader = m_bShared ? m_pSharedHeader : &m_header;
    CBitmap* pFooter = m_bShared ? m_pSharedFooter : &m_footer;
    CRect client;
    GetClientRect(&client);
    if (pHeader)
        OsdBlit(pDC, *pHeader, 0, 0, m_headerSize.cx, m_headerSize.cy);
    if (pFooter)
        OsdBlit(pDC, *pFooter, 0, client.Height() - m_footerSize.cy, m_footerSize.cx, m_footerSize.cy);
}

int MFrame::OnKeyFallback(UINT key, LPARAM lParam)
{
    if (key == VK_APPS)
        return OSD_KEY_UNHANDLED;
    MItemGroup* pRow = GetRow(m_nCurrentRow);
    const int result = pRow ? static_cast<int>(pRow->SendMessage(WM_OSD_KEY, key, lParam)) : OSD_KEY_UNHANDLED;
    if (result != OSD_KEY_TAKEN && result != OSD_KEY_UNHANDLED)
        return OSD_KEY_CONSUMED;
    if (key < VK_RETURN || key > OSD_KEY_CLOSE)
        return OSD_KEY_CONSUMED;
    switch (key)
    {
    case VK_RETURN:
    case VK_LEFT:
    case VK_RIGHT:
    case OSD_KEY_CLOSE:
        return OnCodeOK(key, lParam);
    case VK_UP:
        if (result == OSD_KEY_UNHANDLED)
        {
            PrevRow();
            return OSD_KEY_CONSUMED;
        }
        return OnCodeOK(key, lParam);
    case VK_DOWN:
        if (result == OSD_KEY_UNHANDLED)
        {
            NextRow();
            return OSD_KEY_CONSUMED;
        }
        return OnCodeOK(key, lParam);
    default:
        return OSD_KEY_CONSUMED;
    }
}

LRESULT MFrame::OnOsdKey(WPARAM wParam, LPARAM lParam)
{
    return OnKeyFallback(static_cast<UINT>(wParam), lParam);
}

void MFrame::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

BOOL MFrame::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
