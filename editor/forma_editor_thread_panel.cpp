// The thread panel: its controls, the parameter events, the timed writing of the thread block
// after the program and saving it. The block itself comes from editor/thread_panel.h.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "editor/forma_editor.h"
#include "editor/thread_panel.h"
#include "editor/thread_tables.h"
#include "geometry/forma_geom.h"
#include "platform/core/application.h"
#include "platform/qt/one_shot_timer.h"

namespace movra {
namespace {

const QString kBlockLine = QStringLiteral("%254");

std::string Text(const QComboBox* Box) { return Box->currentText().toStdString(); }

}  // namespace

void TFormaEditor::CreateThreadPanel() {
  GroupBoxThread->setFixedSize(270, 230);
  const auto combo = [this](const char* name, const QStringList& items, bool editable = true) {
    auto* box = new QComboBox(GroupBoxThread);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(editable);
    if (editable) box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setMaxVisibleItems(14);
    connect(box, &QComboBox::activated, this, &TFormaEditor::EditThreadFClick);
    if (QLineEdit* edit = box->lineEdit()) {
      connect(edit, &QLineEdit::textEdited, this, &TFormaEditor::EditThreadFClick);
      connect(edit, &QLineEdit::returnPressed, this, &TFormaEditor::EditThreadFClick);
    }
    return box;
  };
  const auto edit = [this](const char* name, const QString& text) {
    auto* field = new QLineEdit(text, GroupBoxThread);
    field->setObjectName(QString::fromLatin1(name));
    // A table row writes these fields too: their change is the event, not only typing.
    connect(field, &QLineEdit::textChanged, this, &TFormaEditor::EditThreadFClick);
    connect(field, &QLineEdit::returnPressed, this, &TFormaEditor::EditThreadFClick);
    return field;
  };

  ComboBoxThreadTyp = combo("ComboBoxThreadTyp",
                            {QStringLiteral("External thread"), QStringLiteral("Internal thread")},
                            false);
  connect(ComboBoxThreadTyp, &QComboBox::currentIndexChanged, this,
          &TFormaEditor::ComboBoxThreadTypChange);
  ComboBoxThreadTyp1 = combo("ComboBoxThreadTyp1", ThreadTableItems(ThreadExternal), false);
  ComboBoxThreadTyp2 = combo("ComboBoxThreadTyp2", ThreadTableItems(ThreadInternal), false);
  for (QComboBox* table : {ComboBoxThreadTyp1, ComboBoxThreadTyp2})
    connect(table, &QComboBox::activated, this, [this, table] { ComboBoxThreadTyp1Change(table); });
  ComboBoxThreadTyp2->hide();
  EditThreadF = edit("EditThreadF", QStringLiteral("f2"));
  EditThreadH = edit("EditThreadH", QStringLiteral("h1.23"));
  ComboBoxThreadP = combo("ComboBoxThreadP", PanelItems(ThreadComboItems::P()));
  ComboBoxThreadP->setCurrentIndex(ThreadComboItems::DefaultP);
  CheckBoxThreadNorm = new QCheckBox(GroupBoxThread);
  CheckBoxThreadNorm->setObjectName(QStringLiteral("CheckBoxThreadNorm"));
  CheckBoxThreadNorm->setToolTip(QStringLiteral("Change direction"));
  connect(CheckBoxThreadNorm, &QCheckBox::clicked, this, &TFormaEditor::EditThreadFClick);
  EditThreadValue = edit("EditThreadValue", QStringLiteral("v1= w1= v2= w2="));
  ComboBoxThreadV = combo("ComboBoxThreadV", PanelItems(ThreadComboItems::V()));
  ComboBoxThreadW = combo("ComboBoxThreadW", PanelItems(ThreadComboItems::W()));
  ComboBoxThreadL1 = combo("ComboBoxThreadL1", PanelItems(ThreadComboItems::L(1)));
  ComboBoxThreadL2 = combo("ComboBoxThreadL2", PanelItems(ThreadComboItems::L(2)));
  ComboBoxThreadE1 = combo("ComboBoxThreadE1", PanelItems(ThreadComboItems::E(1)));
  ComboBoxThreadE2 = combo("ComboBoxThreadE2", PanelItems(ThreadComboItems::E(2)));
  for (QComboBox* box : {ComboBoxThreadV, ComboBoxThreadW})
    box->setCurrentIndex(ThreadComboItems::DefaultVW);

  ButtonThreadSave = new QPushButton(QStringLiteral("Save"), GroupBoxThread);
  ButtonThreadSave->setObjectName(QStringLiteral("ButtonThreadSave"));
  ButtonThreadSave->setEnabled(false);
  ButtonThreadClose = new QPushButton(QStringLiteral("Cancel"), GroupBoxThread);
  ButtonThreadClose->setObjectName(QStringLiteral("ButtonThreadClose"));
  connect(ButtonThreadSave, &QPushButton::clicked, this, &TFormaEditor::ButtonThreadSaveClick);
  connect(ButtonThreadClose, &QPushButton::clicked, this, &TFormaEditor::ButtonThreadCloseClick);

  auto* grid = new QGridLayout(GroupBoxThread);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->setSpacing(3);
  grid->addWidget(ComboBoxThreadTyp, 0, 0, 1, 2);
  grid->addWidget(ComboBoxThreadTyp1, 1, 0, 1, 2);
  grid->addWidget(ComboBoxThreadTyp2, 1, 0, 1, 2);
  grid->addWidget(EditThreadF, 2, 0);
  grid->addWidget(EditThreadH, 2, 1);
  grid->addWidget(ComboBoxThreadP, 3, 0);
  grid->addWidget(CheckBoxThreadNorm, 3, 1);
  grid->addWidget(EditThreadValue, 4, 0, 1, 2);
  grid->addWidget(ComboBoxThreadV, 5, 0);
  grid->addWidget(ComboBoxThreadW, 5, 1);
  grid->addWidget(ComboBoxThreadL1, 6, 0);
  grid->addWidget(ComboBoxThreadL2, 6, 1);
  grid->addWidget(ComboBoxThreadE1, 7, 0);
  grid->addWidget(ComboBoxThreadE2, 7, 1);
  grid->addWidget(ButtonThreadSave, 8, 0);
  grid->addWidget(ButtonThreadClose, 8, 1);
}

void TFormaEditor::ResetThreadPanel() {
  CheckBoxThreadNorm->setChecked(false);
  for (QComboBox* box : {ComboBoxThreadE1, ComboBoxThreadE2, ComboBoxThreadL1, ComboBoxThreadL2})
    box->setCurrentIndex(0);
  ComboBoxThreadP->setCurrentIndex(ThreadComboItems::DefaultP);
  ComboBoxThreadV->setCurrentIndex(ThreadComboItems::DefaultVW);
  ComboBoxThreadW->setCurrentIndex(ThreadComboItems::DefaultVW);
  EditThreadF->setText(QStringLiteral("f2"));
  EditThreadH->setText(QStringLiteral("h1.23"));
  EditThreadValue->setText(QStringLiteral("v1= w1= v2= w2="));
}

void TFormaEditor::EditThreadFClick() {
  // The thread block is written at once, without pumping: nothing to cancel first.
  if (!GroupBoxThread->isHidden()) TimerThread->SetEnabled(true);
}

void TFormaEditor::ComboBoxThreadTypChange() {
  const bool internal = ComboBoxThreadTyp->currentIndex() == ThreadInternal;
  ComboBoxThreadTyp2->setVisible(internal);
  ComboBoxThreadTyp1->setVisible(!internal);
  (internal ? ComboBoxThreadTyp2 : ComboBoxThreadTyp1)->raise();
  EditThreadFClick();
}

void TFormaEditor::ComboBoxThreadTyp1Change(QComboBox* Table) {
  std::string f, h;
  const int kind = Table == ComboBoxThreadTyp2 ? ThreadInternal : ThreadExternal;
  // The empty row names no thread: the fields keep what they hold.
  if (!ThreadRowFields(Text(Table), kind, f, h)) return;
  EditThreadF->setText(QString::fromStdString(f));
  EditThreadH->setText(QString::fromStdString(h));
}

int TFormaEditor::ThreadBlockStart() const {
  // The user's program is everything ahead of the block this panel wrote last; a "%254" the
  // user wrote with other lines after it is part of the program.
  const QTextDocument* doc = Memo->document();
  QTextBlock block = doc->lastBlock();
  for (qsizetype i = threadBlock_.size() - 1; i >= 0; --i, block = block.previous())
    if (!block.isValid() || block.text() != threadBlock_[i]) return -1;
  if (!block.isValid() || block.text() != kBlockLine) return -1;
  return block.position();
}

void TFormaEditor::TimerThreadTimer() {
  if (PanelTimerWaits(*TimerThread)) return;  // the memo is not to change under a run
  GeneratedText.clear();
  ScrollBarIndex->setMinimum(0);
  ScrollBarIndex->setEnabled(false);

  ThreadPanelTexts t;
  t.Kind = ComboBoxThreadTyp->currentIndex();
  t.F = EditThreadF->text().toStdString();
  t.H = EditThreadH->text().toStdString();
  t.P = Text(ComboBoxThreadP);
  t.Norm = CheckBoxThreadNorm->isChecked();
  t.Value = EditThreadValue->text().toStdString();
  t.V = Text(ComboBoxThreadV);
  t.W = Text(ComboBoxThreadW);
  t.L1 = Text(ComboBoxThreadL1);
  t.L2 = Text(ComboBoxThreadL2);
  t.E1 = Text(ComboBoxThreadE1);
  t.E2 = Text(ComboBoxThreadE2);
  GeneratedText = PanelItems(GenerateThread(FormaGeom.Daten(), t));

  // The memo: the program, then the thread block; interpreted once. Only the block's lines
  // are rewritten, so that a long program costs no new layout of its text.
  const int start = ThreadBlockStart();
  QString block = kBlockLine;
  for (const QString& line : GeneratedText) block += QLatin1Char('\n') + line;
  const bool modified = Memo->document()->isModified();
  {
    const QSignalBlocker quiet(Memo);
    QTextCursor cursor(Memo->document());
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    if (start >= 0) {
      cursor.setPosition(start, QTextCursor::KeepAnchor);
    } else if (!Memo->document()->isEmpty()) {
      block.prepend(QLatin1Char('\n'));
    }
    cursor.insertText(block);
    cursor.endEditBlock();
    Memo->document()->setModified(modified);  // a preview of the block is no edit of the user's
  }
  threadBlock_ = GeneratedText;
  ProgramHead = Memo->toPlainText().split(QLatin1Char('\n'));
  ProgramHead.resize(ProgramHead.size() - 1 - GeneratedText.size());
  ActionAutoExecute();

  int first = 0;
  for (int slot = 1, n = FormaGeom.ElementCount(); slot <= n && first == 0; ++slot) {
    const TFormaGeom::GeomT* e = FormaGeom.Elements(slot);
    if (e != nullptr && e->GeomNo == ThreadBlockNumber) first = slot;
  }
  if (first != 0) {
    ScrollBarIndex->setMaximum(FormaGeom.ElementCount());
    ScrollBarIndex->setMinimum(first);
    ScrollBarIndex->setValue(first);
  }
  ButtonThreadSave->setEnabled(first != 0);
  update();
}

void TFormaEditor::ButtonThreadSaveClick() {
  if (FormaGeom.Busy != 0 || Panels.InselRunning != 0) {
    platform::SetApplicationTag(0);
    return;
  }
  if (GeneratedText.isEmpty()) return;
  // The block alone goes to a file the user names; cancelled, the program stays as it was.
  if (SaveResultAs(GeneratedText)) SpeedButtonSaveClick();
}

void TFormaEditor::ButtonThreadCloseClick() { PCloseClick(); }

void TFormaEditor::GroupBoxThreadDblClick() { GroupBoxTurnDblClick(); }

}  // namespace movra
