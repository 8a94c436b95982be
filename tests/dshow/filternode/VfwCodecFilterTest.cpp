#include "dshow/VfwCodecFilter.h"
#include "tests/dshow/DShowTestUtil.h"

#include <gtest/gtest.h>

namespace {

const CLSID kUnregistered = { 0x5b1d1e0a, 0x3c0f, 0x4f6e, { 0x9a, 0x11, 0x27, 0x60, 0x4d, 0x01, 0xa1, 0x13 } };

}  // namespace

TEST(VfwCodecFilter, AFilterWithoutDialogsStaysValid)
{
    ComScope com;
    CVfwCodecFilter codec(nullptr, CLSID_NullRenderer);
    EXPECT_TRUE(codec.IsValid());
    EXPECT_EQ(nullptr, codec.GetDialogs());
    EXPECT_FALSE(codec.ShowDialog(VfwCompressDialog_QueryConfig, NULL));
    BYTE state[16];
    int cbState = sizeof(state);
    EXPECT_FALSE(codec.GetState(state, &cbState));
    EXPECT_FALSE(codec.SetState(state, cbState));
    EXPECT_TRUE(codec.Initfilter());
}

TEST(VfwCodecFilter, WithoutAFilterItIsNotValid)
{
    ComScope com;
    CVfwCodecFilter codec(nullptr, kUnregistered);
    EXPECT_FALSE(codec.IsValid());
    EXPECT_FALSE(codec.Initfilter());
    EXPECT_EQ(nullptr, codec.GetDialogs());
}

TEST(VfwCodecFilter, TheSystemsCompressorsByName)
{
    ComScope com;
    std::vector<std::string> names = EnumeratedNames(CLSID_VideoCompressorCategory);
    if (names.empty())
        GTEST_SKIP() << "no video compressor in this prefix";
    for (const std::string& name : names)
    {
        CVfwCodecFilter codec(nullptr, &CLSID_VideoCompressorCategory, name.c_str(), FALSE);
        ASSERT_TRUE(codec.IsValid()) << name;
        ComPtr<IAMVfwCompressDialogs> pDialogs;
        HRESULT hr = ComQuery(codec.GetFilter(), IID_IAMVfwCompressDialogs, pDialogs);
        EXPECT_EQ(SUCCEEDED(hr), codec.GetDialogs() != nullptr) << name;
        int cbState = 0;
        EXPECT_FALSE(codec.GetState(nullptr, nullptr)) << name;
        if (codec.GetDialogs() != nullptr)
            codec.GetState(nullptr, &cbState);
    }
}
