#pragma once
// Colour values of the platform (0x00BBGGRR) on the window side.
#include <QColor>

#include "platform/core/colors.h"

namespace movra::platform {

inline QColor ToQColor(ColorValue Color) {
  return QColor(ColorRed(Color), ColorGreen(Color), ColorBlue(Color));
}

// The alpha channel has no place in a colour value and is dropped.
inline ColorValue FromQColor(const QColor& Color) {
  const QColor rgb = Color.toRgb();
  return MakeColor(rgb.red(), rgb.green(), rgb.blue());
}

}  // namespace movra::platform
