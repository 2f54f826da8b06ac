#pragma once
// Drawing on an off-screen picture with the meaning the editor's painting expects: pens of a
// width, a style and a colour value, never antialiased; a pen wider than one pixel draws
// solid whatever its style; a line from a point to itself draws nothing; text is written on
// an opaque background. The picture is painted only while a Canvas over it lives.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <span>

#include "platform/core/colors.h"

namespace movra::platform {

enum class PenStyle { Solid, Dot, DashDot };

// How the pen combines with what the picture holds.
enum class PenMode { Copy, Xor, NotXor };

struct PenT {
  ColorValue Color = 0;
  int Width = 1;  // pixels; 0 counts as 1
  PenStyle Style = PenStyle::Solid;
  friend bool operator==(const PenT&, const PenT&) = default;
};

class Canvas {
 public:
  explicit Canvas(QImage& Image);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }

  const PenT& Pen() const { return pen_; }
  void SetPen(const PenT& Pen) { pen_ = Pen; }
  void SetPen(ColorValue Color, int Width, PenStyle Style) { pen_ = {Color, Width, Style}; }
  ColorValue BrushColor() const { return brush_; }
  void SetBrushColor(ColorValue Color) { brush_ = Color; }
  PenMode Mode() const { return mode_; }
  void SetMode(PenMode Mode);
  // The dotted and dash-dot patterns start this many pixels into themselves on the next line,
  // so that a line whose start was cut away keeps the dots where they were.
  void SetDashOffset(double Pixels) { dashOffset_ = Pixels; }

  // The whole picture in one colour.
  void Fill(ColorValue Color);
  void Line(int X1, int Y1, int X2, int Y2);
  // Lines through the points in turn.
  void Polyline(std::span<const QPoint> Points);
  // The closed polygon filled with the brush and outlined with the pen.
  void Polygon(std::span<const QPoint> Points);
  // Filled with the brush, outlined with the pen; the right and bottom edges lie outside.
  void Rectangle(int X1, int Y1, int X2, int Y2);

  void SetFont(const QFont& Font);
  const QFont& Font() const { return font_; }
  // Text in Color whose cell's top left corner is (X, Y), on a box of Background.
  void TextOut(int X, int Y, const QString& Text, ColorValue Color, ColorValue Background);
  // Height of a line of text in the current font, in pixels.
  int TextHeight() const;

 private:
  void ApplyPen();
  // A one-pixel line straight into the pixels, pattern and mode applied, its last pixel left
  // out; Phase is the pattern position of its first pixel. Returns the pixels it stepped.
  int ThinLine(int X1, int Y1, int X2, int Y2, int Phase);
  // Thin lines go straight into the pixels when the picture's format allows it.
  bool Thin() const { return direct_ != nullptr && pen_.Width <= 1; }

  QImage& image_;
  QPainter painter_;
  QFont font_;
  PenT pen_;
  PenT applied_{-1, -1, PenStyle::Solid};
  double dashOffset_ = 0.0;
  bool offsetApplied_ = false;
  ColorValue brush_ = 0xFFFFFF;
  PenMode mode_ = PenMode::Copy;
  std::uint8_t* direct_ = nullptr;  // first pixel row of a 32-bit picture, or null
  qsizetype stride_ = 0;            // bytes per row
};

}  // namespace movra::platform
