#include "skin/SkinRecords.h"

#include <string.h>

SkinButtonRecord::SkinButtonRecord()
    : SkinElementRecord(SkinElementButton),
      toggle(FALSE),
      transparent(FALSE),
      position(),
      transparentColor(kDefaultSkinTransparentColor)
{
}

SkinSliderRecord::SkinSliderRecord() : SkinSliderRecord(SkinElementSlider)
{
}

SkinSliderRecord::SkinSliderRecord(SkinElementKind k)
    : SkinElementRecord(k),
      position(),
      transparent(FALSE),
      horizontal(TRUE),
      transparentColor(kDefaultSkinTransparentColor)
{
}

SkinMultiSliderRecord::SkinMultiSliderRecord()
    : SkinSliderRecord(SkinElementMultiSlider), startEdge(0), endEdge(0), middleLine(0), middleHeight(0), cursorId(0)
{
}

SkinStaticRecord::SkinStaticRecord()
    : SkinElementRecord(SkinElementStatic),
      backMode(BackNone),
      position(),
      size(),
      textColor(RGB(0, 0, 0)),
      backColor(::GetSysColor(COLOR_WINDOW)),
      font()
{
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
}

SkinDialogRecord::SkinDialogRecord()
    : SkinElementRecord(SkinElementDialog),
      style(0),
      transparent(FALSE),
      transparentColor(kDefaultSkinTransparentColor),
      hasSize(FALSE),
      size(),
      backColor(0)
{
}

void SetLogFontFaceName(LOGFONTA& font, LPCSTR faceName)
{
    const int room = LF_FACESIZE - 1;
    int length = 0;
    if (faceName)
    {
        while (faceName[length] && length < room)
        {
            const int step = ::IsDBCSLeadByte(static_cast<BYTE>(faceName[length])) && faceName[length + 1] ? 2 : 1;
            if (length + step > room)
                break;
            length += step;
        }
        memcpy(font.lfFaceName, faceName, length);
    }
    font.lfFaceName[length] = '\0';
}
