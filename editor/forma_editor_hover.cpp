// The hover record in the window: emptied, filled by the snap search under the mouse, and
// the hovered element drawn thick with its construction.
#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <cmath>
#include <initializer_list>

#include "editor/forma_editor.h"
#include "editor/snap_search.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "platform/qt/canvas.h"
#include "shell/base/forma_settings.h"

namespace movra {

void TFormaEditor::ClearHover() {
  const double feed = HoverFeed;  // the feed outlives a clearing
  // The construction points become unset, not (0, 0): a picked turning or pocket item fills
  // the record afterwards and must not show handles at the origin.
  static_cast<EditorHover&>(*this) = EditorHover{};
  HoverFeed = feed;
  CursorX = CursorY = 0.0;
  PoleX = PoleY = 0.0;
  for (int i = 0; i < 5; ++i)
    if (StatusPanels[i] != nullptr) StatusPanels[i]->clear();
}

void TFormaEditor::DrawSnapConstruction() {
  if (canvas_ == nullptr) return;
  const TFormaSettings& s = *FormaSettings;
  const auto& g = HoverGeom;
  const bool line = HoverKind == 1, arc = HoverKind == 2;
  canvas_->SetPen({s.ColorSelect, 5, platform::PenStyle::Solid});
  if (line) DrawSegmentIfDefined(g[0], g[1], g[2], g[3]);
  if (arc) DrawArcIfDefined(g[0], g[1], g[2], g[3], g[4]);
  // Drawn again thin and dotted when every value is defined; an undefined one ends the
  // construction with the outline.
  canvas_->SetPen({s.ColorEnabled, 1, platform::PenStyle::Dot});
  const auto defined = [](double v) { return std::fabs(v - NoValue) >= 2.0; };
  const bool firstFour = defined(g[0]) && defined(g[1]) && defined(g[2]) && defined(g[3]);
  if (line && !firstFour) return;
  if (arc && !(firstFour && defined(g[4]))) return;
  if (line) DrawSegmentIfDefined(g[0], g[1], g[2], g[3]);
  if (arc) DrawArcIfDefined(g[0], g[1], g[2], g[3], g[4]);

  const auto& p = ConstructionPoints;
  const auto handles = [this, &p](std::initializer_list<int> ks) {
    for (int k : ks) DrawHandle(p(k).X, p(k).Y);
  };
  const auto join = [this, &p](int a, int b) {
    DrawSegmentIfDefined(p(a).X, p(a).Y, p(b).X, p(b).Y);
  };
  handles({1, 2, 3});
  if (ActionParameter == nullptr || !ActionParameter->isChecked()) return;
  // The construction of the caught point, in the dotted pen.
  const int k = SnapKind;
  if (line && (k == 4 || k == 5 || k == 6)) {
    join(1, 5);
    join(5, 2);
    handles({4, 5, 6});
  } else if (line && (k == 7 || k == 8 || k == 9)) {
    join(1, 8);
    join(2, 8);
    handles({7, 8, 9});
  } else if (arc && (k == 3 || (k >= 12 && k <= 15))) {
    join(12, 14);  // the two diameters along the axes
    join(13, 15);
    handles({12, 13, 14, 15});
  } else if (arc && (k == 1 || k == 2 || (k >= 4 && k <= 7))) {
    join(3, 1);  // the radii to both ends and to the chord midpoint, and the chord
    join(3, 2);
    join(3, 6);
    join(1, 2);
    handles({3, 4, 5, 6, 7});
  } else if (arc && k >= 8 && k <= 11) {
    // The diameters, and the axis-parallel legs from the centre's lines to the start (8, 9)
    // or the end (10, 11).
    const ConstructionPointT& end = k <= 9 ? p(1) : p(2);
    join(12, 14);
    join(13, 15);
    DrawSegmentIfDefined(g[0], end.Y, end.X, end.Y);
    DrawSegmentIfDefined(end.X, g[1], end.X, end.Y);
    if (k <= 9)
      handles({8, 9});
    else
      handles({10, 11});
  } else if (arc && k == 16) {
    handles({16});
  }
}

void TFormaEditor::FindSnapPoint() {
  SnapSources sources{FormaGeom};
  if (FormaEditorInsel != nullptr) sources.PocketPath = &FormaEditorInsel->Path;
  if (FormaEditorTurn != nullptr) sources.TurnOutput = &FormaEditorTurn->OutElements;
  sources.AllParameters = ActionParameter->isChecked();
  if (PanelScroll != nullptr && !PanelScroll->isHidden() && ScrollBarIndexTag == 1)
    sources.PickedSlot = ScrollBarIndex->value();
  movra::FindSnapPoint(*this, sources);
}

}  // namespace movra
