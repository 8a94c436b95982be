#include "skin/SkinRegion.h"

#include <gtest/gtest.h>

#include "tests/skin/PixelPictures.h"

namespace {

struct RegionCase
{
    const char* name;
    std::vector<std::string> picture;
    // '#' inside the region, '.' cut away.
    std::vector<std::string> shape;
    COLORREF transparent;
};

void ExpectShape(const RegionCase& c, HRGN region)
{
    for (size_t y = 0; y < c.shape.size(); ++y)
        for (size_t x = 0; x < c.shape[y].size(); ++x)
            EXPECT_EQ(c.shape[y][x] == '#', PtInRegion(region, (int)x, (int)y) != FALSE)
                << c.name << " at " << x << "," << y;
    RECT box = {};
    if (GetRgnBox(region, &box) != NULLREGION)
    {
        EXPECT_GE(box.left, 0) << c.name;
        EXPECT_GE(box.top, 0) << c.name;
        EXPECT_LE(box.right, (LONG)c.shape[0].size()) << c.name;
        EXPECT_LE(box.bottom, (LONG)c.shape.size()) << c.name;
    }
}

const COLORREF kGreen = RGB(0, 255, 0);

}  // namespace

TEST(SkinRegionTest, ShapeLeavesOutTheTransparentRunsSeenByTheProbes)
{
    const RegionCase cases[] = {
        { "no transparent pixel", { "RRR", "RBR", "RRR", "RRR" }, { "###", "###", "###", "###" }, kGreen },
        { "fully transparent column",
          { "RGR", "RGR", "RGR", "RGR", "RGR" },
          { "#.#", "#.#", "#.#", "#.#", "#.#" },
          kGreen },
        { "lone pixel on an odd row", { "R", "G", "R", "R", "R" }, { "#", "#", "#", "#", "#" }, kGreen },
        { "lone pixel on an even row", { "R", "R", "G", "R", "R" }, { "#", "#", ".", "#", "#" }, kGreen },
        { "run from an odd row",
          { "R", "R", "R", "G", "G", "G", "G", "R", "R" },
          { "#", "#", "#", ".", ".", ".", ".", "#", "#" },
          kGreen },
        { "run ending on an odd row",
          { "R", "R", "R", "R", "G", "G", "R", "R" },
          { "#", "#", "#", "#", ".", ".", "#", "#" },
          kGreen },
        { "run from row 1", { "R", "G", "G", "R", "R", "R" }, { "#", ".", ".", "#", "#", "#" }, kGreen },
        { "run closed at an even row", { "R", "R", "G", "G", "R", "R" }, { "#", "#", ".", ".", "#", "#" }, kGreen },
        // A run still open at the bottom is cut to the bottom edge, one opaque row included.
        { "run open at the bottom",
          { "R", "R", "R", "G", "G", "G", "G", "R" },
          { "#", "#", "#", ".", ".", ".", ".", "." },
          kGreen },
        { "corners of a round button", { "GRRG", "RRRR", "RRRR", "GRRG" }, { ".##.", "####", "####", ".##." }, kGreen },
        { "almost green stays", { "gG", "gG" }, { "#.", "#." }, kGreen },
        { "other transparent colour", { "GMG", "GMG" }, { "#.#", "#.#" }, RGB(255, 0, 255) },
        { "all transparent", { "GG", "GG" }, { "..", ".." }, kGreen },
    };
    for (const RegionCase& c : cases)
    {
        HBITMAP picture = MakePicture(c.picture);
        CGdiObject region;
        ASSERT_TRUE(CreateSkinRegion(region, picture, c.transparent)) << c.name;
        ExpectShape(c, static_cast<HRGN>(region.GetSafeHandle()));
        DeleteObject(picture);
    }
}

TEST(SkinRegionTest, ExistingRegionIsReplaced)
{
    CGdiObject region;
    region.Attach(CreateRectRgn(50, 50, 60, 60));
    const HGDIOBJ handle = region.GetSafeHandle();
    HBITMAP picture = MakePicture({ "RG", "RG" });
    ASSERT_TRUE(CreateSkinRegion(region, picture, kGreen));
    EXPECT_EQ(handle, region.GetSafeHandle());
    ExpectShape({ "replaced", {}, { "#.", "#." }, kGreen }, static_cast<HRGN>(handle));
    EXPECT_FALSE(PtInRegion(static_cast<HRGN>(handle), 55, 55));
    DeleteObject(picture);
}

TEST(SkinRegionTest, NoBitmapLeavesTheRegionAlone)
{
    CGdiObject region;
    region.Attach(CreateRectRgn(1, 2, 3, 4));
    EXPECT_FALSE(CreateSkinRegion(region, nullptr, kGreen));
    RECT box = {};
    GetRgnBox(static_cast<HRGN>(region.GetSafeHandle()), &box);
    EXPECT_EQ(1, box.left);
    EXPECT_EQ(4, box.bottom);
    CGdiObject none;
    EXPECT_FALSE(CreateSkinRegion(none, nullptr, kGreen));
    EXPECT_EQ(nullptr, none.GetSafeHandle());
}
