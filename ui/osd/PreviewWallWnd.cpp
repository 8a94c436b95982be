#include "ui/osd/PreviewWallWnd.h"

#include "platform/afx/Dc.h"
#include "engine/TVEngine.h"
#include "foundation/PathUtils.h"

BEGIN_MESSAGE_MAP(CPreviewWallWnd, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_CLOSE()
END_MESSAGE_MAP()

CPreviewWallWnd::CPreviewWallWnd()
    : m_nCurrent(0),
      m_lLastFreq(-1),
      m_cellChannels{},
      m_shownChannels{},
      m_nTimer(0),
      m_nPeriod(2000),
      m_bRefill(TRUE),
      m_crFrame(RGB(255, 255, 255)),
      m_crSelected(0xFF0000),
      m_crText(RGB(255, 255, 255)),
      m_pOwner(nullptr)
{
    m_frameBrush.CreateSolidBrush(m_crFrame);
    m_selectedBrush.CreateSolidBrush(m_crSelected);
    GetModuleDirectory(m_strFolder);
}

CPreviewWallWnd::~CPreviewWallWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CPreviewWallWnd::Create(const RECT& rect, CWnd* pParent)
{
    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS | CS_NOCLOSE, ::LoadCursorA(nullptr, IDC_ARROW),
                                     static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)), nullptr);
    const BOOL created = CreateEx(WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, cls, "Wall", WS_POPUP, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top,
                                  pParent ? pParent->m_hWnd : nullptr, nullptr);
    m_grid.Create(rect, 4, 4, FALSE, FALSE);
    return created;
}

BOOL CPreviewWallWnd::SetBackgroundBitmap(UINT id)
{
    m_background.DeleteObject();
    return m_background.LoadBitmap(id);
}

BOOL CPreviewWallWnd::LoadBackground(LPCSTR path)
{
    m_background.DeleteObject();
    HBITMAP bitmap =
        static_cast<HBITMAP>(::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    return bitmap && m_background.Attach(bitmap);
}

void CPreviewWallWnd::SetPictureFolder(LPCSTR path)
{
    if (!path || !*path)
        return;
    if (!DirectoryExists(path))
        CreateDirectoryPath(path);
    m_strFolder = path;
}

CChannelItem* CPreviewWallWnd::GetCellChannel(int cell) const
{
    return cell >= 0 && cell < CELLS ? m_cellChannels[cell] : nullptr;
}

void CPreviewWallWnd::LayGrid()
{
    CRect rect;
    GetWindowRect(&rect);
    m_grid.Create(rect, 4, 4, FALSE, FALSE);
}

void CPreviewWallWnd::Fill()
{
    CChannelTable& table = g_pTVEngine->GetTVTable();
    for (int i = 0; i < CELLS; ++i)
    {
        CChannelItem* pChannel = m_lLastFreq == -1 ? table.GetCurrentChannel() : table.NextChannel(m_lLastFreq);
        m_cellChannels[i] = pChannel;
        if (pChannel)
            m_lLastFreq = pChannel->Frequency;
    }
}

void CPreviewWallWnd::StartTimer()
{
    m_nTimer = SetTimer(CYCLE_TIMER, m_nPeriod);
}

void CPreviewWallWnd::StopTimer()
{
    if (m_nTimer)
        KillTimer(CYCLE_TIMER);
    m_nTimer = 0;
}

void CPreviewWallWnd::Open(int)
{
    SetWindowPos(nullptr, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOMOVE | SWP_NOZORDER);
    LayGrid();
    for (int i = 0; i < CELLS; ++i)
        m_shownChannels[i] = nullptr;
    Fill();
    ShowWindow(SW_SHOW);
    SelectCell(0);
    StartTimer();
}

void CPreviewWallWnd::Close()
{
    m_lLastFreq = -1;
    StopTimer();
    ShowWindow(SW_HIDE);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_PREVIEW_WALL_CLOSED, 0, 0);
}

void CPreviewWallWnd::SetPeriod(UINT ms)
{
    if (ms <= 1000)
        return;
    m_nPeriod = ms;
    if (m_nTimer)
    {
        StopTimer();
        StartTimer();
    }
}

BOOL CPreviewWallWnd::SetRefill(BOOL refill)
{
    const BOOL old = m_bRefill;
    m_bRefill = refill;
    return old;
}

void CPreviewWallWnd::SetFrameColors(COLORREF normal, COLORREF selected)
{
    m_crFrame = normal;
    m_crSelected = selected;
    m_frameBrush.DeleteObject();
    m_frameBrush.CreateSolidBrush(normal);
    m_selectedBrush.DeleteObject();
    m_selectedBrush.CreateSolidBrush(selected);
}

void CPreviewWallWnd::TakeStill()
{
    CString name;
    name.Format("%d.bmp", m_nCurrent);
    const CString path = JoinPath(m_strFolder, name);
    if (!g_pTVEngine->SaveSnapshotTo(path))
        return;
    m_stills[m_nCurrent].DeleteObject();
    HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (bitmap)
        m_stills[m_nCurrent].Attach(bitmap);
}

void CPreviewWallWnd::SelectCell(int cell)
{
    if (cell < 0 || cell >= CELLS)
        return;
    (m_pOwner ? m_pOwner : &m_noOwner)->StopPreviewForChange();
    TakeStill();
    g_pTVEngine->SetVideoVisible(FALSE);
    if (m_cellChannels[cell])
        g_pTVEngine->GetTVTable().SetCurrentChannel(m_cellChannels[cell]);
    const int old = m_nCurrent;
    m_nCurrent = cell;
    m_shownChannels[cell] = m_cellChannels[cell];
    if (m_hWnd)
    {
        CClientDC dc(this);
        DrawCell(&dc, old);
        DrawCell(&dc, cell);
    }
    RECT rect;
    if (m_grid.GetCellByIndex(cell, &rect))
    {
        ::InflateRect(&rect, -1, -1);
        g_pTVEngine->SetVideoPosition(rect);
    }
    g_pTVEngine->SetVideoVisible(TRUE);
}

void CPreviewWallWnd::Advance()
{
    StopTimer();
    int next = m_nCurrent + 1;
    if (next >= CELLS)
    {
        next -= CELLS;
        if (m_bRefill)
            Fill();
    }
    SelectCell(next);
    StartTimer();
}

void CPreviewWallWnd::MoveBy(int rows, int columns)
{
    int row = m_nCurrent / 4;
    int column = m_nCurrent % 4;
    row = ((row + rows) % 4 + 4) % 4;
    column = ((column + columns) % 4 + 4) % 4;
    SelectCell(row * 4 + column);
}

BOOL CPreviewWallWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CWnd::PreTranslateMessage(pMsg);
    StopTimer();
    switch (pMsg->wParam)
    {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_F5:
        Close();
        return FALSE;
    case VK_LEFT:
        MoveBy(0, -1);
        break;
    case VK_RIGHT:
    case VK_F4:
        MoveBy(0, 1);
        break;
    case VK_UP:
        MoveBy(-1, 0);
        break;
    case VK_DOWN:
        MoveBy(1, 0);
        break;
    default:
        return FALSE;
    }
    StartTimer();
    return FALSE;
}

void CPreviewWallWnd::OnLButtonDown(UINT, CPoint point)
{
    int cell = 0;
    if (!m_grid.HitTest(point, &cell))
        return;
    StopTimer();
    SelectCell(cell);
    StartTimer();
}

void CPreviewWallWnd::OnRButtonDown(UINT flags, CPoint point)
{
    OnLButtonDown(flags, point);
}

void CPreviewWallWnd::OnLButtonDblClk(UINT, CPoint point)
{
    int cell = 0;
    if (!m_grid.HitTest(point, &cell))
        return;
    StopTimer();
    m_nCurrent = cell;
    Close();
}

void CPreviewWallWnd::OnTimer(UINT_PTR id)
{
    if (id == CYCLE_TIMER)
        Advance();
}

void CPreviewWallWnd::DrawCell(CDC* pDC, int cell)
{
    RECT rect;
    if (!m_grid.GetCellByIndex(cell, &rect))
        return;
    CBitmap& picture = m_stills[cell].GetSafeHandle() ? m_stills[cell] : m_background;
    if (picture.GetSafeHandle())
    {
        BITMAP info;
        picture.GetBitmap(&info);
        CDC memory;
        memory.CreateCompatibleDC(pDC);
        CBitmap* pOld = memory.SelectObject(&picture);
        pDC->SetStretchBltMode(COLORONCOLOR);
        pDC->StretchBlt(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, &memory, 0, 0,
                        info.bmWidth, info.bmHeight, SRCCOPY);
        memory.SelectObject(pOld);
    }
    ::FrameRect(pDC->GetSafeHdc(), &rect,
                static_cast<HBRUSH>((cell == m_nCurrent ? m_selectedBrush : m_frameBrush).GetSafeHandle()));
    if (!m_shownChannels[cell])
        m_shownChannels[cell] = m_cellChannels[cell];
    CChannelItem* pChannel = m_shownChannels[cell];
    if (!pChannel)
        return;
    CString text;
    text.Format("%d.%s", g_pTVEngine->GetTVTable().FindItem(pChannel) + 1, static_cast<LPCSTR>(pChannel->Name));
    ::InflateRect(&rect, -2, -2);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_crText);
    pDC->DrawText(text, &rect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

void CPreviewWallWnd::DrawWall(CDC* pDC)
{
    for (int cell = 0; cell < CELLS; ++cell)
        DrawCell(pDC, cell);
}

void CPreviewWallWnd::OnPaint()
{
    CPaintDC dc(this);
    DrawWall(&dc);
}

BOOL CPreviewWallWnd::OnEraseBkgnd(CDC*)
{
    return FALSE;
}
