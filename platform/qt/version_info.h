#pragma once
// The version resource of the executable: string blocks named by language and code page
// ("040704E4"), each holding values such as "ProductName" and "ProductVersion". An executable
// on this platform carries no such resource, so the build compiles the blocks in.
#include <QString>
#include <optional>
#include <string_view>

#include "platform/core/ini_file.h"

namespace movra::platform {

class VersionResource {
 public:
  // The blocks as sections of profile text: "[040704E4]", then "Name=Value" lines.
  explicit VersionResource(std::string_view BlocksText);

  // The value of Name in the block; nothing when the block or the value is missing.
  std::optional<QString> Query(std::string_view Block, std::string_view Name) const;

 private:
  IniFile blocks_;
};

// The resource the build gave this program; nothing when it has none.
std::optional<VersionResource> ExecutableVersionResource();

}  // namespace movra::platform
