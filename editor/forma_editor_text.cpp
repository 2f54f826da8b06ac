// The editor's life and its text: menus, the text panel with its live re-interpretation,
// the *.geo files, showing and closing.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/forma_editor.h"
#include "editor/forma_syntax.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "platform/core/application.h"
#include "platform/core/atomic_file.h"
#include "platform/qt/dialogs.h"
#include "shell/base/forma_settings.h"

namespace movra {
namespace {

constexpr int kTimerStartMs = 200;
constexpr int kSplitterWidth = 4;
constexpr int kMinMemoWidth = 40;

// The bar at the right edge of a left-docked text panel; dragging it sets the panel's width.
class SplitterBar : public QWidget {
 public:
  SplitterBar(QWidget* parent, std::function<void(int)> Dragged)
      : QWidget(parent), dragged_(std::move(Dragged)) {
    setCursor(Qt::SizeHorCursor);
    setAutoFillBackground(true);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) dragging_ = true;
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (dragging_) dragged_(mapToParent(event->position().toPoint()).x());
  }
  void mouseReleaseEvent(QMouseEvent*) override { dragging_ = false; }

 private:
  std::function<void(int)> dragged_;
  bool dragging_ = false;
};

QString DefaultFileName(QWidget* parent, const QString& Folder, QFileDialog::AcceptMode Mode) {
  QFileDialog dialog(parent, QString(), Folder, QStringLiteral("*.geo"));
  dialog.setAcceptMode(Mode);
  dialog.setDefaultSuffix(QStringLiteral("geo"));
  // Save as asks its own question about an existing file.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setFileMode(Mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

void TFormaEditor::CreateMenusAndTextPanel() {
  const auto named = [](QObject* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
  };
  const auto action = [this, &named](const char* name, const QString& text) {
    auto* a = new QAction(text, this);
    named(a, name);
    return a;
  };

  MainMenu = new QMenuBar(this);
  named(MainMenu, "MainMenu");
  layout()->setMenuBar(MainMenu);
  PFile = MainMenu->addMenu(QStringLiteral("File"));
  named(PFile, "PFile");
  const QString changed =
      QStringLiteral("The text have been changed. Do you really want to create a new text ?");
  PNew = action("PNew", QStringLiteral("New"));
  POpen = action("POpen", QStringLiteral("Open"));
  for (QAction* a : {PNew, POpen}) {
    a->setToolTip(changed);
    a->setStatusTip(changed);
  }
  PClose = action("PClose", QStringLiteral("Exit"));
  PFile->addActions({PNew, POpen, PSave, PSaveAs});
  PFile->addSeparator();
  PFile->addAction(PClose);
  PTools = MainMenu->addMenu(QStringLiteral("Tools"));
  named(PTools, "PTools");
  PSyntax = action("PSyntax", QStringLiteral("Syntax"));
  PScrollBar = action("PScrollBar", QStringLiteral("Check"));
  AutoShow = action("AutoShow", QStringLiteral("Auto"));
  AutoShow->setCheckable(true);
  PIso = action("PIso", QStringLiteral("ISO"));
  PTools->addActions({PSyntax, PScrollBar, AutoShow, PIso});

  ActionEditor = action("ActionEditor", QStringLiteral("Edit text"));
  SpeedButtonText = new QToolButton(toolBar_);
  named(SpeedButtonText, "SpeedButtonText");
  SpeedButtonText->setDefaultAction(ActionEditor);
  SpeedButtonText->setText(QStringLiteral("T"));
  SpeedButtonAlign = new QToolButton(toolBar_);
  named(SpeedButtonAlign, "SpeedButtonAlign");
  SpeedButtonAlign->setToolTip(QStringLiteral("Align"));
  SpeedButtonAlign->setText(QStringLiteral("|<"));
  auto* toolLayout = static_cast<QHBoxLayout*>(toolBar_->layout());
  toolLayout->insertWidget(0, SpeedButtonAlign);
  toolLayout->insertWidget(0, SpeedButtonText);

  // The verdict stands out: red and bold. No button of the editor is a default button, so
  // Enter never closes it.
  SpeedButtonCaption->setStyleSheet(
      QStringLiteral("QPushButton { color: red; font-weight: bold; text-align: left; }"));
  for (QPushButton* b : {SpeedButtonCaption, SpeedButtonSave}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }

  MemoIso = new QPlainTextEdit(PanelMemo);
  named(MemoIso, "MemoIso");
  MemoIso->setReadOnly(true);
  MemoIso->hide();
  static_cast<QVBoxLayout*>(PanelMemo->layout())->insertWidget(1, MemoIso, 1);
  PanelMemo->setAutoFillBackground(true);
  Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo->viewport()->installEventFilter(this);
  Memo->viewport()->setMouseTracking(true);

  Splitter = new SplitterBar(this, [this](int X) {
    memoDockWidth_ = std::clamp(X, kMinMemoWidth, std::max(kMinMemoWidth, width() - kMinMemoWidth));
    PlaceMemoPanel();
    ActionReferensExecute();
  });
  named(Splitter, "Splitter");
  Splitter->hide();

  TimerStart = new QTimer(this);
  named(TimerStart, "TimerStart");
  TimerStart->setInterval(kTimerStartMs);

  Dialogs.AskYesNo = [this](const QString& Text) { return platform::AskYesNo(this, Text); };
  Dialogs.OpenFileName = [this](const QString& Folder) {
    return DefaultFileName(this, Folder, QFileDialog::AcceptOpen);
  };
  Dialogs.SaveFileName = [this](const QString& Folder) {
    return DefaultFileName(this, Folder, QFileDialog::AcceptSave);
  };
  Dialogs.ShowMessage = [this](const QString& Text) {
    QMessageBox::warning(this, QApplication::applicationName(), Text);
  };

  connect(Memo, &QPlainTextEdit::textChanged, this, &TFormaEditor::ActionAutoExecute);
  connect(TimerStart, &QTimer::timeout, this, &TFormaEditor::TimerStartTimer);
  connect(PNew, &QAction::triggered, this, &TFormaEditor::PNewClick);
  connect(POpen, &QAction::triggered, this, &TFormaEditor::POpenClick);
  connect(PSave, &QAction::triggered, this, &TFormaEditor::PSaveClick);
  connect(PSaveAs, &QAction::triggered, this, &TFormaEditor::PSaveAsClick);
  connect(PClose, &QAction::triggered, this, &TFormaEditor::PCloseClick);
  connect(PSyntax, &QAction::triggered, this, &TFormaEditor::PSyntaxClick);
  connect(ActionEditor, &QAction::triggered, this, &TFormaEditor::ActionEditorExecute);
  connect(SpeedButtonAlign, &QToolButton::clicked, this, &TFormaEditor::SpeedButtonAlignClick);
  connect(SpeedButtonSave, &QPushButton::clicked, this, &TFormaEditor::SpeedButtonSaveClick);
  // A change of the menu or of the diameter view only repaints.
  connect(ActionDiametr, &QAction::toggled, this, [this] { update(); });

  // FormCreate: fitted, nothing hovered, the memo empty, the start timer running.
  ActionReferensExecute();
  ClearHover();
  {
    const QSignalBlocker quiet(Memo);
    Memo->clear();
  }
  TimerStart->start();
}

// ---- Showing and closing ----

bool TFormaEditor::ExecuteWithText(const QStringList& Lines) {
  if (isVisible()) QDialog::done(QDialog::Rejected);
  ProgramHead.clear();
  {
    const QSignalBlocker quiet(Memo);
    Memo->setPlainText(Lines.join(QLatin1Char('\n')));
  }
  PanelSave->hide();
  PanelIso->show();
  Memo->document()->setModified(false);
  ActionAutoExecute();
  // Every other window waits; the syntax reference, shown from here, belongs to the editor
  // and stays usable.
  setWindowModality(Qt::ApplicationModal);
  setWindowState(windowState() | Qt::WindowMaximized);
  return exec() == QDialog::Accepted;
}

void TFormaEditor::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFormaEditor::FormShow() {
  SpeedButtonCaption->setText(QString());
  ScrollBarIndex->setMinimum(0);
  ScrollBarIndex->setValue(0);
  if (!PanelMemo->isHidden()) Memo->setFocus();
}

void TFormaEditor::done(int Result) {
  if (Result != QDialog::Accepted && Memo->document()->isModified() &&
      !Dialogs.AskYesNo(Message(6, "The project have been changed. Do you really want to quit ?")))
    return;
  FormClose();
  QDialog::done(Result);
}

void TFormaEditor::FormClose() {
  platform::SetApplicationTag(0);
  ActionEditor->setEnabled(true);
  MemoIso->hide();
  PanelsFormClose();  // the panels' timers, boxes and lists; a running pocket waits for it
  PFile->menuAction()->setVisible(true);
  PTools->menuAction()->setVisible(true);
  SpeedButtonAlign->setEnabled(true);
  SpeedButtonText->setEnabled(true);
  GeneratedText.clear();
  ProgramHead.clear();
}

void TFormaEditor::SpeedButtonSaveClick() { accept(); }

void TFormaEditor::PCloseClick() { reject(); }

void TFormaEditor::keyPressEvent(QKeyEvent* event) {
  // Esc follows the editor's own order, never the dialog's default close (the navigation's
  // key preview runs it before any control sees the key).
  if (event->key() == Qt::Key_Escape) {
    HandleEscape();
  } else if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QDialog::keyPressEvent(event);
  }
  update();
}

void TFormaEditor::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  // FormActivate.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    Activated = 1;
    TimerStart->start();
  }
}

void TFormaEditor::TimerStartTimer() {
  TimerStart->stop();
  ActionAutoExecute();
  ActionReferensExecute();
}

bool TFormaEditor::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == Memo->viewport()) {
    if (Event->type() == QEvent::MouseButtonRelease) ActionAutoExecute();
    // MemoMouseMove: a left-docked panel gets its bar to drag.
    if (Event->type() == QEvent::MouseMove && !PanelMemo->isHidden() && memoDockedLeft_ &&
        Splitter->isHidden()) {
      PlaceMemoPanel();
      Splitter->show();
      Splitter->raise();
    }
  }
  return QDialog::eventFilter(Watched, Event);
}

// ---- Re-interpretation ----

std::vector<std::string> TFormaEditor::MemoLines() const {
  std::vector<std::string> lines;
  const QByteArray text = Memo->toPlainText().toUtf8();
  if (text.isEmpty()) return lines;
  const std::string_view all(text.constData(), static_cast<std::size_t>(text.size()));
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = all.find('\n', start);
    lines.emplace_back(all.substr(start, end == std::string_view::npos ? all.npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

void TFormaEditor::ActionAutoExecute() {
  if (!Memo->isEnabled()) return;
  FormaGeom.FromEditor = 1;
  if (FormaGeom.Busy != 0) {
    // A run is building the store and lets this event in: the text runs again after it, so
    // the last edit is always the one interpreted.
    FormaGeom.RequestRun(MemoLines(), [this](const std::string& Error) { FinishAutoExecute(Error); });
    return;
  }
  FormaGeom.ClearElements();
  ScrollBarIndex->setEnabled(false);
  std::string error;
  FormaGeom.InterpretProgram(MemoLines(), error);
  FinishAutoExecute(error);
}

void TFormaEditor::FinishAutoExecute(const std::string& ErrorText) {
  QString caption = QString::fromStdString(ErrorText);
  if (!caption.isEmpty()) caption += QStringLiteral(" ?");
  SpeedButtonCaption->setText(caption);
  ScrollBarIndex->setMinimum(0);
  ScrollBarIndex->setMaximum(FormaGeom.ElementCount());
  ScrollBarIndex->setEnabled(true);
  if (AutoShow->isChecked()) ActionReferensExecute();
  update();
}

void TFormaEditor::ActionClearExecute() {
  {
    const QSignalBlocker quiet(Memo);
    Memo->clear();
  }
  if (FormaGeom.Busy != 0)
    FormaGeom.RequestRun({}, [this](const std::string& Error) { FinishAutoExecute(Error); });
  else
    FormaGeom.ClearElements();
  GeneratedText.clear();
  FileFormat = GeoFileFormat{};
  Memo->document()->setModified(false);
  SpeedButtonCaption->setText(QString());
  ScrollBarIndex->setEnabled(false);
  ScrollBarIndex->setRange(0, 0);
  ScrollBarIndex->setValue(0);
  ScrollBarIndex->setEnabled(true);
  ActionReferensExecute();
  ClearHover();
  update();
}

// ---- The text panel ----

bool TFormaEditor::MemoDockedLeft() const { return !PanelMemo->isHidden() && memoDockedLeft_; }

void TFormaEditor::PlaceMemoPanel() {
  const int top = std::max(toolBar_->geometry().bottom(),
                           std::max(PanelSave->isHidden() ? 0 : PanelSave->geometry().bottom(),
                                    PanelScroll->isHidden() ? 0 : PanelScroll->geometry().bottom())) +
                  1;
  const int bottom = StatusBar->geometry().top();
  const int height = std::max(bottom - top, 0);
  if (memoDockedLeft_) {
    if (memoDockWidth_ <= 0) memoDockWidth_ = width() / 4;
    PanelMemo->setGeometry(0, top, memoDockWidth_, height);
    Splitter->setGeometry(memoDockWidth_, top, kSplitterWidth, height);
  } else {
    PanelMemo->setGeometry(0, top, width(), height);
  }
}

void TFormaEditor::ActionEditorExecute() {
  Splitter->hide();
  PanelMemo->setVisible(PanelMemo->isHidden());
  if (!PanelMemo->isHidden()) {
    PlaceMemoPanel();
    PanelMemo->raise();
    Memo->setFocus();
    ActionAutoExecute();
  }
  update();
}

void TFormaEditor::SpeedButtonAlignClick() {
  Splitter->hide();
  memoDockedLeft_ = !memoDockedLeft_;
  if (memoDockedLeft_) memoDockWidth_ = width() / 4;
  PlaceMemoPanel();
  PanelMemo->raise();
  PanelMemo->show();
  ActionReferensExecute();
}

void TFormaEditor::PSyntaxClick() {
  if (FormaSyntax != nullptr) FormaSyntax->ShowFrom(this);
}

// ---- Files ----

bool TFormaEditor::RussianInterface() const {
  return FormaSettings != nullptr && FormaSettings->CurrentLanguage() == 2;
}

QString TFormaEditor::Message(int Slot, const char* English) const {
  if (FormaSettings != nullptr && !FormaSettings->Messages[static_cast<std::size_t>(Slot)].isEmpty())
    return FormaSettings->Messages[static_cast<std::size_t>(Slot)];
  return QString::fromUtf8(English);
}

void TFormaEditor::SetFileName(const QString& Path) {
  FileName = Path;
  setWindowTitle(Path);
}

void TFormaEditor::PNewClick() {
  if (Memo->document()->isModified() && !Dialogs.AskYesNo(PNew->toolTip())) return;
  ActionClearExecute();
  SetFileName(QString());
}

void TFormaEditor::POpenClick() {
  if (Memo->document()->isModified() && !Dialogs.AskYesNo(POpen->toolTip())) return;
  const QString name =
      Dialogs.OpenFileName(FormaSettings != nullptr ? FormaSettings->PathProject : QString());
  if (name.isEmpty()) return;
  std::vector<std::string> lines;
  GeoFileFormat format;
  const GeoReadResult read =
      ReadGeoFile(QFile::encodeName(name).toStdString(), RussianInterface(), lines, format);
  if (read != GeoReadResult::Ok) {
    const char* why = read == GeoReadResult::TooLarge ? "The file is too large for a program text:"
                      : read == GeoReadResult::Binary ? "The file is no program text:"
                                                      : "The file could not be read:";
    Dialogs.ShowMessage(QString::fromUtf8(why) + QStringLiteral("\n") + name);
    return;
  }
  QStringList text;
  text.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) text.append(QString::fromStdString(line));
  {
    const QSignalBlocker quiet(Memo);
    Memo->setPlainText(text.join(QLatin1Char('\n')));
  }
  SetFileName(name);
  FileFormat = format;
  Memo->document()->setModified(false);
  ActionAutoExecute();
  ActionReferensExecute();
  MousePixel.X = 0;
}

bool TFormaEditor::WriteMemo(const QString& Path) {
  const std::string bytes = EncodeGeoText(MemoLines(), FileFormat);
  if (!platform::WriteFileAtomically(QFile::encodeName(Path).toStdString(), bytes)) {
    Dialogs.ShowMessage(QStringLiteral("The file could not be written:\n") + Path);
    return false;
  }
  SetFileName(Path);
  Memo->document()->setModified(false);
  update();
  return true;
}

void TFormaEditor::PSaveAsClick() {
  const QString name =
      Dialogs.SaveFileName(FormaSettings != nullptr ? FormaSettings->PathProject : QString());
  if (name.isEmpty()) return;
  if (QFileInfo::exists(name) &&
      !Dialogs.AskYesNo(name + QStringLiteral("\r\n") +
                        Message(11, "Are you sure you want to replace the file?")))
    return;
  WriteMemo(name);
}

void TFormaEditor::PSaveClick() {
  if (!FileName.isEmpty() && QFileInfo(FileName).isFile())
    WriteMemo(FileName);
  else
    PSaveAsClick();
}

}  // namespace movra
