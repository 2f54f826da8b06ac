#include "platform/qt/canvas.h"

#include <QFontMetrics>
#include <QPen>
#include <QVector>
#include <utility>

#include "platform/qt/colors.h"

namespace movra::platform {
namespace {

// Dots and dash-dots of a one-pixel pen, in pixels on and off.
const QVector<qreal> kDotPattern{3, 3};
const QVector<qreal> kDashDotPattern{9, 6, 3, 6};

}  // namespace

Canvas::Canvas(QImage& Image) : image_(Image) {
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

void Canvas::Line(int X1, int Y1, int X2, int Y2) {
  if (!painter_.isActive() || (X1 == X2 && Y1 == Y2)) return;
  ApplyPen();
  painter_.drawLine(X1, Y1, X2, Y2);
}

void Canvas::Polyline(std::span<const QPoint> Points) {
  if (!painter_.isActive() || Points.size() < 2) return;
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
