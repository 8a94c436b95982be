#pragma once
#include <windows.h>

// One picture of a skinned slider, put together off screen and copied to the window at once: the
// track, the selection band (when given) in its colour, and the thumb at its rectangle, cut to the
// thumb's shape (when given; the shape is in the thumb picture's coordinates).
struct SliderFace
{
    HBITMAP track;
    HBITMAP thumb;
    HRGN thumbShape;
    RECT thumbRect;
    const RECT* band;
    COLORREF bandColor;
};

void DrawSliderFace(HDC target, const RECT& client, const SliderFace& face);
