#include "hardware/bus/QM42RegisterAccess.h"
#include "tests/hardware/support/FastBusClock.h"
#include "tests/hardware/support/RecordingPropertySet.h"

#include <gtest/gtest.h>

namespace {
TEST(QM42Bus, TheVendorTransportWithoutItsResetLine)
{
    CFastBusClock clock;
    CRecordingPropertySet props;
    CQM42RegisterAccess access;
    ASSERT_EQ(S_OK, access.Attach(&props, 0));
    EXPECT_EQ(S_OK, access.SetGpioLine(1));
    EXPECT_EQ(S_OK, access.SetGpioLine(0));
    EXPECT_TRUE(props.Calls().empty());
    EXPECT_EQ(S_OK, access.WriteGpioDelayed(0x1000, 0x3000, 7));
    EXPECT_EQ(4u, props.Calls().size());
    EXPECT_EQ(std::vector<DWORD>({ 120 }), clock.Sleeps());
    EXPECT_EQ(S_OK, access.Command7(1));
    EXPECT_EQ(4u, props.Calls().size());
}
}  // namespace
