#include "editor/navigation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace movra {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Start and end of an arc closer than this on the unit circle: the fit takes a full turn.
constexpr double kFitFullCircle = 1e-7;
// Box corners closer than this: the drawing is a single point.
constexpr double kFitPoint = 1e-7;
// Scale of a direction the box does not extend in: never the smaller one.
constexpr double kNoExtent = 65535.0;

void SetClampedScale(EditorView& View, double Scale) {
  View.SetViewScale(View.ClampScale(Scale));
}

}  // namespace

void ZoomIn(EditorView& View, double Factor) { SetClampedScale(View, View.ViewScale * Factor); }

void ZoomOut(EditorView& View, double Factor) { SetClampedScale(View, View.ViewScale / Factor); }

void ZoomRepeatTick(EditorView& View, const EditorNavigation& Nav) {
  if (Nav.ZoomRepeat == 1) ZoomIn(View, ZoomButtonFactor);
  if (Nav.ZoomRepeat == 2) ZoomOut(View, ZoomButtonFactor);
}

void WheelZoom(EditorView& View, int Delta) {
  if (Delta < 0) ZoomIn(View, ZoomWheelFactor);
  if (Delta > 0) ZoomOut(View, ZoomWheelFactor);
}

int MemoFontSizeAfterWheel(int Size, int Delta) {
  if (Delta < 0) Size += MemoFontStep;
  if (Delta > 0) Size -= MemoFontStep;
  return std::clamp(Size, MemoFontMin, MemoFontMax);
}

void MiddleDragZoom(EditorView& View, EditorNavigation& Nav, int X, int Y, PictureSize Picture) {
  if (X > Nav.PressPixel.X) ZoomIn(View, ZoomWheelFactor);
  if (X < Nav.PressPixel.X) ZoomOut(View, ZoomWheelFactor);
  View.ScreenCenterX = Picture.Width / 2.0;
  View.ScreenCenterY = Picture.Height / 2.0;
  Nav.PressPixel = {X, Y};
}

void NavigationKeyStep(EditorView& View, NavigationKey Key) {
  switch (Key) {
    case NavigationKey::KeypadPlus: ZoomIn(View, ZoomButtonFactor); break;
    case NavigationKey::KeypadMinus: ZoomOut(View, ZoomButtonFactor); break;
    // The picture moves in the arrow's direction.
    case NavigationKey::Right: View.ScreenCenterX += ArrowStep; break;
    case NavigationKey::Left: View.ScreenCenterX -= ArrowStep; break;
    case NavigationKey::Down: View.ScreenCenterY += ArrowStep; break;
    case NavigationKey::Up: View.ScreenCenterY -= ArrowStep; break;
  }
}

bool ZoomToWindow(EditorView& View, PictureSize Picture) {
  double x1 = View.WindowRect[0], y1 = View.WindowRect[1];
  double x2 = View.WindowRect[2], y2 = View.WindowRect[3];
  // Also refuses corners that are not numbers.
  if (!(std::fabs(x2 - x1) > ZoomWindowMinimum && std::fabs(y2 - y1) > ZoomWindowMinimum))
    return false;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  View.ScreenCenterX = Picture.Width / 2.0;
  View.ScreenCenterY = Picture.Height / 2.0;
  View.ViewCenterX = x1 + (x2 - x1) / 2.0;
  View.ViewCenterY = y1 + (y2 - y1) / 2.0;
  SetClampedScale(View, std::min(Picture.Width / (x2 - x1), Picture.Height / (y2 - y1)));
  return true;
}

void TrackMouseGesture(EditorView& View, EditorNavigation& Nav, ShiftState Shift, int X, int Y,
                       GesturePhase Phase, bool& WindowDown, PictureSize Picture) {
  auto& r = View.WindowRect;
  if (Shift == 0) {
    if (Phase == GesturePhase::Release && WindowDown) {
      ZoomToWindow(View, Picture);
      r = {};
      WindowDown = false;
    }
    return;
  }
  if (Shift != ShiftLeft) return;
  if (Phase == GesturePhase::Press) {
    r[0] = X;
    r[1] = Y;
    Nav.SavedScreenCenterX = View.ScreenCenterX;
    Nav.SavedScreenCenterY = View.ScreenCenterY;
    if (WindowDown) r = {View.MouseModelX, View.MouseModelY, View.MouseModelX, View.MouseModelY};
  } else if (Phase == GesturePhase::Move) {
    if (WindowDown) {
      r[2] = View.MouseModelX;
      r[3] = View.MouseModelY;
    } else {
      r[2] = X;
      r[3] = Y;
      View.ScreenCenterX = Nav.SavedScreenCenterX + X - r[0];
      View.ScreenCenterY = Nav.SavedScreenCenterY + Y - r[1];
    }
  }
}

EscapeStep NextEscapeStep(const EscapeContext& Context) {
  if (Context.Busy) return EscapeStep::ClearBusy;
  if (Context.IsoMemoShown) return EscapeStep::HideIsoMemo;
  if (Context.WindowDown) return EscapeStep::ReleaseWindow;
  if (Context.ZoomTimerRunning) return EscapeStep::StopZoomTimer;
  if (Context.MouseStill) return EscapeStep::Close;
  return EscapeStep::Repaint;
}

void Extents::GrowExtents(double X, double Y) {
  if (!std::isfinite(X) || !std::isfinite(Y)) return;
  MinX = std::min(MinX, X);
  MinY = std::min(MinY, Y);
  MaxX = std::max(MaxX, X);
  MaxY = std::max(MaxY, Y);
}

Extents StoreExtents(const TFormaGeom& Geom) {
  Extents box;
  for (int slot = 1; slot <= Geom.ElementCount(); ++slot) {
    const TFormaGeom::GeomT* e = Geom.Elements(slot);
    if (e == nullptr || e->Feed == NoValue) continue;  // rapid moves do not count
    if (e->Kind == 1) {
      box.GrowExtents(e->V1, e->V2);
      box.GrowExtents(e->V3, e->V4);
      const int n = e->GeomNo;
      if (e->OffsetDist <= 0 && n >= 1 && n <= TFormaGeom::MaxGeomNumber) {
        const auto& d = Geom.GeomParams(n);
        for (int k = 1; k <= TFormaGeom::ParamCount && d(k) != 0.0; ++k) {
          const double r = d(k) / 2.0;
          box.GrowExtents(e->V1 + r, e->V2);
          box.GrowExtents(e->V1 - r, e->V2);
          box.GrowExtents(e->V1, e->V2 + r);
          box.GrowExtents(e->V1, e->V2 - r);
        }
      }
    } else if (e->Kind == 2 && e->V3 != 0.0) {
      // Equal angles are a point of the circle, as the drawing shows them.
      double sweep = TFormaDaten::ArcSweep(e->V3, e->V4, e->V5);
      if (std::hypot(std::cos(e->V4) - std::cos(e->V5), std::sin(e->V4) - std::sin(e->V5)) <
              kFitFullCircle &&
          std::fabs(e->V5 - e->V4) >= std::numbers::pi)
        sweep = e->V3 < 0 ? -kTwoPi : kTwoPi;
      const double r = std::fabs(e->V3);
      for (int k = 0; k <= 6; ++k) {
        const double a = e->V4 + k * sweep / 6.0;
        box.GrowExtents(e->V1 + r * std::cos(a), e->V2 + r * std::sin(a));
      }
    }
  }
  return box;
}

void FitViewToExtents(EditorView& View, const Extents& Box, double Left, double Top,
                      double Width, double Height) {
  View.ScreenCenterX = Left + (Width - Left) / 2.0;
  View.ScreenCenterY = Top + Height / 2.0;
  View.ViewScale = 1.0;
  View.ViewCenterX = View.ViewCenterY = 0.0;
  if (TFormaDaten::Dist(Box.MinX, Box.MinY, Box.MaxX, Box.MaxY) < kFitPoint ||
      (Box.MaxX <= Box.MinX && Box.MaxY <= Box.MinY))
    return;
  View.ViewCenterX = Box.MinX + (Box.MaxX - Box.MinX) / 2.0;
  View.ViewCenterY = Box.MinY + (Box.MaxY - Box.MinY) / 2.0;
  const double sx = Box.MaxX > Box.MinX ? (Width - Left) / (Box.MaxX - Box.MinX) : kNoExtent;
  const double sy = Box.MaxY > Box.MinY ? Height / (Box.MaxY - Box.MinY) : kNoExtent;
  // An area narrower than the docked memo, or no height, gives no scale: 1.0 stays.
  View.SetViewScale(FitShare * std::min(sx, sy));
}

void FitViewToStore(EditorView& View, const TFormaGeom& Geom, double Left, double Top,
                    double Width, double Height) {
  FitViewToExtents(View, StoreExtents(Geom), Left, Top, Width, Height);
}

void TogglePole(EditorView& View) {
  if (View.PoleX != 0.0 || View.PoleY != 0.0) {
    View.PoleX = View.PoleY = 0.0;
  } else {
    View.PoleX = View.CursorX;
    View.PoleY = View.CursorY;
  }
}

bool ApplyPoleInput(EditorView& View, TFormaDaten& Daten, const std::string& Text) {
  std::string line = Text;
  // Upper-cased byte by byte: only ASCII letters change, multi-byte characters stay whole.
  for (char& c : line)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  bool any = false;
  if (const double x = Daten.GetWordValue(line, "X"); x != NoValue && std::isfinite(x)) {
    View.PoleX = x;
    any = true;
  }
  if (const double y = Daten.GetWordValue(line, "Y"); y != NoValue && std::isfinite(y)) {
    View.PoleY = y;
    any = true;
  }
  return any;
}

}  // namespace movra
