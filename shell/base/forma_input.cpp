#include "shell/base/forma_input.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace movra {

TFormaInput::TFormaInput(QWidget* parent)
    : QDialog(parent), MeasureBitmap(1, 1, QImage::Format_RGB32) {
  setObjectName(QStringLiteral("FormaInput"));
  setMinimumWidth(300);
  setMaximumWidth(1000);
  setFixedHeight(140);

  PanelInfo = new QLabel(this);
  PanelInfo->setObjectName(QStringLiteral("PanelInfo"));
  PanelInfo->setFixedHeight(25);
  PanelInfo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  Edit = new QLineEdit(this);
  Edit->setObjectName(QStringLiteral("Edit"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(16);
  Edit->setFont(font);

  Panel0 = new QWidget(this);
  Panel0->setObjectName(QStringLiteral("Panel0"));
  // These two captions are the dialog's own in every language.
  ButtonOk = new QPushButton(QStringLiteral("Ввод"), Panel0);
  ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
  ButtonOk->setDefault(true);
  ButtonCancel = new QPushButton(QStringLiteral("Отменить"), Panel0);
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
  connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout(Panel0);
  buttons->addWidget(ButtonOk);
  buttons->addStretch(1);
  buttons->addWidget(ButtonCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PanelInfo);
  layout->addWidget(Edit);
  layout->addWidget(Panel0);
}

}  // namespace movra
