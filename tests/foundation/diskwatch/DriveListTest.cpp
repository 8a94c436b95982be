#include "foundation/DriveList.h"

#include <gtest/gtest.h>
#include <cstring>
#include <vector>

#include "FakeDisks.h"

namespace {

class DriveTest : public ::testing::Test {
protected:
  void SetUp() override { FakeDisks().clear(); }
  void TearDown() override {
    CDriveInfo::SetSpaceQuery(nullptr);
    CDriveList::SetDriveTypeQuery(nullptr);
  }
};

std::vector<std::string> FixedRootsOfTheSystem() {
  char buffer[MAX_PATH + 2] = {};
  GetLogicalDriveStringsA(MAX_PATH, buffer);
  std::vector<std::string> roots;
  for (const char* r = buffer; *r; r += std::strlen(r) + 1)
    if (GetDriveTypeA(r) == DRIVE_FIXED) roots.push_back(r);
  return roots;
}

TEST_F(DriveTest, RootIsCutToThreeCharacters) {
  struct Row { const char* given; const char* root; } rows[] = {
      {"D:\\Video", "D:\\"}, {"D:\\V", "D:\\"}, {"D:\\", "D:\\"}, {"D:", "D:"}, {"", ""}};
  for (auto& r : rows) EXPECT_STREQ(r.root, CDriveInfo(r.given).GetRoot()) << r.given;
  CDriveInfo fresh("C:\\");
  EXPECT_EQ(1, fresh.GetTotalMB());
  EXPECT_TRUE(fresh.GetVolumeLabel().IsEmpty());
  EXPECT_TRUE(fresh.GetDescription().IsEmpty());
}

TEST_F(DriveTest, RealSystemDisk) {
  CDriveInfo c("C:\\");
  ASSERT_TRUE(c.Refresh());
  EXPECT_GT(c.GetTotalMB(), 1);
  int free = c.GetFreeMB();
  EXPECT_GE(free, 0);
  EXPECT_LE(free, c.GetTotalMB());
  EXPECT_LE(c.GetFreePercent(), 100);
  CDriveInfo missing("Q:\\");
  EXPECT_FALSE(missing.Refresh());
  EXPECT_EQ(1, missing.GetTotalMB());
  EXPECT_EQ(0, missing.GetFreeMB());
}

TEST_F(DriveTest, SizesInWholeMegabytes) {
  CDriveInfo::SetSpaceQuery(FakeSpaceQuery);
  struct Row { ULONGLONG total, free; int percent; } rows[] = {
      {100000, 2500, 2}, {100000, 100000, 100}, {100, 0, 0}, {0, 0, 0}, {3, 1, 33}, {4000000, 3000000, 75},
      {40000000, 30000000, 75}};  // free MB x 100 beyond 32 bits
  for (auto& r : rows) {
    FakeDisks()["E:\\"] = {r.total, r.free};
    CDriveInfo e("E:\\");
    ASSERT_TRUE(e.Refresh());
    EXPECT_EQ(static_cast<int>(r.total), e.GetTotalMB());
    EXPECT_EQ(static_cast<int>(r.free), e.GetFreeMB());
    EXPECT_EQ(r.percent, e.GetFreePercent()) << r.total << "/" << r.free;
  }
}

TEST_F(DriveTest, FailedQueryKeepsTheLastValues) {
  CDriveInfo::SetSpaceQuery(FakeSpaceQuery);
  FakeDisks()["E:\\"] = {1000, 400};
  CDriveInfo e("E:\\");
  ASSERT_TRUE(e.Refresh());
  FakeDisks().clear();
  EXPECT_FALSE(e.Refresh());
  EXPECT_EQ(400, e.GetFreeMB());
  EXPECT_EQ(1000, e.GetTotalMB());
}

TEST_F(DriveTest, ListHoldsTheFixedDisksInSystemOrder) {
  CDriveList list;
  ASSERT_TRUE(list.Refresh());
  std::vector<std::string> expected = FixedRootsOfTheSystem();
  ASSERT_EQ(static_cast<int>(expected.size()), list.GetCount());
  for (int i = 0; i < list.GetCount(); ++i) EXPECT_STREQ(expected[i].c_str(), list.GetAt(i)->GetRoot());
  EXPECT_EQ(nullptr, list.GetAt(list.GetCount()));
  EXPECT_EQ(nullptr, list.GetAt(-1));
  ASSERT_NE(nullptr, list.FindByRoot("c:\\"));
  EXPECT_STREQ("C:\\", list.FindByRoot("c:\\")->GetRoot());
  EXPECT_EQ(nullptr, list.FindByRoot("Q:\\"));
  CPtrArray byLabel;
  EXPECT_TRUE(list.FindByLabel(list.FindByRoot("C:\\")->GetVolumeLabel(), byLabel));
  EXPECT_GE(byLabel.GetSize(), 1);
  list.Clear();
  EXPECT_EQ(0, list.GetCount());
}

UINT CdAndNetworkBesideC(LPCSTR root) {
  if (lstrcmpiA(root, "C:\\") == 0) return DRIVE_FIXED;
  return root[0] % 2 ? DRIVE_CDROM : DRIVE_REMOTE;
}

TEST_F(DriveTest, OnlyFixedDisksAreListed) {
  CDriveList::SetDriveTypeQuery(CdAndNetworkBesideC);
  CDriveList list;
  ASSERT_TRUE(list.Refresh());
  ASSERT_EQ(1, list.GetCount());
  EXPECT_STREQ("C:\\", list.GetAt(0)->GetRoot());
}

TEST_F(DriveTest, CollectByFreeSpaceAroundTheLimit) {
  CDriveInfo::SetSpaceQuery(FakeSpaceQuery);
  for (const std::string& root : FixedRootsOfTheSystem()) FakeDisks()[root] = {100000, 50000};
  FakeDisks()["C:\\"] = {100000, 300};
  CDriveList list;
  ASSERT_TRUE(list.Refresh());
  struct Row { int limit; BOOL above; bool cFound; } rows[] = {
      {299, TRUE, true}, {300, TRUE, false}, {301, FALSE, true}, {300, FALSE, false}};
  for (auto& r : rows) {
    CPtrArray found;
    list.CollectByFreeSpace(r.limit, found, r.above);
    bool cFound = false;
    for (INT_PTR i = 0; i < found.GetSize(); ++i)
      cFound |= static_cast<CDriveInfo*>(found[i])->GetRoot() == "C:\\";
    EXPECT_EQ(r.cFound, cFound) << r.limit << (r.above ? " above" : " below");
  }
  CPtrArray none;
  EXPECT_FALSE(list.CollectByFreeSpace(1000000, none, TRUE));
  EXPECT_EQ(0, none.GetSize());
}

}  // namespace
