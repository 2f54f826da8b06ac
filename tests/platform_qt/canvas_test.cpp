#include "platform/qt/canvas.h"

#include <gtest/gtest.h>

#include <QColor>

#include "platform/qt/colors.h"

namespace movra::platform {
namespace {

constexpr ColorValue kBack = 0x000000;
constexpr ColorValue kInk = 0x0000FF;  // red

QImage Picture() {
  QImage image(60, 40, QImage::Format_RGB32);
  image.fill(Qt::black);
  return image;
}

bool Inked(const QImage& image, int x, int y) { return image.pixelColor(x, y) == ToQColor(kInk); }

int InkedInRow(const QImage& image, int y, int x1, int x2) {
  int n = 0;
  for (int x = x1; x <= x2; ++x) n += Inked(image, x, y) ? 1 : 0;
  return n;
}

TEST(Canvas, SolidLineIsAliasedAndCoversItsPixels) {
  QImage image = Picture();
  {
    Canvas canvas(image);
    canvas.SetPen(kInk, 1, PenStyle::Solid);
    canvas.Line(5, 10, 45, 10);
  }
  EXPECT_EQ(InkedInRow(image, 10, 5, 44), 40);
  // No antialiasing: the rows beside it stay untouched.
  EXPECT_EQ(InkedInRow(image, 9, 0, 59), 0);
  EXPECT_EQ(image.pixelColor(20, 11), QColor(Qt::black));
}

TEST(Canvas, DottedAndDashDotLinesLeaveGaps) {
  for (PenStyle style : {PenStyle::Dot, PenStyle::DashDot}) {
    QImage image = Picture();
    {
      Canvas canvas(image);
      canvas.SetPen(kInk, 1, style);
      canvas.Line(0, 10, 59, 10);
    }
    const int inked = InkedInRow(image, 10, 0, 59);
    EXPECT_GT(inked, 20);
    EXPECT_LT(inked, 45);
  }
}

TEST(Canvas, WidePenDrawsSolidWhateverItsStyle) {
  QImage image = Picture();
  {
    Canvas canvas(image);
    canvas.SetPen(kInk, 3, PenStyle::Dot);
    canvas.Line(5, 20, 45, 20);
  }
  EXPECT_EQ(InkedInRow(image, 20, 6, 44), 39);
  EXPECT_EQ(InkedInRow(image, 19, 6, 44), 39);
  EXPECT_EQ(InkedInRow(image, 21, 6, 44), 39);
}

TEST(Canvas, LineFromAPointToItselfDrawsNothing) {
  QImage image = Picture();
  {
    Canvas canvas(image);
    canvas.SetPen(kInk, 1, PenStyle::Solid);
    canvas.Line(7, 7, 7, 7);
    const QPoint one[] = {{9, 9}};
    canvas.Polyline(one);
  }
  EXPECT_FALSE(Inked(image, 7, 7));
  EXPECT_FALSE(Inked(image, 9, 9));
}

TEST(Canvas, PolygonIsFilledWithTheBrushAndRectangleLeavesItsFarEdges) {
  QImage image = Picture();
  {
    Canvas canvas(image);
    canvas.SetPen(kInk, 1, PenStyle::Solid);
    canvas.SetBrushColor(0x00FF00);
    const QPoint square[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}};
    canvas.Polygon(square);
    canvas.Rectangle(20, 2, 30, 12);
  }
  EXPECT_EQ(image.pixelColor(7, 7), QColor(Qt::green));
  EXPECT_TRUE(Inked(image, 2, 7));
  EXPECT_EQ(image.pixelColor(25, 7), QColor(Qt::green));
  EXPECT_TRUE(Inked(image, 20, 2));
  EXPECT_TRUE(Inked(image, 29, 11));
  EXPECT_FALSE(Inked(image, 30, 7));
  EXPECT_FALSE(Inked(image, 25, 12));
}

TEST(Canvas, TextStandsOnAnOpaqueBox) {
  QImage image = Picture();
  int height = 0;
  {
    Canvas canvas(image);
    QFont font;
    font.setPixelSize(12);
    canvas.SetFont(font);
    height = canvas.TextHeight();
    canvas.TextOut(1, 1, QStringLiteral("x= 1"), kInk, 0xFFFFFF);
  }
  EXPECT_GT(height, 0);
  // The box behind the glyphs is the background colour, the glyphs the text colour.
  int white = 0, inked = 0;
  for (int y = 1; y < 1 + height; ++y)
    for (int x = 1; x < 20; ++x) {
      white += image.pixelColor(x, y) == QColor(Qt::white) ? 1 : 0;
      inked += Inked(image, x, y) ? 1 : 0;
    }
  EXPECT_GT(white, 0);
  EXPECT_GT(inked, 0);
  EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
}

TEST(Canvas, XorModeTwiceRestoresThePicture) {
  QImage image = Picture();
  {
    Canvas canvas(image);
    canvas.SetMode(PenMode::Xor);
    canvas.SetPen(kInk, 1, PenStyle::Solid);
    canvas.Line(0, 5, 30, 5);
    canvas.Line(0, 5, 30, 5);
  }
  EXPECT_EQ(InkedInRow(image, 5, 0, 59), 0);
}

TEST(Canvas, NullPictureIsIgnored) {
  QImage image;
  Canvas canvas(image);
  canvas.Fill(kInk);
  canvas.Line(0, 0, 10, 10);
  canvas.TextOut(0, 0, QStringLiteral("x"), kInk, kBack);
  SUCCEED();
}

}  // namespace
}  // namespace movra::platform
