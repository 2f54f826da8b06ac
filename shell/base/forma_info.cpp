#include "shell/base/forma_info.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace movra {

TFormaInfo::TFormaInfo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("FormaInfo"));
  setFixedSize(400, 200);

  Panel = new QFrame(this);
  Panel->setObjectName(QStringLiteral("Panel"));
  Panel->setFrameShape(QFrame::StyledPanel);
  Image = new QLabel(Panel);
  Image->setObjectName(QStringLiteral("Image"));
  Image->setFixedSize(96, 96);

  const auto label = [this](const char* name, const QString& text) {
    auto* l = new QLabel(text, Panel);
    l->setObjectName(QString::fromLatin1(name));
    return l;
  };
  VersionTitle = label("VersionTitle", QString());
  StaticTextCopyright = label("StaticTextCopyright", QString());
  StaticTextRecht = label("StaticTextRecht", QStringLiteral("All rights reserved."));
  StaticTextMail = label("StaticTextMail", QString());
  StaticTextComments = label("StaticTextComments", QStringLiteral("Contact the author"));
  QFont bold = StaticTextComments->font();
  bold.setBold(true);
  StaticTextComments->setFont(bold);

  auto* texts = new QVBoxLayout;
  for (QLabel* l : {VersionTitle, StaticTextCopyright, StaticTextRecht, StaticTextMail,
                    StaticTextComments})
    texts->addWidget(l);
  auto* panelLayout = new QHBoxLayout(Panel);
  panelLayout->addWidget(Image, 0, Qt::AlignTop);
  panelLayout->addLayout(texts, 1);

  SpeedButtonExit = new QPushButton(QStringLiteral("Cancel"), this);
  SpeedButtonExit->setObjectName(QStringLiteral("SpeedButtonExit"));
  SpeedButtonExit->setDefault(true);
  connect(SpeedButtonExit, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Panel, 1);
  layout->addWidget(SpeedButtonExit, 0, Qt::AlignRight);
}

}  // namespace movra
