#pragma once
// How the user moves through the drawing, without a window: zoom steps, the mouse gestures
// (left drag pans, a dragged window zooms to its rectangle, middle drag zooms), the keys, the
// wheel, the Esc chain, the fit to extents and the pole. Each routine changes only the view
// fields of EditorView, the pole and the gesture fields below; the window repaints after it.
#include <cstdint>
#include <string>

#include "editor/editor_view.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"

namespace movra {

// The buttons and keys held with a mouse or key event. Navigation acts on exact states:
// "exactly the left button" is ShiftLeft alone.
using ShiftState = std::uint8_t;
inline constexpr ShiftState ShiftShift = 1;
inline constexpr ShiftState ShiftAlt = 2;
inline constexpr ShiftState ShiftCtrl = 4;
inline constexpr ShiftState ShiftLeft = 8;
inline constexpr ShiftState ShiftRight = 16;
inline constexpr ShiftState ShiftMiddle = 32;

// Factors of one zoom step.
inline constexpr double ZoomButtonFactor = 1.25;  // zoom buttons and keypad plus and minus
inline constexpr double ZoomWheelFactor = 1.125;  // wheel and middle drag
// Pixels an arrow key moves the picture.
inline constexpr double ArrowStep = 50.0;
// A zoom window thinner than this (model units) is ignored.
inline constexpr double ZoomWindowMinimum = 0.001;
// The memo's font size under Ctrl+wheel: steps and limits in points.
inline constexpr int MemoFontStep = 2;
inline constexpr int MemoFontMin = 10;
inline constexpr int MemoFontMax = 30;
// Share of the drawing area the fit to extents fills.
inline constexpr double FitShare = 0.75;

// The gesture fields, reset together when the window is created.
struct EditorNavigation {
  std::uint8_t ZoomRepeat = 0;  // 0 none, 1 zoom in, 2 zoom out while a zoom button is held
  PixelT PressPixel;            // last left press, last release, or last middle-drag move
  double SavedScreenCenterX = 0.0;  // screen centre at the last left press
  double SavedScreenCenterY = 0.0;
};

// The size of the picture the view is drawn into, in pixels.
struct PictureSize {
  double Width = 0.0;
  double Height = 0.0;
};

// One zoom step: the scale multiplied (ZoomIn) or divided (ZoomOut) by Factor, then held
// within ViewScaleMin..ViewScaleMax. The view and screen centre stay.
void ZoomIn(EditorView& View, double Factor);
void ZoomOut(EditorView& View, double Factor);

// One tick of the zoom-button repeat: ZoomRepeat 1 zooms in, 2 out, 0 nothing.
void ZoomRepeatTick(EditorView& View, const EditorNavigation& Nav);

// The wheel over the drawing: towards the user (negative delta) zooms in, away zooms out,
// 0 changes nothing.
void WheelZoom(EditorView& View, int Delta);

// The memo's font size after a Ctrl+wheel of Delta: 2 points bigger towards the user, smaller
// away, within MemoFontMin..MemoFontMax.
int MemoFontSizeAfterWheel(int Size, int Delta);

// Middle drag: to the right of the last point zooms in, to the left out; the screen centre
// becomes the picture's centre and the press pixel the current one.
void MiddleDragZoom(EditorView& View, EditorNavigation& Nav, int X, int Y, PictureSize Picture);

// The navigation keys of the focus sink.
enum class NavigationKey { KeypadPlus, KeypadMinus, Left, Right, Up, Down };
void NavigationKeyStep(EditorView& View, NavigationKey Key);

// Zoom to the rectangle of WindowRect (model units): false when it is 0.001 or thinner in
// either direction (nothing changes). The rectangle fills the picture without margin.
bool ZoomToWindow(EditorView& View, PictureSize Picture);

// The gesture machine, by the exact shift state: Phase 1 press, 2 move, 3 release.
// WindowDown is the zoom-window button; the release that ends a window gesture zooms, clears
// WindowRect and puts the button up (WindowDown false).
enum class GesturePhase { Press = 1, Move = 2, Release = 3 };
void TrackMouseGesture(EditorView& View, EditorNavigation& Nav, ShiftState Shift, int X, int Y,
                       GesturePhase Phase, bool& WindowDown, PictureSize Picture);

// What one Esc does, first match wins.
enum class EscapeStep {
  ClearBusy,      // a running pocket computation stops
  HideIsoMemo,    // the ISO memo goes
  ReleaseWindow,  // window mode ends
  StopZoomTimer,  // the zoom repeat ends
  Close,          // the mouse has not moved since the last press or release: the editor closes
  Repaint,        // otherwise; the press point catches up with the mouse
};
struct EscapeContext {
  bool Busy = false;
  bool IsoMemoShown = false;
  bool WindowDown = false;
  bool ZoomTimerRunning = false;
  bool MouseStill = false;  // PressPixel equals MousePixel
};
EscapeStep NextEscapeStep(const EscapeContext& Context);

// The box of the drawing, empty until grown.
struct Extents {
  double MinX = 65535.0;
  double MinY = 65535.0;
  double MaxX = -65535.0;
  double MaxY = -65535.0;
  void GrowExtents(double X, double Y);
};

// Every element of the store that is not a rapid move: lines by their ends and the holes
// around their start, arcs by seven points of their sweep.
Extents StoreExtents(const TFormaGeom& Geom);

// Shows Box at 0.75 of the drawing area: Left pixels from the picture's left edge are covered
// by the docked memo, the area runs from Top down Height pixels, Width is the picture's width.
// The screen centre goes to the middle of the area; an empty box, a single point, or an area
// that yields no positive finite scale leave view centre (0, 0) at scale 1.0. The fit applies
// no clamp: the next zoom step clamps again.
void FitViewToExtents(EditorView& View, const Extents& Box, double Left, double Top,
                      double Width, double Height);

// FitViewToStore (declared with the view) is StoreExtents and FitViewToExtents in one.

// The pole: set (PoleX or PoleY not 0) it returns to (0, 0), otherwise it goes to the cursor.
void TogglePole(EditorView& View);
// Typed pole coordinates ("x10 y-5" sets both, "y3" only y). False when neither X nor Y gave a
// value (nothing changes).
bool ApplyPoleInput(EditorView& View, TFormaDaten& Daten, const std::string& Text);

}  // namespace movra
