#include "platform/core/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace movra::platform {

bool WriteFileAtomically(const std::string& Path, std::string_view Bytes) {
  namespace fs = std::filesystem;
  if (Path.empty()) return false;
  const fs::path target(Path);
  std::error_code ec;
  if (fs::is_directory(target, ec)) return false;
  // Beside the target, so that the rename stays on one file system and is atomic. A name left
  // over from a crashed run is simply overwritten.
  fs::path temporary = target;
  temporary += ".tmp~";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    out.close();
    if (!out) {
      fs::remove(temporary, ec);
      return false;
    }
  }
  const fs::file_status old = fs::status(target, ec);
  if (!ec && fs::exists(old)) fs::permissions(temporary, old.permissions(), ec);
  fs::rename(temporary, target, ec);
  if (ec) {
    fs::remove(temporary, ec);
    return false;
  }
  return true;
}

}  // namespace movra::platform
