#include "skin/MenuColors.h"

#include <algorithm>

#include "skin/MenuThemes.h"

namespace {

BYTE Clamp(long value)
{
    return static_cast<BYTE>(value < 0 ? 0 : value > 255 ? 255 : value);
}

template <class F>
COLORREF PerChannel(COLORREF a, COLORREF b, F f)
{
    return RGB(Clamp(f(GetRValue(a), GetRValue(b))), Clamp(f(GetGValue(a), GetGValue(b))),
               Clamp(f(GetBValue(a), GetBValue(b))));
}

}  // namespace

COLORREF LightenColor(long amount, COLORREF color)
{
    return PerChannel(color, color, [amount](long x, long) { return x + (255 - x) * amount / 255; });
}

COLORREF DarkenColor(long amount, COLORREF color)
{
    return PerChannel(color, color, [amount](long x, long) { return x * (255 - amount) / 255; });
}

COLORREF MixColor86(COLORREF a, COLORREF b)
{
    return PerChannel(a, b, [](long x, long y) { return ::MulDiv(x, 86, 100) + ::MulDiv(y, 14, 100); });
}

COLORREF MixColor70(COLORREF a, COLORREF b)
{
    return PerChannel(a, b, [](long x, long y) { return ::MulDiv(x, 70, 100) + ::MulDiv(y, 30, 100); });
}

COLORREF GrayColor(COLORREF color)
{
    const BYTE gray = Clamp((GetRValue(color) + GetGValue(color) + GetBValue(color)) / 3);
    return RGB(gray, gray, gray);
}

COLORREF ShadowColor(COLORREF color)
{
    return RGB(Clamp(GetRValue(color) * 7 / 10), Clamp(GetGValue(color) * 7 / 10),
               Clamp((GetBValue(color) + 55) * 7 / 10));
}

COLORREF GetMenuColor()
{
    BOOL flat = FALSE;
    if (CMenuThemes::GetOsCode() == 7 && ::SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0) && flat)
        return ::GetSysColor(COLOR_MENUBAR);
    return ::GetSysColor(COLOR_MENU);
}

void DrawGradient(CDC* pDC, const CRect& rect, COLORREF from, COLORREF to, BOOL horizontal)
{
    if (CMenuThemes::PFN_GRADIENTFILL pfnGradientFill = CMenuThemes::GetGradientFill())
    {
        TRIVERTEX vertex[2] = {
            { rect.left, rect.top, static_cast<COLOR16>(GetRValue(from) << 8),
              static_cast<COLOR16>(GetGValue(from) << 8), static_cast<COLOR16>(GetBValue(from) << 8), 0 },
            { rect.right, rect.bottom, static_cast<COLOR16>(GetRValue(to) << 8),
              static_cast<COLOR16>(GetGValue(to) << 8), static_cast<COLOR16>(GetBValue(to) << 8), 0 },
        };
        GRADIENT_RECT gradient = { 0, 1 };
        pfnGradientFill(pDC->GetSafeHdc(), vertex, 2, &gradient, 1,
                        horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
        return;
    }
    pDC->FillSolidRect(&rect, to);
    const int size = horizontal ? rect.Width() : rect.Height();
    if (size <= 0)
        return;
    for (int offset = 0; offset < size; offset += 4)
    {
        const auto step = [offset, size](int a, int b) { return a + (b - a) * offset / size; };
        const COLORREF color = RGB(step(GetRValue(from), GetRValue(to)), step(GetGValue(from), GetGValue(to)),
                                   step(GetBValue(from), GetBValue(to)));
        CRect strip = rect;
        if (horizontal)
        {
            strip.left = rect.left + offset;
            strip.right = std::min<LONG>(strip.left + 4, rect.right);
        }
        else
        {
            strip.top = rect.top + offset;
            strip.bottom = std::min<LONG>(strip.top + 4, rect.bottom);
        }
        pDC->FillSolidRect(&strip, color);
    }
}

void DrawFrame3D(CDC* pDC, const CRect& rect, COLORREF left, COLORREF top, COLORREF right, COLORREF bottom)
{
    pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), left);
    pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, top);
    pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), right);
    pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, bottom);
}
