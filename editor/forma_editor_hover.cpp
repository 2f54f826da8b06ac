// The hover record as the painting uses it: emptied, and the hovered element drawn thick.
#include <QLabel>
#include <cmath>

#include "editor/forma_editor.h"
#include "platform/qt/canvas.h"
#include "shell/base/forma_settings.h"

namespace movra {

void TFormaEditor::ClearHover() {
  const double feed = HoverFeed;  // the feed outlives a clearing
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
  canvas_->SetPen({s.ColorSelect, 5, platform::PenStyle::Solid});
  if (HoverKind == 1) DrawSegmentIfDefined(g[0], g[1], g[2], g[3]);
  if (HoverKind == 2) DrawArcIfDefined(g[0], g[1], g[2], g[3], g[4]);
  // Drawn again thin and dotted when every value is defined.
  canvas_->SetPen({s.ColorEnabled, 1, platform::PenStyle::Dot});
  const auto defined = [](double v) { return std::fabs(v - NoValue) >= 2.0; };
  if (HoverKind == 1 && defined(g[0]) && defined(g[1]) && defined(g[2]) && defined(g[3]))
    DrawSegmentIfDefined(g[0], g[1], g[2], g[3]);
  if (HoverKind == 2 && defined(g[0]) && defined(g[1]) && defined(g[2]) && defined(g[3]) &&
      defined(g[4]))
    DrawArcIfDefined(g[0], g[1], g[2], g[3], g[4]);
}

}  // namespace movra
