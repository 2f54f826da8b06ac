#include "shell/base/forma_info.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/qt/shell_links.h"
#include "platform/qt/version_info.h"
#include "platform/qt/window_place.h"

namespace movra {
namespace {

constexpr int PictureSize = 96;

// A turned shaft with a chamfer, a groove and a turning tool at its end.
QPixmap ProductPicture() {
  QPixmap picture(PictureSize, PictureSize);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath shaft;
  shaft.moveTo(8, 30);
  shaft.lineTo(44, 30);
  shaft.lineTo(44, 38);
  shaft.lineTo(50, 38);
  shaft.lineTo(50, 30);
  shaft.lineTo(70, 30);
  shaft.lineTo(78, 38);
  shaft.lineTo(78, 58);
  shaft.lineTo(70, 66);
  shaft.lineTo(50, 66);
  shaft.lineTo(50, 58);
  shaft.lineTo(44, 58);
  shaft.lineTo(44, 66);
  shaft.lineTo(8, 66);
  shaft.closeSubpath();
  p.setPen(QPen(QColor(30, 60, 110), 2));
  p.setBrush(QColor(170, 190, 215));
  p.drawPath(shaft);
  p.setPen(QPen(QColor(200, 40, 40), 1, Qt::DashDotLine));
  p.drawLine(2, 48, 94, 48);
  QPainterPath tool;
  tool.moveTo(84, 36);
  tool.lineTo(94, 20);
  tool.lineTo(94, 8);
  tool.lineTo(80, 30);
  tool.closeSubpath();
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(QColor(230, 180, 40));
  p.drawPath(tool);
  return picture;
}

}  // namespace

TFormaInfo::TFormaInfo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("FormaInfo"));
  setFixedSize(400, 200);

  Panel = new QFrame(this);
  Panel->setObjectName(QStringLiteral("Panel"));
  Panel->setFrameShape(QFrame::StyledPanel);
  Image = new QLabel(Panel);
  Image->setObjectName(QStringLiteral("Image"));
  Image->setFixedSize(PictureSize, PictureSize);
  Image->setPixmap(ProductPicture());

  const auto label = [this](const char* name, const QString& text) {
    auto* l = new QLabel(text, Panel);
    l->setObjectName(QString::fromLatin1(name));
    return l;
  };
  VersionTitle = label("VersionTitle", QString());
  StaticTextCopyright = label("StaticTextCopyright", QString());
  StaticTextRecht = label("StaticTextRecht", QStringLiteral("All rights reserved."));
  StaticTextMail = label("StaticTextMail", QString::fromLatin1(ContactAddress));
  StaticTextComments = label("StaticTextComments", QStringLiteral("Contact the author"));
  QFont bold = StaticTextComments->font();
  bold.setBold(true);
  StaticTextComments->setFont(bold);
  for (QLabel* l : {StaticTextComments, StaticTextCopyright, StaticTextRecht, StaticTextMail}) {
    l->setCursor(Qt::PointingHandCursor);
    l->installEventFilter(this);
  }

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

  OpenMail = [](const QString& link) { platform::OpenMailLink(link); };
  ReadVersionResource(platform::ExecutableVersionResource());
}

void TFormaInfo::ReadVersionResource(const std::optional<platform::VersionResource>& Resource) {
  if (!Resource) return;
  for (const char* block : VersionBlocks) {
    if (const auto version = Resource->Query(block, "ProductVersion"))
      VersionTitle->setText(*version);
    if (const auto copyright = Resource->Query(block, "LegalCopyright"))
      StaticTextCopyright->setText(*copyright);
    if (const auto name = Resource->Query(block, "ProductName")) setWindowTitle(*name);
  }
}

QString TFormaInfo::MailLink() const {
  // The caption goes into the link encoded, so that a "&" or "#" in it cannot cut the link.
  return QStringLiteral("mailto:") + QString::fromLatin1(ContactAddress) +
         QStringLiteral("?subject=") +
         QString::fromLatin1(QUrl::toPercentEncoding(windowTitle())) + QStringLiteral("&Body=");
}

void TFormaInfo::StaticTextClick() {
  if (OpenMail) OpenMail(MailLink());
}

bool TFormaInfo::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    StaticTextClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFormaInfo::showEvent(QShowEvent* event) {
  setWindowTitle(QCoreApplication::applicationName());
  QDialog::showEvent(event);
  platform::CentreOver(*this, MainWindow);
}

}  // namespace movra
