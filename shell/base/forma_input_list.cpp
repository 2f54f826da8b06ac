#include "shell/base/forma_input_list.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/rich_text.h"
#include "platform/qt/window_place.h"
#include "shell/base/forma_input.h"

namespace movra {

TFormaInputList::TFormaInputList(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("FormaInputList"));
  setMinimumSize(480, 360);

  MainMenu = new QMenuBar(this);
  MainMenu->setObjectName(QStringLiteral("MainMenu"));
  Open = MainMenu->addAction(QStringLiteral("Открыть"));
  Open->setObjectName(QStringLiteral("Open"));

  PageControl = new QTabWidget(this);
  PageControl->setObjectName(QStringLiteral("PageControl"));
  const auto tab = [this](const char* sheetName, const char* listName, const QString& caption,
                          QWidget*& sheet, QListWidget*& list) {
    sheet = new QWidget(PageControl);
    sheet->setObjectName(QString::fromLatin1(sheetName));
    list = new QListWidget(sheet);
    list->setObjectName(QString::fromLatin1(listName));
    list->setUniformItemSizes(true);  // long lists stay quick to show
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->addWidget(list);
    PageControl->addTab(sheet, caption);
    connect(list, &QListWidget::itemClicked, this, &TFormaInputList::ListBoxClick);
    connect(list, &QListWidget::itemDoubleClicked, this, &TFormaInputList::ListBoxDblClick);
  };
  tab("TabSheetTool", "ListBoxTool", QStringLiteral("Инструменты"), TabSheetTool, ListBoxTool);
  tab("TabSheetTerm", "ListBoxTerm", QStringLiteral("Технические термины"), TabSheetTerm,
      ListBoxTerm);
  tab("TabSheetTech", "ListBoxTech", QStringLiteral("Процессы"), TabSheetTech, ListBoxTech);

  Edit = new QLineEdit(this);
  Edit->setObjectName(QStringLiteral("Edit"));

  ButtonSave = new QPushButton(QStringLiteral("Сохранить"), this);
  ButtonSave->setObjectName(QStringLiteral("ButtonSave"));
  ButtonClose = new QPushButton(QStringLiteral("Закрыть"), this);
  ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
  // Enter belongs to the edit line, not to a button.
  for (QPushButton* button : {ButtonSave, ButtonClose}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonSave, 1);
  buttons->addWidget(ButtonClose, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(MainMenu);
  layout->addWidget(PageControl, 1);
  layout->addWidget(Edit);
  layout->addLayout(buttons);

  connect(Open, &QAction::triggered, this, &TFormaInputList::OpenClick);
  connect(Edit, &QLineEdit::textChanged, this, &TFormaInputList::EditChange);
  connect(Edit, &QLineEdit::returnPressed, this, &TFormaInputList::ButtonSaveClick);
  connect(ButtonSave, &QPushButton::clicked, this, &TFormaInputList::ButtonSaveClick);
  connect(ButtonClose, &QPushButton::clicked, this, &TFormaInputList::ButtonCloseClick);

  OpenFileDialog = [this] {
    QFileDialog dialog(this, QString(), ListFolder(), QStringLiteral("*.rtf (*.rtf)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().constFirst()
               : QString();
  };
  ShowError = [this](const QString& message) {
    QMessageBox::critical(this, QCoreApplication::applicationName(), message);
  };
  FormShow();
}

QString TFormaInputList::AppliedText(const QString& TargetText, const QString& Chosen) {
  const qsizetype mark = TargetText.indexOf(QLatin1Char(';'));
  const QString head = mark >= 0 ? TargetText.left(mark + 1) : QString();
  return TrimBlanks(head + QLatin1Char(' ') + TrimBlanks(Chosen));
}

std::optional<QString> TFormaInputList::Choose() {
  FormShow();
  exec();
  if (EditTag == 0) return std::nullopt;
  return Edit->text();
}

void TFormaInputList::ShowAndApply(QLineEdit& Target) {
  if (const std::optional<QString> chosen = Choose())
    Target.setText(AppliedText(Target.text(), *chosen));
}

void TFormaInputList::ShowAndApply(QComboBox& Target) {
  const std::optional<QString> chosen = Choose();
  if (!chosen) return;
  const QString text = AppliedText(Target.currentText(), *chosen);
  if (Target.isEditable())
    Target.setEditText(text);
  else
    Target.setCurrentText(text);
}

void TFormaInputList::FormShow() {
  Edit->clear();
  EditTag = 0;
  ButtonSave->setEnabled(false);
}

void TFormaInputList::EditChange() { ButtonSave->setEnabled(!TrimBlanks(Edit->text()).isEmpty()); }

void TFormaInputList::ListBoxClick(QListWidgetItem* Item) {
  if (Item) Edit->setText(Item->text());
}

void TFormaInputList::ListBoxDblClick(QListWidgetItem* Item) {
  if (Item) ButtonSaveClick();
}

void TFormaInputList::ButtonSaveClick() {
  EditTag = 1;
  accept();
}

void TFormaInputList::ButtonCloseClick() { reject(); }

void TFormaInputList::OpenClick() {
  const QString fileName = OpenFileDialog ? OpenFileDialog() : QString();
  if (!fileName.isEmpty()) LoadListFile(fileName);
}

bool TFormaInputList::LoadListFile(const QString& FileName) {
  QFile file(FileName);
  const auto fail = [this](const QString& message) {
    if (ShowError) ShowError(message);
    return false;
  };
  if (QFileInfo(FileName).isDir()) return fail(FileName + QStringLiteral(": is a folder."));
  if (!file.open(QIODevice::ReadOnly)) return fail(FileName + QStringLiteral(": ") + file.errorString());
  if (file.size() > MaxListFileBytes)
    return fail(FileName + QStringLiteral(": the file is too large for a list."));
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    return fail(FileName + QStringLiteral(": ") + file.errorString());

  const bool russian = RussianInterface && RussianInterface();
  const std::vector<std::string> lines = platform::RichTextLines(
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), russian);
  LoadedList.clear();
  LoadedList.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) LoadedList.append(QString::fromStdString(line));
  QListWidget* list = ActiveList();
  list->clear();
  list->addItems(LoadedList);
  return true;
}

QListWidget* TFormaInputList::ActiveList() const {
  const QWidget* sheet = PageControl->currentWidget();
  if (sheet == TabSheetTerm) return ListBoxTerm;
  if (sheet == TabSheetTech) return ListBoxTech;
  return ListBoxTool;
}

QString TFormaInputList::ListFolder() {
  const QString working = QDir::current().absoluteFilePath(QStringLiteral("Listbox"));
  if (QFileInfo(working).isDir()) return working;
  return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("Listbox"));
}

void TFormaInputList::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::CentreOnScreen(*this);
  Edit->setFocus();
}

}  // namespace movra
