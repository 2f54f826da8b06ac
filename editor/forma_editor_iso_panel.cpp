// The ISO view: the geometries of the store as subprograms in the G17, G18 or G19 plane, shown
// read-only in MemoIso over the program text. The view has a text of its own: what the
// machining panels leave in GeneratedText is never touched by it.
#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/colour_tool_iso.h"
#include "editor/forma_editor.h"

namespace movra {
namespace {

constexpr int kBusyRetryMs = 10;  // a click during an interpreter run waits for its end
constexpr int kIsoParts = 5;      // four buttons and the index field share the bar

// Keeps the bar's parts in their fifths and MemoIso over the memo it covers.
class IsoPlacement : public QObject {
 public:
  explicit IsoPlacement(TFormaEditor& Editor) : QObject(&Editor), editor_(Editor) {}

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    const QEvent::Type type = Event->type();
    if (type != QEvent::Resize && type != QEvent::Move) return false;
    if (Watched == editor_.PanelIso && type == QEvent::Resize) editor_.PanelIsoResize();
    if (Watched == editor_.Memo) editor_.MemoIso->setGeometry(editor_.Memo->geometry());
    return false;
  }

 private:
  TFormaEditor& editor_;
};

}  // namespace

void TFormaEditor::CreateIsoPanel() {
  const auto button = [this](const char* name, const QString& text) {
    auto* b = new QToolButton(PanelIso);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    return b;
  };
  SpeedButton_G17_Abort = button("SpeedButton_G17_Abort", QStringLiteral("<<<"));
  SpeedButton_G17 = button("SpeedButton_G17", QStringLiteral("G17"));
  SpeedButton_G18 = button("SpeedButton_G18", QStringLiteral("G18"));
  SpeedButton_G19 = button("SpeedButton_G19", QStringLiteral("G19"));
  PanelIndex = new QWidget(PanelIso);
  PanelIndex->setObjectName(QStringLiteral("PanelIndex"));
  EditIndex = new QLineEdit(PanelIndex);
  EditIndex->setObjectName(QStringLiteral("EditIndex"));
  EditIndex->setToolTip(QStringLiteral("1..254"));
  auto* indexLayout = new QHBoxLayout(PanelIndex);
  indexLayout->setContentsMargins(0, 0, 0, 0);
  indexLayout->addWidget(EditIndex);
  // PanelIsoResize places the five parts; the bar's height is a button's.
  PanelIso->setFixedHeight(SpeedButton_G17->sizeHint().height() + 4);
  // MemoIso lies over the memo rather than beside it.
  PanelMemo->layout()->removeWidget(MemoIso);
  auto* placement = new IsoPlacement(*this);
  PanelIso->installEventFilter(placement);
  Memo->installEventFilter(placement);

  connect(SpeedButton_G17_Abort, &QToolButton::clicked, this,
          &TFormaEditor::SpeedButton_G17_AbortClick);
  // The plane is the button's tag.
  for (auto [b, plane] : {std::pair{SpeedButton_G17, 17}, {SpeedButton_G18, 18}, {SpeedButton_G19, 19}}) {
    b->setProperty("Tag", plane);
    connect(b, &QToolButton::clicked, this, [this, plane = plane] { SpeedButton_G17Click(plane); });
  }
  connect(PIso, &QAction::triggered, this, &TFormaEditor::PIsoClick);
}

void TFormaEditor::SpeedButton_G17Click(int Plane) {
  // The store is being rebuilt by a run that lets this click in: show what it finishes.
  if (FormaGeom.Busy != 0) {
    QTimer::singleShot(kBusyRetryMs, this, [this, Plane] { SpeedButton_G17Click(Plane); });
    return;
  }
  const IsoViewT view =
      BuildIsoView(FormaGeom, FormaGeom.Daten(), EditIndex->text().toStdString(), Plane);
  PanelMemo->show();
  // The text is set once; the view is read only, so nothing is kept to undo.
  MemoIso->document()->setUndoRedoEnabled(false);
  MemoIso->setPlainText(QString::fromStdString(view.Text));
  MemoIso->setGeometry(Memo->geometry());
  MemoIso->raise();
  MemoIso->setVisible(view.Shown);
}

void TFormaEditor::SpeedButton_G17_AbortClick() {
  EditIndex->clear();
  MemoIso->hide();
}

void TFormaEditor::PanelIsoResize() {
  const int part = PanelIso->width() / kIsoParts;
  const int h = PanelIso->height();
  int x = 0;
  for (QWidget* w : {static_cast<QWidget*>(SpeedButton_G17_Abort), static_cast<QWidget*>(SpeedButton_G17),
                     static_cast<QWidget*>(SpeedButton_G18), static_cast<QWidget*>(SpeedButton_G19),
                     PanelIndex}) {
    w->setGeometry(x, 0, part, h);
    x += part;
  }
}

void TFormaEditor::PIsoClick() { PanelIso->setVisible(PanelIso->isHidden()); }

}  // namespace movra
