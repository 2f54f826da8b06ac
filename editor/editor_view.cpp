#include "editor/editor_view.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace movra {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Distances and angles shown in the status bar that are zero up to rounding.
constexpr double kShownZero = 1e-7;

std::string Real(double Value, int Decimals) { return TFormaDaten::FormatReal(Value, Decimals); }

double Degrees(double Radians) { return Radians * 180.0 / std::numbers::pi; }

}  // namespace

bool EditorView::SetViewScale(double Scale) {
  if (!std::isfinite(Scale) || Scale <= 0.0) return false;
  ViewScale = Scale;
  return true;
}

double EditorView::ClampScale(double Scale) const {
  if (Scale > ViewScaleMax) return ViewScaleMax;
  if (Scale < ViewScaleMin) return ViewScaleMin;
  return Scale;
}

bool ClipSegment(double& X1, double& Y1, double& X2, double& Y2, double X0, double Y0,
                 double XMax, double YMax, double& T1, double& T2) {
  if (!std::isfinite(X1) || !std::isfinite(Y1) || !std::isfinite(X2) || !std::isfinite(Y2))
    return false;
  const double dx = X2 - X1, dy = Y2 - Y1;
  if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
  // Liang-Barsky: the parameter range of the segment inside each pair of edges.
  double t1 = 0.0, t2 = 1.0;
  const auto edge = [&](double p, double q) {
    if (p == 0.0) return q >= 0.0;
    const double t = q / p;
    if (p < 0.0) {
      if (t > t2) return false;
      t1 = std::max(t1, t);
    } else {
      if (t < t1) return false;
      t2 = std::min(t2, t);
    }
    return true;
  };
  if (!edge(-dx, X1 - X0) || !edge(dx, XMax - X1) || !edge(-dy, Y1 - Y0) || !edge(dy, YMax - Y1))
    return false;
  const double x1 = X1, y1 = Y1;
  X1 = x1 + t1 * dx;
  Y1 = y1 + t1 * dy;
  X2 = x1 + t2 * dx;
  Y2 = y1 + t2 * dy;
  T1 = t1;
  T2 = t2;
  return true;
}

double DrawnArcSweep(double R, double A1, double A2, double CosA1, double SinA1) {
  if (std::hypot(CosA1 - std::cos(A2), SinA1 - std::sin(A2)) < FullCircleTolerance) {
    if (std::fabs(A2 - A1) < std::numbers::pi) return 0.0;
    return R > 0 ? kTwoPi : -kTwoPi;
  }
  return TFormaDaten::ArcSweep(R, A1, A2);
}

double DrawnArcSweep(double R, double A1, double A2) {
  return DrawnArcSweep(R, A1, A2, std::cos(A1), std::sin(A1));
}

void AppendCodeLabel(std::string& Text, const std::string& Word) {
  if (Text.find(Word) == std::string::npos) Text += Word + " / ";
}

namespace {

std::string Trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string CodeLabel(const EditorHover& Hover, int Decimals) {
  std::string text;
  if (Hover.HoverCorr == 1) AppendCodeLabel(text, "g41");
  if (Hover.HoverCorr == 2) AppendCodeLabel(text, "g42");
  if (Hover.HoverCorr == 3) AppendCodeLabel(text, "g81");
  if (Hover.HoverFeed == NoValue) AppendCodeLabel(text, "max");
  if (Hover.HoverFeed != 0.0 && Hover.HoverFeed != NoValue)
    AppendCodeLabel(text, "f" + Real(Hover.HoverFeed, Decimals));
  // The closing slash goes; an empty text has none to lose.
  text = Trimmed(text);
  if (!text.empty()) text.pop_back();
  return Trimmed(text);
}

std::vector<std::string> LabelLines(const EditorView& View, bool Diameter, int Decimals) {
  std::vector<std::string> lines;
  lines.push_back("x= " + Real(View.MouseModelX, Decimals));
  if (Diameter)
    lines.push_back("d= " + Real(2.0 * View.MouseModelY, Decimals));
  else
    lines.push_back("y= " + Real(View.MouseModelY, Decimals));
  if (View.HoverGeom[5] != 0.0) lines.push_back("z= " + Real(View.HoverGeom[5], Decimals));
  if (View.HoverNumber > 0) lines.push_back("n= " + std::to_string(View.HoverNumber));
  if (View.HoverE != 0.0) lines.push_back("e= " + Real(View.HoverE, Decimals));
  if (std::string code = CodeLabel(View, Decimals); !code.empty()) lines.push_back(code);
  return lines;
}

StatusTexts MakeStatusTexts(const EditorView& View, bool Diameter, int Decimals) {
  StatusTexts out;
  const auto distAngle = [](double x1, double y1, double x2, double y2, double& d, double& a) {
    d = TFormaDaten::Dist(x1, y1, x2, y2);
    a = TFormaDaten::DirAngle(x1, y1, x2, y2);
  };
  double dist = 0.0, angle = 0.0;
  distAngle(View.PoleX, View.PoleY, View.CursorX, View.CursorY, dist, angle);
  if (std::fabs(dist) < kShownZero) dist = angle = 0.0;
  if (std::fabs(angle - kTwoPi) < kShownZero) angle = 0.0;

  const double dy = View.CursorY - View.PoleY;
  out.Panels[0] = "x " + Real(View.CursorX - View.PoleX, Decimals);
  out.Panels[1] = Diameter ? "d " + Real(2.0 * dy, Decimals) : "y " + Real(dy, Decimals);
  const auto& g = View.HoverGeom;
  out.Panels[2] = "z=0";
  if (View.HoverKind == 1 && (g[4] != 0.0 || g[5] != 0.0)) {
    out.Panels[2] = "z= " + Real(g[4], Decimals);
    if (g[4] != g[5]) out.Panels[2] += " / " + Real(g[5], Decimals);
  } else if (View.HoverKind == 2 && g[5] != 0.0) {
    out.Panels[2] = "z= " + Real(g[5], Decimals);
  }
  out.Panels[3] = "l " + Real(dist, Decimals);
  out.Panels[4] = "a " + Real(Degrees(angle), Decimals);

  if (View.HoverKind == 1) {
    double length = 0.0, direction = 0.0;
    distAngle(g[0], g[1], g[2], g[3], length, direction);
    out.Panel5 = "l [ " + Real(length, Decimals) + " / " + Real(Degrees(direction), Decimals) +
                 " ]";
  } else if (View.HoverKind == 2) {
    out.Panel5 = "r [ " + Real(g[2], Decimals) + " / " + Real(Degrees(g[3]), Decimals) + " / " +
                 Real(Degrees(g[4]), Decimals) + " ]";
  }
  return out;
}

}  // namespace movra
