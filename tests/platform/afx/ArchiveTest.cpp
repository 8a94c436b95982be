#include "platform/afx/Archive.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

std::string TempPath(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// The bytes an archive stores, written through a small buffer so that writes cross it.
std::string Stored(const std::function<void(CArchive&)>& write)
{
    const std::string path = TempPath("archive-test.bin");
    {
        CFile file;
        EXPECT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        CArchive ar(&file, CArchive::store, 16);
        write(ar);
        EXPECT_TRUE(ar.Close());
    }
    CFile file;
    file.Open(path.c_str(), CFile::modeRead);
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    if (!bytes.empty())
        file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    return bytes;
}

void Reading(const std::string& bytes, const std::function<void(CArchive&)>& read)
{
    const std::string path = TempPath("archive-read.bin");
    {
        CFile file;
        file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead | CFile::typeBinary));
    CArchive ar(&file, CArchive::load, 16);
    read(ar);
}

std::string Hex(const std::string& bytes, size_t count)
{
    std::string out;
    char part[4];
    for (size_t i = 0; i < count && i < bytes.size(); ++i)
    {
        sprintf(part, "%02X ", static_cast<unsigned char>(bytes[i]));
        out += part;
    }
    return out;
}

}  // namespace

TEST(ArchiveTest, CountsAndStringLengthsTakeTheirShortestForm)
{
    const struct
    {
        DWORD count;
        const char* head;
    } counts[] = {
        { 0, "00 00 " }, { 0xFFFE, "FE FF " }, { 0xFFFF, "FF FF FF FF 00 00 " }, { 0x12345, "FF FF 45 23 01 00 " }
    };
    for (const auto& row : counts)
    {
        const std::string bytes = Stored([&](CArchive& ar) { ar.WriteCount(row.count); });
        EXPECT_EQ(row.head, Hex(bytes, 8)) << row.count;
        Reading(bytes, [&](CArchive& ar) {
            EXPECT_EQ(row.count, ar.ReadCount());
            EXPECT_FALSE(ar.IsFailed());
        });
    }
    const struct
    {
        int length;
        const char* head;
    } strings[] = {
        { 0, "00 " }, { 254, "FE " }, { 255, "FF FF 00 " }, { 0xFFFD, "FF FD FF " }, { 0xFFFE, "FF FF FF FE FF 00 00 " }
    };
    for (const auto& row : strings)
    {
        const std::string text(row.length, 'x');
        const std::string bytes = Stored([&](CArchive& ar) { ar << CString(text.c_str()); });
        const size_t head = std::string(row.head).size() / 3;
        EXPECT_EQ(row.head, Hex(bytes, head)) << row.length;
        EXPECT_EQ(head + row.length, bytes.size()) << row.length;
        Reading(bytes, [&](CArchive& ar) {
            CString back;
            ar >> back;
            EXPECT_EQ(text, std::string(back));
            EXPECT_FALSE(ar.IsFailed());
            EXPECT_EQ(0u, ar.GetBytesLeft());
        });
    }
}

TEST(ArchiveTest, ReadingPastTheEndFailsAndGivesZeros)
{
    Reading(std::string("\x34\x12\x07", 3), [](CArchive& ar) {
        WORD first = 0;
        DWORD second = 99;
        ar >> first >> second;
        EXPECT_EQ(0x1234, first);
        EXPECT_EQ(0u, second);
        EXPECT_TRUE(ar.IsFailed());
        BYTE third = 5;
        ar >> third;
        EXPECT_EQ(0, third);
    });
    // A length beyond what the file holds is refused before anything is read.
    Reading(std::string("\xFF\xFF\xFF\x00\x00\x00\x40"
                        "abc",
                        10),
            [](CArchive& ar) {
                CString text = "old";
                ar >> text;
                EXPECT_TRUE(ar.IsFailed());
                EXPECT_TRUE(text.IsEmpty());
            });
}
