#include "platform/qt/version_info.h"

#include <QFile>

// A resource of a static library must be registered by name from outside any namespace.
static void InitVersionResource() { Q_INIT_RESOURCE(version_info); }

namespace movra::platform {

VersionResource::VersionResource(std::string_view BlocksText) { blocks_.Parse(BlocksText); }

std::optional<QString> VersionResource::Query(std::string_view Block,
                                              std::string_view Name) const {
  const std::optional<std::string> value = blocks_.ReadString(Block, Name);
  if (!value) return std::nullopt;
  return QString::fromStdString(*value);
}

std::optional<VersionResource> ExecutableVersionResource() {
  InitVersionResource();
  QFile file(QStringLiteral(":/version/VersionInfo.ini"));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return VersionResource(file.readAll().toStdString());
}

}  // namespace movra::platform
