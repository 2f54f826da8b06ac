// The pocket panel: its controls, the parameter events that cancel a running calculation or
// arm the timer, the timed calculation and saving the path as two geometry texts. The logic
// is editor/insel_panel.h.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

#include "editor/forma_editor.h"
#include "editor/insel_panel.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"
#include "platform/core/application.h"
#include "platform/qt/one_shot_timer.h"

namespace movra {
namespace {

constexpr int BroadcastTextsChanged = 10;

}  // namespace

void TFormaEditor::CreateInselPanel() {
  GroupBoxInsel->setFixedSize(285, 205);
  GroupBoxInsel->setTitle(QStringLiteral("???"));
  const auto combo = [this](const char* name, const std::vector<std::string>& items, int current,
                            const QString& hint) {
    auto* box = new QComboBox(GroupBoxInsel);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(PanelItems(items));
    box->setCurrentIndex(current);
    box->setToolTip(hint);
    box->setMaxVisibleItems(12);
    connect(box, &QComboBox::activated, this, &TFormaEditor::ComboBoxInsel_DClick);
    connect(box->lineEdit(), &QLineEdit::textEdited, this, &TFormaEditor::ComboBoxInsel_DClick);
    connect(box->lineEdit(), &QLineEdit::returnPressed, this,
            &TFormaEditor::ComboBoxInsel_DClick);
    return box;
  };
  ComboBoxInsel_D =
      combo("ComboBoxInsel_D", InselComboItems::D(), InselComboItems::DefaultD, QString());
  ComboBoxInsel_K =
      combo("ComboBoxInsel_K", InselComboItems::K(), InselComboItems::DefaultK, QString());
  ComboBoxInsel_E =
      combo("ComboBoxInsel_E", InselComboItems::E(), InselComboItems::DefaultE, QString());
  ComboBoxInsel_A = combo("ComboBoxInsel_A", InselComboItems::A(), InselComboItems::DefaultA,
                          QString::fromUtf8("Угол"));

  CheckListBoxInsel = new QListWidget(GroupBoxInsel);
  CheckListBoxInsel->setObjectName(QStringLiteral("CheckListBoxInsel"));
  CheckListBoxInsel->setToolTip(QStringLiteral("List of signed contours"));
  connect(CheckListBoxInsel, &QListWidget::itemChanged, this,
          &TFormaEditor::CheckListBoxInselClickCheck);
  SpeedButtonInselTyp = new QToolButton(GroupBoxInsel);
  SpeedButtonInselTyp->setObjectName(QStringLiteral("SpeedButtonInselTyp"));
  SpeedButtonInselTyp->setText(QStringLiteral("g"));
  SpeedButtonInselTyp->setToolTip(QStringLiteral("Specify radius correction"));
  connect(SpeedButtonInselTyp, &QToolButton::clicked, this,
          &TFormaEditor::SpeedButtonInselTypClick);
  ButtonInselClick = new QPushButton(QStringLiteral("Edit"), GroupBoxInsel);
  ButtonInselClick->setObjectName(QStringLiteral("ButtonInselClick"));
  connect(ButtonInselClick, &QPushButton::clicked, this, &TFormaEditor::ButtonInselClickClick);
  ComboBoxView = new QComboBox(GroupBoxInsel);
  ComboBoxView->setObjectName(QStringLiteral("ComboBoxView"));
  ComboBoxView->setToolTip(QStringLiteral("Show"));
  ComboBoxView->addItems({QStringLiteral("All"), QStringLiteral("Contour passes"),
                          QStringLiteral("Hatch and connecting moves")});
  connect(ComboBoxView, &QComboBox::activated, this, &TFormaEditor::ButtonInselClickClick);
  ComboBoxSelect->setEnabled(false);
  connect(ComboBoxSelect, &QComboBox::currentIndexChanged, this, [this] { update(); });
  ScrollBarInsel->setEnabled(false);
  connect(ScrollBarInsel, &QScrollBar::valueChanged, this, [this] {
    if (ScrollBarInsel->isEnabled()) update();
  });
  ButtonInselSave = new QPushButton(QStringLiteral("Save"), GroupBoxInsel);
  ButtonInselSave->setObjectName(QStringLiteral("ButtonInselSave"));
  ButtonInselSave->setEnabled(false);
  ButtonInselClose = new QPushButton(QStringLiteral("Cancel"), GroupBoxInsel);
  ButtonInselClose->setObjectName(QStringLiteral("ButtonInselClose"));
  connect(ButtonInselSave, &QPushButton::clicked, this, &TFormaEditor::ButtonInselSaveClick);
  connect(ButtonInselClose, &QPushButton::clicked, this, &TFormaEditor::ButtonInselCloseClick);

  auto* grid = new QGridLayout(GroupBoxInsel);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->setSpacing(3);
  grid->addWidget(ComboBoxInsel_D, 0, 0);
  grid->addWidget(ComboBoxInsel_K, 0, 1);
  grid->addWidget(CheckListBoxInsel, 0, 2, 4, 1);
  grid->addWidget(ComboBoxInsel_E, 1, 0);
  grid->addWidget(ComboBoxInsel_A, 1, 1);
  grid->addWidget(SpeedButtonInselTyp, 2, 0);
  grid->addWidget(ButtonInselClick, 2, 1);
  grid->addWidget(ComboBoxView, 3, 0);
  grid->addWidget(ComboBoxSelect, 3, 1);
  grid->addWidget(ScrollBarInsel, 4, 0, 1, 3);
  grid->addWidget(ButtonInselSave, 5, 0);
  grid->addWidget(ButtonInselClose, 5, 1, 1, 2);
}

void TFormaEditor::ComboBoxInsel_DClick() {
  if (ParameterEventArms()) TimerInsel->SetEnabled(true);
}

void TFormaEditor::CheckListBoxInselClickCheck() { ComboBoxInsel_DClick(); }

void TFormaEditor::ButtonInselClickClick() { ComboBoxInsel_DClick(); }

void TFormaEditor::SpeedButtonInselTypClick() {
  if (!ParameterEventArms()) return;
  QListWidgetItem* item = CheckListBoxInsel->currentItem();
  if (item == nullptr) return;
  std::string row = item->text().toStdString();
  if (!CycleInselRowType(FormaGeom.Daten(), row)) return;
  {
    QSignalBlocker quiet(CheckListBoxInsel);  // a new text is no tick
    item->setText(QString::fromStdString(row));
  }
  CheckListBoxInsel->viewport()->update();
  TimerInsel->SetEnabled(true);
}

void TFormaEditor::TimerInselTimer() {
  if (PanelTimerWaits(*TimerInsel) || FormaEditorInsel == nullptr) return;
  TFormaEditorInsel& insel = *FormaEditorInsel;
  InselRunResult result;
  if (isVisible() && platform::ApplicationTag() == 0 && GroupBoxInsel->isVisible()) {
    InselPanelTexts t;
    t.D = ComboBoxInsel_D->currentText().toStdString();
    t.K = ComboBoxInsel_K->currentText().toStdString();
    t.E = ComboBoxInsel_E->currentText().toStdString();
    t.A = ComboBoxInsel_A->currentText().toStdString();
    t.View = std::max(ComboBoxView->currentIndex(), 0);
    for (int k = 0; k < CheckListBoxInsel->count(); ++k) {
      const QListWidgetItem* item = CheckListBoxInsel->item(k);
      t.Rows.push_back({item->text().toStdString(), item->checkState() == Qt::Checked});
    }
    // Saving waits for the result: the path is rebuilt from here on.
    ButtonInselSave->setEnabled(false);
    insel.ShowHourglass = [this] { GroupBoxInsel->setCursor(Qt::WaitCursor); };
    Panels.InselRunning = 1;
    result = RunInselCalculation(insel, FormaGeom, MemoLines(), t);
    Panels.InselRunning = 0;
  } else {
    result = FinishInselResult(insel);
  }
  if (Panels.ResetPending != 0) {
    // The editor was closed while the calculation ran.
    Panels.ResetPending = 0;
    insel.Reset();
    GroupBoxInsel->unsetCursor();
    return;
  }
  FinishInselRun(result);
}

void TFormaEditor::FinishInselRun(const InselRunResult& Result) {
  GroupBoxInsel->unsetCursor();
  ScrollBarInsel->setEnabled(false);
  ComboBoxSelect->setEnabled(false);
  {
    QSignalBlocker quiet(ComboBoxSelect);
    ComboBoxSelect->clear();
  }
  if (Result.Count != 0) {
    ScrollBarInsel->setEnabled(true);
    ButtonInselSave->setEnabled(true);
    QSignalBlocker quiet(ComboBoxSelect);
    for (int k = 0; k <= Result.Chains; ++k) ComboBoxSelect->addItem(QString::number(k));
    ComboBoxSelect->setEnabled(true);
  } else {
    ButtonInselSave->setEnabled(false);
  }
  const QString caption = QString::fromStdString(Result.Caption);
  if (GroupBoxInsel->title() != caption) GroupBoxInsel->setTitle(caption);
  ScrollBarInsel->setValue(0);
  if (Panels.InselFit != 0) {
    ActionReferensExecute();
    Panels.InselFit = 0;
  }
  update();
}

void TFormaEditor::ButtonInselSaveClick() {
  if (FormaEditorInsel == nullptr) return;
  if (Panels.InselRunning != 0 || FormaGeom.Busy != 0) {
    platform::SetApplicationTag(0);  // a running calculation stops; saving waits for it
    return;
  }
  InselSaveTexts save;
  if (!PrepareInselSave(*FormaEditorInsel, FormaGeom, save)) {
    ActionAutoExecute();  // the store held the path for a moment: the program comes back
    return;
  }
  GeneratedText = PanelItems(save.MemoLines());
  if (!SaveResultAs(GeneratedText)) {
    ActionAutoExecute();
    return;
  }
  CommitInselSave(FormaGeom, save);
  FormaEditorInsel->Reset();
  FormaGeom.Daten().BroadcastToForms(platform::FormaNotify, BroadcastTextsChanged);
  SpeedButtonSaveClick();
}

}  // namespace movra
