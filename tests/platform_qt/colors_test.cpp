#include "platform/qt/colors.h"

#include <gtest/gtest.h>

namespace movra::platform {
namespace {

TEST(ColorValueToQColor, RedInTheLowByteBlueInTheHigh) {
  EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(ToQColor(0xC51489), QColor(0x89, 0x14, 0xC5));
  EXPECT_EQ(FromQColor(QColor(0x89, 0x14, 0xC5)), 0xC51489);
  EXPECT_EQ(FromQColor(QColor(0x89, 0x14, 0xC5, 10)), 0xC51489);  // alpha has no place
  EXPECT_EQ(FromQColor(ToQColor(0x808080)), 0x808080);
}

}  // namespace
}  // namespace movra::platform
