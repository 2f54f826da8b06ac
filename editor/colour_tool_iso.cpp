#include "editor/colour_tool_iso.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "geometry/text_writers.h"

namespace movra {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// The first three numbers of Text as the word parser reads them from its start.
std::array<double, 3> LeadingNumbers(const TFormaDaten& Daten, std::string_view Text) {
  // A parser of its own: the shared one's values table belongs to the interpreter's line.
  TFormaDaten parser;
  parser.Vars = Daten.Vars;
  std::string upper(Text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  parser.GetWordValue(upper, "");
  std::array<double, 3> n{parser.Values(1), parser.Values(2), parser.Values(3)};
  for (double& v : n)
    if (!std::isfinite(v)) v = NoValue;
  return n;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

platform::ColorValue BarColor(int Red, int Green, int Blue) {
  return platform::MakeColor(Red, Green, Blue);
}

std::optional<platform::ColorValue> PreviewAfterColorKey(ColorKey Key, int Row,
                                                         platform::ColorValue Preview,
                                                         std::optional<platform::ColorValue> Chosen) {
  switch (Key) {
    case ColorKey::Enter:
      return Chosen;
    case ColorKey::Escape:
      if (Row >= 0 && Row < ColorRowCount) return ColorRows[static_cast<std::size_t>(Row)].EscColor;
      return Preview;
    case ColorKey::Other:
      break;
  }
  return Preview;
}

void ResetToolShape(EditorView& View) {
  View.ToolDefined = 0;
  View.ToolRadius = View.ToolAngle1 = View.ToolAngle2 = View.ToolSize = NoValue;
}

void ReadToolShape(EditorView& View, const TFormaDaten& Daten, std::string_view Text) {
  ResetToolShape(View);
  const std::array<double, 3> n = LeadingNumbers(Daten, Text);
  if (n[0] == NoValue) return;
  if (n[2] != NoValue) {
    // A turning tool: two edge angles and the size of its outline.
    View.ToolAngle1 = n[0] * kDegree;
    View.ToolAngle2 = n[1] == NoValue ? NoValue : n[1] * kDegree;
    View.ToolSize = n[2];
  } else if (n[1] != NoValue) {
    View.ToolRadius = n[0] / 2.0;
    View.ToolAngle1 = n[1] * kDegree;
  } else {
    View.ToolRadius = n[0] / 2.0;
  }
  View.ToolDefined = 1;
}

IsoViewT BuildIsoView(const TFormaGeom& Geom, const TFormaDaten& Daten, std::string_view IndexText,
                      int Plane) {
  IsoViewT view;
  if (Geom.ElementCount() == 0) return view;
  const double n = LeadingNumbers(Daten, IndexText)[0];
  std::vector<std::string> lines;
  for (int i = 1; i <= TFormaGeom::MaxGeomNumber; ++i) {
    if (n != NoValue && static_cast<double>(i) != n) continue;
    if (!Geom.GeomExists(i) || !GeometryToSubprogram(Geom, lines, i, Plane)) continue;
    for (const std::string& line : lines) {
      view.Text += line;
      view.Text += '\n';
    }
    view.Text += '\n';
    view.Shown = true;
  }
  std::size_t first = 0, last = view.Text.size();
  while (first < last && IsBlank(view.Text[first])) ++first;
  while (last > first && IsBlank(view.Text[last - 1])) --last;
  view.Text = view.Text.substr(first, last - first);
  return view;
}

}  // namespace movra
