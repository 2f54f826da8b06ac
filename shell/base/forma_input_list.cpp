#include "shell/base/forma_input_list.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

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
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->addWidget(list);
    PageControl->addTab(sheet, caption);
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
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonSave, 1);
  buttons->addWidget(ButtonClose, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(MainMenu);
  layout->addWidget(PageControl, 1);
  layout->addWidget(Edit);
  layout->addLayout(buttons);
}

}  // namespace movra
