// What the floating machining panels share: the selection menu that opens them, the panel
// mode of the editor, showing a waiting panel on the next mouse move, dragging, closing, and
// saving a generated result through the memo.
#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QToolButton>

#include "editor/forma_editor.h"
#include "editor/insel_panel.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "platform/core/application.h"
#include "platform/qt/one_shot_timer.h"

namespace movra {
namespace {

constexpr int PanelTimerMs = 100;

// Routes the mouse events of the floating boxes to the panel logic;
// it never swallows an event, so the editor's own handlers see them too.
class PanelEvents : public QObject {
 public:
  explicit PanelEvents(TFormaEditor& Editor) : QObject(&Editor), editor_(Editor) {}

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    auto* box = qobject_cast<QGroupBox*>(Watched);
    if (box == nullptr) return false;
    switch (Event->type()) {
      case QEvent::MouseButtonPress:
        editor_.GroupBoxInselMouseDown(box, static_cast<QMouseEvent*>(Event)->position().toPoint());
        break;
      case QEvent::MouseMove: {
        const auto* e = static_cast<QMouseEvent*>(Event);
        editor_.GroupBoxInselMouseMove(box, e->position().toPoint(),
                                       e->buttons() == Qt::LeftButton);
        break;
      }
      case QEvent::Enter:
        if (box == editor_.GroupBoxTurn || box == editor_.GroupBoxThread)
          editor_.GroupBoxTurnEnter();
        break;
      case QEvent::MouseButtonDblClick:
        if (box == editor_.GroupBoxThread)
          editor_.GroupBoxThreadDblClick();
        else if (box != editor_.GroupBoxColor)
          editor_.GroupBoxTurnDblClick();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  TFormaEditor& editor_;
};

}  // namespace

void TFormaEditor::CreateMachiningPanels() {
  PopupMenuSelect = new QMenu(this);
  PopupMenuSelect->setObjectName(QStringLiteral("PopupMenuSelect"));
  const auto item = [this](const char* name, const QString& text) {
    auto* a = PopupMenuSelect->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  SelectTurn = item("SelectTurn", QStringLiteral("Turn the contour"));
  SelectThread = item("SelectThread", QStringLiteral("Cut a thread with a tool"));
  SelectInsel = item("SelectInsel", QStringLiteral("Machine a pocket with islands"));
  connect(SelectTurn, &QAction::triggered, this, &TFormaEditor::SelectTurnClick);
  connect(SelectThread, &QAction::triggered, this, &TFormaEditor::SelectThreadClick);
  connect(SelectInsel, &QAction::triggered, this, &TFormaEditor::SelectInselClick);
  // Offered by a button of the toolbar, which stays enabled in every mode of the editor; the
  // right click in the drawing belongs to the view's own popup menu.
  auto* opener = new QToolButton(toolBar_);
  opener->setObjectName(QStringLiteral("SpeedButtonSelect"));
  opener->setArrowType(Qt::DownArrow);
  opener->setPopupMode(QToolButton::InstantPopup);
  opener->setMenu(PopupMenuSelect);
  if (auto* row = qobject_cast<QBoxLayout*>(toolBar_->layout())) row->insertWidget(0, opener);

  TimerTurn = new platform::OneShotTimer(PanelTimerMs, this);
  TimerTurn->setObjectName(QStringLiteral("TimerTurn"));
  TimerTurn->OnTimer = [this] { TimerTurnTimer(); };
  TimerInsel = new platform::OneShotTimer(PanelTimerMs, this);
  TimerInsel->setObjectName(QStringLiteral("TimerInsel"));
  TimerInsel->OnTimer = [this] { TimerInselTimer(); };
  TimerThread = new platform::OneShotTimer(PanelTimerMs, this);
  TimerThread->setObjectName(QStringLiteral("TimerThread"));
  TimerThread->OnTimer = [this] { TimerThreadTimer(); };

  CreateTurnPanel();
  CreateInselPanel();
  CreateThreadPanel();

  auto* events = new PanelEvents(*this);
  panelEvents_ = events;
  for (QGroupBox* box : {GroupBoxTurn, GroupBoxInsel, GroupBoxThread, GroupBoxColor}) {
    box->installEventFilter(events);
    box->setMouseTracking(true);
    box->setAutoFillBackground(true);  // a panel stands in front of the drawing
  }
}

void TFormaEditor::ReleaseMachiningPanels() {
  // Hiding the dialog while it is destroyed must not reach the half-destroyed window.
  delete panelEvents_;
  panelEvents_ = nullptr;
}

// ---- Opening ----

void TFormaEditor::EnterPanelMode() {
  // Saving goes through the panel's own button; FormClose undoes all of it.
  PFile->menuAction()->setVisible(false);
  PTools->menuAction()->setVisible(false);
  SpeedButtonAlign->setEnabled(false);
  SpeedButtonText->setEnabled(false);
  ActionEditor->setEnabled(false);
  PanelSave->hide();
  SpeedButtonSave->hide();
}

void TFormaEditor::SelectTurnClick() {
  EnterPanelMode();
  Panels.TurnWaiting = 1;
}

void TFormaEditor::SelectThreadClick() {
  EnterPanelMode();
  Panels.ThreadWaiting = 1;
}

void TFormaEditor::SelectInselClick() {
  EnterPanelMode();
  Panels.InselWaiting = 1;
  Panels.InselFit = 1;
  InselPanelTexts rows;
  rows.Rows = InselRowsFromStore(FormaGeom);
  QSignalBlocker quiet(CheckListBoxInsel);
  CheckListBoxInsel->clear();
  for (const InselRow& row : rows.Rows) {
    auto* it = new QListWidgetItem(QString::fromStdString(row.Text), CheckListBoxInsel);
    it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
    it->setCheckState(row.Ticked ? Qt::Checked : Qt::Unchecked);
  }
  if (CheckListBoxInsel->count() > 0) CheckListBoxInsel->setCurrentRow(0);
}

bool TFormaEditor::ShowWaitingPanel() {
  QGroupBox* box = nullptr;
  platform::OneShotTimer* timer = nullptr;
  if (Panels.InselWaiting != 0) {
    Panels.InselWaiting = 0;
    box = GroupBoxInsel;
    timer = TimerInsel;
  } else if (Panels.TurnWaiting != 0) {
    Panels.TurnWaiting = 0;
    if (ListBoxTurn->currentRow() < 0) ListBoxTurn->setCurrentRow(0);
    ResetTurnPanel();
    box = GroupBoxTurn;
    timer = TimerTurn;
  } else if (Panels.ThreadWaiting != 0) {
    Panels.ThreadWaiting = 0;
    ResetThreadPanel();
    box = GroupBoxThread;
    timer = TimerThread;
  }
  if (box == nullptr) return false;
  box->raise();
  box->show();
  if (timer != nullptr) timer->SetEnabled(true);
  return true;
}

QStringList TFormaEditor::PanelItems(const std::vector<std::string>& Items) {
  QStringList out;
  for (const std::string& s : Items) out << QString::fromStdString(s);
  return out;
}

bool TFormaEditor::PanelTimerWaits(platform::OneShotTimer& Timer) {
  Timer.SetEnabled(false);
  if (FormaGeom.Busy == 0 && Panels.InselRunning == 0) return false;
  Timer.SetEnabled(true);  // the store is half built or the pocket lists are in use
  return true;
}

// ---- Dragging and cancelling ----

void TFormaEditor::GroupBoxInselMouseDown(QGroupBox* Box, QPoint Position) {
  PanelDragX = Position.x();
  PanelDragY = Position.y();
  Box->raise();
}

void TFormaEditor::GroupBoxInselMouseMove(QGroupBox* Box, QPoint Position, bool LeftOnly) {
  if (PanelDragX == -1) {
    PanelDragX = Position.x();
    PanelDragY = Position.y();
  }
  if (LeftOnly) Box->move(Box->pos() + QPoint(Position.x() - PanelDragX, Position.y() - PanelDragY));
}

void TFormaEditor::GroupBoxTurnEnter() { PanelDragX = PanelDragY = -1; }

void TFormaEditor::GroupBoxTurnDblClick() {
  platform::SetApplicationTag(0);
  update();
}

// ---- Closing ----

void TFormaEditor::PanelsFormClose() {
  platform::SetApplicationTag(0);
  TimerTurn->SetEnabled(false);
  TimerInsel->SetEnabled(false);
  TimerThread->SetEnabled(false);
  threadBlock_.clear();
  for (QGroupBox* box : {GroupBoxTurn, GroupBoxInsel, GroupBoxThread}) box->hide();
  SpeedButtonSave->show();  // PanelSave itself stays as the next showing sets it
  {
    QSignalBlocker quiet(ComboBoxView);
    ComboBoxView->setCurrentIndex(0);
  }
  const bool running = Panels.InselRunning != 0;
  Panels = {};
  if (running) {
    // The calculation still works on the generator's lists: it resets them when it returns.
    Panels.InselRunning = 1;
    Panels.ResetPending = 1;
  } else if (FormaEditorInsel != nullptr && !FormaEditorInsel->Path.Empty()) {
    FormaEditorInsel->Reset();
  }
  if (FormaEditorTurn != nullptr && !FormaEditorTurn->OutElements.Empty())
    FormaEditorTurn->ClearLists();
}

void TFormaEditor::ButtonTurnCloseClick() { PCloseClick(); }

void TFormaEditor::ButtonInselCloseClick() { PCloseClick(); }

// ---- Saving ----

bool TFormaEditor::SaveResultAs(const QStringList& Lines) {
  const QString before = Memo->toPlainText();
  const bool wasModified = Memo->document()->isModified();
  Memo->setPlainText(Lines.join(QLatin1Char('\n')));
  Memo->document()->setModified(true);
  PSaveAsClick();
  if (!Memo->document()->isModified()) return true;  // written
  // Cancelled or not written: the user's program comes back as it was.
  Memo->setPlainText(before);
  Memo->document()->setModified(wasModified);
  return false;
}

}  // namespace movra
