#include <gtest/gtest.h>
#include "parvane/ParvaneApi.h"

// Linked with Parvane's import library, as the pause filter is: the names below resolve to
// ordinals at link time (the DLL has no export names).
TEST(ParvaneImport, CallsResolveThroughTheImportLibrary)
{
    const char buffer[] = "xx\0\0\x01\xB8yy";
    EXPECT_EQ(2, FindBytes(buffer, 8, "\0\0\x01\xB8", 4));
    ASSERT_EQ(1, CreateNavPack());
    int size = 0;
    unsigned char* pack = GetNavPack(&size);
    ASSERT_NE(nullptr, pack);
    EXPECT_EQ(2048, size);
    SetNavPackLbn(7);
    EXPECT_EQ(7, pack[45 + 3]);
    DeleteNavPack();
    CloseMpegFile();
    double last = 0;
    int lostB = 0, first = 1;
    EXPECT_EQ(0, RestampChunks(nullptr, &last, &lostB, &first));
}
