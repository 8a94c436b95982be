#include "skin/SkinDescription.h"

#include "foundation/PathUtils.h"
#include "skin/DialogSkin.h"
#include "skin/MultiSlider.h"
#include "skin/SkinButton.h"
#include "skin/SkinSlider.h"
#include "skin/SkinStatic.h"

namespace {

BOOL LoadsFromFiles(const CIniSection& section)
{
    int loadFrom = 0;
    section.GetInt("LOADFROM", loadFrom);
    return loadFrom == 1;
}

void ReadColor(const CIniSection& section, LPCSTR key, COLORREF& color)
{
    RGBTriple triple;
    if (section.GetColor(key, triple))
        color = triple;
}

// A flag that is required: FALSE when missing.
BOOL ReadFlag(const CIniSection& section, LPCSTR key, BOOL& flag)
{
    int value = 0;
    if (!section.GetInt(key, value))
        return FALSE;
    flag = value != 0;
    return TRUE;
}

void ReadOptionalFlag(const CIniSection& section, LPCSTR key, BOOL& flag)
{
    ReadFlag(section, key, flag);
}

}  // namespace

CSkinDescription::CSkinDescription(LPCSTR path) : CSkinDescription(nullptr, path)
{
}

CSkinDescription::CSkinDescription(CDialogSkin* owner, LPCSTR path)
    : m_file(path), m_owner(owner), m_folder(SkinFolderOf(path))
{
}

CSkinDescription::~CSkinDescription()
{
}

CString CSkinDescription::SkinFolderOf(LPCSTR path)
{
    if (!FileExists(path))
        return CString();
    const CString whole(path);
    const int slash = whole.ReverseFind('\\');
    return slash < 0 ? CString() : whole.Left(slash);
}

BOOL CSkinDescription::Parse()
{
    m_elements.clear();
    m_dialog.reset();
    if (!m_file.Load())
        return FALSE;
    for (POSITION pos = m_file.GetFirstSectionPosition(); pos;)
    {
        const POSITION here = pos;
        const CIniSection* section = m_file.GetNextSection(pos);
        // A repeated section name is hidden behind its first occurrence.
        if (m_file.FindSection(section->GetName()) != here)
            continue;
        UINT id = 0;
        if (CWnd* control = ParseSection(*section, id))
            m_owner->AddControl(control, id);
    }
    return TRUE;
}

CWnd* CSkinDescription::ParseSection(const CIniSection& section, UINT& id)
{
    CString type;
    int number = 0;
    if (!section.GetString("TYPE", type) || !section.GetInt("ID", number))
        return nullptr;
    id = static_cast<UINT>(number);

    if (type.CompareNoCase("BUTTON") == 0)
        return ReadButton(section);
    if (type.CompareNoCase("SLIDER") == 0)
        return ReadSlider(section);
    if (type.CompareNoCase("MULTISLIDER") == 0)
        return ReadMultiSlider(section);
    if (type.CompareNoCase("STATIC") == 0)
        return ReadStatic(section);
    if (type.CompareNoCase("Dialog") == 0)
        return ReadDialog(section);
    return nullptr;
}

template <class Record>
Record* CSkinDescription::Keep(Record* record, const CIniSection& section)
{
    if (!record)
        return nullptr;
    int id = 0;
    section.GetInt("ID", id);
    record->id = static_cast<UINT>(id);
    record->section = section.GetName();
    Store(record);
    return record;
}

void CSkinDescription::Store(SkinDialogRecord* record)
{
    m_dialog.reset(record);
}

void CSkinDescription::Store(SkinElementRecord* record)
{
    m_elements.emplace_back(record);
}

CWnd* CSkinDescription::ReadDialog(const CIniSection& section)
{
    const SkinDialogRecord* record = Keep(ReadDialogRecord(section), section);
    if (record && m_owner)
    {
        if (CDialogShape* shape = CDialogShape::FromRecord(*record))
            m_owner->SetShape(shape);
    }
    return nullptr;
}

CWnd* CSkinDescription::ReadSlider(const CIniSection& section)
{
    const SkinSliderRecord* record = Keep(ReadSliderRecord(section), section);
    return record && m_owner ? CSkinSlider::FromRecord(*record) : nullptr;
}

CWnd* CSkinDescription::ReadMultiSlider(const CIniSection& section)
{
    const SkinMultiSliderRecord* record = Keep(ReadMultiSliderRecord(section), section);
    return record && m_owner ? CMultiSlider::FromRecord(*record) : nullptr;
}

CWnd* CSkinDescription::ReadButton(const CIniSection& section)
{
    const SkinButtonRecord* record = Keep(ReadButtonRecord(section), section);
    return record && m_owner ? CSkinButton::FromRecord(*record) : nullptr;
}

CWnd* CSkinDescription::ReadStatic(const CIniSection& section)
{
    const SkinStaticRecord* record = Keep(ReadStaticRecord(section), section);
    return record && m_owner ? CSkinStatic::FromRecord(*record) : nullptr;
}

CString CSkinDescription::FilePath(const CString& name, LPCSTR suffix) const
{
    return m_folder + "\\" + name + suffix;
}

BOOL CSkinDescription::ReadPicture(const CIniSection& section, LPCSTR key, BOOL fromFile, LPCSTR suffix,
                                   SkinPictureSource& picture) const
{
    picture.fromFile = fromFile;
    if (fromFile)
    {
        CString name;
        if (!section.GetString(key, name))
            return FALSE;
        picture.path = FilePath(name, suffix);
        return TRUE;
    }
    int resourceId = 0;
    if (!section.GetInt(key, resourceId))
        return FALSE;
    picture.resourceId = static_cast<UINT>(resourceId);
    return resourceId != 0;
}

SkinButtonRecord* CSkinDescription::ReadButtonRecord(const CIniSection& section) const
{
    std::unique_ptr<SkinButtonRecord> record(new SkinButtonRecord);
    BOOL ok = TRUE;
    ReadOptionalFlag(section, "STYLE", record->toggle);
    ReadOptionalFlag(section, "TRANSPARENT", record->transparent);
    ok &= section.GetPoint("POSITION", record->position);
    ReadColor(section, "TRANSCOLOR", record->transparentColor);

    const BOOL fromFile = LoadsFromFiles(section);
    static const char* const kFileSuffixes[SkinButtonRecord::PictureCount] = { "H.bmp", "U.bmp", "D.bmp", "X.bmp" };
    SkinPictureSource& first = record->pictures[SkinButtonRecord::Hover];
    ok &= ReadPicture(section, "BMPNAME", fromFile, kFileSuffixes[0], first);
    for (int i = 1; i < SkinButtonRecord::PictureCount; ++i)
    {
        SkinPictureSource& picture = record->pictures[i];
        picture.fromFile = fromFile;
        if (fromFile)
        {
            CString name;
            section.GetString("BMPNAME", name);
            picture.path = FilePath(name, kFileSuffixes[i]);
        }
        else
        {
            // The four pictures are consecutive resources; none of them may be 0.
            picture.resourceId = first.resourceId + i;
            ok &= picture.resourceId != 0;
        }
    }
    return ok ? record.release() : nullptr;
}

BOOL CSkinDescription::ReadSliderKeys(const CIniSection& section, SkinSliderRecord& record) const
{
    BOOL ok = TRUE;
    ok &= section.GetPoint("POSITION", record.position);
    ok &= ReadFlag(section, "TRANSPARENT", record.transparent);
    ReadOptionalFlag(section, "HORIZONTAL", record.horizontal);
    ReadColor(section, "TRANSCOLOR", record.transparentColor);
    const BOOL fromFile = LoadsFromFiles(section);
    ok &= ReadPicture(section, "SLIDERBMP", fromFile, ".bmp", record.track);
    ok &= ReadPicture(section, "THUMBBMP", fromFile, ".bmp", record.thumb);
    return ok;
}

SkinSliderRecord* CSkinDescription::ReadSliderRecord(const CIniSection& section) const
{
    std::unique_ptr<SkinSliderRecord> record(new SkinSliderRecord);
    return ReadSliderKeys(section, *record) ? record.release() : nullptr;
}

SkinMultiSliderRecord* CSkinDescription::ReadMultiSliderRecord(const CIniSection& section) const
{
    std::unique_ptr<SkinMultiSliderRecord> record(new SkinMultiSliderRecord);
    BOOL ok = ReadSliderKeys(section, *record);
    section.GetInt("STARTEDGE", record->startEdge);
    section.GetInt("ENDEDGE", record->endEdge);
    section.GetInt("MIDDLELINE", record->middleLine);
    section.GetInt("MIDDLEHEI", record->middleHeight);
    int cursor = 0;
    section.GetInt("CURSOR", cursor);
    record->cursorId = static_cast<UINT>(cursor);
    // Mouse positions are scaled by the distance between the edges: a track without length
    // cannot be used.
    ok &= record->endEdge != record->startEdge;
    return ok ? record.release() : nullptr;
}

SkinStaticRecord* CSkinDescription::ReadStaticRecord(const CIniSection& section) const
{
    std::unique_ptr<SkinStaticRecord> record(new SkinStaticRecord);
    BOOL ok = TRUE;
    ok &= section.GetLong("STYTLE", record->backMode);
    ok &= section.GetPoint("POSITION", record->position);
    ok &= section.GetSize("SIZE", record->size);
    ReadColor(section, "TEXTCOLOR", record->textColor);
    long backColor = 0;
    if (section.GetLong("BACKCOLOR", backColor))
        record->backColor = static_cast<COLORREF>(backColor);
    if (record->backMode == SkinStaticRecord::BackPicture)
        ok &= ReadPicture(section, "BACKBMP", LoadsFromFiles(section), ".bmp", record->backPicture);
    section.GetString("TEXT", record->text);
    long charset = 0;
    if (section.GetLong("FONTCHARSET", charset))
        record->font.lfCharSet = static_cast<BYTE>(charset);
    CString faceName;
    if (section.GetString("FONTFACENAME", faceName))
        SetLogFontFaceName(record->font, faceName);
    POINT fontSize = {};
    if (section.GetPoint("FONTSIZE", fontSize))
    {
        record->font.lfWidth = fontSize.x;
        record->font.lfHeight = fontSize.y;
    }
    return ok ? record.release() : nullptr;
}

SkinDialogRecord* CSkinDescription::ReadDialogRecord(const CIniSection& section) const
{
    std::unique_ptr<SkinDialogRecord> record(new SkinDialogRecord);
    BOOL ok = TRUE;
    ok &= section.GetLong("STYLE", record->style);
    ReadOptionalFlag(section, "TRANSPARENT", record->transparent);
    ReadColor(section, "TRANSCOLOR", record->transparentColor);
    record->hasSize = section.GetSize("SIZE", record->size);
    long backColor = 0;
    if (section.GetLong("BACKCOLOR", backColor))
        record->backColor = static_cast<COLORREF>(backColor);
    else if (record->style == SkinDialogRecord::StyleColor)
        ok = FALSE;
    if (record->style == SkinDialogRecord::StylePicture)
        ok &= ReadPicture(section, "BACKBMP", LoadsFromFiles(section), ".bmp", record->backPicture);
    return ok ? record.release() : nullptr;
}
