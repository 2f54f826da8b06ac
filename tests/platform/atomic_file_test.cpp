#include "platform/core/atomic_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace movra::platform {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           (std::string("movra_atomic_") + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }
  static std::string Read(const fs::path& path) {
    std::string bytes(static_cast<std::size_t>(fs::file_size(path)), '\0');
    std::ifstream(path, std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
  }
  std::size_t FilesInDir() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  fs::path dir_;
};

TEST_F(AtomicFile, WritesNewAndReplacesOldLeavingNoTemporary) {
  const fs::path path = dir_ / "Settings.ini";
  ASSERT_TRUE(WriteFileAtomically(path.string(), "first"));
  EXPECT_EQ(Read(path), "first");
  ASSERT_TRUE(WriteFileAtomically(path.string(), std::string("sec\0ond", 7)));
  EXPECT_EQ(Read(path), std::string("sec\0ond", 7));
  EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(AtomicFile, KeepsThePermissionsOfTheOldFile) {
  const fs::path path = dir_ / "Settings.ini";
  ASSERT_TRUE(WriteFileAtomically(path.string(), "a"));
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteFileAtomically(path.string(), "b"));
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(AtomicFile, FailureLeavesTheOldFileUntouched) {
  EXPECT_FALSE(WriteFileAtomically((dir_ / "missing" / "Settings.ini").string(), "x"));
  EXPECT_FALSE(WriteFileAtomically("", "x"));
  EXPECT_FALSE(WriteFileAtomically(dir_.string(), "x"));  // a folder is no file

  const fs::path path = dir_ / "Settings.ini";
  ASSERT_TRUE(WriteFileAtomically(path.string(), "old"));
  // Something in the way of the temporary file.
  fs::create_directory(dir_ / "Settings.ini.tmp~");
  EXPECT_FALSE(WriteFileAtomically(path.string(), "new"));
  EXPECT_EQ(Read(path), "old");
  fs::remove(dir_ / "Settings.ini.tmp~");

  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  if (::geteuid() != 0) {  // root writes into read-only folders anyway
    EXPECT_FALSE(WriteFileAtomically(path.string(), "new"));
  }
  fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
  if (::geteuid() != 0) {
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(FilesInDir(), 1u);
  }
}

TEST_F(AtomicFile, FullDiskLeavesTheOldFileUntouched) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  // A target whose temporary name is /dev/full: every write fails as on a full disk.
  const fs::path link = dir_ / "Settings.ini.tmp~";
  fs::create_symlink("/dev/full", link);
  const fs::path path = dir_ / "Settings.ini";
  std::ofstream(path) << "old";
  EXPECT_FALSE(WriteFileAtomically(path.string(), std::string(1 << 16, 'x')));
  EXPECT_EQ(Read(path), "old");
}

}  // namespace
}  // namespace movra::platform
