// The editor's painting: every layer drawn into BackBuffer, which the window then shows in
// one copy.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextDocument>
#include <QToolButton>
#include <cmath>
#include <exception>
#include <numbers>

#include "editor/forma_editor.h"
#include "geometry/element_points.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "platform/core/application.h"
#include "platform/qt/canvas.h"
#include "shell/base/forma_settings.h"

namespace movra {
namespace {

using platform::PenStyle;
using platform::PenT;

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// An end whose X lies this close to NoValue is undefined.
constexpr double kUndefinedNear = 2.0;
// Lines reaching beyond the picture by more than this are cut before they are drawn; the
// margin is wider than the widest pen.
constexpr double kClipMargin = 64.0;
// Length of the dotted and dash-dot patterns of the canvas, in pixels.
constexpr double kPatternLength = 6.0;
// The pure red of the pocket offsets.
constexpr platform::ColorValue kOffsetColor = 255;
// Point angles of a drill this close to 0 or a half turn have no finite tip.
constexpr double kDrillAngleTolerance = 1e-7;

bool Shown(const QWidget* w) { return w != nullptr && !w->isHidden(); }

// Label font height in pixels for a size in points, on the platform's 96 pixels per inch.
int FontPixels(int Points) { return static_cast<int>(std::lround(Points * 96.0 / 72.0)); }

}  // namespace

// ---- Primitives ----

void TFormaEditor::DrawPixelSegment(double SX1, double SY1, double SX2, double SY2) {
  if (std::isnan(SX1) || std::isnan(SY1) || std::isnan(SX2) || std::isnan(SY2)) return;
  const auto within = [](double v) { return std::fabs(v) <= PixelLimit; };
  if (within(SX1) && within(SY1) && within(SX2) && within(SY2)) {
    canvas_->Line(PixelRound(SX1), PixelRound(SY1), PixelRound(SX2), PixelRound(SY2));
    return;
  }
  // Far beyond the picture: cut to it, keeping the dots where the whole line had them.
  double t1 = 0.0, t2 = 1.0;
  const double length = std::hypot(SX2 - SX1, SY2 - SY1);
  if (!ClipSegment(SX1, SY1, SX2, SY2, -kClipMargin, -kClipMargin,
                   canvas_->Width() + kClipMargin, canvas_->Height() + kClipMargin, t1, t2))
    return;
  if (std::isfinite(length)) canvas_->SetDashOffset(std::fmod(t1 * length, kPatternLength));
  canvas_->Line(PixelRound(SX1), PixelRound(SY1), PixelRound(SX2), PixelRound(SY2));
}

void TFormaEditor::DrawSegment(double X1, double Y1, double X2, double Y2, double Z1, double Z2) {
  if (canvas_ == nullptr) return;
  if (X1 == X2 && Y1 == Y2 && Z1 == Z2) {
    DrawPointMarker(X1, Y1);
    return;
  }
  bool undefined1 = std::fabs(X1 - NoValue) < kUndefinedNear;
  const bool undefined2 = std::fabs(X2 - NoValue) < kUndefinedNear;
  if (undefined1 && undefined2) undefined1 = false;
  double sx1 = 0, sy1 = 0, sx2 = 0, sy2 = 0;
  WorldToScreen(X1, Y1, sx1, sy1);
  WorldToScreen(X2, Y2, sx2, sy2);
  const double w = canvas_->Width(), h = canvas_->Height();
  if ((sx1 < 1 && sx2 < 1) || (sy1 < 1 && sy2 < 1) || (sx1 > w && sx2 > w) || (sy1 > h && sy2 > h))
    return;
  // An undefined end is led off the bottom right of the window.
  const double ux = width() - 50.0, uy = height() + 50.0;
  if (undefined1) sx1 = ux, sy1 = uy;
  if (undefined2) sx2 = ux, sy2 = uy;
  if (sx1 == sx2 && sy1 == sy2 && Z1 == Z2) {
    const int x = PixelRound(sx1), y = PixelRound(sy1);
    const QPoint square[] = {{x - 3, y - 3}, {x + 3, y - 3}, {x + 3, y + 3}, {x - 3, y + 3},
                             {x - 3, y - 3}};
    canvas_->Polyline(square);
    return;
  }
  DrawPixelSegment(sx1, sy1, sx2, sy2);
  if (undefined1 || undefined2) {
    canvas_->SetPen({FormaSettings->ColorCursor, canvas_->Pen().Width, PenStyle::Solid});
    canvas_->Rectangle(width() - 53, height() + 47, width() - 47, height() + 53);
  }
}

void TFormaEditor::DrawSegmentIfDefined(double X1, double Y1, double X2, double Y2) {
  if (X1 == NoValue || Y1 == NoValue || X2 == NoValue || Y2 == NoValue) return;
  DrawSegment(X1, Y1, X2, Y2, 0.0, 0.0);
}

void TFormaEditor::DrawArc(double CX, double CY, double R, double A1, double A2) {
  const bool fill = FillNextArc == 1;
  FillNextArc = 0;
  if (canvas_ == nullptr) return;
  if (R == 0.0) {
    DrawPointMarker(CX, CY);
    return;
  }
  const double ux = std::cos(A1), uy = std::sin(A1);
  const double sweep = DrawnArcSweep(R, A1, A2, ux, uy);
  if (sweep == 0.0) return;  // every point on the same pixel: nothing to see
  const double step = sweep / (ArcPointCount - 1);
  // The whole circle outside the picture, or not in the reals: nothing to see.
  double cx = 0, cy = 0;
  WorldToScreen(CX, CY, cx, cy);
  const double r = std::fabs(R) * ViewScale;
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) || !std::isfinite(step))
    return;
  const double w = canvas_->Width(), h = canvas_->Height();
  if (cx + r < -kClipMargin || cx - r > w + kClipMargin || cy + r < -kClipMargin ||
      cy - r > h + kClipMargin)
    return;

  // The points turn by one step each, one sine and cosine per arc; two chains (even and odd
  // points, each turning by two steps) so that neither waits for the other.
  const double cs = std::cos(step), sn = std::sin(step);
  const double cs2 = cs * cs - sn * sn, sn2 = 2.0 * sn * cs;
  double ex = ux, ey = uy;                                // even points
  double ox = ux * cs - uy * sn, oy = ux * sn + uy * cs;  // odd points
  std::array<double, 2 * ArcPointCount> pixels;
  for (int i = 0; i < ArcPointCount; i += 2) {
    pixels[2 * i] = cx + r * ex;
    pixels[2 * i + 1] = cy - r * ey;
    const double nx = ex * cs2 - ey * sn2;
    ey = ex * sn2 + ey * cs2;
    ex = nx;
    if (i + 1 < ArcPointCount) {
      pixels[2 * i + 2] = cx + r * ox;
      pixels[2 * i + 3] = cy - r * oy;
      const double mx = ox * cs2 - oy * sn2;
      oy = ox * sn2 + oy * cs2;
      ox = mx;
    }
  }
  // The picture's integers hold the circle's box: every point is exact.
  const bool far = !(std::fabs(cx) + r <= PixelLimit && std::fabs(cy) + r <= PixelLimit);
  if (far && !fill) {
    for (int i = 1; i < ArcPointCount; ++i)
      DrawPixelSegment(pixels[2 * i - 2], pixels[2 * i - 1], pixels[2 * i], pixels[2 * i + 1]);
    return;
  }
  // Points that fall on the pixel before them add nothing to the picture.
  std::array<int, 2 * ArcPointCount> ints;
  for (int i = 0; i < 2 * ArcPointCount; ++i) ints[i] = PixelRound(pixels[i]);
  std::array<QPoint, ArcPointCount>& kept = arcKept_;
  int n = 0;
  int lastX = ints[0] + 1, lastY = ints[1];
  for (int i = 0; i < ArcPointCount; ++i) {
    const int x = ints[2 * i], y = ints[2 * i + 1];
    if (x != lastX || y != lastY) kept[n++] = QPoint(x, y);
    lastX = x;
    lastY = y;
  }
  for (int i = 0; i < ArcPointCount; ++i) ArcPoints[i] = QPoint(ints[2 * i], ints[2 * i + 1]);
  const std::span<const QPoint> points(kept.data(), static_cast<std::size_t>(n));
  if (fill)
    canvas_->Polygon(points);
  else
    canvas_->Polyline(points);
}

void TFormaEditor::DrawArcIfDefined(double CX, double CY, double R, double A1, double A2) {
  if (CX == NoValue || CY == NoValue || R == NoValue || A1 == NoValue || A2 == NoValue) return;
  DrawArc(CX, CY, R, A1, A2);
}

void TFormaEditor::DrawPointMarker(double X, double Y) {
  if (canvas_ == nullptr) return;
  double sx = 0, sy = 0;
  WorldToScreen(X, Y, sx, sy);
  if (!(sx >= 1 && sx <= canvas_->Width() && sy >= 1 && sy <= canvas_->Height())) return;
  const PenT saved = canvas_->Pen();
  canvas_->SetPen({FormaSettings->ColorCursor, 1, PenStyle::Dot});
  const int x = PixelRound(sx), y = PixelRound(sy);
  canvas_->Line(x - 10, y, x + 10, y);
  canvas_->Line(x, y - 10, x, y + 10);
  canvas_->SetPen(saved);
}

void TFormaEditor::DrawHandle(double X, double Y) {
  if (canvas_ == nullptr || X == NoValue || Y == NoValue) return;
  double sx = 0, sy = 0;
  WorldToScreen(X, Y, sx, sy);
  if (!(sx >= 1 && sx <= canvas_->Width() && sy >= 1 && sy <= canvas_->Height())) return;
  const PenT saved = canvas_->Pen();
  const platform::ColorValue brush = canvas_->BrushColor();
  canvas_->SetPen({FormaSettings->ColorSelect, 1, PenStyle::Solid});
  canvas_->SetBrushColor(FormaSettings->ColorSelect);
  const int x = PixelRound(sx), y = PixelRound(sy);
  canvas_->Rectangle(x - 4, y - 4, x + 4, y + 4);
  canvas_->SetPen(saved);
  canvas_->SetBrushColor(brush);
}

void TFormaEditor::DrawZoomWindow() {
  if (canvas_ == nullptr || SpeedButtonWindow == nullptr || !SpeedButtonWindow->isChecked())
    return;
  const auto& r = WindowRect;
  if (r[0] == r[2] || r[1] == r[3]) return;
  canvas_->SetPen({FormaSettings->ColorEnabled, 1, PenStyle::Dot});
  DrawSegment(r[0], r[1], r[2], r[1], 0, 0);
  DrawSegment(r[2], r[1], r[2], r[3], 0, 0);
  DrawSegment(r[2], r[3], r[0], r[3], 0, 0);
  DrawSegment(r[0], r[3], r[0], r[1], 0, 0);
}

void TFormaEditor::DrawAxesAndMarkers() {
  if (canvas_ == nullptr) return;
  const TFormaSettings& s = *FormaSettings;
  const auto square = [this](double x, double y, double d) {
    DrawSegment(x - d, y - d, x + d, y - d, 0, 0);
    DrawSegment(x + d, y - d, x + d, y + d, 0, 0);
    DrawSegment(x + d, y + d, x - d, y + d, 0, 0);
    DrawSegment(x - d, y + d, x - d, y - d, 0, 0);
  };
  // The square with four ticks that marks a caught point.
  const auto caught = [this, &square](double x, double y, double d) {
    square(x, y, d);
    DrawSegment(x, y + d, x, y + 10 * d, 0, 0);
    DrawSegment(x, y - d, x, y - 10 * d, 0, 0);
    DrawSegment(x - d, y, x - 10 * d, y, 0, 0);
    DrawSegment(x + d, y, x + 10 * d, y, 0, 0);
  };
  canvas_->SetPen({s.ColorEnabled, 1, PenStyle::Dot});
  const double s20 = 20.0 / ViewScale;
  square(0, 0, s20);
  canvas_->SetPen({s.ColorCursor, 1, PenStyle::Dot});
  square(PoleX, PoleY, s20);
  canvas_->SetPen({s.ColorEnabled, 1, PenStyle::DashDot});
  DrawSegment(-width() / ViewScale, 0, width() / ViewScale, 0, 0, 0);
  DrawSegment(0, -height() / ViewScale, 0, height() / ViewScale, 0, 0);

  const double s5 = 5.0 / ViewScale;
  if (!Latched()) {
    canvas_->SetPen({s.ColorCursor, 1, PenStyle::Solid});
  } else {
    if (HoverKind == 2 && SnapKind == 3) {
      const double t = std::fabs(HoverGeom[2]) * std::cos(std::numbers::pi / 4);
      canvas_->SetPen({s.ColorEnabled, 1, PenStyle::Dot});
      DrawSegment(CursorX - t, CursorY - t, CursorX + t, CursorY + t, 0, 0);
      DrawSegment(CursorX - t, CursorY + t, CursorX + t, CursorY - t, 0, 0);
    }
    canvas_->SetPen({s.ColorSelect, 3, canvas_->Pen().Style});
  }
  caught(CursorX, CursorY, s5);
  if (MouseModelX == PoleX && MouseModelY == PoleY) {
    canvas_->SetPen({s.ColorSelect, 3, canvas_->Pen().Style});
    caught(PoleX, PoleY, s5);
  }
}

void TFormaEditor::DrawToolSymbol(double X, double Y, double Feed) {
  if (canvas_ == nullptr || ToolDefined != 1 || !Shown(ComboBoxTool)) return;
  const TFormaSettings& s = *FormaSettings;
  canvas_->SetPen({Feed == NoValue ? s.ColorToolMax : s.ColorDefault, 3, PenStyle::Solid});
  const auto given = [](double v) { return v != NoValue; };
  const auto line = [this](double x1, double y1, double x2, double y2) {
    DrawSegment(x1, y1, x2, y2, 0, 0);
  };
  if (given(ToolAngle1) && given(ToolAngle2) && given(ToolSize)) {
    const double ax = ToolSize * std::cos(ToolAngle1), ay = ToolSize * std::sin(ToolAngle1);
    const double bx = ToolSize * std::cos(ToolAngle2), by = ToolSize * std::sin(ToolAngle2);
    line(X, Y, X + ax, Y + ay);
    line(X + ax, Y + ay, X + ax + bx, Y + ay + by);
    line(X + ax + bx, Y + ay + by, X + bx, Y + by);
    line(X + bx, Y + by, X, Y);
  } else if (given(ToolRadius) && given(ToolAngle1) && !given(ToolAngle2) && !given(ToolSize)) {
    // A point angle of 0 or a half turn has no tip at a finite place: no symbol.
    const double half = ToolAngle1 / 2.0;
    if (std::fabs(std::sin(half)) < kDrillAngleTolerance ||
        std::fabs(std::cos(half)) < kDrillAngleTolerance)
      return;
    const double R = ToolRadius;
    const double c = R * std::cos(half) / std::sin(half);
    const double t = R * std::tan(std::fabs(half));
    line(X, Y, X + c, Y + t);
    line(X, Y, X + c, Y - t);
    DrawSegment(X + c, Y + t, X + c, Y + t, 0, 0);
    const double L = ToolAngle1 > 0 ? 2 * R : -2 * R;
    line(X + c, Y + t, X + c + L, Y + t);
    line(X + c, Y - t, X + c + L, Y - t);
  } else if (given(ToolRadius) && !given(ToolAngle1) && !given(ToolAngle2) && !given(ToolSize)) {
    DrawArc(X, Y, ToolRadius, 0.0, kTwoPi);
  }
}

void TFormaEditor::DrawHoleCircles(const TFormaGeom::GeomT& Element) {
  if (canvas_ == nullptr) return;
  const int n = Element.GeomNo;
  if (n < 1 || n > TFormaGeom::MaxGeomNumber) return;
  const auto& d = FormaGeom.GeomParams(n);
  if (d(1) == 0.0) return;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  if (Element.Kind == 1 || Element.Kind == 2) {
    StartPointOf(Element, x1, y1);
    EndPointOf(Element, x2, y2);
  }
  const PenT saved = canvas_->Pen();
  canvas_->SetPen({saved.Color, 1, saved.Style});
  for (int k = 1; k <= TFormaGeom::ParamCount && d(k) != 0.0; ++k) {
    FillNextArc = 1;
    DrawArc(x1, y1, d(k) / 2.0, 0.0, kTwoPi);
    FillNextArc = 1;
    DrawArc(x2, y2, d(k) / 2.0, 0.0, kTwoPi);
  }
  canvas_->SetPen({FormaSettings->ColorToolDrill, 1, PenStyle::Solid});
  for (int k = 1; k <= TFormaGeom::ParamCount && d(k) != 0.0; ++k) {
    DrawArc(x1, y1, d(k) / 2.0, 0.0, kTwoPi);
    DrawArc(x2, y2, d(k) / 2.0, 0.0, kTwoPi);
  }
  canvas_->SetPen(saved);
}

template <class Item>
void TFormaEditor::SetHoverFromItem(const Item& It) {
  ClearHover();
  HoverKind = It.Kind;
  HoverGeom = {It.V1, It.V2, It.V3, It.V4, It.V5, 0.0};
  EndPointOf(It, CursorX, CursorY);
}
template void TFormaEditor::SetHoverFromItem(const TFormaEditorTurn::TurnT&);
template void TFormaEditor::SetHoverFromItem(const TFormaEditorInsel::InselT&);

// ---- The repaint ----

void TFormaEditor::PaintLayers(bool& AxesFlag, double& ToolX, double& ToolY, double& ToolFeed) {
  const TFormaSettings& s = *FormaSettings;
  const auto drawItem = [this](const auto& it) {
    if (it.Kind == 1) DrawSegment(it.V1, it.V2, it.V3, it.V4, 0, 0);
    if (it.Kind == 2) DrawArc(it.V1, it.V2, it.V3, it.V4, it.V5);
  };

  // Elements, each in the pen of its correction side; the store is only read.
  const int count = FormaGeom.ElementCount();
  const TFormaGeom& store = FormaGeom;
  if (count > 0) {
    if (ScrollBarIndex->maximum() != count) ScrollBarIndex->setMaximum(count);
    const bool picking = Shown(PanelScroll) && ScrollBarIndexTag == 1;
    const int picked = ScrollBarIndex->value();
    int previousSide = 0;
    for (int i = 1; i <= count; ++i) {
      const TFormaGeom::GeomT* e = store.Elements(i);
      if (e == nullptr) continue;
      elementDrawn_ = true;
      PenT pen{s.ColorDefault, 1, PenStyle::Dot};
      if (e->Side == 1) pen.Color = s.ColorToolTyp1;
      if (e->Side == 2) pen.Color = s.ColorToolTyp2;
      if (e->Side == 3) pen.Color = s.ColorToolDrill;
      // The departure move of a corrected contour keeps the contour's colour.
      if (e->Side == 0 && previousSide == 1) pen.Color = s.ColorToolTyp1;
      if (e->Side == 0 && previousSide == 2) pen.Color = s.ColorToolTyp2;
      previousSide = e->Side;
      if ((e->GeomNo != 0 && e->GeomNo == HoverNumber) || Activated == 0)
        pen.Style = PenStyle::Solid;
      if (e->Feed == NoValue) pen = {s.ColorToolMax, 1, PenStyle::Dot};
      canvas_->SetPen(pen);
      if (picking && picked == i) {
        canvas_->SetPen({s.ColorSelect, 3, PenStyle::Solid});
        AxesFlag = false;
        ToolFeed = e->Feed;
        EndPointOf(*e, ToolX, ToolY);
        DrawHandle(ToolX, ToolY);
        CursorX = ToolX;
        CursorY = ToolY;
      }
      if (e->Kind == 1) DrawSegment(e->V1, e->V2, e->V3, e->V4, e->V5, e->ZLevel);
      if (e->Kind == 2) DrawArc(e->V1, e->V2, e->V3, e->V4, e->V5);
      DrawHoleCircles(*e);
    }
  }

  // Turning overlay.
  if (FormaEditorTurn != nullptr && Shown(GroupBoxTurn) && !FormaEditorTurn->OutElements.Empty()) {
    const auto& list = FormaEditorTurn->OutElements;
    if (ScrollBarTurn->maximum() != list.Count()) ScrollBarTurn->setMaximum(list.Count());
    const int picked = ScrollBarTurn->value();
    for (int i = 1; i <= list.Count(); ++i) {
      const TFormaEditorTurn::TurnT& it = *list(i);
      PenT pen{s.ColorEnabled, 1, PenStyle::Solid};
      if (it.Side == 1) pen.Color = s.ColorToolTyp1;
      if (it.Side == 2) pen.Color = s.ColorToolTyp2;
      if (it.Feed == NoValue) pen = {s.ColorToolMax, 1, PenStyle::Dot};
      if (i == picked) {
        pen = {s.ColorSelect, 3, PenStyle::Solid};
        ToolFeed = it.Feed;
        AxesFlag = false;
        EndPointOf(it, ToolX, ToolY);
        SetHoverFromItem(it);
      }
      canvas_->SetPen(pen);
      drawItem(it);
    }
  }

  // Pocket overlay: the path, the picked item shown by its handle, then the offsets.
  if (FormaEditorInsel != nullptr && Shown(GroupBoxInsel) &&
      (!FormaEditorInsel->Path.Empty() || !FormaEditorInsel->Offsets.Empty())) {
    const auto& path = FormaEditorInsel->Path;
    if (ScrollBarInsel->maximum() != path.Count()) ScrollBarInsel->setMaximum(path.Count());
    const int picked = ScrollBarInsel->value();
    const int chain = ComboBoxSelect->currentIndex();
    for (int i = 1; i <= path.Count(); ++i) {
      const TFormaEditorInsel::InselT& it = *path(i);
      if (i == picked) {
        ToolFeed = 0.0;  // pocket items carry no feed
        AxesFlag = false;
        EndPointOf(it, ToolX, ToolY);
        SetHoverFromItem(it);
        DrawHandle(ToolX, ToolY);
        continue;
      }
      PenT pen{s.ColorEnabled, 1, PenStyle::Solid};
      if (chain > 0 && chain == it.Chain) pen = {s.ColorSelect, 3, PenStyle::Solid};
      canvas_->SetPen(pen);
      drawItem(it);
    }
    const auto& offsets = FormaEditorInsel->Offsets;
    for (int i = 1; i <= offsets.Count(); ++i) {
      canvas_->SetPen({kOffsetColor, 2, PenStyle::Solid});
      drawItem(*offsets(i));
    }
  }
}

void TFormaEditor::PaintLabelsAndStatus() {
  const TFormaSettings& s = *FormaSettings;
  const bool diameter = ActionDiametr->isChecked();
  const int decimals = FormaGeom.Daten().ShowDecimals;
  if (ScrollBarIndexTag == 0) {
    LabelTexts.clear();
    for (const std::string& line : LabelLines(*this, diameter, decimals))
      LabelTexts << QString::fromStdString(line);
    QFont labelFont(font().family());
    const int h = FontPixels(s.LabelFontSize);
    labelFont.setPixelSize(std::max(h, 1));
    canvas_->SetFont(labelFont);
    int y = MousePixel.Y - h;
    for (const QString& line : LabelTexts) {
      canvas_->TextOut(MousePixel.X + 2 * h, y, line, s.ColorTextMessage, s.ColorBrush);
      y += h;
    }
  }
  const StatusTexts texts = MakeStatusTexts(*this, diameter, decimals);
  for (int i = 0; i < 5; ++i) statusTexts_[i] = QString::fromStdString(texts.Panels[i]);
  if (texts.Panel5) statusTexts_[5] = QString::fromStdString(*texts.Panel5);
}

void TFormaEditor::PaintView() {
  if (platform::ApplicationTag() != 0 || FormaSettings == nullptr) return;
  // A run of the interpreter is rebuilding the store: the last finished picture stays.
  if (FormaGeom.Busy != 0 || BackBuffer.isNull()) return;
  const TFormaSettings& s = *FormaSettings;
  platform::Canvas canvas(BackBuffer);
  canvas_ = &canvas;
  // Panels 0 to 4 start empty; panel 5 keeps its text unless something is hovered.
  statusTexts_[5] = StatusPanels[5]->text();
  for (int i = 0; i < 5; ++i) statusTexts_[i].clear();
  canvas.Fill(s.ColorBrush);
  canvas.SetBrushColor(s.ColorBrush);
  canvas.SetMode(platform::PenMode::Copy);
  SpeedButtonCaption->setEnabled(!SpeedButtonCaption->text().isEmpty());

  double toolX = NoValue, toolY = NoValue, toolFeed = 0.0;
  bool axes = true;
  if (HoverIndex > 0) {
    toolX = MouseModelX;
    toolY = MouseModelY;
  }
  elementDrawn_ = false;
  try {
    PaintLayers(axes, toolX, toolY, toolFeed);
    if (elementDrawn_) {
      DrawSnapConstruction();
      DrawZoomWindow();
      PaintLabelsAndStatus();
    }
  } catch (const std::exception&) {
    // The picture is completed below whatever failed: the window always shows one.
  }
  // Only changed texts are set: a label set anew asks for a repaint, which would paint again.
  for (std::size_t i = 0; i < StatusPanels.size(); ++i)
    if (StatusPanels[i]->text() != statusTexts_[i]) StatusPanels[i]->setText(statusTexts_[i]);
  StatusBar->update();
  if (axes) DrawAxesAndMarkers();
  if (ToolDefined == 1) {
    if (ComboBoxTool->hasFocus()) {
      toolX = CursorX;
      toolY = CursorY;
    }
    if (toolX != NoValue) DrawToolSymbol(toolX, toolY, toolFeed);
  }
  canvas_ = nullptr;
}

void TFormaEditor::FormPaint() {
  if (!isEnabled() || ViewScale == 0.0) return;
  const bool elements = FormaGeom.ElementCount() > 0;
  PSave->setEnabled(Memo->document()->isModified());
  PSaveAs->setEnabled(!Memo->document()->isEmpty());
  for (QAction* a : {ActionDiametr, ActionParameter, ActionReferens0, ActionReferensX,
                     ActionReferensY, ActionReferensInput})
    a->setEnabled(elements);
  const bool pole = PoleX != 0.0 || PoleY != 0.0;
  ActionPolus->setEnabled(pole);
  SpeedButtonPolus->setEnabled(pole);
  PaintView();
}

void TFormaEditor::paintEvent(QPaintEvent*) {
  FormPaint();
  // The picture reaches the window in one copy.
  QPainter painter(this);
  painter.drawImage(0, 0, BackBuffer);
}

// ---- Size and fit ----

void TFormaEditor::FormResize() {
  if (!isEnabled()) return;
  const int w = width(), h = height();
  Memo->setMinimumWidth(w / 4);
  Memo->resize(w / 4, Memo->height());
  for (QGroupBox* box : {GroupBoxColor, GroupBoxInsel, GroupBoxThread, GroupBoxTurn})
    box->move(w / 2 - box->width() / 2, h / 2 - box->height() / 2);
  for (int i = 0; i < 5; ++i) StatusPanels[i]->setFixedWidth(w / 7);
  const int pictureHeight = std::max(h - StatusBar->sizeHint().height(), 0);
  if (BackBuffer.width() != w || BackBuffer.height() != pictureHeight)
    BackBuffer = QImage(w, pictureHeight, BackBufferFormat);
  ScreenCenterX = BackBuffer.width() / 2.0;
  ScreenCenterY = BackBuffer.height() / 2.0;
  ViewScale = 1.0;
  ActionReferensExecute();
  update();
}

void TFormaEditor::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  PlaceMemoPanel();
  FormResize();
}

}  // namespace movra
