// The turning panel: its controls, the parameter events, the timed run of the turning
// generator and saving its moves as program text. The logic of a run is editor/turn_panel.h.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include "editor/forma_editor.h"
#include "editor/insel_panel.h"
#include "editor/turn_panel.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_turn.h"
#include "platform/core/application.h"
#include "platform/qt/one_shot_timer.h"

namespace movra {
namespace {

std::string Text(const QComboBox* Box) { return Box->currentText().toStdString(); }

}  // namespace

void TFormaEditor::CreateTurnPanel() {
  GroupBoxTurn->setFixedSize(335, 245);
  const auto combo = [this](const char* name, const std::vector<std::string>& items,
                            const QString& hint, bool editable = true) {
    auto* box = new QComboBox(GroupBoxTurn);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(editable);
    if (editable) box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(PanelItems(items));
    box->setToolTip(hint);
    box->setMaxVisibleItems(12);
    // Only what the user does is a parameter event: a choice, typing, Enter.
    connect(box, &QComboBox::activated, this, &TFormaEditor::ComboBoxTurnA1Click);
    if (QLineEdit* edit = box->lineEdit()) {
      connect(edit, &QLineEdit::textEdited, this, &TFormaEditor::ComboBoxTurnA1Click);
      connect(edit, &QLineEdit::returnPressed, this, &TFormaEditor::ComboBoxTurnA1Click);
    }
    return box;
  };
  ListBoxTurn = new QListWidget(GroupBoxTurn);
  ListBoxTurn->setObjectName(QStringLiteral("ListBoxTurn"));
  ListBoxTurn->addItems({QStringLiteral("0. Finish contour"), QStringLiteral("1. Rough contour 1"),
                         QStringLiteral("2. Rough contour 2"), QStringLiteral("3. Finish groove"),
                         QStringLiteral("4. Rough groove 1"), QStringLiteral("5. Rough groove 2")});
  connect(ListBoxTurn, &QListWidget::itemClicked, this, &TFormaEditor::ListBoxTurnClick);
  connect(ListBoxTurn, &QListWidget::itemActivated, this, &TFormaEditor::ComboBoxTurnA1Click);

  GroupBoxTurnParam = new QGroupBox(QStringLiteral("Cycle parameters"), GroupBoxTurn);
  GroupBoxTurnParam->setObjectName(QStringLiteral("GroupBoxTurnParam"));
  ComboBoxTurnI = combo("ComboBoxTurnI", TurnComboItems::I(), QStringLiteral("Delivery"));
  ComboBoxTurnL = combo("ComboBoxTurnL", TurnComboItems::L(), QStringLiteral("Departure"));
  ComboBoxTurnF = combo("ComboBoxTurnF", TurnComboItems::F(), QStringLiteral("Feed"));
  ComboBoxTurnK = combo("ComboBoxTurnK", TurnComboItems::K(), QStringLiteral("Starting position"));
  auto* param = new QGridLayout(GroupBoxTurnParam);
  param->setContentsMargins(3, 3, 3, 3);
  param->addWidget(ComboBoxTurnI, 0, 0);
  param->addWidget(ComboBoxTurnL, 0, 1);
  param->addWidget(ComboBoxTurnF, 1, 0);
  param->addWidget(ComboBoxTurnK, 1, 1);

  auto* leads = new QGroupBox(QStringLiteral("Approach, departure"), GroupBoxTurn);
  leads->setObjectName(QStringLiteral("GroupBoxTurnLeads"));
  ComboBoxTurnA1 = combo("ComboBoxTurnA1", TurnComboItems::A(1), QString());
  ComboBoxTurnL1 = combo("ComboBoxTurnL1", TurnComboItems::LL(1), QString());
  ComboBoxTurnA2 = combo("ComboBoxTurnA2", TurnComboItems::A(2), QString());
  ComboBoxTurnL2 = combo("ComboBoxTurnL2", TurnComboItems::LL(2), QString());
  auto* leadGrid = new QGridLayout(leads);
  leadGrid->setContentsMargins(3, 3, 3, 3);
  leadGrid->addWidget(ComboBoxTurnA1, 0, 0);
  leadGrid->addWidget(ComboBoxTurnL1, 0, 1);
  leadGrid->addWidget(ComboBoxTurnA2, 1, 0);
  leadGrid->addWidget(ComboBoxTurnL2, 1, 1);

  auto* shift = new QGroupBox(QStringLiteral("Transformation"), GroupBoxTurn);
  shift->setObjectName(QStringLiteral("GroupBoxTurnTransformation"));
  ComboBoxTurnE1 = combo("ComboBoxTurnE1", TurnComboItems::E(1), QString());
  ComboBoxTurnE2 = combo("ComboBoxTurnE2", TurnComboItems::E(2), QString());
  ComboBoxTurnE3 = combo("ComboBoxTurnE3", TurnComboItems::E(3), QString());
  ComboBoxTurnTyp = combo("ComboBoxTurnTyp", TurnComboItems::Typ(), QString(), false);
  auto* shiftGrid = new QGridLayout(shift);
  shiftGrid->setContentsMargins(3, 3, 3, 3);
  shiftGrid->addWidget(ComboBoxTurnE1, 0, 0);
  shiftGrid->addWidget(ComboBoxTurnE2, 0, 1);
  shiftGrid->addWidget(ComboBoxTurnE3, 1, 0);
  shiftGrid->addWidget(ComboBoxTurnTyp, 1, 1);

  ButtonTurnSave = new QPushButton(QStringLiteral("Save"), GroupBoxTurn);
  ButtonTurnSave->setObjectName(QStringLiteral("ButtonTurnSave"));
  ButtonTurnSave->setEnabled(false);
  ButtonTurnClose = new QPushButton(QStringLiteral("Cancel"), GroupBoxTurn);
  ButtonTurnClose->setObjectName(QStringLiteral("ButtonTurnClose"));
  connect(ButtonTurnSave, &QPushButton::clicked, this, &TFormaEditor::ButtonTurnSaveClick);
  connect(ButtonTurnClose, &QPushButton::clicked, this, &TFormaEditor::ButtonTurnCloseClick);
  connect(ScrollBarTurn, &QScrollBar::valueChanged, this, [this] {
    if (ScrollBarTurn->isEnabled()) update();
  });

  auto* grid = new QGridLayout(GroupBoxTurn);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->setSpacing(3);
  grid->addWidget(ListBoxTurn, 0, 0);
  grid->addWidget(GroupBoxTurnParam, 1, 0);
  grid->addWidget(leads, 0, 1);
  grid->addWidget(shift, 1, 1);
  grid->addWidget(ScrollBarTurn, 2, 0, 1, 2);
  grid->addWidget(ButtonTurnSave, 3, 0);
  grid->addWidget(ButtonTurnClose, 3, 1);
}

void TFormaEditor::ResetTurnPanel() {
  for (QComboBox* box : {ComboBoxTurnA1, ComboBoxTurnA2, ComboBoxTurnE1, ComboBoxTurnE2,
                         ComboBoxTurnE3, ComboBoxTurnF, ComboBoxTurnL, ComboBoxTurnL1,
                         ComboBoxTurnL2})
    box->setCurrentIndex(0);
  ComboBoxTurnI->setCurrentIndex(TurnComboItems::DefaultI);
  ComboBoxTurnK->setCurrentIndex(TurnComboItems::DefaultK);
  ComboBoxTurnTyp->setCurrentIndex(TurnComboItems::DefaultTyp);
}

double TFormaEditor::NormalizeComboValue(QString& Text) {
  std::string text = Text.toStdString();
  const double value = movra::NormalizeComboValue(FormaGeom.Daten(), text);
  Text = QString::fromStdString(text);
  return value;
}

void TFormaEditor::ComboBoxTurnA1Click() {
  if (ParameterEventArms()) TimerTurn->SetEnabled(true);
}

void TFormaEditor::ListBoxTurnClick() {
  if (!ParameterEventArms()) return;
  ResetTurnPanel();  // a new mode starts from the defaults
  TimerTurn->SetEnabled(true);
}

void TFormaEditor::TimerTurnTimer() {
  if (PanelTimerWaits(*TimerTurn) || FormaEditorTurn == nullptr) return;
  if (FormaGeom.ElementCount() == 0) ActionAutoExecute();

  TurnPanelTexts t;
  t.Mode = std::max(ListBoxTurn->currentRow(), 0);
  const TurnFieldsEnabled on = TurnEnabledFields(t.Mode);
  ComboBoxTurnI->setEnabled(on.I);
  ComboBoxTurnL->setEnabled(on.L);
  ComboBoxTurnK->setEnabled(on.K);
  t.I = Text(ComboBoxTurnI);
  t.L = Text(ComboBoxTurnL);
  t.F = Text(ComboBoxTurnF);
  t.K = Text(ComboBoxTurnK);
  t.A1 = Text(ComboBoxTurnA1);
  t.L1 = Text(ComboBoxTurnL1);
  t.A2 = Text(ComboBoxTurnA2);
  t.L2 = Text(ComboBoxTurnL2);
  t.E1 = Text(ComboBoxTurnE1);
  t.E2 = Text(ComboBoxTurnE2);
  t.E3 = Text(ComboBoxTurnE3);
  t.Typ = ComboBoxTurnTyp->currentIndex();

  bool ok = false;
  if (FormaGeom.ElementCount() == 0) {
    FormaEditorTurn->ClearLists();  // nothing to turn: no moves of an earlier text stay
  } else {
    ok = RunTurnMode(*FormaEditorTurn, t.Mode, ReadTurnValues(FormaGeom.Daten(), t));
  }
  ButtonTurnSave->setEnabled(ok);
  update();
}

void TFormaEditor::ButtonTurnSaveClick() {
  if (FormaEditorTurn == nullptr) return;
  // Not from inside a run that pumps: the memo is not to change under it. A running pocket
  // calculation is asked to stop; the click may be repeated once it has.
  if (FormaGeom.Busy != 0 || Panels.InselRunning != 0) {
    platform::SetApplicationTag(0);
    return;
  }
  std::vector<std::string> text;
  if (!FormaEditorTurn->WriteProgram(text)) return;
  GeneratedText = PanelItems(text);
  if (SaveResultAs(GeneratedText)) SpeedButtonSaveClick();
}

}  // namespace movra
