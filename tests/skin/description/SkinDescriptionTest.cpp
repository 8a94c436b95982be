#include "skin/SkinDescription.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/skin/description/SkinTestFiles.h"

namespace {

std::string GoodDescription()
{
    std::string path = std::string(ONDRIX_TEST_DIR) + "\\good\\Skin.ini";
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string Folder(const std::string& path)
{
    return path.substr(0, path.rfind('\\'));
}

// A description holding the text, parsed; the file stays for the test's life.
struct ParsedText
{
    explicit ParsedText(const char* text, const char* name = "case.ini")
        : path(SkinTestPath(name)), description((WriteBytes(path, text), path.c_str())), parsed(description.Parse())
    {
    }
    std::string path;
    CSkinDescription description;
    BOOL parsed;
};

template <class Record>
const Record& ElementAs(const CSkinDescription& d, int index, SkinElementKind kind)
{
    const SkinElementRecord* record = d.GetElement(index);
    EXPECT_EQ(kind, record->kind) << record->section;
    return static_cast<const Record&>(*record);
}

}  // namespace

TEST(SkinDescriptionTest, GoodFileGivesOneRecordPerElementInFileOrder)
{
    const std::string path = GoodDescription();
    const std::string folder = Folder(path);
    CSkinDescription d(path.c_str());
    ASSERT_TRUE(d.Parse());
    EXPECT_EQ(folder, std::string(d.GetSkinFolder()));
    ASSERT_EQ(6, d.GetElementCount());

    const SkinButtonRecord& power = ElementAs<SkinButtonRecord>(d, 0, SkinElementButton);
    EXPECT_EQ(1001u, power.id);
    EXPECT_EQ("Power", std::string(power.section));
    EXPECT_FALSE(power.toggle);
    EXPECT_TRUE(power.transparent);
    EXPECT_EQ(12, power.position.x);
    EXPECT_EQ(34, power.position.y);
    EXPECT_EQ(RGB(255, 0, 255), power.transparentColor);
    for (int i = 0; i < SkinButtonRecord::PictureCount; ++i)
    {
        EXPECT_FALSE(power.pictures[i].fromFile);
        EXPECT_EQ(500u + i, power.pictures[i].resourceId);
    }

    const SkinButtonRecord& record = ElementAs<SkinButtonRecord>(d, 1, SkinElementButton);
    EXPECT_EQ(1003u, record.id);
    EXPECT_TRUE(record.toggle);
    EXPECT_FALSE(record.transparent);
    EXPECT_EQ(RGB(0, 255, 0), record.transparentColor);
    const char* suffixes[] = { "RecH.bmp", "RecU.bmp", "RecD.bmp", "RecX.bmp" };
    for (int i = 0; i < SkinButtonRecord::PictureCount; ++i)
    {
        EXPECT_TRUE(record.pictures[i].fromFile);
        EXPECT_EQ(folder + "\\" + suffixes[i], std::string(record.pictures[i].path));
    }

    const SkinSliderRecord& volume = ElementAs<SkinSliderRecord>(d, 2, SkinElementSlider);
    EXPECT_EQ(1081u, volume.id);
    EXPECT_EQ(200, volume.position.x);
    EXPECT_FALSE(volume.transparent);
    EXPECT_FALSE(volume.horizontal);
    EXPECT_EQ(600u, volume.track.resourceId);
    EXPECT_EQ(601u, volume.thumb.resourceId);

    const SkinMultiSliderRecord& seek = ElementAs<SkinMultiSliderRecord>(d, 3, SkinElementMultiSlider);
    EXPECT_EQ(1205u, seek.id);
    EXPECT_TRUE(seek.transparent);
    EXPECT_TRUE(seek.horizontal);
    EXPECT_EQ(folder + "\\SeekTrack.bmp", std::string(seek.track.path));
    EXPECT_EQ(folder + "\\SeekThumb.bmp", std::string(seek.thumb.path));
    EXPECT_EQ(5, seek.startEdge);
    EXPECT_EQ(295, seek.endEdge);
    EXPECT_EQ(6, seek.middleLine);
    EXPECT_EQ(4, seek.middleHeight);
    EXPECT_EQ(700u, seek.cursorId);

    const SkinStaticRecord& channel = ElementAs<SkinStaticRecord>(d, 4, SkinElementStatic);
    EXPECT_EQ(1082u, channel.id);
    EXPECT_EQ(SkinStaticRecord::BackColor, channel.backMode);
    EXPECT_EQ(100, channel.position.x);
    EXPECT_EQ(80, channel.size.cx);
    EXPECT_EQ(16, channel.size.cy);
    EXPECT_EQ(RGB(0, 255, 0), channel.textColor);
    EXPECT_EQ(RGB(255, 0, 0), channel.backColor);
    EXPECT_EQ("CH 12", std::string(channel.text));
    EXPECT_EQ(134, channel.font.lfCharSet);
    EXPECT_STREQ("Tahoma", channel.font.lfFaceName);
    EXPECT_EQ(6, channel.font.lfWidth);
    EXPECT_EQ(12, channel.font.lfHeight);

    const SkinStaticRecord& time = ElementAs<SkinStaticRecord>(d, 5, SkinElementStatic);
    EXPECT_EQ(SkinStaticRecord::BackPicture, time.backMode);
    EXPECT_EQ(800u, time.backPicture.resourceId);
    EXPECT_EQ(RGB(0, 0, 0), time.textColor);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), time.backColor);
    EXPECT_TRUE(time.text.IsEmpty());
    LOGFONTA gui = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    EXPECT_STREQ(gui.lfFaceName, time.font.lfFaceName);
    EXPECT_EQ(gui.lfHeight, time.font.lfHeight);
    EXPECT_EQ(gui.lfCharSet, time.font.lfCharSet);

    const SkinDialogRecord* panel = d.GetDialog();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(102u, panel->id);
    EXPECT_EQ(SkinDialogRecord::StylePicture, panel->style);
    EXPECT_TRUE(panel->transparent);
    EXPECT_TRUE(panel->hasSize);
    EXPECT_EQ(10, panel->size.cx);
    EXPECT_EQ(folder + "\\Back.bmp", std::string(panel->backPicture.path));
}

TEST(SkinDescriptionTest, MissingFileFailsAndHasNoFolder)
{
    CSkinDescription d(SkinTestPath("no-such-skin.ini").c_str());
    EXPECT_FALSE(d.Parse());
    EXPECT_EQ(0, d.GetElementCount());
    EXPECT_EQ(nullptr, d.GetDialog());
    EXPECT_TRUE(d.GetSkinFolder().IsEmpty());
}

TEST(SkinDescriptionTest, SkinFolderNeedsAnExistingFileWithABackslash)
{
    const std::string path = SkinTestPath("folder.ini");
    WriteBytes(path, "[A]\r\n");
    EXPECT_EQ(Folder(path), std::string(CSkinDescription::SkinFolderOf(path.c_str())));
    EXPECT_TRUE(CSkinDescription::SkinFolderOf(SkinTestPath("absent.ini").c_str()).IsEmpty());
    EXPECT_TRUE(CSkinDescription::SkinFolderOf("Skin.ini").IsEmpty());
}

// One section each; whether it gives an element record or the dialog record.
struct SectionCase
{
    const char* name;
    const char* text;
    int elements;
    bool dialog;
};

TEST(SkinDescriptionTest, SectionsWithoutTheirRequiredKeysAreLeftOut)
{
    const SectionCase cases[] = {
        { "button", "[B]\nTYPE=BUTTON\nID=1\nPOSITION=1,2\nBMPNAME=10\n", 1, false },
        { "type without case", "[B]\nTYPE=bUtToN\nID=1\nPOSITION=1,2\nBMPNAME=10\n", 1, false },
        { "button without ID", "[B]\nTYPE=BUTTON\nPOSITION=1,2\nBMPNAME=10\n", 0, false },
        { "button without TYPE", "[B]\nID=1\nPOSITION=1,2\nBMPNAME=10\n", 0, false },
        { "unknown TYPE", "[B]\nTYPE=CHECKBOX\nID=1\nPOSITION=1,2\nBMPNAME=10\n", 0, false },
        { "button BMPNAME 0", "[B]\nTYPE=BUTTON\nID=1\nPOSITION=1,2\nBMPNAME=0\n", 0, false },
        { "button BMPNAME -2 (third picture 0)", "[B]\nTYPE=BUTTON\nID=1\nPOSITION=1,2\nBMPNAME=-2\n", 0, false },
        { "button BMPNAME not a number", "[B]\nTYPE=BUTTON\nID=1\nPOSITION=1,2\nBMPNAME=Play\n", 0, false },
        { "button files by name", "[B]\nTYPE=BUTTON\nID=1\nPOSITION=1,2\nLOADFROM=1\nBMPNAME=Play\n", 1, false },
        { "button files without name", "[B]\nTYPE=BUTTON\nID=1\nPOSITION=1,2\nLOADFROM=1\n", 0, false },
        { "button without POSITION", "[B]\nTYPE=BUTTON\nID=1\nBMPNAME=10\n", 0, false },
        { "button POSITION without comma", "[B]\nTYPE=BUTTON\nID=1\nPOSITION=12\nBMPNAME=10\n", 0, false },
        { "slider", "[S]\nTYPE=SLIDER\nID=1\nPOSITION=1,2\nTRANSPARENT=0\nSLIDERBMP=5\nTHUMBBMP=6\n", 1, false },
        { "slider without TRANSPARENT", "[S]\nTYPE=SLIDER\nID=1\nPOSITION=1,2\nSLIDERBMP=5\nTHUMBBMP=6\n", 0, false },
        { "slider without THUMBBMP", "[S]\nTYPE=SLIDER\nID=1\nPOSITION=1,2\nTRANSPARENT=0\nSLIDERBMP=5\n", 0, false },
        { "slider track 0", "[S]\nTYPE=SLIDER\nID=1\nPOSITION=1,2\nTRANSPARENT=0\nSLIDERBMP=0\nTHUMBBMP=6\n", 0,
          false },
        { "multi-slider",
          "[M]\nTYPE=MULTISLIDER\nID=1\nPOSITION=1,2\nTRANSPARENT=1\nSLIDERBMP=5\nTHUMBBMP=6\n"
          "STARTEDGE=4\nENDEDGE=100\n",
          1, false },
        { "multi-slider with end before start",
          "[M]\nTYPE=MULTISLIDER\nID=1\nPOSITION=1,2\nTRANSPARENT=1\n"
          "SLIDERBMP=5\nTHUMBBMP=6\nSTARTEDGE=100\nENDEDGE=4\n",
          1, false },
        { "multi-slider with equal edges",
          "[M]\nTYPE=MULTISLIDER\nID=1\nPOSITION=1,2\nTRANSPARENT=1\nSLIDERBMP=5\n"
          "THUMBBMP=6\nSTARTEDGE=40\nENDEDGE=40\n",
          0, false },
        { "multi-slider without edges",
          "[M]\nTYPE=MULTISLIDER\nID=1\nPOSITION=1,2\nTRANSPARENT=1\nSLIDERBMP=5\n"
          "THUMBBMP=6\n",
          0, false },
        { "static", "[T]\nTYPE=STATIC\nID=1\nSTYTLE=0\nPOSITION=1,2\nSIZE=3,4\n", 1, false },
        { "static spelled STYLE", "[T]\nTYPE=STATIC\nID=1\nSTYLE=0\nPOSITION=1,2\nSIZE=3,4\n", 0, false },
        { "static without SIZE", "[T]\nTYPE=STATIC\nID=1\nSTYTLE=0\nPOSITION=1,2\n", 0, false },
        { "static picture without BACKBMP", "[T]\nTYPE=STATIC\nID=1\nSTYTLE=2\nPOSITION=1,2\nSIZE=3,4\n", 0, false },
        { "static picture 0", "[T]\nTYPE=STATIC\nID=1\nSTYTLE=2\nPOSITION=1,2\nSIZE=3,4\nBACKBMP=0\n", 0, false },
        { "static colour needs no BACKCOLOR", "[T]\nTYPE=STATIC\nID=1\nSTYTLE=1\nPOSITION=1,2\nSIZE=3,4\n", 1, false },
        { "dialog", "[D]\nTYPE=dialog\nID=102\nSTYLE=1\nBACKCOLOR=0\n", 0, true },
        { "dialog without ID", "[D]\nTYPE=Dialog\nSTYLE=1\nBACKCOLOR=0\n", 0, false },
        { "dialog without STYLE", "[D]\nTYPE=Dialog\nID=102\nBACKCOLOR=0\n", 0, false },
        { "dialog colour without BACKCOLOR", "[D]\nTYPE=Dialog\nID=102\nSTYLE=1\n", 0, false },
        { "dialog picture without BACKBMP", "[D]\nTYPE=Dialog\nID=102\nSTYLE=2\n", 0, false },
        { "dialog file picture without BACKBMP", "[D]\nTYPE=Dialog\nID=102\nSTYLE=2\nLOADFROM=1\n", 0, false },
        { "dialog file picture", "[D]\nTYPE=Dialog\nID=102\nSTYLE=2\nLOADFROM=1\nBACKBMP=Back\n", 0, true },
        { "dialog without background", "[D]\nTYPE=Dialog\nID=102\nSTYLE=0\nSIZE=300,200\n", 0, true },
    };
    for (const SectionCase& c : cases)
    {
        ParsedText p(c.text);
        ASSERT_TRUE(p.parsed) << c.name;
        EXPECT_EQ(c.elements, p.description.GetElementCount()) << c.name;
        EXPECT_EQ(c.dialog, p.description.GetDialog() != nullptr) << c.name;
    }
}

TEST(SkinDescriptionTest, FaultySectionsLeaveTheOthers)
{
    ParsedText p("[Good1]\nTYPE=BUTTON\nID=1\nPOSITION=1,2\nBMPNAME=10\n"
                 "[Bad]\nTYPE=BUTTON\nID=2\nBMPNAME=10\n"
                 "[Good2]\nTYPE=STATIC\nID=3\nSTYTLE=0\nPOSITION=1,2\nSIZE=3,4\n");
    ASSERT_TRUE(p.parsed);
    ASSERT_EQ(2, p.description.GetElementCount());
    EXPECT_EQ(1u, p.description.GetElement(0)->id);
    EXPECT_EQ(3u, p.description.GetElement(1)->id);
}

TEST(SkinDescriptionTest, RepeatedSectionNameOnlyTheFirstCounts)
{
    ParsedText p("[Play]\nTYPE=BUTTON\nID=1\nPOSITION=1,2\nBMPNAME=10\n"
                 "[Play]\nTYPE=BUTTON\nID=2\nPOSITION=5,6\nBMPNAME=20\n");
    ASSERT_EQ(1, p.description.GetElementCount());
    EXPECT_EQ(1u, p.description.GetElement(0)->id);
}

TEST(SkinDescriptionTest, ValuesAreReadAsTheirKindSays)
{
    ParsedText p("[Dlg]\nTYPE=Dialog\nID=102\nSTYLE=1\nBACKCOLOR=0,0,255\nTRANSCOLOR=255,0\n"
                 "[Red]\nTYPE=STATIC\nID=1\nSTYTLE=1\nPOSITION=1,2\nSIZE=3,4\nBACKCOLOR=255\nTEXTCOLOR=256,257,511\n"
                 "[Blue]\nTYPE=STATIC\nID=2\nSTYTLE=1\nPOSITION=1,2\nSIZE=3,4\nBACKCOLOR=16711680\nTEXTCOLOR=1,2\n");
    ASSERT_EQ(2, p.description.GetElementCount());
    const SkinDialogRecord* dialog = p.description.GetDialog();
    ASSERT_NE(nullptr, dialog);
    // A colour written as a triple is one number: the digits before the first comma.
    EXPECT_EQ(RGB(0, 0, 0), dialog->backColor);
    // A colour with one comma is malformed and keeps the default.
    EXPECT_EQ(RGB(0, 255, 0), dialog->transparentColor);
    EXPECT_FALSE(dialog->hasSize);
    const SkinStaticRecord& red = static_cast<const SkinStaticRecord&>(*p.description.GetElement(0));
    EXPECT_EQ(RGB(255, 0, 0), red.backColor);
    EXPECT_EQ(RGB(0, 1, 255), red.textColor);
    const SkinStaticRecord& blue = static_cast<const SkinStaticRecord&>(*p.description.GetElement(1));
    EXPECT_EQ(RGB(0, 0, 255), blue.backColor);
    EXPECT_EQ(RGB(0, 0, 0), blue.textColor);
}

TEST(SkinDescriptionTest, LongFaceNameIsCutToWhatAFontHolds)
{
    ParsedText p("[Long]\nTYPE=STATIC\nID=1\nSTYTLE=0\nPOSITION=1,2\nSIZE=3,4\n"
                 "FONTFACENAME=ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnop\n"
                 "[Wide]\nTYPE=STATIC\nID=2\nSTYTLE=0\nPOSITION=1,2\nSIZE=3,4\n"
                 "FONTFACENAME=ABCDEFGHIJKLMNOPQRSTUVWXYZabcd黑体\n"
                 "[Exact]\nTYPE=STATIC\nID=3\nSTYTLE=0\nPOSITION=1,2\nSIZE=3,4\n"
                 "FONTFACENAME=ABCDEFGHIJKLMNOPQRSTUVWXYZabcde\n");
    ASSERT_EQ(3, p.description.GetElementCount());
    const auto& longName = static_cast<const SkinStaticRecord&>(*p.description.GetElement(0));
    EXPECT_STREQ("ABCDEFGHIJKLMNOPQRSTUVWXYZabcde", longName.font.lfFaceName);
    // 30 single bytes leave room for no whole double-byte character.
    const auto& wide = static_cast<const SkinStaticRecord&>(*p.description.GetElement(1));
    EXPECT_STREQ("ABCDEFGHIJKLMNOPQRSTUVWXYZabcd", wide.font.lfFaceName);
    const auto& exact = static_cast<const SkinStaticRecord&>(*p.description.GetElement(2));
    EXPECT_STREQ("ABCDEFGHIJKLMNOPQRSTUVWXYZabcde", exact.font.lfFaceName);
    // The name always ends inside the font description.
    for (int i = 0; i < 3; ++i)
    {
        const auto& record = static_cast<const SkinStaticRecord&>(*p.description.GetElement(i));
        EXPECT_EQ('\0', record.font.lfFaceName[LF_FACESIZE - 1]);
    }
}

TEST(SkinDescriptionTest, LastValidDialogSectionIsTheShape)
{
    ParsedText p("[One]\nTYPE=Dialog\nID=102\nSTYLE=0\nSIZE=10,20\n"
                 "[Two]\nTYPE=Dialog\nID=102\nSTYLE=1\nBACKCOLOR=255\n"
                 "[Broken]\nTYPE=Dialog\nID=102\nSTYLE=1\n");
    const SkinDialogRecord* dialog = p.description.GetDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Two", std::string(dialog->section));
    EXPECT_EQ(RGB(255, 0, 0), dialog->backColor);
    EXPECT_EQ(0, p.description.GetElementCount());
}
