// The colour panel, the tool field and the ISO view in the editor window: the settings slots
// the keys and bars write, the picture they repaint, the symbols of the tool field and the
// text of the ISO memo.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <optional>
#include <vector>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "geometry/text_writers.h"
#include "platform/qt/color_dialog.h"
#include "platform/qt/colors.h"
#include "shell/base/folders.h"
#include "shell/base/forma_settings.h"
#include "tests/editor/iso_support.h"
#include "tests/editor/paint_support.h"

namespace movra {
namespace {

using platform::ColorValue;
using testing::kBrush;
using testing::kCursor;
using testing::kDefault;

constexpr int kRowCursor = 0, kRowBackground = 1, kRowMessages = 9;

// The painting's editor (origin at pixel (200, 150), scale 1) with the colour dialog and the
// questions answered by the test.
class ColourPanel : public testing::Paint {
 protected:
  void SetUp() override {
    Paint::SetUp();
    editor_.Dialogs.AskYesNo = [](const QString&) { return false; };
    editor_.ColorDialog->Runner = [this](const platform::ColorDialog& d) {
      dialogStart_ = d.Color;
      return dialogAnswer_;
    };
  }

  // The user picks Row from the list.
  void Choose(int Row) {
    editor_.ComboBoxColor->setCurrentIndex(Row);
    emit editor_.ComboBoxColor->activated(Row);
  }
  void Key(Qt::Key K) { QTest::keyClick(editor_.ComboBoxColor, K); }
  ColorValue Preview() const {
    return platform::FromQColor(editor_.PanelColor->palette().color(QPalette::Window));
  }

  std::optional<ColorValue> dialogAnswer_;
  std::optional<ColorValue> dialogStart_;
};

// ---- Colour panel ----

TEST_F(ColourPanel, GreenBarAloneTo200SetsTheBackgroundAndItsPixels) {
  settings_->ColorBrush = 0x123456;
  Choose(kRowBackground);
  EXPECT_EQ(Preview(), 0x123456);
  // The user drags the green bar; red and blue stand at 0 since the choice.
  editor_.ScrollBarColorG->setSliderPosition(200);
  EXPECT_EQ(settings_->ColorBrush, 0x00C800);
  EXPECT_EQ(Preview(), 0x00C800);
  editor_.PaintView();
  EXPECT_EQ(editor_.BackBuffer.pixelColor(5, 5), platform::ToQColor(0x00C800));
  // A click beside the blue bar's slider: one large step of 5.
  editor_.ScrollBarColorB->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(settings_->ColorBrush, 0x05C800);
}

TEST_F(ColourPanel, BarsSetByTheProgramWriteNoSlot) {
  Choose(kRowBackground);
  editor_.ScrollBarColorR->setSliderPosition(100);
  ASSERT_EQ(settings_->ColorBrush, 0x000064);
  // Choosing another row sets the bars to 0: neither slot turns black.
  settings_->ColorCursor = 0x0000FF;
  Choose(kRowCursor);
  EXPECT_EQ(settings_->ColorBrush, 0x000064);
  EXPECT_EQ(settings_->ColorCursor, 0x0000FF);
  EXPECT_EQ(editor_.ScrollBarColorR->value(), 0);
  editor_.ScrollBarColorB->setValue(77);
  EXPECT_EQ(settings_->ColorCursor, 0x0000FF);
}

TEST_F(ColourPanel, SuppressedBarsAreIgnored) {
  Choose(kRowBackground);
  editor_.ScrollBarColorTag = {0, 1, 0};
  editor_.ScrollBarColorR->setSliderPosition(50);
  EXPECT_EQ(settings_->ColorBrush, kBrush);
}

struct EscCase {
  const char* name;
  int row;
  ColorValue TFormaSettings::*slot;
  ColorValue restored;
};

class ColourPanelEsc : public ColourPanel, public ::testing::WithParamInterface<EscCase> {};

TEST_P(ColourPanelEsc, RestoresTheRowsColour) {
  const EscCase& c = GetParam();
  settings_.get()->*c.slot = 0x445566;
  Choose(c.row);
  Key(Qt::Key_Escape);
  EXPECT_EQ(settings_.get()->*c.slot, c.restored);
  EXPECT_EQ(Preview(), c.restored);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ColourPanelEsc,
    ::testing::Values(EscCase{"Messages", kRowMessages, &TFormaSettings::ColorTextMessage, 0x00FFFF},
                      EscCase{"Cursor", kRowCursor, &TFormaSettings::ColorCursor, 0x0000FF},
                      EscCase{"RapidTraverse", 7, &TFormaSettings::ColorToolMax, 0xFF00FF}),
    [](const auto& info) { return std::string(info.param.name); });

// The shown window with the list focused: the window's Esc rule runs first (here it hides the
// ISO memo rather than closing), then the list restores the row's colour; every other key
// reaches the list's handler before the list moves.
TEST_F(ColourPanel, FocusedListSeesKeysAfterTheWindowAndBeforeItMoves) {
  editor_.show();
  editor_.activateWindow();
  ASSERT_TRUE(testing::RunEventLoopUntil([this] { return editor_.isActiveWindow(); }));
  editor_.GroupBoxColor->show();
  editor_.PanelMemo->show();
  editor_.MemoIso->show();
  settings_->ColorTextMessage = 0x445566;
  Choose(kRowMessages);
  editor_.ComboBoxColor->setFocus();
  ASSERT_TRUE(testing::RunEventLoopUntil([this] { return editor_.ComboBoxColor->hasFocus(); }));
  Key(Qt::Key_Escape);
  EXPECT_TRUE(editor_.MemoIso->isHidden());
  EXPECT_TRUE(editor_.isVisible());
  EXPECT_EQ(settings_->ColorTextMessage, 0x00FFFF);
  settings_->ColorBrush = 0x303030;
  Choose(kRowCursor);
  Key(Qt::Key_Down);
  EXPECT_EQ(editor_.ComboBoxColor->currentIndex(), kRowBackground);
  EXPECT_EQ(settings_->ColorCursor, kCursor);
  EXPECT_EQ(settings_->ColorBrush, 0x303030);
}

TEST_F(ColourPanel, EnterWithTheDialogCancelledChangesNothing) {
  settings_->ColorSelect = 0x445566;
  Choose(3);
  editor_.ScrollBarColorR->setSliderPosition(30);
  ASSERT_EQ(settings_->ColorSelect, 0x00001E);
  Key(Qt::Key_Return);
  EXPECT_EQ(dialogStart_, 0x00001E);  // the dialog starts at the colour shown
  EXPECT_EQ(settings_->ColorSelect, 0x00001E);
  EXPECT_EQ(Preview(), 0x00001E);
  EXPECT_EQ(editor_.ScrollBarColorR->value(), 30);
}

TEST_F(ColourPanel, EnterWithAColourChosenSetsIt) {
  dialogAnswer_ = 0x20A040;
  Choose(3);
  Key(Qt::Key_Enter);
  EXPECT_EQ(settings_->ColorSelect, 0x20A040);
  EXPECT_EQ(Preview(), 0x20A040);
}

TEST_F(ColourPanel, DownFromCursorLeavesTheBackgroundAsItWas) {
  settings_->ColorCursor = 0x0000FF;
  settings_->ColorBrush = 0x303030;
  Choose(kRowCursor);
  editor_.ComboBoxColor->setFocus();
  Key(Qt::Key_Down);
  // The key acted on the cursor's row before the list moved on.
  EXPECT_EQ(editor_.ComboBoxColor->currentIndex(), kRowBackground);
  EXPECT_EQ(settings_->ColorCursor, 0x0000FF);
  EXPECT_EQ(settings_->ColorBrush, 0x303030);
  EXPECT_EQ(Preview(), 0x303030);
}

TEST_F(ColourPanel, StandardRestoresTheDefaultsAndLeavesNoRow) {
  settings_->ActionDefaultExecute();
  const ColorValue brush = settings_->ColorBrush, drill = settings_->ColorToolDrill;
  settings_->ColorBrush = 0x010203;
  settings_->ColorToolDrill = 0x040506;
  settings_->LabelFontSize = 30;
  Choose(kRowBackground);
  editor_.Default->trigger();
  EXPECT_EQ(settings_->ColorBrush, brush);
  EXPECT_EQ(settings_->ColorToolDrill, drill);
  EXPECT_EQ(settings_->LabelFontSize, 10);
  EXPECT_EQ(editor_.ComboBoxColor->currentIndex(), -1);
  // With no row a key or a bar writes no slot.
  Key(Qt::Key_Escape);
  editor_.ScrollBarColorG->setSliderPosition(90);
  EXPECT_EQ(settings_->ColorBrush, brush);
  EXPECT_EQ(settings_->ColorCursor, kCursor);
}

TEST_F(ColourPanel, ButtonTogglesThePanelAndCancelHidesIt) {
  ASSERT_TRUE(editor_.GroupBoxColor->isHidden());
  editor_.SpeedButtonColor->click();
  EXPECT_FALSE(editor_.GroupBoxColor->isHidden());
  editor_.SpeedButtonColorClose->click();
  EXPECT_TRUE(editor_.GroupBoxColor->isHidden());
}

// ---- Tool field ----

class ToolField : public ColourPanel {
 protected:
  void SetUp() override {
    ColourPanel::SetUp();
    editor_.PScrollBar->trigger();  // Check: the tool field is shown
    // The mouse over an element: the tool stands at the mouse's model point.
    editor_.HoverIndex = 1;
    editor_.MouseModelX = 60;
    editor_.MouseModelY = 40;
    editor_.CursorX = editor_.CursorY = 0;
  }
  void Tool(const char* Text) {
    editor_.ComboBoxTool->setEditText(QString::fromLatin1(Text));
    editor_.PaintView();
  }
};

TEST_F(ToolField, CutterIsACircleOfItsRadius) {
  Tool("10");
  EXPECT_EQ(editor_.ToolDefined, 1);
  EXPECT_TRUE(Near(65, 40, kDefault));
  EXPECT_TRUE(Near(60, 45, kDefault));
  EXPECT_EQ(At(60, 40), platform::ToQColor(kBrush));
}

TEST_F(ToolField, DrillHasItsPointAtTheMouseAndTwoFlanks) {
  Tool("10 120");
  // Point angle 120: the cone reaches 5 cot 60 ahead and 5 tan 60 aside; the flanks run 10 on.
  const double c = 5.0 / std::sqrt(3.0), t = 5.0 * std::sqrt(3.0);
  EXPECT_TRUE(Near(60, 40, kDefault));
  EXPECT_TRUE(Near(60 + c + 5, 40 + t, kDefault));
  EXPECT_TRUE(Near(60 + c + 5, 40 - t, kDefault));
  EXPECT_EQ(At(60 + c + 5, 40), platform::ToQColor(kBrush));
}

TEST_F(ToolField, TurningOutlineIsARhombusOfTheTwoEdges) {
  Tool("-30 30 5");
  EXPECT_EQ(editor_.ToolDefined, 1);
  // Corners at 5 along -30 and +30 degrees and the far one at 5 sqrt 3 along the axis.
  EXPECT_TRUE(Near(60 + 4.33, 40 - 2.5, kDefault));
  EXPECT_TRUE(Near(60 + 4.33, 40 + 2.5, kDefault));
  EXPECT_TRUE(Near(60 + 8.66, 40, kDefault));
}

TEST_F(ToolField, EmptyTextOrHiddenFieldShowsNoTool) {
  Tool("10");
  Tool("");
  EXPECT_EQ(editor_.ToolDefined, 0);
  EXPECT_FALSE(Near(65, 40, kDefault));
  Tool("10");
  editor_.PScrollBar->trigger();  // hides the field again
  editor_.PaintView();
  EXPECT_EQ(editor_.ToolDefined, 1);
  EXPECT_FALSE(Near(65, 40, kDefault));
}

TEST_F(ToolField, BadTextsDrawNothingWild) {
  for (const char* text : {"abc", "-10", "10 0", "10 180", "1e308", "0", "999999 1 999999"}) {
    Tool(text);
    // Nothing far from the tool point was drawn: the corners of the picture keep the brush.
    for (const QPoint p : {QPoint(2, 2), QPoint(397, 2), QPoint(2, 297), QPoint(397, 297)})
      EXPECT_EQ(editor_.BackBuffer.pixelColor(p), platform::ToQColor(kBrush)) << text;
  }
  Tool(std::string(500, '7').c_str());
  EXPECT_EQ(editor_.ToolDefined, 0);
}

// ---- ISO view ----

class IsoPanel : public ColourPanel {
 protected:
  void Line(int Number, double X1, double Y1, double X2, double Y2) {
    testing::AddLine(geom_, Number, X1, Y1, X2, Y2);
  }
  std::string Sub(int Number, int Plane) const { return testing::SubprogramText(geom_, Number, Plane); }
  std::string IsoText() const { return editor_.MemoIso->toPlainText().toStdString(); }
};

TEST_F(IsoPanel, IndexSevenShowsItsSubprogramOnlyAndLeavesGeneratedTextAlone) {
  Line(3, 0, 0, 3, 0);
  Line(7, 0, 0, 0, 7);
  editor_.GeneratedText = QStringList{"G1 X1"};
  editor_.EditIndex->setText("7");
  editor_.SpeedButton_G18->click();
  EXPECT_FALSE(editor_.PanelMemo->isHidden());
  EXPECT_FALSE(editor_.MemoIso->isHidden());
  EXPECT_TRUE(editor_.MemoIso->isReadOnly());
  EXPECT_EQ(IsoText(), Sub(7, 18));
  EXPECT_EQ(editor_.GeneratedText, QStringList{"G1 X1"});
}

TEST_F(IsoPanel, AbsentGeometryKeepsTheMemoHidden) {
  Line(3, 0, 0, 3, 0);
  editor_.EditIndex->setText("7");
  editor_.SpeedButton_G17->click();
  EXPECT_FALSE(editor_.PanelMemo->isHidden());
  EXPECT_TRUE(editor_.MemoIso->isHidden());
}

TEST_F(IsoPanel, EmptyIndexShowsAllAscendingAndEscOrAbortHidesThem) {
  Line(12, 0, 0, 12, 0);
  Line(3, 0, 0, 3, 0);
  editor_.SpeedButton_G19->click();
  EXPECT_EQ(IsoText(), Sub(3, 19) + "\n\n" + Sub(12, 19));
  EXPECT_FALSE(editor_.MemoIso->isHidden());
  editor_.HandleEscape();
  EXPECT_TRUE(editor_.MemoIso->isHidden());
  editor_.EditIndex->setText("3");
  editor_.SpeedButton_G17->click();
  EXPECT_EQ(IsoText(), Sub(3, 17));
  editor_.SpeedButton_G17_Abort->click();
  EXPECT_TRUE(editor_.MemoIso->isHidden());
  EXPECT_TRUE(editor_.EditIndex->text().isEmpty());
}

TEST_F(IsoPanel, EmptyStoreOnlyShowsTheTextPanel) {
  editor_.MemoIso->setPlainText("old");
  editor_.SpeedButton_G17->click();
  EXPECT_FALSE(editor_.PanelMemo->isHidden());
  EXPECT_TRUE(editor_.MemoIso->isHidden());
  EXPECT_TRUE(IsoText().empty());
}

TEST_F(IsoPanel, BarSharesItsWidthInFifthsAndTheMenuTogglesIt) {
  editor_.PanelIso->resize(403, editor_.PanelIso->height());
  editor_.PanelIsoResize();
  EXPECT_EQ(editor_.SpeedButton_G18->width(), 80);
  EXPECT_EQ(editor_.SpeedButton_G18->x(), 160);
  EXPECT_EQ(editor_.PanelIndex->x(), 320);
  const bool hidden = editor_.PanelIso->isHidden();
  editor_.PIso->trigger();
  EXPECT_EQ(editor_.PanelIso->isHidden(), !hidden);
}

}  // namespace
}  // namespace movra
