// The colour panel, which edits ten colour slots of the settings while the drawing repaints,
// and the tool field, whose shape the painting draws at the cursor.
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/colour_tool_iso.h"
#include "editor/forma_editor.h"
#include "platform/qt/color_dialog.h"
#include "platform/qt/colors.h"
#include "shell/base/forma_settings.h"

namespace movra {
namespace {

using platform::ColorValue;

// The settings slot each row of the colour list edits, in the order of ColorRows.
constexpr std::array<ColorValue TFormaSettings::*, ColorRowCount> kColorSlots = {
    &TFormaSettings::ColorCursor,    &TFormaSettings::ColorBrush,
    &TFormaSettings::ColorDefault,   &TFormaSettings::ColorSelect,
    &TFormaSettings::ColorEnabled,   &TFormaSettings::ColorToolTyp1,
    &TFormaSettings::ColorToolTyp2,  &TFormaSettings::ColorToolMax,
    &TFormaSettings::ColorToolDrill, &TFormaSettings::ColorTextMessage,
};

// The tool field's list: diameters, drills of +-120 degrees, turning outlines; groups apart.
const char* const kToolList[] = {
    "2",         "4",         "5",         "6",         "8",         "10",       "12",
    "16",        "20",        "",          "2 120",     "4 120",     "5 120",    "6 120",
    "8 120",     "10 120",    "12 120",    "16 120",    "20 120",    "",         "2 -120",
    "4 -120",    "5 -120",    "6 -120",    "8 -120",    "10 -120",   "12 -120",  "16 -120",
    "20 -120",   "",          "-30 30 5",  "60 120 5",  "150 210 5", "240 300 5", "",
    "10 80 5",   "100 170 5", "190 260 5", "280 350 5", "",          "0 90 5",   "90 180 5",
    "180 270 5", "270 0 5",
};

constexpr int kColorBarMax = 255;
constexpr int kColorBarStep = 10;
constexpr int kRedPageStep = 10;
constexpr int kGreenBluePageStep = 5;

// Keys of the colour list reach ComboBoxColorKeyDown before the list acts on them, and a bar
// left by the mouse hands the focus back to the list.
class ColourPanelKeys : public QObject {
 public:
  explicit ColourPanelKeys(TFormaEditor& Editor) : QObject(&Editor), editor_(Editor) {}

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Watched == editor_.ComboBoxColor && Event->type() == QEvent::KeyPress) {
      editor_.ComboBoxColorKeyDown(static_cast<QKeyEvent*>(Event)->key());
    } else if (Event->type() == QEvent::Leave &&
               (Watched == editor_.ScrollBarColorR || Watched == editor_.ScrollBarColorG ||
                Watched == editor_.ScrollBarColorB)) {
      editor_.ScrollBarColorRMouseLeave();
    }
    return false;
  }

 private:
  TFormaEditor& editor_;
};

ColorValue PreviewColor(const QWidget* Panel) {
  return platform::FromQColor(Panel->palette().color(QPalette::Window));
}

void SetPreviewColor(QWidget* Panel, ColorValue Color) {
  QPalette palette = Panel->palette();
  palette.setColor(QPalette::Window, platform::ToQColor(Color));
  Panel->setPalette(palette);
}

}  // namespace

void TFormaEditor::CreateColourToolIsoPanels() {
  const auto named = [](QObject* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
  };
  auto* toolLayout = static_cast<QHBoxLayout*>(toolBar_->layout());

  // ---- Colour panel ----
  SpeedButtonColor = new QToolButton(toolBar_);
  named(SpeedButtonColor, "SpeedButtonColor");
  SpeedButtonColor->setText(QStringLiteral("C"));
  SpeedButtonColor->setToolTip(QStringLiteral("Colours"));
  toolLayout->insertWidget(toolLayout->indexOf(SpeedButtonCaption), SpeedButtonColor);

  GroupBoxColor->setTitle(QStringLiteral("Colours"));
  GroupBoxColor->setAutoFillBackground(true);  // the panel stands in front of the drawing
  ComboBoxColor = new QComboBox(GroupBoxColor);
  named(ComboBoxColor, "ComboBoxColor");
  ComboBoxColor->setToolTip(QStringLiteral("Enter / Esc"));
  for (const ColorRowT& row : ColorRows) ComboBoxColor->addItem(QString::fromUtf8(row.Text));
  ComboBoxColor->setCurrentIndex(-1);
  PanelColor = new QWidget(GroupBoxColor);
  named(PanelColor, "PanelColor");
  PanelColor->setAutoFillBackground(true);
  PanelColor->setMinimumHeight(24);
  const auto bar = [this, &named](const char* name, int pageStep) {
    auto* b = new QScrollBar(Qt::Horizontal, GroupBoxColor);
    named(b, name);
    b->setRange(0, kColorBarMax);
    b->setSingleStep(kColorBarStep);
    b->setPageStep(pageStep);
    // Only the user's moves count: actionTriggered, unlike valueChanged, never reports a
    // position the program sets.
    connect(b, &QScrollBar::actionTriggered, this, [this] { ScrollBarColorRScroll(); });
    return b;
  };
  ScrollBarColorR = bar("ScrollBarColorR", kRedPageStep);
  ScrollBarColorG = bar("ScrollBarColorG", kGreenBluePageStep);
  ScrollBarColorB = bar("ScrollBarColorB", kGreenBluePageStep);
  SpeedButtonColorClose = new QToolButton(GroupBoxColor);
  named(SpeedButtonColorClose, "SpeedButtonColorClose");
  SpeedButtonColorClose->setText(QStringLiteral("Cancel"));
  Default = new QAction(QStringLiteral("Standard"), GroupBoxColor);
  named(Default, "Default");
  GroupBoxColor->addAction(Default);
  GroupBoxColor->setContextMenuPolicy(Qt::ActionsContextMenu);

  auto* colourLayout = new QVBoxLayout(GroupBoxColor);
  colourLayout->addWidget(ComboBoxColor);
  colourLayout->addWidget(PanelColor);
  for (QScrollBar* b : {ScrollBarColorR, ScrollBarColorG, ScrollBarColorB}) colourLayout->addWidget(b);
  colourLayout->addWidget(SpeedButtonColorClose, 0, Qt::AlignRight);
  GroupBoxColor->setFixedWidth(240);
  GroupBoxColor->adjustSize();

  ColorDialog = new platform::ColorDialog(QStringLiteral("ColorDialog"), this);

  auto* keys = new ColourPanelKeys(*this);
  ComboBoxColor->installEventFilter(keys);
  for (QScrollBar* b : {ScrollBarColorR, ScrollBarColorG, ScrollBarColorB}) b->installEventFilter(keys);

  connect(SpeedButtonColor, &QToolButton::clicked, this, &TFormaEditor::SpeedButtonColorClick);
  connect(SpeedButtonColorClose, &QToolButton::clicked, this,
          &TFormaEditor::SpeedButtonColorCloseClick);
  // activated: the user's choice by mouse or key, never an index the program sets.
  connect(ComboBoxColor, &QComboBox::activated, this, &TFormaEditor::ComboBoxColorSelect);
  connect(Default, &QAction::triggered, this, &TFormaEditor::DefaultClick);

  // ---- Tool field ----
  PanelTool = new QWidget(toolBar_);
  named(PanelTool, "PanelTool");
  ComboBoxTool->setParent(PanelTool);
  ComboBoxTool->setEditable(true);
  ComboBoxTool->setInsertPolicy(QComboBox::NoInsert);
  ComboBoxTool->setToolTip(QStringLiteral("Tool simulation: [d]...[d a]...[a1 a2 l]"));
  ComboBoxTool->setMinimumContentsLength(10);
  for (const char* entry : kToolList) ComboBoxTool->addItem(QString::fromLatin1(entry));
  ComboBoxTool->setCurrentIndex(-1);
  ComboBoxTool->setEditText(QString());
  auto* toolPanelLayout = new QHBoxLayout(PanelTool);
  toolPanelLayout->setContentsMargins(0, 0, 0, 0);
  toolPanelLayout->addWidget(ComboBoxTool);
  toolLayout->insertWidget(toolLayout->indexOf(SpeedButtonCaption), PanelTool);
  // The painting draws the tool while the field itself is shown; it is shown and hidden with
  // its panel, so no symbol stands on the drawing for a field the user cannot see.
  PanelTool->hide();
  ComboBoxTool->hide();
  ResetTool();
  connect(ComboBoxTool, &QComboBox::editTextChanged, this, &TFormaEditor::ComboBoxToolChange);
  connect(PScrollBar, &QAction::triggered, this, &TFormaEditor::PScrollBarClick);

  CreateIsoPanel();
}

// ---- Colour panel ----

void TFormaEditor::SpeedButtonColorClick() {
  GroupBoxColor->setVisible(GroupBoxColor->isHidden());
  if (!GroupBoxColor->isHidden()) GroupBoxColor->raise();
}

void TFormaEditor::SpeedButtonColorCloseClick() { GroupBoxColor->hide(); }

namespace {

// Sets the three bars to 0 with their suppress marks up, so that no move is taken from it.
void ResetColorBars(TFormaEditor& E) {
  const std::array<QScrollBar*, 3> bars = {E.ScrollBarColorR, E.ScrollBarColorG, E.ScrollBarColorB};
  E.ScrollBarColorTag = {1, 1, 1};
  for (QScrollBar* b : bars) b->setValue(0);
  E.ScrollBarColorTag = {0, 0, 0};
}

}  // namespace

void TFormaEditor::ComboBoxColorSelect() {
  const int row = ComboBoxColor->currentIndex();
  if (FormaSettings != nullptr && row >= 0 && row < ColorRowCount)
    SetPreviewColor(PanelColor, FormaSettings->*kColorSlots[static_cast<std::size_t>(row)]);
  ResetColorBars(*this);
}

void TFormaEditor::ScrollBarColorRScroll() {
  for (std::uint8_t tag : ScrollBarColorTag)
    if (tag == 1) return;
  const int row = ComboBoxColor->currentIndex();
  if (row >= 0 && row < ColorRowCount && FormaSettings != nullptr) {
    // The position the user moved to: during the move the value is not yet updated.
    const ColorValue color = BarColor(ScrollBarColorR->sliderPosition(),
                                      ScrollBarColorG->sliderPosition(),
                                      ScrollBarColorB->sliderPosition());
    SetPreviewColor(PanelColor, color);
    FormaSettings->*kColorSlots[static_cast<std::size_t>(row)] = color;
  }
  update();
}

void TFormaEditor::ScrollBarColorRMouseLeave() { ComboBoxColor->setFocus(Qt::OtherFocusReason); }

void TFormaEditor::ComboBoxColorKeyDown(int Key) {
  const int row = ComboBoxColor->currentIndex();
  const ColorValue preview = PreviewColor(PanelColor);
  ColorKey key = ColorKey::Other;
  std::optional<ColorValue> chosen;
  if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
    key = ColorKey::Enter;
    ColorDialog->Color = preview;
    if (ColorDialog->Execute(this)) chosen = ColorDialog->Color;
  } else if (Key == Qt::Key_Escape) {
    key = ColorKey::Escape;
  }
  const std::optional<ColorValue> next = PreviewAfterColorKey(key, row, preview, chosen);
  if (!next) return;
  SetPreviewColor(PanelColor, *next);
  ResetColorBars(*this);
  // With no row selected (after Standard) there is no slot to write.
  if (row >= 0 && row < ColorRowCount && FormaSettings != nullptr)
    FormaSettings->*kColorSlots[static_cast<std::size_t>(row)] = *next;
  update();
}

void TFormaEditor::DefaultClick() {
  ComboBoxColor->setCurrentIndex(-1);
  ResetColorBars(*this);
  if (FormaSettings != nullptr) FormaSettings->ActionDefaultExecute();
  update();
}

// ---- Tool field ----

void TFormaEditor::ResetTool() { ResetToolShape(*this); }

void TFormaEditor::ComboBoxToolChange() {
  ReadToolShape(*this, FormaGeom.Daten(), ComboBoxTool->currentText().toStdString());
  update();
}

void TFormaEditor::PScrollBarClick() {
  const bool show = PanelScroll->isHidden();
  PanelScroll->setVisible(show);
  PanelTool->setVisible(show);
  ComboBoxTool->setVisible(show);
  update();
}

}  // namespace movra
