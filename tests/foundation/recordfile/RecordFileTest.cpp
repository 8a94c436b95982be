#include "foundation/RecordFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT kSize = 32;

class RecordFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_dir = std::string(ONDRIX_BINARY_DIR) + "/tmp-recordfile";
    CreateDirectoryA(m_dir.c_str(), NULL);
    m_path = m_dir + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
    DeleteFileA(m_path.c_str());
    DeleteFileA((m_path + ".bak").c_str());
  }

  std::vector<BYTE> FileBytes(const std::string& path) {
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              0, NULL);
    if (file == INVALID_HANDLE_VALUE)
      return bytes;
    bytes.resize(GetFileSize(file, NULL));
    DWORD done = 0;
    if (!bytes.empty())
      ReadFile(file, bytes.data(), (DWORD)bytes.size(), &done, NULL);
    CloseHandle(file);
    return bytes;
  }

  void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD done = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &done, NULL);
    CloseHandle(file);
  }

  static DWORD U32(const std::vector<BYTE>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | ((DWORD)b[at + 3] << 24);
  }

  static std::vector<BYTE> Header(DWORD size, DWORD live, DWORD slots) {
    std::vector<BYTE> b(256, 0);
    memcpy(&b[0], &size, 4);
    memcpy(&b[4], &live, 4);
    memcpy(&b[8], &slots, 4);
    return b;
  }

  std::string m_dir;
  std::string m_path;
};

}  // namespace

TEST_F(RecordFileTest, NewFileHoldsOnlyTheHeader) {
  CRecordFile file;
  EXPECT_EQ(512u, file.GetRecordSize());
  EXPECT_FALSE(file.IsOpen());
  ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
  EXPECT_TRUE(file.IsOpen());
  EXPECT_EQ(kSize, file.GetRecordSize());
  EXPECT_EQ(0u, file.GetRecordCount());
  EXPECT_TRUE(file.Close());
  EXPECT_FALSE(file.Close());
  const std::vector<BYTE> bytes = FileBytes(m_path);
  ASSERT_EQ(256u, bytes.size());
  EXPECT_EQ(kSize, U32(bytes, 0));
  EXPECT_EQ(0u, U32(bytes, 4));
  EXPECT_EQ(0u, U32(bytes, 8));
  for (size_t i = 12; i < 256; ++i)
    ASSERT_EQ(0, bytes[i]);
}

TEST_F(RecordFileTest, AppendWritesSlotLayout) {
  CRecordFile file;
  ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
  EXPECT_EQ(0, file.Append("abc", 3));
  EXPECT_EQ(1, file.Append("defgh", 5));
  file.Close();
  const std::vector<BYTE> bytes = FileBytes(m_path);
  ASSERT_EQ(256u + 2 * (kSize + 8), bytes.size());
  EXPECT_EQ(2u, U32(bytes, 4));
  EXPECT_EQ(2u, U32(bytes, 8));
  const size_t slot1 = 256 + kSize + 8;
  EXPECT_EQ(1u, U32(bytes, slot1));
  EXPECT_EQ(0u, U32(bytes, slot1 + 4));
  EXPECT_EQ(0, memcmp(&bytes[slot1 + 8], "defgh", 5));
  for (size_t i = 5; i < kSize; ++i)
    ASSERT_EQ(0, bytes[slot1 + 8 + i]);
}

TEST_F(RecordFileTest, AppendRefusals) {
  CRecordFile file;
  char big[kSize + 1] = {};
  EXPECT_EQ(-1, file.Append("x", 1));  // closed
  ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
  EXPECT_EQ(-1, file.Append(nullptr, 1));
  EXPECT_EQ(-1, file.Append(big, kSize + 1));
  EXPECT_EQ(0, file.Append(big, kSize));
}

TEST_F(RecordFileTest, ReopenKeepsRecordsAndOwnSize) {
  {
    CRecordFile file;
    ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
    file.Append("one", 3);
    file.Append("two", 3);
  }
  CRecordFile file;
  // A smaller asked size keeps the file's own record size.
  ASSERT_TRUE(file.Open(m_path.c_str(), 16));
  EXPECT_EQ(kSize, file.GetRecordSize());
  EXPECT_EQ(2u, file.GetRecordCount());
  char buffer[kSize];
  ASSERT_TRUE(file.Read(1, buffer, sizeof buffer));
  EXPECT_STREQ("two", buffer);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_path + ".bak").c_str()));
}

TEST_F(RecordFileTest, LargerAskedSizeReplacesTheFile) {
  {
    CRecordFile file;
    ASSERT_TRUE(file.Open(m_path.c_str(), 16));
    file.Append("one", 3);
  }
  CRecordFile file;
  ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
  EXPECT_EQ(kSize, file.GetRecordSize());
  EXPECT_EQ(0u, file.GetRecordCount());
  EXPECT_EQ(256u + 16 + 8, FileBytes(m_path + ".bak").size());
}

TEST_F(RecordFileTest, LengthMismatchMovesFileToBackup) {
  std::vector<BYTE> damaged = Header(kSize, 1, 1);
  damaged.resize(256 + kSize + 8 - 1, 0x55);
  WriteBytes(m_path, damaged);
  CRecordFile file;
  ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
  EXPECT_EQ(0u, file.GetRecordCount());
  file.Close();
  EXPECT_EQ(256u, FileBytes(m_path).size());
  EXPECT_EQ(damaged, FileBytes(m_path + ".bak"));
}

TEST_F(RecordFileTest, ShortHeaderIsDamage) {
  WriteBytes(m_path, std::vector<BYTE>(100, 0));
  CRecordFile file;
  ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
  file.Close();
  EXPECT_EQ(256u, FileBytes(m_path).size());
  EXPECT_EQ(100u, FileBytes(m_path + ".bak").size());
}

// A record size beyond the 256 bytes a slot transfer holds would overrun the slot buffer.
struct SizeRow {
  DWORD headerSize;
  bool kept;
};

TEST_F(RecordFileTest, RecordSizeFromHeaderIsBounded) {
  const SizeRow rows[] = {{255, true}, {256, true}, {257, false}, {512, false}, {0x7FFFFFFF, false}};
  for (const SizeRow& row : rows) {
    std::vector<BYTE> bytes = Header(row.headerSize, 1, 1);
    const ULONGLONG total = 256ull + row.headerSize + 8;
    if (total < (1u << 20))
      bytes.resize((size_t)total, 0);
    WriteBytes(m_path, bytes);
    DeleteFileA((m_path + ".bak").c_str());
    CRecordFile file;
    ASSERT_TRUE(file.Open(m_path.c_str(), 8)) << row.headerSize;
    if (row.kept) {
      EXPECT_EQ(row.headerSize, file.GetRecordSize());
      EXPECT_EQ(1u, file.GetRecordCount());
      std::vector<BYTE> buffer(row.headerSize);
      EXPECT_TRUE(file.Read(0, buffer.data(), (UINT)buffer.size()));
    } else {
      EXPECT_EQ(8u, file.GetRecordSize()) << row.headerSize;
      EXPECT_EQ(0u, file.GetRecordCount());
      EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_path + ".bak").c_str()));
    }
  }
}

TEST_F(RecordFileTest, AskedSizeIsCapped) {
  CRecordFile file;
  EXPECT_FALSE(file.Open(m_path.c_str(), 0));
  ASSERT_TRUE(file.Open(m_path.c_str(), 512));
  EXPECT_EQ(256u, file.GetRecordSize());
  std::vector<BYTE> data(257, 0xAB);
  EXPECT_EQ(-1, file.Append(data.data(), 257));
  EXPECT_EQ(0, file.Append(data.data(), 256));
  std::vector<BYTE> back(256);
  ASSERT_TRUE(file.Read(0, back.data(), 256));
  EXPECT_EQ(0xAB, back[255]);
}

TEST_F(RecordFileTest, ReadRefusals) {
  CRecordFile file;
  char buffer[kSize];
  EXPECT_FALSE(file.Read(0, buffer, sizeof buffer));
  ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
  file.Append("a", 1);
  EXPECT_FALSE(file.Read(0, buffer, kSize - 1));
  EXPECT_FALSE(file.Read(1, buffer, kSize));
  EXPECT_TRUE(file.Read(0, buffer, kSize));
  ASSERT_TRUE(file.Delete(0));
  EXPECT_FALSE(file.Read(0, buffer, kSize));
}

TEST_F(RecordFileTest, WriteAfterDeletionReachesEverySlot) {
  CRecordFile file;
  ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
  file.Append("r0", 2);
  file.Append("r1", 2);
  file.Append("r2", 2);
  ASSERT_TRUE(file.Delete(0));
  EXPECT_EQ(3u, file.GetRecordCount());
  EXPECT_EQ(2u, file.GetLiveCount());
  // Slot 2 is live although the live count is 2.
  EXPECT_TRUE(file.Write(2, "new", 3));
  char buffer[kSize];
  ASSERT_TRUE(file.Read(2, buffer, kSize));
  EXPECT_STREQ("new", buffer);
  EXPECT_FALSE(file.Write(0, "x", 1));  // deleted
  EXPECT_FALSE(file.Write(3, "x", 1));  // past the slots
  EXPECT_FALSE(file.Write(1, nullptr, 1));
  char big[kSize + 1] = {};
  EXPECT_FALSE(file.Write(1, big, kSize + 1));
}

TEST_F(RecordFileTest, DeletingTwiceCountsOnce) {
  CRecordFile file;
  ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
  file.Append("a", 1);
  file.Append("b", 1);
  ASSERT_TRUE(file.Delete(1));
  EXPECT_EQ(1u, file.GetLiveCount());
  EXPECT_FALSE(file.Delete(1));
  EXPECT_EQ(1u, file.GetLiveCount());
  file.Close();
  const std::vector<BYTE> bytes = FileBytes(m_path);
  EXPECT_EQ(1u, U32(bytes, 4));
  EXPECT_EQ(1u, U32(bytes, 256 + kSize + 8 + 4));
}

TEST_F(RecordFileTest, DeleteOutOfRangeCompacts) {
  CRecordFile file;
  ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
  file.Append("a", 1);
  file.Append("b", 1);
  ASSERT_TRUE(file.Delete(0));
  EXPECT_FALSE(file.Delete(7));
  EXPECT_EQ(1u, file.GetRecordCount());
  char buffer[kSize];
  ASSERT_TRUE(file.Read(0, buffer, kSize));
  EXPECT_STREQ("b", buffer);
}

TEST_F(RecordFileTest, CompactAfterDeletingTheMiddle) {
  CRecordFile file;
  ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
  file.Append("first", 5);
  file.Append("middle", 6);
  file.Append("last", 4);
  ASSERT_TRUE(file.Delete(1));
  ASSERT_TRUE(file.Compact());
  EXPECT_EQ(2u, file.GetRecordCount());
  EXPECT_EQ(2u, file.GetLiveCount());
  char buffer[kSize];
  ASSERT_TRUE(file.Read(1, buffer, kSize));
  EXPECT_STREQ("last", buffer);
  file.Close();
  const std::vector<BYTE> bytes = FileBytes(m_path);
  ASSERT_EQ(256u + 2 * (kSize + 8), bytes.size());
  EXPECT_EQ(0u, U32(bytes, 256));
  EXPECT_EQ(1u, U32(bytes, 256 + kSize + 8));
  EXPECT_EQ(0u, U32(bytes, 256 + kSize + 8 + 4));
  EXPECT_EQ(2u, U32(bytes, 4));
  EXPECT_EQ(2u, U32(bytes, 8));
}

TEST_F(RecordFileTest, TruncateLeavesTheHeader) {
  CRecordFile file;
  EXPECT_FALSE(file.Truncate());
  ASSERT_TRUE(file.Open(m_path.c_str(), kSize));
  file.Append("a", 1);
  EXPECT_TRUE(file.Truncate());
  EXPECT_EQ(0u, file.GetRecordCount());
  file.Close();
  const std::vector<BYTE> bytes = FileBytes(m_path);
  ASSERT_EQ(256u, bytes.size());
  EXPECT_EQ(0u, U32(bytes, 8));
}

TEST_F(RecordFileTest, FolderPathFails) {
  CRecordFile file;
  EXPECT_FALSE(file.Open(m_dir.c_str(), kSize));
  EXPECT_FALSE(file.IsOpen());
}
