#include "editor/forma_editor.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace movra {

TFormaEditor::TFormaEditor(platform::WindowList& Windows, TFormaGeom& Geom, QWidget* parent)
    : QDialog(parent, Qt::Window),
      BackBuffer(0, 0, BackBufferFormat),
      FormaGeom(Geom),
      windows_(Windows) {
  setObjectName(QStringLiteral("FormaEditor"));
  setMinimumSize(800, 480);

  setFont(QFont(QStringLiteral("Tahoma")));
  const auto named = [](QObject* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
  };

  toolBar_ = new QWidget(this);
  auto* toolLayout = new QHBoxLayout(toolBar_);
  toolLayout->setContentsMargins(2, 2, 2, 2);
  SpeedButtonWindow = new QToolButton(toolBar_);
  named(SpeedButtonWindow, "SpeedButtonWindow");
  SpeedButtonWindow->setCheckable(true);
  SpeedButtonWindow->setToolTip(QStringLiteral("Zoom Window"));
  SpeedButtonPolus = new QToolButton(toolBar_);
  named(SpeedButtonPolus, "SpeedButtonPolus");
  SpeedButtonPolus->setToolTip(QStringLiteral("Return pole back into place"));
  SpeedButtonPolus->setEnabled(false);
  SpeedButtonCaption = new QPushButton(toolBar_);
  SpeedButtonCaption->setObjectName(QStringLiteral("SpeedButtonCaption"));
  SpeedButtonCaption->setFlat(true);
  toolLayout->addWidget(SpeedButtonWindow);
  toolLayout->addWidget(SpeedButtonPolus);
  toolLayout->addWidget(SpeedButtonCaption, 1);

  // The panels whose state the painting reads, hidden until their parts show them.
  PanelScroll = new QWidget(this);
  named(PanelScroll, "PanelScroll");
  ScrollBarIndex = new QScrollBar(Qt::Horizontal, PanelScroll);
  named(ScrollBarIndex, "ScrollBarIndex");
  ScrollBarIndex->setRange(0, 0);
  (new QVBoxLayout(PanelScroll))->addWidget(ScrollBarIndex);
  PanelScroll->hide();
  ComboBoxTool = new QComboBox(this);
  named(ComboBoxTool, "ComboBoxTool");
  ComboBoxTool->hide();
  const auto floating = [this, &named](const char* name) {
    auto* box = new QGroupBox(this);
    named(box, name);
    box->hide();
    return box;
  };
  GroupBoxColor = floating("GroupBoxColor");
  GroupBoxThread = floating("GroupBoxThread");
  GroupBoxTurn = floating("GroupBoxTurn");
  ScrollBarTurn = new QScrollBar(Qt::Horizontal, GroupBoxTurn);
  named(ScrollBarTurn, "ScrollBarTurn");
  ScrollBarTurn->setRange(0, 0);
  GroupBoxInsel = floating("GroupBoxInsel");
  ScrollBarInsel = new QScrollBar(Qt::Horizontal, GroupBoxInsel);
  named(ScrollBarInsel, "ScrollBarInsel");
  ScrollBarInsel->setRange(0, 0);
  ComboBoxSelect = new QComboBox(GroupBoxInsel);
  named(ComboBoxSelect, "ComboBoxSelect");

  const auto action = [this, &named](const char* name, const QString& text) {
    auto* a = new QAction(text, this);
    named(a, name);
    return a;
  };
  ActionDiametr = action("ActionDiametr", QStringLiteral("Diametral dimensions"));
  ActionDiametr->setCheckable(true);
  ActionParameter = action("ActionParameter", QStringLiteral("All parameters"));
  ActionParameter->setCheckable(true);
  ActionParameter->setChecked(true);
  ActionReferens0 = action("ActionReferens0", QStringLiteral("Transfer pole to \"X,Y\""));
  ActionReferensX = action("ActionReferensX", QStringLiteral("Transfer pole to \"X\""));
  ActionReferensY = action("ActionReferensY", QStringLiteral("Transfer pole to \"Y\""));
  ActionReferensInput = action("ActionReferensInput",
                               QStringLiteral("Transfer pole to \"X,Y\" (enter coordinates)"));
  ActionPolus = action("ActionPolus", QStringLiteral("Return pole back into place"));
  PSave = action("PSave", QStringLiteral("Save"));
  PSave->setEnabled(false);
  PSaveAs = action("PSaveAs", QStringLiteral("Save as..."));
  PSaveAs->setEnabled(false);

  StatusBar = new QStatusBar(this);
  named(StatusBar, "StatusBar");
  StatusBar->setSizeGripEnabled(false);
  // Opaque, so that a changed text repaints the bar alone and not the picture behind it.
  StatusBar->setAutoFillBackground(true);
  toolBar_->setAutoFillBackground(true);
  for (std::size_t i = 0; i < StatusPanels.size(); ++i) {
    StatusPanels[i] = new QLabel(StatusBar);
    StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    StatusBar->addWidget(StatusPanels[i], i == 5 ? 1 : 0);
  }

  PanelSave = new QWidget(this);
  PanelSave->setObjectName(QStringLiteral("PanelSave"));
  SpeedButtonSave = new QPushButton(QStringLiteral("Save"), PanelSave);
  SpeedButtonSave->setObjectName(QStringLiteral("SpeedButtonSave"));
  (new QVBoxLayout(PanelSave))->addWidget(SpeedButtonSave);
  PanelSave->hide();

  PanelMemo = new QWidget(this);
  PanelMemo->setObjectName(QStringLiteral("PanelMemo"));
  Memo = new QPlainTextEdit(PanelMemo);
  Memo->setObjectName(QStringLiteral("Memo"));
  PanelIso = new QWidget(PanelMemo);
  PanelIso->setObjectName(QStringLiteral("PanelIso"));
  auto* memoLayout = new QVBoxLayout(PanelMemo);
  memoLayout->addWidget(Memo, 1);
  memoLayout->addWidget(PanelIso);
  PanelMemo->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(PanelSave);
  layout->addWidget(PanelScroll);
  layout->addStretch(1);
  layout->addWidget(StatusBar);
  CreateMenusAndTextPanel();
  CreateColourToolIsoPanels();

  SetUpNavigation();
  CreateMachiningPanels();
  windows_.Register(this);
}

TFormaEditor::~TFormaEditor() {
  ReleaseMachiningPanels();
  // The application-wide key and wheel filter goes before the controls it reads.
  delete navigationFilter_;
  windows_.Unregister(this);
}

int TFormaEditor::DrawingTop() const { return toolBar_->geometry().bottom() + 1; }

void TFormaEditor::FormaNotify(int Code) {
  if (Code == 0) update();
}

}  // namespace movra
