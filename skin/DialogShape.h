#pragma once
#include "platform/afx/Dc.h"
#include "platform/afx/Map.h"
#include "platform/afx/Rgn.h"
#include "skin/SkinBitmap.h"
#include "skin/SkinRecords.h"

// A skinned dialog's background and outline: it sizes the dialog's window, cuts it to a region and
// paints the background when the window asks for it.
class CDialogShape
{
public:
    enum BackMode
    {
        BackNone = 0,
        BackColor = 1,
        BackPicture = 2
    };

    CDialogShape();
    virtual ~CDialogShape();

    // The shape a "Dialog" section describes; null when its background picture does not load.
    static CDialogShape* FromRecord(const SkinDialogRecord& record);

    // A rectangular outline of that size.
    void SetSize(int width, int height);
    void SetBackColor(COLORREF color);
    // The picture gives the size, and with the transparent flag the outline without its pixels of
    // the transparent colour.
    BOOL LoadFromFile(LPCSTR path, COLORREF transparentColor, BOOL transparent);
    BOOL LoadFromResource(UINT resourceId, COLORREF transparentColor, BOOL transparent);

    // Sizes and cuts the window and paints its background from now on; FALSE for no window.
    BOOL Apply(HWND window);
    // Gives the window back its own procedure and outline.
    void Remove();
    // FALSE when there is no background to paint.
    BOOL EraseBackground(CDC* dc);

    HWND GetWindow() const { return m_window; }
    int GetBackMode() const { return m_backMode; }
    SIZE GetSize() const;

private:
    CDialogShape(const CDialogShape&) = delete;
    CDialogShape& operator=(const CDialogShape&) = delete;

    BOOL LoadPicture(const SkinPictureSource& source, COLORREF transparentColor, BOOL transparent);
    BOOL BuildRegion();

    static LRESULT CALLBACK ShapeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static CMap<HWND, HWND, CDialogShape*, CDialogShape*>& Shapes();

    HWND m_window;
    COLORREF m_backColor;
    CSkinBitmap m_backBitmap;
    int m_backMode;
    BOOL m_transparent;
    CRgn m_region;
    int m_width;
    int m_height;
    COLORREF m_transparentColor;
    WNDPROC m_previousProc;
};
