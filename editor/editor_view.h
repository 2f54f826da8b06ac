#pragma once
// What the graphic editor knows about its drawing without a window: the transform between
// model units and pixels of the picture, the mouse, cursor, pole and hover state that the
// painting, the snap search and the navigation share, the safe conversion of pixels to
// integers, the clipping of lines, the points of an arc, and the texts of the labels and the
// status bar. Standard library only, so tests and the snap search need no window.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "geometry/one_based.h"

namespace movra {

struct PixelT {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const PixelT&, const PixelT&) = default;
};

// Every pixel coordinate handed on as an integer lies within +-PixelLimit: far beyond any
// picture, so the rasteriser's own clipping hides the difference, and far from overflowing.
inline constexpr double PixelLimit = 1 << 20;

// A pixel coordinate to the nearest integer (ties to even, as the platform rounds), held
// within +-PixelLimit. Not for NaN: callers skip what is not a number.
inline std::int32_t PixelRound(double Value) {
  const double held = Value < -PixelLimit ? -PixelLimit : Value > PixelLimit ? PixelLimit : Value;
  // Adding and taking away 1.5 * 2^52 leaves the nearest integer, ties to even; it runs on
  // every point of every arc, where a library call would cost more than the drawing.
  constexpr double kRound = 6755399441055744.0;
  return static_cast<std::int32_t>((held + kRound) - kRound);
}

// A model point of the hovered element's construction; (NoValue, NoValue) = unset.
struct ConstructionPointT {
  double X = NoValue;
  double Y = NoValue;
};
// Candidate points of an element: nine of a line, sixteen of an arc.
inline constexpr int ConstructionPointCount = 16;

// The hovered element as the last snap search found it (see the snap search).
struct EditorHover {
  std::int32_t HoverIndex = 0;   // position in its list; 0 = nothing hovered
  std::int32_t HoverNumber = 0;  // geometry number; path kind of a pocket item; 0 turning
  double HoverKind = 0.0;        // 1 line, 2 arc, 0 none
  std::array<double, 6> HoverGeom{};  // line X1 Y1 X2 Y2 Z1 Z2; arc CX CY R A1 A2 Z
  double HoverE = 0.0;           // offset distance of the hovered element
  double HoverFeed = 0.0;        // NoValue = rapid
  std::uint8_t HoverCorr = 0;    // 0 none, 1 g41, 2 g42, 3 g81
  std::int32_t SnapKind = 0;     // winning candidate of the hovered element, 0 none
  // The hovered element's candidate points by candidate number 1..16.
  OneBasedArray<ConstructionPointT, ConstructionPointCount> ConstructionPoints;
};

// The view and the points the editor's tools share.
struct EditorView : EditorHover {
  double ViewCenterX = 0.0;  // model point shown at the screen centre
  double ViewCenterY = 0.0;
  double ViewScale = 1.0;    // pixels per model unit
  double ViewScaleMax = 1000.0;
  double ViewScaleMin = 0.01;
  double ScreenCenterX = 0.0;  // pixel where the view centre is drawn
  double ScreenCenterY = 0.0;

  PixelT MousePixel;              // current mouse pixel; X 0 = not known yet
  double MouseModelX = NoValue;   // mouse in model units; the cursor point when latched
  double MouseModelY = NoValue;
  double CursorX = 0.0;           // the snap point under the mouse
  double CursorY = 0.0;
  double PoleX = 0.0;             // origin of the relative coordinates; (0, 0) = no pole
  double PoleY = 0.0;
  std::array<double, 4> WindowRect{};  // zoom window: first corner X, Y, second corner X, Y

  // The tool panel's shape (radians and drawing units, NoValue = not given).
  std::uint8_t ToolDefined = 0;
  double ToolAngle1 = NoValue;
  double ToolAngle2 = NoValue;
  double ToolSize = NoValue;
  double ToolRadius = NoValue;

  void WorldToScreen(double X, double Y, double& SX, double& SY) const {
    SX = (X - ViewCenterX) * ViewScale + ScreenCenterX;
    SY = ScreenCenterY - (Y - ViewCenterY) * ViewScale;
  }
  void ScreenToWorld(double SX, double SY, double& X, double& Y) const {
    X = (SX - ScreenCenterX) / ViewScale + ViewCenterX;
    Y = (ScreenCenterY - SY) / ViewScale + ViewCenterY;
  }
  // Takes Scale unless it is 0, negative or not finite (false: the scale stays).
  bool SetViewScale(double Scale);
  // Scale held within ViewScaleMin..ViewScaleMax, as every zoom step ends.
  double ClampScale(double Scale) const;
  // The cursor point and the mouse's model point coincide.
  bool Latched() const { return MouseModelX == CursorX && MouseModelY == CursorY; }
};

// Cuts the segment to the rectangle [X0, X1] x [Y0, Y1]; false when nothing of it is inside
// or a coordinate is not finite. T1 and T2 return where the kept piece starts and ends as
// fractions of the original segment.
bool ClipSegment(double& X1, double& Y1, double& X2, double& Y2, double X0, double Y0,
                 double XMax, double YMax, double& T1, double& T2);

// Start and end angle meet on the unit circle closer than this: the arc is a full circle.
inline constexpr double FullCircleTolerance = 1e-10;

// The sweep an arc is drawn with. Start and end angle meeting on the unit circle make a full
// turn (negative for a negative radius) only when they are a whole turn or more apart as
// numbers: equal angles are the zero arc the interpreter leaves where its path runs straight
// past a base circle, and a full circle there would be a stray ring. Otherwise the kernel's
// sweep.
double DrawnArcSweep(double R, double A1, double A2);
// DrawnArcSweep with the start direction (cos A1, sin A1) already at hand.
double DrawnArcSweep(double R, double A1, double A2, double CosA1, double SinA1);

// Points per drawn arc: 60 chords.
inline constexpr int ArcPointCount = 61;

// The code text of the labels: "g41 / f200" and the like; empty when nothing is to say.
void AppendCodeLabel(std::string& Text, const std::string& Word);
std::string CodeLabel(const EditorHover& Hover, int Decimals);

// The lines written beside the mouse, in order.
std::vector<std::string> LabelLines(const EditorView& View, bool Diameter, int Decimals);

// Texts of status panels 0 to 5. Panel 5 is empty (nullopt) when nothing is hovered: it then
// keeps its last text.
struct StatusTexts {
  std::array<std::string, 5> Panels;
  std::optional<std::string> Panel5;
};
StatusTexts MakeStatusTexts(const EditorView& View, bool Diameter, int Decimals);

// Fit to extents (navigation.h has its parts): the box of every element that is not a rapid
// move, shown at 0.75 of the drawing area whose width is Width - Left and height Height, its
// top at Top. An empty store or a single point leaves the view centre (0, 0) at scale 1.0.
void FitViewToStore(EditorView& View, const TFormaGeom& Geom, double Left, double Top,
                    double Width, double Height);

}  // namespace movra
