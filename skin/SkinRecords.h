#pragma once
#include "platform/afx/String.h"

// Plain records of one skin description file, one per section that describes an element. They
// say what to build and where its pictures come from; nothing is loaded or drawn here.

// Where one picture comes from: a bitmap file, or a bitmap resource of the module that is the
// resource module while the skin is applied.
struct SkinPictureSource
{
    BOOL fromFile;
    CString path;     // fromFile: the full path of the file
    UINT resourceId;  // otherwise

    SkinPictureSource() : fromFile(FALSE), resourceId(0) {}
};

enum SkinElementKind
{
    SkinElementButton,
    SkinElementSlider,
    SkinElementMultiSlider,
    SkinElementStatic,
    SkinElementDialog,
};

// The window shape's colour when a description names none: pure green.
const COLORREF kDefaultSkinTransparentColor = RGB(0, 255, 0);

struct SkinElementRecord
{
    explicit SkinElementRecord(SkinElementKind k) : kind(k), id(0) {}
    virtual ~SkinElementRecord() {}

    SkinElementKind kind;
    UINT id;  // the dialog control the element takes over
    CString section;
};

struct SkinButtonRecord : SkinElementRecord
{
    enum Picture
    {
        Hover,
        Normal,
        Pressed,
        Disabled,
        PictureCount
    };

    SkinButtonRecord();

    BOOL toggle;
    BOOL transparent;
    POINT position;
    COLORREF transparentColor;
    SkinPictureSource pictures[PictureCount];
};

struct SkinSliderRecord : SkinElementRecord
{
    SkinSliderRecord();

    POINT position;
    BOOL transparent;
    BOOL horizontal;
    COLORREF transparentColor;
    SkinPictureSource track;
    SkinPictureSource thumb;

protected:
    explicit SkinSliderRecord(SkinElementKind k);
};

struct SkinMultiSliderRecord : SkinSliderRecord
{
    SkinMultiSliderRecord();

    // Pixels along the track of the thumb centre at the range's minimum and maximum; never equal.
    int startEdge;
    int endEdge;
    // Pixels across the track of the thumb's and selection band's centre, and the band's thickness.
    int middleLine;
    int middleHeight;
    UINT cursorId;  // 0: no own cursor
};

struct SkinStaticRecord : SkinElementRecord
{
    enum BackMode
    {
        BackNone = 0,
        BackColor = 1,
        BackPicture = 2
    };

    SkinStaticRecord();

    long backMode;
    POINT position;
    SIZE size;
    COLORREF textColor;
    COLORREF backColor;
    SkinPictureSource backPicture;  // mode 2 only
    CString text;
    // The default GUI font with the description's character set, face name and size applied.
    LOGFONTA font;
};

struct SkinDialogRecord : SkinElementRecord
{
    enum Style
    {
        StyleColor = 1,
        StylePicture = 2
    };

    SkinDialogRecord();

    long style;  // 1 colour, 2 picture, anything else: no background
    BOOL transparent;
    COLORREF transparentColor;
    BOOL hasSize;
    SIZE size;
    COLORREF backColor;
    SkinPictureSource backPicture;  // style 2 only
};

// Copies a face name into the font description, cut to the 31 bytes the description holds
// without splitting a double-byte character.
void SetLogFontFaceName(LOGFONTA& font, LPCSTR faceName);
