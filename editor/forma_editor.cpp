#include "editor/forma_editor.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace movra {

TFormaEditor::TFormaEditor(platform::WindowList& Windows, TFormaGeom& Geom, QWidget* parent)
    : QDialog(parent, Qt::Window),
      BackBuffer(0, 0, QImage::Format_RGB888),
      FormaGeom(Geom),
      windows_(Windows) {
  setObjectName(QStringLiteral("FormaEditor"));
  setMinimumSize(800, 480);

  SpeedButtonCaption = new QPushButton(this);
  SpeedButtonCaption->setObjectName(QStringLiteral("SpeedButtonCaption"));
  SpeedButtonCaption->setFlat(true);

  PanelSave = new QWidget(this);
  PanelSave->setObjectName(QStringLiteral("PanelSave"));
  SpeedButtonSave = new QPushButton(QStringLiteral("Save"), PanelSave);
  SpeedButtonSave->setObjectName(QStringLiteral("SpeedButtonSave"));
  (new QVBoxLayout(PanelSave))->addWidget(SpeedButtonSave);
  PanelSave->hide();

  PanelMemo = new QWidget(this);
  PanelMemo->setObjectName(QStringLiteral("PanelMemo"));
  Memo = new QPlainTextEdit(PanelMemo);
  Memo->setObjectName(QStringLiteral("Memo"));
  PanelIso = new QWidget(PanelMemo);
  PanelIso->setObjectName(QStringLiteral("PanelIso"));
  auto* memoLayout = new QVBoxLayout(PanelMemo);
  memoLayout->addWidget(Memo, 1);
  memoLayout->addWidget(PanelIso);
  PanelMemo->hide();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(SpeedButtonCaption);
  layout->addWidget(PanelSave);
  layout->addWidget(PanelMemo, 1);

  windows_.Register(this);
}

TFormaEditor::~TFormaEditor() { windows_.Unregister(this); }

void TFormaEditor::FormaNotify(int Code) {
  if (Code == 0) update();
}

}  // namespace movra
