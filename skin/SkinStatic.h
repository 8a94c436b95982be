#pragma once
#include "platform/afx/Dc.h"
#include "platform/afx/Font.h"
#include "platform/afx/StdControls.h"
#include "skin/SkinBitmap.h"
#include "skin/SkinRecords.h"

// A text label that paints itself with its own font and colours over nothing (the parent shows
// through), a colour or a picture. It keeps its own copy of the text.
class CSkinStatic : public CStatic
{
    DECLARE_DYNAMIC(CSkinStatic)
public:
    enum BackMode
    {
        BackNone = 0,
        BackColor = 1,
        BackPicture = 2
    };

    CSkinStatic();
    ~CSkinStatic() override;

    // The label a skin section describes; null when its background picture does not load.
    static CSkinStatic* FromRecord(const SkinStaticRecord& record);

    // None of these redraws.
    CSkinStatic& SetTextColor(COLORREF color);
    CSkinStatic& SetBackMode(int mode);
    CSkinStatic& SetBackColor(COLORREF color);
    // The label takes the picture's size.
    BOOL LoadBackBitmap(UINT resourceId);
    BOOL LoadBackBitmapFile(LPCSTR path);

    // Keeps the text and repaints; the window's own text stays as it was.
    void SetWindowText(LPCSTR text);
    const CString& GetText() const { return m_text; }

    void SetPosition(int x, int y);
    void SetPosition(POINT point) { SetPosition(point.x, point.y); }
    void SetSize(int width, int height);
    void SetSize(SIZE size) { SetSize(size.cx, size.cy); }

    // Each changes one field of the font's description and makes the font anew.
    void SetFontSize(int width, int height);
    void SetFontCharset(BYTE charset);
    // At most 31 characters are kept.
    void SetFontFaceName(LPCSTR faceName);
    void SetFontItalic(BOOL italic);

protected:
    void PreSubclassWindow() override;
    virtual void Draw(CDC* dc);

    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    BOOL LoadBackPicture(const SkinPictureSource& source);
    void PaintParentBackground(CDC* dc);
    template <class Change>
    void ChangeFont(Change change);

    CFont m_font;
    int m_x;
    int m_y;
    int m_width;
    int m_height;
    COLORREF m_backColor;
    CSkinBitmap m_backBitmap;
    int m_backMode;
    COLORREF m_textColor;
    CString m_text;
};
