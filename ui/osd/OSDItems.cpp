#include "ui/osd/OSDItems.h"

#include <cstring>

namespace {

int Clamp(int value, int min, int max)
{
    if (value > max)
        value = max;
    if (value < min)
        value = min;
    return value;
}

// Share of the range that the value has reached, in whole per cent.
int PercentOf(int value, int min, int max)
{
    if (max <= min)
        return 0;
    return (value - min) * 100 / (max - min);
}

BOOL IsLeftRight(UINT key)
{
    return key == VK_LEFT || key == VK_RIGHT;
}

} // namespace

void OsdBlit(CDC* pDC, CBitmap& bitmap, int x, int y, int width, int height)
{
    if (!bitmap.GetSafeHandle())
        return;
    CDC memory;
    memory.CreateCompatibleDC(pDC);
    CBitmap* pOld = memory.SelectObject(&bitmap);
    pDC->BitBlt(x, y, width, height, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(pOld);
}

BOOL OsdLoadBitmap(CBitmap& bitmap, UINT id)
{
    bitmap.DeleteObject();
    return bitmap.LoadBitmap(id);
}

SIZE OsdBitmapSize(CBitmap& bitmap)
{
    SIZE size = { 0, 0 };
    BITMAP info;
    if (bitmap.GetSafeHandle() && bitmap.GetBitmap(&info))
    {
        size.cx = info.bmWidth;
        size.cy = info.bmHeight;
    }
    return size;
}

// ---------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(MItem, CWnd)
ON_MESSAGE(WM_OSD_KEY, &MItem::OnOsdKey)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

MItem::MItem()
    : m_crNormal(0),
      m_crSelected(RGB(0, 255, 0)),
      m_bSelected(FALSE),
      m_wNotifyCode(0),
      m_nValue(0),
      m_bKeysEnabled(TRUE),
      m_bCentered(TRUE)
{
    std::memset(&m_logFont, 0, sizeof m_logFont);
    m_logFont.lfHeight = 30;
    m_logFont.lfWidth = 15;
    m_logFont.lfWeight = 600;
    std::strcpy(m_logFont.lfFaceName, "Arial");
    MakeFont();
}

MItem::~MItem()
{
    if (m_hWnd)
        DestroyWindow();
}

void MItem::MakeFont()
{
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_logFont);
}

void MItem::ResizeTo(CBitmap& bitmap)
{
    const SIZE size = OsdBitmapSize(bitmap);
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MItem::Repaint()
{
    if (m_hWnd)
        Invalidate(FALSE);
}

int MItem::OnKey(UINT, LPARAM)
{
    return OSD_KEY_UNHANDLED;
}

int MItem::SetValue(int value)
{
    const int old = m_nValue;
    if (old == value)
        return old;
    m_nValue = value;
    Repaint();
    return old;
}

void MItem::SetText(LPCSTR text)
{
    m_strText = text ? text : "";
    Repaint();
}

BOOL MItem::Create(const RECT& rect, CWnd* pParent, UINT id, LPCSTR text)
{
    m_strText = text ? text : "";
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, pParent, id);
}

void MItem::SetFont(int width, int height)
{
    m_logFont.lfWidth = width;
    m_logFont.lfHeight = height;
    MakeFont();
    Repaint();
}

void MItem::SetSelectedColor(COLORREF color)
{
    m_crSelected = color;
    Repaint();
}

void MItem::SetNormalColor(COLORREF color)
{
    m_crNormal = color;
    Repaint();
}

BOOL MItem::SetSelected(BOOL selected)
{
    selected = selected ? TRUE : FALSE;
    if (m_bSelected != selected)
    {
        m_bSelected = selected;
        Repaint();
    }
    return m_bSelected;
}

BOOL MItem::EnableKeys(BOOL enable)
{
    const BOOL old = m_bKeysEnabled;
    m_bKeysEnabled = enable;
    return old;
}

BOOL MItem::SetCentered(BOOL centred)
{
    const BOOL old = m_bCentered;
    m_bCentered = centred;
    return old;
}

COLORREF MItem::GetTextColor() const
{
    return m_bSelected ? m_crSelected : m_crNormal;
}

void MItem::DrawItemText(CDC* pDC, const CRect& rect, COLORREF color)
{
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(color);
    CFont* pOldFont = pDC->SelectObject(&m_font);
    CRect box = rect;
    // A text larger than its item is drawn in a font scaled down to fit, never cut at the edges.
    CFont fitted;
    CSize extent = pDC->GetTextExtent(m_strText);
    if (box.Width() > 0 && box.Height() > 0 && (extent.cx > box.Width() || extent.cy > box.Height()))
    {
        double scale = static_cast<double>(box.Width()) / extent.cx;
        if (extent.cy > box.Height() && static_cast<double>(box.Height()) / extent.cy < scale)
            scale = static_cast<double>(box.Height()) / extent.cy;
        LOGFONTA smaller = m_logFont;
        smaller.lfHeight = static_cast<LONG>(m_logFont.lfHeight * scale);
        smaller.lfWidth = static_cast<LONG>(m_logFont.lfWidth * scale);
        if (fitted.CreateFontIndirect(&smaller))
        {
            pDC->SelectObject(&fitted);
            extent = pDC->GetTextExtent(m_strText);
        }
    }
    if (m_bCentered)
    {
        if (extent.cy < box.Height())
            box.DeflateRect(0, (box.Height() - extent.cy) / 2);
        pDC->DrawText(m_strText, &box, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    else
    {
        pDC->DrawText(m_strText, &box, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    pDC->SelectObject(pOldFont);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
}

void MItem::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    DrawItemText(pDC, client, GetTextColor());
}

LRESULT MItem::OnOsdKey(WPARAM wParam, LPARAM lParam)
{
    if (!m_bKeysEnabled)
        return OSD_KEY_UNHANDLED;
    return OnKey(static_cast<UINT>(wParam), lParam);
}

void MItem::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

BOOL MItem::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void MItem::OnLButtonDown(UINT, CPoint)
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), m_wNotifyCode), reinterpret_cast<LPARAM>(m_hWnd));
    Default();
}

// ---------------------------------------------------------------------------------------------

MLabelItem::MLabelItem()
{
    m_wNotifyCode = 1;
    m_crNormal = RGB(255, 255, 255);
    m_crSelected = RGB(255, 255, 255);
    m_logFont.lfWidth = 12;
    m_logFont.lfHeight = 24;
    MakeFont();
}

BOOL MLabelItem::SetBitmaps(UINT normalId, UINT selectedId)
{
    if (!OsdLoadBitmap(m_normal, normalId) || !OsdLoadBitmap(m_selected, selectedId))
        return FALSE;
    ResizeTo(m_normal);
    return TRUE;
}

int MLabelItem::OnKey(UINT key, LPARAM)
{
    if (!IsLeftRight(key))
        return OSD_KEY_UNHANDLED;
    const int result = m_nValue ? OSD_KEY_CONSUMED : OSD_KEY_UNHANDLED;
    m_nValue = !m_nValue;
    return result;
}

void MLabelItem::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    OsdBlit(pDC, m_bSelected ? m_selected : m_normal, 0, 0, client.Width(), client.Height());
    DrawItemText(pDC, client, GetTextColor());
}

// ---------------------------------------------------------------------------------------------

void MRangeItem::SetRange(int min, int max)
{
    m_nMin = min;
    m_nMax = max;
    m_nRangeValue = Clamp(m_nRangeValue, m_nMin, m_nMax);
    Repaint();
}

int MRangeItem::SetValue(int value)
{
    const int old = m_nRangeValue;
    m_nRangeValue = Clamp(value, m_nMin, m_nMax);
    Repaint();
    return old;
}

int MRangeItem::Add(int delta)
{
    return SetValue(m_nRangeValue + delta);
}

int MRangeItem::OnKey(UINT key, LPARAM)
{
    if (key == VK_LEFT)
        Add(-m_nStep);
    else if (key == VK_RIGHT)
        Add(m_nStep);
    else
        return OSD_KEY_UNHANDLED;
    return OSD_KEY_CONSUMED;
}

int MRangeItem::Percent() const
{
    return PercentOf(m_nRangeValue, m_nMin, m_nMax);
}

// ---------------------------------------------------------------------------------------------

MValueBarItem::MValueBarItem() : MRangeItem(2)
{
    m_wNotifyCode = 2;
    m_logFont.lfWidth = 12;
    m_logFont.lfHeight = 24;
    MakeFont();
}

BOOL MValueBarItem::SetBitmaps(UINT trackId, UINT fillId)
{
    if (!OsdLoadBitmap(m_track, trackId) || !OsdLoadBitmap(m_fill, fillId))
        return FALSE;
    ResizeTo(m_track);
    return TRUE;
}

void MValueBarItem::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (m_track.GetSafeHandle() && m_fill.GetSafeHandle())
    {
        OsdBlit(pDC, m_track, 0, 0, client.Width(), client.Height());
        OsdBlit(pDC, m_fill, 0, 0, client.Width() * Percent() / 100, client.Height());
    }
    m_strText.Format("%d", m_nRangeValue);
    DrawItemText(pDC, client, GetTextColor());
}

// ---------------------------------------------------------------------------------------------

MSliderItem::MSliderItem() : MRangeItem(1), m_nKnobWidth(10)
{
    m_wNotifyCode = 3;
    m_logFont.lfWidth = 11;
    m_logFont.lfHeight = 15;
    MakeFont();
}

BOOL MSliderItem::SetBitmaps(UINT trackId, UINT knobId)
{
    if (!OsdLoadBitmap(m_track, trackId) || !OsdLoadBitmap(m_knob, knobId))
        return FALSE;
    m_nKnobWidth = OsdBitmapSize(m_knob).cx;
    ResizeTo(m_track);
    return TRUE;
}

int MSliderItem::SetStep(int step)
{
    const int old = m_nStep;
    if (step <= (m_nMax - m_nMin) / 2)
        m_nStep = step;
    return old;
}

void MSliderItem::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    OsdBlit(pDC, m_track, 0, 0, client.Width(), client.Height());
    OsdBlit(pDC, m_knob, client.Width() * Percent() / 100, 0, m_nKnobWidth, client.Height());
    m_strText.Format("%d", m_nRangeValue);
    DrawItemText(pDC, client, GetTextColor());
}

// ---------------------------------------------------------------------------------------------

MChoiceItem::MChoiceItem() : m_nLeftWidth(1), m_nRightWidth(1)
{
    m_wNotifyCode = 4;
    m_crSelected = RGB(255, 0, 0);
    m_logFont.lfWidth = 15;
    m_logFont.lfHeight = 30;
    MakeFont();
}

BOOL MChoiceItem::SetBitmaps(UINT leftNormal, UINT leftSelected, UINT rightNormal, UINT rightSelected)
{
    OsdLoadBitmap(m_leftNormal, leftNormal);
    OsdLoadBitmap(m_leftSelected, leftSelected);
    OsdLoadBitmap(m_rightNormal, rightNormal);
    if (!OsdLoadBitmap(m_rightSelected, rightSelected))
        return FALSE;
    m_nLeftWidth = OsdBitmapSize(m_leftNormal).cx;
    const SIZE right = OsdBitmapSize(m_rightNormal);
    m_nRightWidth = right.cx;
    if (m_hWnd)
    {
        CRect client;
        GetClientRect(&client);
        SetWindowPos(nullptr, 0, 0, client.Width(), right.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

int MChoiceItem::AddString(LPCSTR text)
{
    return static_cast<int>(m_strings.Add(text ? text : ""));
}

void MChoiceItem::AddStrings(const CStringArray& texts)
{
    for (INT_PTR i = 0; i < texts.GetSize(); ++i)
        AddString(texts[i]);
}

void MChoiceItem::AddStrings(const LPCSTR* texts, int count)
{
    for (int i = 0; i < count; ++i)
        AddString(texts[i]);
}

void MChoiceItem::RemoveAt(int index)
{
    if (index >= 0 && index < GetCount())
        m_strings.RemoveAt(index);
}

void MChoiceItem::RemoveAll()
{
    m_strings.RemoveAll();
    m_nValue = 0;
    Repaint();
}

CString MChoiceItem::GetString(int index) const
{
    if (index < 0 || index >= GetCount())
        return CString();
    return m_strings[index];
}

int MChoiceItem::SetValue(int index)
{
    const int old = m_nValue;
    m_nValue = index;
    Repaint();
    return old;
}

void MChoiceItem::Next()
{
    const int count = GetCount();
    if (count == 0)
        return;
    SetValue(m_nValue + 1 >= count ? 0 : m_nValue + 1);
}

void MChoiceItem::Prev()
{
    const int count = GetCount();
    if (count == 0)
        return;
    SetValue(m_nValue - 1 < 0 ? count - 1 : m_nValue - 1);
}

void MChoiceItem::GetCurText(CString& text) const
{
    text = GetString(m_nValue);
}

int MChoiceItem::OnKey(UINT key, LPARAM)
{
    if (key == VK_LEFT)
        Prev();
    else if (key == VK_RIGHT)
        Next();
    else
        return OSD_KEY_UNHANDLED;
    return OSD_KEY_CONSUMED;
}

void MChoiceItem::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBitmap& left = m_bSelected ? m_leftSelected : m_leftNormal;
    CBitmap& right = m_bSelected ? m_rightSelected : m_rightNormal;
    if (left.GetSafeHandle() && right.GetSafeHandle())
    {
        OsdBlit(pDC, left, 0, 0, client.Width(), client.Height());
        OsdBlit(pDC, right, client.Width() - m_nRightWidth, 0, m_nRightWidth, client.Height());
    }
    if (GetCount() == 0)
        return;
    m_strText = m_strings[m_nValue >= 0 && m_nValue < GetCount() ? m_nValue : 0];
    CRect text = client;
    text.left += m_nLeftWidth;
    text.right -= m_nRightWidth;
    DrawItemText(pDC, text, GetTextColor());
}

// ---------------------------------------------------------------------------------------------

MNumberItem::MNumberItem() : MRangeItem(1), m_crSelectedBack(RGB(255, 255, 255)), m_crEdit(0)
{
    m_wNotifyCode = 5;
    m_logFont.lfWidth = 15;
    m_logFont.lfHeight = 30;
    MakeFont();
}

int MNumberItem::Increment()
{
    Add(1);
    return m_nRangeValue;
}

int MNumberItem::Decrement()
{
    Add(-1);
    return m_nRangeValue;
}

int MNumberItem::OnKey(UINT key, LPARAM)
{
    switch (key)
    {
    case VK_LEFT:
    case VK_RIGHT:
    {
        const int result = m_nValue ? OSD_KEY_UNHANDLED : OSD_KEY_CONSUMED;
        m_nValue = !m_nValue;
        Repaint();
        return result;
    }
    case VK_UP:
        Increment();
        return OSD_KEY_CONSUMED;
    case VK_DOWN:
        Decrement();
        return OSD_KEY_CONSUMED;
    default:
        return OSD_KEY_UNHANDLED;
    }
}

void MNumberItem::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (m_bSelected)
        pDC->FillSolidRect(&client, m_crSelectedBack);
    const COLORREF color = m_nValue ? m_crEdit : GetTextColor();
    m_strText.Format("%d", m_nRangeValue);
    DrawItemText(pDC, client, color);
}

// ---------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(MItemGroup, CWnd)
ON_MESSAGE(WM_OSD_KEY, &MItemGroup::OnOsdKey)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

MItemGroup::MItemGroup()
    : m_bSelected(FALSE), m_nCurrent(0), m_bShared(TRUE), m_pSharedNormal(nullptr), m_pSharedSelected(nullptr)
{
}

MItemGroup::~MItemGroup()
{
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        delete m_items[i];
    m_items.RemoveAll();
    if (m_hWnd)
        DestroyWindow();
}

BOOL MItemGroup::Create(const RECT& rect, CWnd* pParent, UINT id)
{
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, pParent, id);
}

int MItemGroup::AddItem(MItem* pItem)
{
    return static_cast<int>(m_items.Add(pItem));
}

MItem* MItemGroup::GetItem(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_items[index];
}

BOOL MItemGroup::SetSelected(BOOL selected)
{
    selected = selected ? TRUE : FALSE;
    if (m_bSelected != selected)
    {
        m_bSelected = selected;
        for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
            m_items[i]->SetSelected(selected);
        if (m_hWnd)
            Invalidate(FALSE);
    }
    return m_bSelected;
}

void MItemGroup::SizeTo(CBitmap& bitmap)
{
    const SIZE size = OsdBitmapSize(bitmap);
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL MItemGroup::SetBitmaps(UINT normalId, UINT selectedId)
{
    if (!OsdLoadBitmap(m_normal, normalId) || !OsdLoadBitmap(m_selected, selectedId))
        return FALSE;
    m_bShared = FALSE;
    SizeTo(m_normal);
    return TRUE;
}

void MItemGroup::SetSharedBitmaps(CBitmap* pNormal, CBitmap* pSelected)
{
    m_bShared = TRUE;
    m_pSharedNormal = pNormal;
    m_pSharedSelected = pSelected;
    if (pNormal)
        SizeTo(*pNormal);
}

int MItemGroup::SetCurrentItem(int index)
{
    const int old = m_nCurrent;
    m_nCurrent = index;
    return old;
}

int MItemGroup::MoveCurrentItem(BOOL forward)
{
    const int old = m_nCurrent;
    const int count = GetCount();
    if (count == 0)
        return old;
    int next = m_nCurrent + (forward ? 1 : -1);
    if (next < 0)
        next = count - 1;
    if (next >= count)
        next = 0;
    m_nCurrent = next;
    return old;
}

int MItemGroup::SendToCurrent(UINT key, LPARAM lParam)
{
    MItem* pItem = GetItem(m_nCurrent);
    if (!pItem || !pItem->m_hWnd)
        return OSD_KEY_UNHANDLED;
    return static_cast<int>(pItem->SendMessage(WM_OSD_KEY, key, lParam));
}

LRESULT MItemGroup::OnOsdKey(WPARAM wParam, LPARAM lParam)
{
    const UINT key = static_cast<UINT>(wParam);
    if (key == VK_RETURN)
        return OSD_KEY_UNHANDLED;
    if (key == VK_UP || key == VK_DOWN)
    {
        const int result = SendToCurrent(key, lParam);
        return result == OSD_KEY_CONSUMED ? OSD_KEY_TAKEN : result;
    }
    if (IsLeftRight(key))
    {
        for (int tries = 0; tries < GetCount(); ++tries)
        {
            const int result = SendToCurrent(key, lParam);
            if (result != OSD_KEY_UNHANDLED)
                return result == OSD_KEY_CONSUMED ? OSD_KEY_TAKEN : result;
            MoveCurrentItem(key == VK_RIGHT);
        }
        return OSD_KEY_UNHANDLED;
    }
    return OSD_KEY_UNHANDLED;
}

void MItemGroup::OnDraw(CDC* pDC)
{
    CBitmap* pBack = m_bShared ? (m_bSelected ? m_pSharedSelected : m_pSharedNormal)
                               : (m_bSelected ? &m_selected : &m_normal);
    if (!pBack)
        return;
    CRect client;
    GetClientRect(&client);
    OsdBlit(pDC, *pBack, 0, 0, client.Width(), client.Height());
}

void MItemGroup::OnPaint()
{
    {
        CPaintDC dc(this);
        OnDraw(&dc);
    }
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        if (m_items[i]->m_hWnd)
            m_items[i]->Invalidate(FALSE);
}

BOOL MItemGroup::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
