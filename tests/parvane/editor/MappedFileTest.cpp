#include "parvane/MappedFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string ScratchPath(const std::string& name)
{
    return std::string(ONDRIX_BINARY_DIR) + "/parvane-editor-" + name;
}

void WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(h, bytes.data(), (DWORD)bytes.size(), &done, NULL));
    CloseHandle(h);
}

std::vector<BYTE> Pattern(size_t size)
{
    std::vector<BYTE> v(size);
    for (size_t i = 0; i < size; ++i)
        v[i] = (BYTE)(0x20 + i % 61);
    return v;
}

const BYTE kGop[4] = {0x00, 0x00, 0x01, 0xB8};

} // namespace

TEST(MappedFile, WindowIsMultipleOfGranularity)
{
    std::string path = ScratchPath("small.bin");
    WriteFileBytes(path, Pattern(1000));
    CMappedFile f(path.c_str());
    ASSERT_TRUE(f.IsOk());
    EXPECT_EQ(0u, f.GetWindowSize() % f.GetGranularity());
    EXPECT_EQ(0x80000u, f.GetWindowSize());
    EXPECT_EQ(1000, f.GetFileSize());
    EXPECT_STREQ(path.c_str(), f.GetPath());
}

TEST(MappedFile, MissingOrEmptyFileIsNotOk)
{
    CMappedFile missing(ScratchPath("does-not-exist.bin").c_str());
    EXPECT_FALSE(missing.IsOk());
    EXPECT_EQ(nullptr, missing.Pointer(0, 1));
    std::string path = ScratchPath("empty.bin");
    WriteFileBytes(path, {});
    CMappedFile empty(path.c_str());
    EXPECT_FALSE(empty.IsOk());
    CMappedFile none(nullptr);
    EXPECT_FALSE(none.IsOk());
}

TEST(MappedFile, PointerAtTheEdges)
{
    std::string path = ScratchPath("edges.bin");
    std::vector<BYTE> bytes = Pattern(3 * 0x80000 + 100);
    WriteFileBytes(path, bytes);
    CMappedFile f(path.c_str());
    ASSERT_TRUE(f.IsOk());
    const __int64 size = f.GetFileSize();
    struct Row { __int64 pos; int len; bool ok; } rows[] = {
        {size - 1, 1, true}, {size - 1, 2, false}, {size, 1, false}, {size - 4, 4, true},
        {-1, 1, false}, {0, 0x80000, true}, {0, 0x80001, false}, {0x10000, 0x80000, true},
        {0x10001, 0x80000, false}, {5, -1, false},
    };
    for (const Row& r : rows)
    {
        const BYTE* p = f.Pointer(r.pos, r.len);
        EXPECT_EQ(r.ok, p != nullptr) << r.pos << " " << r.len;
        if (p && r.len > 0)
        {
            EXPECT_EQ(bytes[(size_t)r.pos], p[0]);
            EXPECT_EQ(bytes[(size_t)(r.pos + r.len - 1)], p[r.len - 1]);
            EXPECT_EQ(r.pos, f.PositionOf(p));
        }
    }
    EXPECT_EQ(-1, f.PositionOf(nullptr));
}

TEST(MappedFile, SmallFileIsMappedOnceWhole)
{
    std::string path = ScratchPath("once.bin");
    std::vector<BYTE> bytes = Pattern(70000);
    bytes[69000] = 0; bytes[69001] = 0; bytes[69002] = 1; bytes[69003] = 0xB8;
    WriteFileBytes(path, bytes);
    CMappedFile f(path.c_str());
    ASSERT_TRUE(f.IsOk());
    const BYTE* base = f.Pointer(0, 1);
    ASSERT_NE(nullptr, base);
    EXPECT_EQ(base + 69999, f.Pointer(69999, 1));
    EXPECT_EQ(base + 69000, f.FindForward(kGop, 0, 4));
    EXPECT_EQ(base + 69000, f.FindBackward(kGop, 70000, 4));
    EXPECT_EQ(nullptr, f.FindBackward(kGop, 69003, 4));
    EXPECT_EQ(base + 69000, f.FindBackward(kGop, 69004, 4));
    EXPECT_EQ(nullptr, f.FindForward(kGop, 69001, 4));
    EXPECT_EQ(0, f.GetViewOffset());
    EXPECT_EQ(70000u, f.GetViewLength());
}

// A start code split across two 512 KiB views is found from either side.
TEST(MappedFile, PatternAcrossViewBorderIsFound)
{
    std::string path = ScratchPath("border.bin");
    std::vector<BYTE> bytes = Pattern(4 * 0x80000);
    for (int split = 1; split <= 3; ++split)
    {
        SCOPED_TRACE(split);
        std::vector<BYTE> b = bytes;
        const size_t at = 0x80000 - split;
        memcpy(&b[at], kGop, 4);
        WriteFileBytes(path, b);
        CMappedFile f(path.c_str());
        ASSERT_TRUE(f.IsOk());
        EXPECT_EQ((__int64)at, f.PositionOf(f.FindForward(kGop, 0, 4)));
        EXPECT_EQ((__int64)at, f.PositionOf(f.FindForward(kGop, at, 4)));
        EXPECT_EQ(nullptr, f.FindForward(kGop, at + 1, 4));
        EXPECT_EQ((__int64)at, f.PositionOf(f.FindBackward(kGop, b.size(), 4)));
        EXPECT_EQ((__int64)at, f.PositionOf(f.FindBackward(kGop, at + 4, 4)));
        EXPECT_EQ(nullptr, f.FindBackward(kGop, at + 3, 4));
    }
}

TEST(MappedFile, BackwardFindsLastOccurrenceFarBack)
{
    std::string path = ScratchPath("back.bin");
    std::vector<BYTE> b = Pattern(5 * 0x80000 + 77);
    memcpy(&b[100], kGop, 4);
    memcpy(&b[0x80000 + 5], kGop, 4);
    WriteFileBytes(path, b);
    CMappedFile f(path.c_str());
    ASSERT_TRUE(f.IsOk());
    EXPECT_EQ(0x80000 + 5, f.PositionOf(f.FindBackward(kGop, b.size(), 4)));
    EXPECT_EQ(100, f.PositionOf(f.FindBackward(kGop, 0x80000 + 8, 4)));
    EXPECT_EQ(0x80000 + 5, f.PositionOf(f.FindForward(kGop, 101, 4)));
    EXPECT_EQ(nullptr, f.FindForward(kGop, 0x80000 + 6, 4));
}

TEST(MappedFile, OpensPathLongerThan128Characters)
{
    std::string dir = std::string(ONDRIX_BINARY_DIR) + "/parvane-editor-long-path-";
    dir += std::string(100, 'd');
    CreateDirectoryA(dir.c_str(), NULL);
    std::string path = dir + "/recording-with-a-long-name-2026-12-10.mpg";
    ASSERT_GT(path.size(), 128u);
    WriteFileBytes(path, Pattern(4096));
    CMappedFile f(path.c_str());
    EXPECT_TRUE(f.IsOk());
}
