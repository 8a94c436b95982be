#pragma once
#include "platform/afx/Dc.h"

// Colour arithmetic of the menu styles. Colours are 0x00BBGGRR; every channel result is clamped
// to 0..255.

// Each channel x becomes x + (255 - x) * amount / 255.
COLORREF LightenColor(long amount, COLORREF color);
// Each channel x becomes x * (255 - amount) / 255.
COLORREF DarkenColor(long amount, COLORREF color);
// Each channel 86 % of a plus 14 % of b, each term rounded by MulDiv.
COLORREF MixColor86(COLORREF a, COLORREF b);
// Each channel 70 % of a plus 30 % of b.
COLORREF MixColor70(COLORREF a, COLORREF b);
// The average of the three channels in every channel.
COLORREF GrayColor(COLORREF color);
// The colour of a picture's silhouette under a raised picture.
COLORREF ShadowColor(COLORREF color);
// The menu colour the styles build on: the menu-bar colour on Windows XP with flat menus, else
// the menu colour.
COLORREF GetMenuColor();

// A gradient from one colour into another across the rectangle (left to right when horizontal,
// else top to bottom), through the system's GradientFill when it was found, else in 4-pixel strips.
void DrawGradient(CDC* pDC, const CRect& rect, COLORREF from, COLORREF to, BOOL horizontal);
// The rectangle's four one-pixel edges, each in its own colour.
void DrawFrame3D(CDC* pDC, const CRect& rect, COLORREF left, COLORREF top, COLORREF right, COLORREF bottom);
