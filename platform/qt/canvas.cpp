#include "platform/qt/canvas.h"

#include <QFontMetrics>
#include <QPen>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/qt/colors.h"

namespace movra::platform {
namespace {

// Dots and dash-dots of a one-pixel pen, in pixels on and off.
const QVector<qreal> kDotPattern{3, 3};
const QVector<qreal> kDashDotPattern{9, 6, 3, 6};
constexpr int kDotPeriod = 6;
constexpr int kDashDotPeriod = 24;

// Which pixels of a pattern's period are inked.
struct Pattern {
  int Period;
  std::array<bool, kDashDotPeriod> On;
};
constexpr Pattern kSolid{1, {true}};
constexpr Pattern kDot{kDotPeriod, {true, true, true, false, false, false}};
constexpr Pattern kDashDot{kDashDotPeriod,
                           {true,  true,  true,  true,  true,  true,  true,  true,
                            true,  false, false, false, false, false, false, true,
                            true,  true,  false, false, false, false, false, false}};

const Pattern& PatternOf(PenStyle Style) {
  switch (Style) {
    case PenStyle::Dot:
      return kDot;
    case PenStyle::DashDot:
      return kDashDot;
    case PenStyle::Solid:
      break;
  }
  return kSolid;
}

// The pixel value of a colour value in a 32-bit picture.
std::uint32_t Pixel32(ColorValue Color) {
  return 0xFF000000u | (static_cast<std::uint32_t>(ColorRed(Color)) << 16) |
         (static_cast<std::uint32_t>(ColorGreen(Color)) << 8) |
         static_cast<std::uint32_t>(ColorBlue(Color));
}


}  // namespace

Canvas::Canvas(QImage& Image) : image_(Image) {
  // Taken before the painter holds the picture, so that no copy is made of it.
  if (!image_.isNull() && image_.format() == QImage::Format_RGB32) {
    direct_ = image_.bits();
    stride_ = image_.bytesPerLine();
  }
  if (!image_.isNull()) painter_.begin(&image_);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, false);
  font_.setStyleStrategy(QFont::NoAntialias);
}

Canvas::~Canvas() {
  if (painter_.isActive()) painter_.end();
}

void Canvas::SetMode(PenMode Mode) {
  mode_ = Mode;
  if (!painter_.isActive()) return;
  switch (Mode) {
    case PenMode::Copy:
      painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
      break;
    case PenMode::Xor:
      painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      break;
    case PenMode::NotXor:
      painter_.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
      break;
  }
}

void Canvas::ApplyPen() {
  const bool offset = dashOffset_ != 0.0;
  if (pen_ == applied_ && !offset && !offsetApplied_) return;
  QPen pen(ToQColor(pen_.Color));
  pen.setCosmetic(true);
  pen.setJoinStyle(Qt::MiterJoin);
  if (pen_.Width > 1) {
    // A wide pen is always solid, with round ends.
    pen.setWidth(pen_.Width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  } else {
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    if (pen_.Style == PenStyle::Dot) pen.setDashPattern(kDotPattern);
    if (pen_.Style == PenStyle::DashDot) pen.setDashPattern(kDashDotPattern);
    if (pen_.Style != PenStyle::Solid && offset) pen.setDashOffset(dashOffset_);
  }
  painter_.setPen(pen);
  applied_ = pen_;
  offsetApplied_ = offset;
  dashOffset_ = 0.0;
}

void Canvas::Fill(ColorValue Color) {
  if (painter_.isActive()) painter_.fillRect(image_.rect(), ToQColor(Color));
}

int Canvas::ThinLine(int X1, int Y1, int X2, int Y2, int Phase) {
  const long long dx = static_cast<long long>(X2) - X1, dy = static_cast<long long>(Y2) - Y1;
  const long long adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  // Along the major axis: steps k = 0 .. n - 1; the minor coordinate is the nearest pixel
  // to the true line, counted incrementally as q + r / (2n).
  const long long n = xMajor ? adx : ady, m = xMajor ? ady : adx;
  const int major0 = xMajor ? X1 : Y1, minor0 = xMajor ? Y1 : X1;
  const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const long long majorSize = xMajor ? Width() : Height();
  const long long minorSize = xMajor ? Height() : Width();
  // Only the steps whose major coordinate lies in the picture.
  long long k0 = majorStep > 0 ? -static_cast<long long>(major0) : major0 - (majorSize - 1);
  long long k1 = majorStep > 0 ? majorSize - 1 - major0 : major0;
  k0 = std::max(k0, 0LL);
  k1 = std::min(k1, n - 1);
  const std::uint32_t color = Pixel32(pen_.Color);
  const Pattern& pattern = PatternOf(pen_.Style);
  const long long twoN = 2 * n;
  // From the first step no division is needed: q = 0, r = n.
  long long q = 0, r = n;
  if (k0 > 0) {
    const long long num = 2 * k0 * m + n;
    q = num / twoN;
    r = num % twoN;
  }
  int phase = static_cast<int>((Phase + k0) % pattern.Period);
  for (long long k = k0; k <= k1; ++k) {
    const long long minor = minor0 + minorStep * q;
    const bool on = pattern.On[static_cast<std::size_t>(phase)];
    if (++phase == pattern.Period) phase = 0;
    if (on && minor >= 0 && minor < minorSize) {
      const long long major = major0 + majorStep * k;
      const long long x = xMajor ? major : minor, y = xMajor ? minor : major;
      auto* pixel = reinterpret_cast<std::uint32_t*>(direct_ + y * stride_) + x;
      switch (mode_) {
        case PenMode::Copy:
          *pixel = color;
          break;
        case PenMode::Xor:
          *pixel = (*pixel ^ color) | 0xFF000000u;
          break;
        case PenMode::NotXor:
          *pixel = ~(*pixel ^ color) | 0xFF000000u;
          break;
      }
    }
    r += 2 * m;
    if (r >= twoN) {
      r -= twoN;
      ++q;
    }
  }
  return static_cast<int>(std::min<long long>(n, 1 << 30));
}

void Canvas::Line(int X1, int Y1, int X2, int Y2) {
  if (!painter_.isActive() || (X1 == X2 && Y1 == Y2)) return;
  if (Thin()) {
    const int phase = static_cast<int>(std::lround(dashOffset_));
    dashOffset_ = 0.0;
    ThinLine(X1, Y1, X2, Y2, std::max(phase, 0));
    return;
  }
  ApplyPen();
  painter_.drawLine(X1, Y1, X2, Y2);
}

void Canvas::Polyline(std::span<const QPoint> Points) {
  if (!painter_.isActive() || Points.size() < 2) return;
  if (Thin()) {
    // The pattern runs on from one line of the polyline to the next.
    int phase = 0;
    for (std::size_t i = 1; i < Points.size(); ++i)
      phase = (phase + ThinLine(Points[i - 1].x(), Points[i - 1].y(), Points[i].x(),
                                Points[i].y(), phase)) %
              (kDotPeriod * kDashDotPeriod);
    return;
  }
  ApplyPen();
  painter_.drawPolyline(Points.data(), static_cast<int>(Points.size()));
}

void Canvas::Polygon(std::span<const QPoint> Points) {
  if (!painter_.isActive() || Points.size() < 2) return;
  ApplyPen();
  painter_.setBrush(ToQColor(brush_));
  painter_.drawPolygon(Points.data(), static_cast<int>(Points.size()));
  painter_.setBrush(Qt::NoBrush);
}

void Canvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  if (!painter_.isActive()) return;
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  if (X2 - X1 < 1 || Y2 - Y1 < 1) return;
  ApplyPen();
  painter_.setBrush(ToQColor(brush_));
  // The outline's pixels run along the inside of the rectangle.
  painter_.drawRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1);
  painter_.setBrush(Qt::NoBrush);
}

void Canvas::SetFont(const QFont& Font) {
  font_ = Font;
  font_.setStyleStrategy(QFont::NoAntialias);
}

int Canvas::TextHeight() const { return QFontMetrics(font_).height(); }

void Canvas::TextOut(int X, int Y, const QString& Text, ColorValue Color, ColorValue Background) {
  if (!painter_.isActive() || Text.isEmpty()) return;
  const QFontMetrics metrics(font_);
  painter_.fillRect(QRect(X, Y, metrics.horizontalAdvance(Text), metrics.height()),
                    ToQColor(Background));
  painter_.setFont(font_);
  painter_.setPen(ToQColor(Color));
  painter_.drawText(X, Y + metrics.ascent(), Text);
  applied_ = {-1, -1, PenStyle::Solid};  // the line pen is set again before the next line
}

}  // namespace movra::platform
