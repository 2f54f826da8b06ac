#pragma once
// Colour values of the platform: a signed 32-bit integer 0x00BBGGRR, red in the low byte.
#include <cstdint>

namespace movra::platform {

using ColorValue = std::int32_t;

constexpr int ColorRed(ColorValue Color) { return static_cast<int>(Color & 0xFF); }
constexpr int ColorGreen(ColorValue Color) { return static_cast<int>((Color >> 8) & 0xFF); }
constexpr int ColorBlue(ColorValue Color) { return static_cast<int>((Color >> 16) & 0xFF); }

// Each part is taken modulo 256, as the platform's macro does.
constexpr ColorValue MakeColor(int Red, int Green, int Blue) {
  return static_cast<ColorValue>((static_cast<std::uint32_t>(Red) & 0xFFu) |
                                 ((static_cast<std::uint32_t>(Green) & 0xFFu) << 8) |
                                 ((static_cast<std::uint32_t>(Blue) & 0xFFu) << 16));
}

}  // namespace movra::platform
