#pragma once
// The editor whose repaint the painting and hover tests read back from its picture.
#include <gtest/gtest.h>

#include <QColor>
#include <QStatusBar>
#include <algorithm>
#include <cmath>
#include <memory>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "platform/qt/colors.h"
#include "shell/base/folders.h"
#include "shell/base/forma_settings.h"
#include "tests/qt_test_support.h"

namespace movra::testing {

using platform::ColorValue;

// Distinct colours, so that every pixel tells which pen drew it.
constexpr ColorValue kBrush = 0x000000;
constexpr ColorValue kDefault = 0xFFFFFF;
constexpr ColorValue kLeft = 0xFF0000;
constexpr ColorValue kRight = 0x00FF00;
constexpr ColorValue kRapid = 0xFF00FF;
constexpr ColorValue kCursor = 0x0000FF;
constexpr ColorValue kEnabled = 0x808080;
constexpr ColorValue kSelect = 0x00FFFF;
constexpr ColorValue kDrill = 0xFFFF00;

// An editor of a 400 x 300 picture whose model origin lies at pixel (200, 150), scale 1:
// the model point (x, y) is the pixel (200 + x, 150 - y). The test shapes keep away from the
// axes and the cursor marker at the origin.
class Paint : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.Ready());
    folders_.SetExeFolder(folder_.Folder(), folder_.Exe());
    settings_ = std::make_unique<TFormaSettings>(folders_, daten_, windows_);
    TFormaSettings& s = *settings_;
    s.ColorBrush = kBrush;
    s.ColorDefault = kDefault;
    s.ColorToolTyp1 = kLeft;
    s.ColorToolTyp2 = kRight;
    s.ColorToolMax = kRapid;
    s.ColorCursor = kCursor;
    s.ColorEnabled = kEnabled;
    s.ColorSelect = kSelect;
    s.ColorToolDrill = kDrill;
    editor_.FormaSettings = settings_.get();
    editor_.FormaEditorTurn = &turn_;
    editor_.FormaEditorInsel = &insel_;
    editor_.setMinimumSize(0, 0);  // a small picture is enough
    editor_.resize(400, 300 + editor_.StatusBar->sizeHint().height());
    editor_.FormResize();
    ASSERT_TRUE(editor_.isEnabled());
    ASSERT_EQ(editor_.width(), 400);
    ASSERT_EQ(editor_.BackBuffer.width(), 400);
    ASSERT_EQ(editor_.BackBuffer.height(), 300);
    editor_.ViewCenterX = editor_.ViewCenterY = 0;
    editor_.ScreenCenterX = 200;
    editor_.ScreenCenterY = 150;
    editor_.ViewScale = 1;
  }

  TFormaGeom::GeomT& Add(double kind, double v1, double v2, double v3, double v4, double v5,
                         std::uint8_t side = 0, double feed = 100) {
    EXPECT_TRUE(geom_.NewElement());
    TFormaGeom::GeomT& e = *geom_.CurElement();
    e.Kind = kind;
    e.V1 = v1, e.V2 = v2, e.V3 = v3, e.V4 = v4, e.V5 = v5;
    e.Side = side;
    e.Feed = feed;
    e.GeomNo = 1;
    return e;
  }
  TFormaGeom::GeomT& Line(double x1, double y1, double x2, double y2, std::uint8_t side = 0,
                          double feed = 100) {
    return Add(1, x1, y1, x2, y2, 0, side, feed);
  }

  QColor At(double x, double y) const {
    return editor_.BackBuffer.pixelColor(static_cast<int>(200 + x), static_cast<int>(150 - y));
  }
  // Colour C within a pixel of the model point.
  bool Near(double x, double y, ColorValue c) const {
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        if (At(x + dx, y + dy) == Of(c)) return true;
    return false;
  }
  static QColor Of(ColorValue c) { return platform::ToQColor(c); }
  // Pixels of colour C along the model segment, one per pixel step.
  int CountAlong(ColorValue c, double x1, double y1, double x2, double y2) const {
    const int steps = static_cast<int>(std::max(std::fabs(x2 - x1), std::fabs(y2 - y1)));
    int n = 0;
    for (int i = 0; i <= steps; ++i)
      n += At(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps) == Of(c) ? 1 : 0;
    return n;
  }

  testing::StandInExeFolder folder_;
  TFormaDatenFolders folders_;
  platform::WindowList windows_;
  TFormaDaten daten_;
  std::unique_ptr<TFormaSettings> settings_;
  TFormaGeom geom_{daten_, ""};
  TFormaEditorTurn turn_{daten_, geom_};
  TFormaEditorInsel insel_{daten_, geom_};
  TFormaEditor editor_{windows_, geom_};
};

}  // namespace movra::testing
