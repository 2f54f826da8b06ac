#include "shell/base/forma_input_memo.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace movra {

TFormaInputMemo::TFormaInputMemo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("FormaInputMemo"));
  setMinimumSize(360, 240);

  Memo = new QPlainTextEdit(this);
  Memo->setObjectName(QStringLiteral("Memo"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  Memo->setFont(font);
  QPalette palette = Memo->palette();
  palette.setColor(QPalette::Text, Qt::black);
  Memo->setPalette(palette);
  Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo->setLineWrapMode(QPlainTextEdit::NoWrap);

  Panel = new QWidget(this);
  Panel->setObjectName(QStringLiteral("Panel"));
  ButtonSave = new QPushButton(QStringLiteral("Save"), Panel);
  ButtonSave->setObjectName(QStringLiteral("ButtonSave"));
  ButtonClose = new QPushButton(QStringLiteral("Cancel"), Panel);
  ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
  auto* buttons = new QHBoxLayout(Panel);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addWidget(ButtonSave, 1);
  buttons->addWidget(ButtonClose, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo, 1);
  layout->addWidget(Panel);
}

}  // namespace movra
