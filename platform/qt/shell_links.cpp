#include "platform/qt/shell_links.h"

#include <QDesktopServices>
#include <QUrl>

namespace movra::platform {

bool OpenMailLink(const QString& Link) {
  const QUrl url(Link, QUrl::TolerantMode);
  if (!url.isValid() || url.scheme() != QLatin1String("mailto")) return false;
  return QDesktopServices::openUrl(url);
}

}  // namespace movra::platform
