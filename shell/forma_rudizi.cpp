#include "shell/forma_rudizi.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "geometry/forma_daten.h"
#include "shell/base/forma_settings.h"

namespace movra {
namespace {
constexpr int kSplitterWidth = 10;
}

TForma_Rudizi::TForma_Rudizi(platform::WindowList& Windows, const MainWindowLinks& Links,
                             QWidget* parent)
    : QMainWindow(parent), FormaSettings(Links.FormaSettings), windows_(Windows) {
  setObjectName(QStringLiteral("Forma_Rudizi"));
  setMinimumSize(800, 480);
  setWindowTitle(ApplicationTitle());

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
  (new QHBoxLayout(PanelLang))->addWidget(ComboBoxLanguage);
  connect(ComboBoxLanguage, &QComboBox::activated, this, &TForma_Rudizi::ComboBoxLanguageSelect);
  auto* top = new QHBoxLayout(PanelTop);
  top->setContentsMargins(0, 0, 0, 0);
  top->addStretch(1);
  top->addWidget(PanelLang);

  RichEditProgram = new QTextEdit(client);
  RichEditProgram->setObjectName(QStringLiteral("RichEditProgram"));
  RichEditProgram->setAcceptRichText(false);
  RichEditProgram->setLineWrapMode(QTextEdit::NoWrap);
  RichEditProgram->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEditProgram->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  RichEditProgram->setFont(font);
  RichEditProgram->document()->setDocumentMargin(10);
  RichEditProgram->clear();
  RichEditProgram->document()->setModified(false);

  Panel_Template = new QWidget(client);
  Panel_Template->setObjectName(QStringLiteral("Panel_Template"));

  Splitter1 = new QSplitter(Qt::Horizontal, client);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(kSplitterWidth);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->addWidget(RichEditProgram);
  Splitter1->addWidget(Panel_Template);

  ButtonEdit = new QPushButton(QStringLiteral("Editor"), client);
  ButtonEdit->setObjectName(QStringLiteral("ButtonEdit"));

  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PanelTop);
  layout->addWidget(Splitter1, 1);
  layout->addWidget(ButtonEdit);

  FormResize();
  windows_.Register(this);
}

TForma_Rudizi::~TForma_Rudizi() { windows_.Unregister(this); }

QString TForma_Rudizi::ApplicationTitle() { return QCoreApplication::applicationName(); }

void TForma_Rudizi::FormaNotify(int Code) {
  setWindowTitle(ApplicationTitle());
  if (Code == LanguageApplied) ComboBoxLanguage->setCurrentIndex(FormaSettings.CurrentLanguage());
}

void TForma_Rudizi::ComboBoxLanguageSelect() {
  FormaSettings.SelectLanguage(ComboBoxLanguage->currentIndex());
}

void TForma_Rudizi::FormResize() {
  // The template panel takes half the window, the program text the rest beside the splitter.
  const int half = width() / 2;
  Splitter1->setSizes({std::max(0, width() - half - kSplitterWidth), half});
}

void TForma_Rudizi::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TForma_Rudizi::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit Closed();
}

}  // namespace movra
