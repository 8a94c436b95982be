#pragma once
#include "platform/afx/Bitmap.h"
#include "platform/afx/Brush.h"
#include "platform/afx/Dc.h"
#include "platform/afx/Rgn.h"
#include "platform/afx/Wnd.h"

// The channel information box over the video: a semi-transparent window in the shape of its
// background picture, with a bar picture over part of it, a light outline and up to ten lines of
// text. Both images are drawn ahead, so painting is one copy. It hides itself after a set time.
class COSDTextWnd : public CWnd
{
public:
    enum
    {
        MAX_LINES = 10,
        LINE_CHARS = 100
    };
    struct Line
    {
        LOGFONTA font;
        int x;
        int y;
        char text[LINE_CHARS];
    };

    COSDTextWnd();
    ~COSDTextWnd() override;

    BOOL Create(CWnd* pParent);
    BOOL SetBackground(UINT bitmapId, COLORREF transparent);
    BOOL SetBarBitmap(UINT bitmapId);
    void SetLineText(int line, LPCSTR text);
    void SetDrawMode(int mode) { m_nDrawMode = mode; }
    void RedrawImages();
    void SetAutoHide(UINT ms);
    void Show(BOOL show);
    void Relayout();
    void MakeOpaque();

    void SetTextColor(COLORREF color) { m_crText = color; }
    void SetAlpha(int percent);
    int GetAlpha() const { return m_nAlpha; }
    void SetVerticalPlace(int percent) { m_nVerticalPlace = percent; }
    void SetBarPercent(int percent) { m_nBarPercent = percent; }
    BOOL AppendLine(LPCSTR text, int x, int y);
    BOOL ReplaceLine(int line, LPCSTR text, int x, int y);
    BOOL DeleteLine(int line);
    void CutLines(int count);

    int GetLineCount() const { return m_nLineCount; }
    const Line& GetLine(int index) const { return m_lines[index]; }
    int GetXOffset() const { return m_nX; }
    int GetYOffset() const { return m_nY; }
    SIZE GetSize() const { return SIZE{ m_nWidth, m_nHeight }; }
    // The layered alpha applied last (0..255), or -1 when none was.
    int GetAppliedAlpha() const { return m_nAppliedAlpha; }

protected:
    void OnTimer(UINT_PTR id);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void ApplyAlpha(int alpha);
    void Place();
    void BuildRegions();
    void DrawImage(CDC& image, CBitmap& bitmap);
    void RedrawForText();

    COLORREF m_crText;
    CWnd* m_pParent;
    UINT m_nAutoHide;
    LOGFONTA m_baseFont;
    CBitmap m_background;
    CBitmap m_bar;
    CRgn m_shape;
    int m_nWidth;
    int m_nHeight;
    int m_nX;
    int m_nY;
    COLORREF m_crTransparent;
    int m_nAlpha;
    Line m_lines[MAX_LINES];
    int m_nBarPercent;
    int m_nLineCount;
    // The pictures outlive the contexts they are selected into.
    CBitmap m_bitmapA;
    CBitmap m_bitmapB;
    CDC m_imageA;
    CDC m_imageB;
    int m_nVerticalPlace;
    int m_nDrawMode;
    CRgn m_outline;
    CBrush m_outlineBrush;
    int m_nAppliedAlpha;
};
