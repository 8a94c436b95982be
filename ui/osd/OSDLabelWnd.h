#pragma once
#include "platform/afx/Wnd.h"

// A text over the video: a pop-up laid over the video window's client area whose region is the
// shape of its glyphs, filled with one colour. It hides itself after a set time.
class COSDLabelWnd : public CWnd
{
public:
    COSDLabelWnd();
    ~COSDLabelWnd() override;

    BOOL Create(CWnd* pParent);
    void SetText(LPCSTR text);
    void SetTextById(UINT id);
    CString GetText() const;
    void Show(BOOL show);
    void Refresh();
    void Reposition();
    void SetAutoHide(UINT ms);
    BOOL IsShown() const { return m_hWnd && IsWindowVisible(); }

    const RECT& GetMargins() const { return m_margins; }
    void SetMargins(const RECT& margins) { m_margins = margins; }
    void SetTextFormat(UINT format) { m_nFormat = format; }
    void SetColor(COLORREF color) { m_crText = color; }
    void SetFontCharset(BYTE charset) { m_font.lfCharSet = charset; }
    void SetFontFace(LPCSTR face);
    void SetFontScale(int minHeight, int maxHeight, int percent);
    // The font height for a client area of that height.
    int FontHeightFor(int clientHeight) const;
    const RECT& GetTextBounds() const { return m_textBounds; }
    int GetLayoutCount() const { return m_nLayouts; }

    virtual void Layout();

protected:
    // Places the label over the parent and returns its client rectangle less the margins, with
    // the font's height set for it.
    CRect PrepareLayout();
    // The region of the text drawn with the format into the rectangle, through a path.
    HRGN TextRegion(CDC* pDC, LPCSTR text, CRect rect, UINT format);
    void SetShape(HRGN region);

    void OnTimer(UINT_PTR id);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    virtual void Paint(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    LOGFONTA m_font;
    UINT m_nFormat;
    RECT m_margins;
    COLORREF m_crText;
    UINT m_nAutoHide;
    CWnd* m_pParent;
    int m_nMinHeight;
    int m_nMaxHeight;
    int m_nHeightPercent;
    RECT m_textBounds;
    int m_nLayouts;
};

// Several lines, split at "\n", one below the other.
class COSDMultiLineLabelWnd : public COSDLabelWnd
{
public:
    void Layout() override;
};

// A text followed by a bar of strokes; the strokes up to the per cent point take the label's
// colour and the rest the bar colour.
class COSDBarLabelWnd : public COSDLabelWnd
{
public:
    COSDBarLabelWnd();
    void SetPercent(int percent);
    int GetPercent() const { return m_nPercent; }
    void SetBarColor(COLORREF color) { m_crBar = color; }
    int GetBarStart() const { return m_nBarStart; }
    void Layout() override;

protected:
    void Paint(CDC* pDC) override;

private:
    int m_nPercent;
    COLORREF m_crBar;
    int m_nBarStart;
};
