#pragma once
#include "platform/afx/Bitmap.h"
#include "platform/afx/Dc.h"
#include "platform/afx/Dialog.h"

// A caption button: three pictures (normal, hover, pressed) and the state that picks one.
class CCaptionButton
{
public:
    CCaptionButton() : m_nState(0) {}
    BOOL LoadBitmaps(UINT nNormal, UINT nHover, UINT nPressed);
    void Draw(CDC* pDC, const CRect& rect);
    int m_nState;
    CBitmap m_bitmaps[3];
};

// A dialog that draws its own frame from bitmaps of the resource module: a caption of three
// pieces, tiled side and bottom borders and three caption buttons. It can be moved and sized by
// its drawn frame, dragged by its client area, maximised with the frame off screen, and it holds
// its client area at a width-to-height ratio while the user sizes it.
class CSkinDialog : public CDialog
{
public:
    CSkinDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CSkinDialog() override;

    virtual CRect GetCloseButtonRect(const CRect& rightPiece);
    virtual CRect GetMaxButtonRect(const CRect& rightPiece);
    virtual CRect GetMinButtonRect(const CRect& rightPiece);

    BOOL SetBorderBitmaps(UINT nLeft, UINT nRight, UINT nBottom);
    BOOL SetCaptionBitmaps(UINT nLeft, UINT nRight, UINT nMiddle);
    BOOL SetMinButtonBitmaps(UINT nNormal, UINT nHover, UINT nPressed) { return m_minButton.LoadBitmaps(nNormal, nHover, nPressed); }
    BOOL SetMaxButtonBitmaps(UINT nNormal, UINT nHover, UINT nPressed) { return m_maxButton.LoadBitmaps(nNormal, nHover, nPressed); }
    BOOL SetCloseButtonBitmaps(UINT nNormal, UINT nHover, UINT nPressed) { return m_closeButton.LoadBitmaps(nNormal, nHover, nPressed); }
    void SetAspectRatio(CSize ratio);
    CSize GetAspectRatio() const { return m_aspectRatio; }
    BOOL IsMaximized() const { return m_bMaximized; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    int GetBorderWidth() const { return m_nBorderWidth; }
    int GetBottomHeight() const { return m_nBottomHeight; }

    // The sizing rule on a proposed window rectangle for the dragged edge (WMSZ_*).
    void ApplySizingRule(UINT nSide, LPRECT pRect) const;
    // The caption pieces of a caption rectangle: left, middle and right.
    void GetCaptionPieces(const CRect& caption, CRect& left, CRect& middle, CRect& right);
    CCaptionButton& MinButton() { return m_minButton; }
    CCaptionButton& MaxButton() { return m_maxButton; }
    CCaptionButton& CloseButton() { return m_closeButton; }

protected:
    BOOL OnInitDialog() override;
    void PaintFrame();
    CRect CaptionRect(const CRect& window) const;
    CRect RightPiece(const CRect& window);

    void OnNcPaint();
    void OnPaint();
    BOOL OnNcActivate(BOOL bActive);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    void OnSizing(UINT fwSide, LPRECT pRect);
    void OnSize(UINT nType, int cx, int cy);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    DECLARE_MESSAGE_MAP()

    int m_nCaptionHeight;
    int m_nBorderWidth;
    int m_nBottomHeight;
    CBitmap m_captionLeft;
    CBitmap m_captionRight;
    CBitmap m_captionMiddle;
    CBitmap m_borderLeft;
    CBitmap m_borderRight;
    CBitmap m_borderBottom;
    CCaptionButton m_minButton;
    CCaptionButton m_maxButton;
    CCaptionButton m_closeButton;
    BOOL m_bMaximized;
    CSize m_aspectRatio;
};
