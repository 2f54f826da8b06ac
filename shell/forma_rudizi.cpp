#include "shell/forma_rudizi.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <string>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "platform/core/atomic_file.h"
#include "platform/core/text_encoding.h"
#include "platform/core/text_file.h"
#include "platform/qt/colors.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/qt_translations.h"
#include "platform/qt/rich_edit.h"
#include "shell/base/folders.h"
#include "shell/base/forma_info.h"
#include "shell/base/forma_settings.h"

namespace movra {
namespace {

constexpr int kSplitterWidth = 10;
constexpr int kMinTextSize = 10;
constexpr int kMaxTextSize = 30;
constexpr int kTextSizeStep = 2;
constexpr qint64 kPumpIntervalNs = 1'000'000;

// The colouring's view of a rich-text control: its blocks are the lines. Letters are coloured
// through a cursor of its own, so the caret and the selection the user sees never move; any
// change of the document that this cursor did not make counts as a change under the colouring.
class RichEditColouring : public ColouringText {
 public:
  explicit RichEditColouring(platform::RichEdit& Edit)
      : doc_(*Edit.document()), cursor_(&doc_), fontColour_(Edit.FontColour()) {
    watch_ = QObject::connect(&doc_, &QTextDocument::contentsChange, [this](int, int, int) {
      if (!painting_) changed_ = true;
    });
  }
  ~RichEditColouring() override { QObject::disconnect(watch_); }
  RichEditColouring(const RichEditColouring&) = delete;
  RichEditColouring& operator=(const RichEditColouring&) = delete;

  bool Changed() const { return changed_; }

  std::size_t LineCount() const override {
    return doc_.isEmpty() ? 0 : static_cast<std::size_t>(doc_.blockCount());
  }

  std::u16string Line(std::size_t Index) const override {
    const QString text = Block(Index).text();
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
  }

  void Paint(std::size_t Index, const std::vector<LetterPaint>& Letters) override {
    if (Letters.empty()) return;
    const QTextBlock block = Block(Index);
    const int start = block.position();
    // The colours the letters show now, read in one walk over the line's pieces of equal
    // format (a piece's own position is costly to ask for; their lengths add up to it).
    std::vector<QRgb> shown(Letters.size(), fontColour_.rgb());
    std::size_t next = 0;
    int pieceEnd = 0;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd() && next < Letters.size(); ++it) {
      const QTextFragment piece = it.fragment();
      pieceEnd += piece.length();
      const QBrush brush = piece.charFormat().foreground();
      for (; next < Letters.size() && static_cast<int>(Letters[next].Index) < pieceEnd; ++next)
        if (brush.style() != Qt::NoBrush) shown[next] = brush.color().rgb();
    }
    bool editing = false;
    painting_ = true;
    for (std::size_t i = 0; i < Letters.size(); ++i) {
      const LetterPaint& letter = Letters[i];
      const QColor colour = platform::ToQColor(letter.Colour);
      if (shown[i] == colour.rgb()) continue;
      if (!editing) {
        // Joined to the edit that caused the colouring: one undo step takes back both.
        cursor_.joinPreviousEditBlock();
        editing = true;
      }
      QTextCharFormat format;
      format.setForeground(colour);
      const int position = start + static_cast<int>(letter.Index);
      cursor_.setPosition(position);
      cursor_.setPosition(position + static_cast<int>(letter.Length), QTextCursor::KeepAnchor);
      cursor_.mergeCharFormat(format);
    }
    if (editing) cursor_.endEditBlock();
    painting_ = false;
  }

  // Events run at the first line end and then whenever a little time has passed since they
  // last ran: the platform's event loop costs more per turn than colouring one line, so a turn
  // at every line end would make the colouring many times slower while no key waits longer
  // than about a millisecond either way.
  bool LetEventsRun() override {
    if (!sincePump_.isValid() || sincePump_.nsecsElapsed() >= kPumpIntervalNs) {
      QCoreApplication::processEvents();
      sincePump_.start();
    }
    return !changed_;
  }

 private:
  // The walk goes line after line: the next block is one step from the last one asked for.
  QTextBlock Block(std::size_t Index) const {
    const int number = static_cast<int>(Index);
    if (!last_.isValid() || last_.blockNumber() != number)
      last_ = (last_.isValid() && last_.blockNumber() + 1 == number)
                  ? last_.next()
                  : doc_.findBlockByNumber(number);
    return last_;
  }

  QTextDocument& doc_;
  QTextCursor cursor_;
  QColor fontColour_;
  mutable QTextBlock last_;
  QMetaObject::Connection watch_;
  QElapsedTimer sincePump_;
  bool painting_ = false;
  bool changed_ = false;
};

QString NativePath(const QString& Path) { return QDir::toNativeSeparators(Path); }

}  // namespace

TForma_Rudizi::TForma_Rudizi(platform::WindowList& Windows, const MainWindowLinks& Links,
                             QWidget* parent)
    : QMainWindow(parent),
      FormaSettings(Links.FormaSettings),
      FormaDatenFolders(Links.FormaDatenFolders),
      FormaInfo(Links.FormaInfo),
      FormaEditor(Links.FormaEditor),
      FormaInput(Links.FormaInput),
      windows_(Windows) {
  setObjectName(QStringLiteral("Forma_Rudizi"));
  setMinimumSize(800, 480);
  setWindowTitle(ApplicationTitle());
  Ask = [this](const QString& question) { return platform::AskYesNo(this, question); };
  ShowMessage = [this](const QString& message) {
    QMessageBox::critical(this, ApplicationTitle(), message);
  };

  CreateMenu();
  CreateDialogs();

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("Client"));
  setCentralWidget(client);

  PanelTop = new QWidget(client);
  PanelTop->setObjectName(QStringLiteral("PanelTop"));
  PanelTop->setFixedHeight(40);
  PanelLang = new QWidget(PanelTop);
  PanelLang->setObjectName(QStringLiteral("PanelLang"));
  ComboBoxLanguage = new QComboBox(PanelLang);
  ComboBoxLanguage->setObjectName(QStringLiteral("ComboBoxLanguage"));
  ComboBoxLanguage->addItems({QStringLiteral("de"), QStringLiteral("en"), QStringLiteral("ru")});
  ComboBoxLanguage->setToolTip(QStringLiteral("Language"));
  // A wheel turned over the box while it has no focus must not switch the language.
  ComboBoxLanguage->installEventFilter(this);
  (new QHBoxLayout(PanelLang))->addWidget(ComboBoxLanguage);
  connect(ComboBoxLanguage, &QComboBox::activated, this, &TForma_Rudizi::ComboBoxLanguageSelect);
  auto* top = new QHBoxLayout(PanelTop);
  top->setContentsMargins(0, 0, 0, 0);
  top->addStretch(1);
  top->addWidget(PanelLang);

  RichEditProgram = new platform::RichEdit(client);
  RichEditProgram->setObjectName(QStringLiteral("RichEditProgram"));
  RichEditProgram->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEditProgram->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  RichEditProgram->setFont(font);
  RichEditProgram->document()->setDocumentMargin(10);
  RichEditProgram->KeyPress = [this](QChar typed) { RichEditProgramKeyPress(typed); };
  RichEditProgram->KeyUp = [this] { RichEditProgramKeyUp(); };
  RichEditProgram->clear();
  RichEditProgram->document()->setModified(false);

  auto* templates = new QFrame(client);
  templates->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  Panel_Template = templates;
  Panel_Template->setObjectName(QStringLiteral("Panel_Template"));
  CreateTemplateBrowser();

  Splitter1 = new QSplitter(Qt::Horizontal, client);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(kSplitterWidth);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->addWidget(RichEditProgram);
  Splitter1->addWidget(Panel_Template);

  ButtonEdit = new QPushButton(QStringLiteral("Editor"), client);
  ButtonEdit->setObjectName(QStringLiteral("ButtonEdit"));
  connect(ButtonEdit, &QPushButton::clicked, this, &TForma_Rudizi::ButtonEditClick);

  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PanelTop);
  layout->addWidget(Splitter1, 1);
  layout->addWidget(ButtonEdit);

  // The window sees Esc before its controls.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, [this] { FormKeyDown(Qt::Key_Escape); });

  FormResize();
  windows_.Register(this);
}

TForma_Rudizi::~TForma_Rudizi() { windows_.Unregister(this); }

void TForma_Rudizi::CreateMenu() {
  const auto action = [this](QMenu* menu, const char* name, const char* text,
                             void (TForma_Rudizi::*handler)()) {
    auto* item = new QAction(QString::fromLatin1(text), this);
    item->setObjectName(QString::fromLatin1(name));
    if (handler) connect(item, &QAction::triggered, this, handler);
    menu->addAction(item);
    return item;
  };
  const auto menu = [this](QMenu* parentMenu, const char* name, const char* text) {
    auto* item = new QMenu(QString::fromLatin1(text), this);
    item->setObjectName(QString::fromLatin1(name));
    if (parentMenu)
      parentMenu->addMenu(item);
    else
      menuBar()->addMenu(item);
    return item;
  };

  Files = menu(nullptr, "Files", "File");
  PNew = action(Files, "PNew", "New", &TForma_Rudizi::PNewClick);
  POpen = action(Files, "POpen", "Open", &TForma_Rudizi::POpenClick);
  PSave = action(Files, "PSave", "Save", &TForma_Rudizi::PSaveClick);
  PSaveAs = action(Files, "PSaveAs", "Save as...", &TForma_Rudizi::PSaveAsClick);
  Files->addSeparator();
  TemplateLoad = action(Files, "TemplateLoad", "Find templates", &TForma_Rudizi::TemplateLoadClick);
  FilesLocation = menu(Files, "FilesLocation", "Set file location");
  FilesLocationProgram = action(FilesLocation, "FilesLocationProgram", "Program",
                                &TForma_Rudizi::FilesLocationProgramClick);
  FilesLocationTemplate = action(FilesLocation, "FilesLocationTemplate", "Template",
                                 &TForma_Rudizi::FilesLocationTemplateClick);
  Files->addSeparator();
  PClose = action(Files, "PClose", "Exit", &TForma_Rudizi::PCloseClick);
  Info = menu(nullptr, "Info", "?");
  HelpAbout = action(Info, "HelpAbout", "About...", &TForma_Rudizi::HelpAboutClick);
  HelpPdf = action(Info, "HelpPdf", "Information", &TForma_Rudizi::HelpPdfClick);

  // The questions live in the hints; the language table replaces them.
  PNew->setStatusTip(
      QStringLiteral("The text have been changed. Do you really want to create a new text ?"));
  PSaveAs->setStatusTip(QStringLiteral("Are you sure you want to replace the file?"));
  PClose->setStatusTip(
      QStringLiteral("The project have been changed. Do you really want to quit ?"));
}

void TForma_Rudizi::CreateDialogs() {
  using platform::FileDialog;
  OpenDialog_Program = new FileDialog(FileDialog::Mode::Open, QStringLiteral("OpenDialog_Program"), this);
  OpenDialog_Program->DefaultExt = QStringLiteral("txt");
  OpenDialog_Program->Filter = QString::fromLatin1(ProgramFilter);
  SaveDialog_Program = new FileDialog(FileDialog::Mode::Save, QStringLiteral("SaveDialog_Program"), this);
  SaveDialog_Program->DefaultExt = QStringLiteral("txt");
  OpenDialog_Template =
      new FileDialog(FileDialog::Mode::Open, QStringLiteral("OpenDialog_Template"), this);
  OpenDialog_Template->DefaultExt = QStringLiteral("de");
  OpenDialog_Template->Filter = QStringLiteral("*.*|*.*|*.de|*.de|*.en|*.en|*.ru|*.ru");
}

QString TForma_Rudizi::ApplicationTitle() { return QCoreApplication::applicationName(); }

QString TForma_Rudizi::CurrentFileName() const { return SaveDialog_Program->FileName; }

void TForma_Rudizi::FormaNotify(int Code) {
  setWindowTitle(ApplicationTitle());
  if (Code == LanguageApplied) {
    const int language = FormaSettings.CurrentLanguage();
    ComboBoxLanguage->setCurrentIndex(language);
    platform::UseQtTranslations(language);
  }
}

// ---- Colouring ----

QColor TForma_Rudizi::LetterColour(QChar Ch, const QColor& Default) {
  const platform::ColorValue fallback = platform::FromQColor(Default);
  const platform::ColorValue colour = movra::LetterColour(Ch.unicode(), fallback);
  return colour == fallback ? Default : platform::ToQColor(colour);
}

ColouringEnd TForma_Rudizi::ColourizeText(platform::RichEdit& Edit) {
  if (ColouringBusy == 1) return ColouringEnd::AlreadyBusy;
  if (!Edit.HasLines()) return ColouringEnd::NoLines;
  QTextDocument& doc = *Edit.document();
  const bool modified = doc.isModified();
  QWidget& view = *Edit.viewport();
  view.setUpdatesEnabled(false);
  RichEditColouring text(Edit);
  const ColouringEnd end =
      ColourizeLines(text, platform::FromQColor(Edit.FontColour()), ColouringBusy);
  view.setUpdatesEnabled(true);
  view.update();
  // Colours are not saved with the text, so they do not make it modified.
  if (!text.Changed() && !modified) doc.setModified(false);
  if (end == ColouringEnd::TextChanged) {
    // What was typed while the colouring ran was never coloured: colour again after it.
    QPointer<platform::RichEdit> edit(&Edit);
    QTimer::singleShot(0, this, [this, edit] {
      if (edit) ColourizeText(*edit);
    });
  }
  return end;
}

void TForma_Rudizi::RichEditProgramKeyPress(QChar Typed) {
  RichEditProgram->SetInsertionColour(LetterColour(Typed, RichEditProgram->FontColour()));
}

void TForma_Rudizi::RichEditProgramKeyUp() {
  if (RichEditProgram->HasLines() && RichEditProgram->hasFocus()) ColourizeText(*RichEditProgram);
}

// ---- Files ----

bool TForma_Rudizi::ReadProgramFile(const QString& Path, QStringList& Lines,
                                    QString& Error) const {
  QFile file(Path);
  if (!QFileInfo(Path).isFile()) {
    Error = QStringLiteral("%1\nThe file does not exist or is no file.").arg(NativePath(Path));
    return false;
  }
  if (file.size() > MaxProgramFileBytes) {
    Error = QStringLiteral("%1\nThe file is too large for a program text (%2 MB; at most %3 MB).")
                .arg(NativePath(Path))
                .arg(file.size() / (1024 * 1024))
                .arg(MaxProgramFileBytes / (1024 * 1024));
    return false;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    Error = QStringLiteral("%1\n%2").arg(NativePath(Path), file.errorString());
    return false;
  }
  const QByteArray bytes = file.read(MaxProgramFileBytes + 1);
  if (file.error() != QFileDevice::NoError || bytes.size() > MaxProgramFileBytes) {
    Error = QStringLiteral("%1\n%2").arg(NativePath(Path), file.errorString());
    return false;
  }
  const bool russian = FormaSettings.CurrentLanguage() == 2;
  const std::string text = platform::DecodeSingleByteText(
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), russian);
  Lines.clear();
  for (const std::string& line : platform::SplitLines(text))
    Lines.append(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
  return true;
}

bool TForma_Rudizi::WriteProgramFile(const QString& Path) {
  SaveBuffer = RichEditProgram->Lines();
  QByteArray bytes;
  for (const QString& line : SaveBuffer) {
    bytes += line.toUtf8();
    bytes += "\r\n";
  }
  SaveBuffer.clear();
  return platform::WriteFileAtomically(QFile::encodeName(Path).toStdString(),
                                       std::string_view(bytes.constData(), bytes.size()));
}

bool TForma_Rudizi::SaveTo(const QString& File) {
  if (!WriteProgramFile(File)) {
    ShowMessage(QStringLiteral("%1\nThe file could not be written.").arg(NativePath(File)));
    return false;
  }
  SaveDialog_Program->FileName = File;
  RichEditProgram->document()->setModified(false);
  setWindowTitle(NativePath(File));
  return true;
}

void TForma_Rudizi::PNewClick() {
  if (RichEditProgram->document()->isModified() && !Ask(PNew->statusTip())) return;
  // The text typed next has the font colour and size again.
  RichEditProgram->SetLines({});
  RichEditProgram->document()->setModified(false);
  HideTemplateText();
  RichEditProgram->setFocus();
  SaveDialog_Program->FileName.clear();
  setWindowTitle(ApplicationTitle());
  update();
}

void TForma_Rudizi::POpenClick() {
  if (RichEditProgram->document()->isModified() && !Ask(PNew->statusTip())) return;
  if (!OpenDialog_Program->Execute(this)) return;
  const QString file = OpenDialog_Program->FileName;
  // The text is replaced only once the whole file has been read.
  QStringList lines;
  QString error;
  if (!ReadProgramFile(file, lines, error)) {
    ShowMessage(error);
    return;
  }
  RichEditProgram->SetLines(lines);  // in the font colour and size: a zoom is undone
  RichEditProgram->document()->setModified(false);
  // They come back when the mouse moves over the template tree.
  PExpand->setEnabled(false);
  ActionEdit->setEnabled(false);
  HideTemplateText();
  RichEditProgram->setFocus();
  SaveDialog_Program->FileName = file;
  setWindowTitle(NativePath(file));
  // Not modified before the colouring: a key typed while it runs marks the text again. A
  // freshly loaded text has no history, so the colours it gets are not kept for undo either.
  QTextDocument& doc = *RichEditProgram->document();
  doc.setUndoRedoEnabled(false);
  ColourizeText(*RichEditProgram);
  doc.setUndoRedoEnabled(true);
  update();
}

void TForma_Rudizi::PSaveAsClick() {
  const QString previous = SaveDialog_Program->FileName;
  if (!SaveDialog_Program->Execute(this)) return;
  const QString file = SaveDialog_Program->FileName;
  // Until the text is written there, the current file stays the one it was.
  SaveDialog_Program->FileName = previous;
  if (QFileInfo::exists(file) &&
      !Ask(NativePath(file) + QChar(u'\n') + PSaveAs->statusTip()))
    return;
  SaveTo(file);
}

void TForma_Rudizi::PSaveClick() {
  const QString file = CurrentFileName();
  if (!file.isEmpty() && QFileInfo::exists(file))
    SaveTo(file);
  else
    PSaveAsClick();
}

void TForma_Rudizi::PCloseClick() { close(); }

bool TForma_Rudizi::FormCloseQuery() {
  return !RichEditProgram->document()->isModified() || Ask(PClose->statusTip());
}

void TForma_Rudizi::FilesLocationProgramClick() {
  // The next Save asks for a name.
  OpenDialog_Program->FileName.clear();
  SaveDialog_Program->FileName.clear();
  QString folder = FormaDatenFolders.ChooseFolder(FormaSettings.PathProgram);
  if (folder.isEmpty()) folder = FormaDatenFolders.ProgramFolder();
  FormaSettings.PathProgram = folder;
  OpenDialog_Program->InitialDir = folder;
  SaveDialog_Program->InitialDir = folder;
}

void TForma_Rudizi::FilesLocationTemplateClick() {
  OpenDialog_Template->FileName.clear();
  QString folder = FormaDatenFolders.ChooseFolder(FormaSettings.PathTemplate);
  if (folder.isEmpty()) folder = FormaDatenFolders.TemplateFolder();
  FormaSettings.PathTemplate = folder;
  OpenDialog_Template->InitialDir = folder;
}

void TForma_Rudizi::HelpAboutClick() {
  FormaInfo.setWindowTitle(ApplicationTitle());
  FormaInfo.exec();
}

void TForma_Rudizi::HelpPdfClick() {
  const QString folder = FormaDatenFolders.InfoFolder();
  if (!folder.isEmpty()) FormaDatenFolders.OpenFolder(folder);
}

void TForma_Rudizi::ComboBoxLanguageSelect() {
  FormaSettings.SelectLanguage(ComboBoxLanguage->currentIndex());
}

void TForma_Rudizi::ButtonEditClick() {
  // The editor opens maximised over the starter text and interprets it at once.
  FormaEditor.ExecuteWithText({QStringLiteral("()"), QStringLiteral("g40")});
}

// ---- Window events ----

void TForma_Rudizi::FormResize() {
  // The template panel takes half the window, the program text the rest beside the splitter.
  const int half = width() / 2;
  Splitter1->setSizes({std::max(0, width() - half - kSplitterWidth), half});
}

void TForma_Rudizi::FormKeyDown(int Key) {
  if (Key != Qt::Key_Escape) return;
  if (ColouringBusy == 1)
    ColouringBusy = 0;
  else
    HideTemplateText();
}

void TForma_Rudizi::FormClick() { ColouringBusy = 0; }

bool TForma_Rudizi::FormMouseWheel(QWidget* Focused, int Delta, Qt::KeyboardModifiers Modifiers,
                                   Qt::MouseButtons Buttons) {
  if (Modifiers != Qt::ControlModifier || Buttons != Qt::NoButton || Delta == 0) return false;
  if (Focused == nullptr || Focused->window() != this) return false;
  // The focus may sit on the viewport of a control rather than on the control itself.
  auto* edit = qobject_cast<platform::RichEdit*>(Focused);
  auto* tree = qobject_cast<QTreeView*>(Focused);
  for (QWidget* w = Focused->parentWidget(); !edit && !tree && w && w != this;
       w = w->parentWidget()) {
    edit = qobject_cast<platform::RichEdit*>(w);
    tree = qobject_cast<QTreeView*>(w);
  }
  if (!edit && !tree) return false;
  const int size = edit ? edit->WholeTextSize() : tree->font().pointSize();
  if (size <= 0) return false;
  const int step = Delta > 0 ? -kTextSizeStep : kTextSizeStep;
  const int zoomed = std::clamp(size + step, kMinTextSize, kMaxTextSize);
  if (edit) {
    QWidget& view = *edit->viewport();
    view.setUpdatesEnabled(false);
    edit->SetWholeTextSize(zoomed);
    view.setUpdatesEnabled(true);
    view.update();
  } else {
    QFont font = tree->font();
    font.setPointSize(zoomed);
    tree->setFont(font);
  }
  return true;
}

void TForma_Rudizi::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TForma_Rudizi::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  ColouringBusy = 0;
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit Closed();
}

void TForma_Rudizi::mousePressEvent(QMouseEvent* event) {
  FormClick();
  QMainWindow::mousePressEvent(event);
}

void TForma_Rudizi::wheelEvent(QWheelEvent* event) {
  if (FormMouseWheel(QApplication::focusWidget(), event->angleDelta().y(), event->modifiers(),
                     event->buttons()))
    event->accept();
  else
    QMainWindow::wheelEvent(event);
}

bool TForma_Rudizi::eventFilter(QObject* watched, QEvent* event) {
  if (TemplateEvent(watched, event)) return true;
  if (watched == ComboBoxLanguage && event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (FormMouseWheel(QApplication::focusWidget(), wheel->angleDelta().y(), wheel->modifiers(),
                       wheel->buttons()))
      return true;
    // Only the box that has the focus takes the wheel.
    return !ComboBoxLanguage->hasFocus();
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace movra
