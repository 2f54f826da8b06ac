#include "platform/core/colors.h"

#include <gtest/gtest.h>

namespace movra::platform {
namespace {

TEST(ColorValue, RedIsTheLowByte) {
  static_assert(MakeColor(255, 0, 0) == 0x0000FF);
  static_assert(MakeColor(0, 0, 255) == 0xFF0000);
  static_assert(MakeColor(0x12, 0x34, 0x56) == 0x563412);
  EXPECT_EQ(ColorRed(0xC51489), 0x89);
  EXPECT_EQ(ColorGreen(0xC51489), 0x14);
  EXPECT_EQ(ColorBlue(0xC51489), 0xC5);
  // A value with a high byte (as read from a file) still gives its three parts.
  EXPECT_EQ(ColorRed(-1), 255);
  EXPECT_EQ(ColorBlue(-1), 255);
  EXPECT_EQ(MakeColor(256 + 1, -1, 0), 0x00FF01);
}

}  // namespace
}  // namespace movra::platform
