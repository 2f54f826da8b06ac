#include "platform/core/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/as_other_user.h"

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

// A link standing at the temporary name is never written through: what it points at stays.
TEST_F(AtomicFile, NeverWritesThroughALinkAtTheTemporaryName) {
  const fs::path victim = dir_ / "victim";
  std::ofstream(victim) << "victim";
  fs::create_symlink(victim, dir_ / "Settings.ini.tmp~");
  const fs::path path = dir_ / "Settings.ini";
  std::ofstream(path) << "old";
  EXPECT_FALSE(WriteFileAtomically(path.string(), "new"));
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(Read(victim), "victim");
  EXPECT_TRUE(fs::is_symlink(dir_ / "Settings.ini.tmp~"));
}

TEST_F(AtomicFile, ALeftoverTemporaryFileOfACrashedRunIsReplaced) {
  const fs::path path = dir_ / "Settings.ini";
  std::ofstream(path) << "old";
  std::ofstream(dir_ / "Settings.ini.tmp~") << "half a file";
  ASSERT_TRUE(WriteFileAtomically(path.string(), "new"));
  EXPECT_EQ(Read(path), "new");
  EXPECT_EQ(FilesInDir(), 1u);
}

// A disk that fills up while the new contents are written: the process may write no more
// than a few bytes to any file, as on a full disk; the old file stays whole.
TEST_F(AtomicFile, FullDiskDuringTheWriteLeavesTheOldFileUntouched) {
  const fs::path path = dir_ / "Settings.ini";
  std::ofstream(path) << "old";
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{16, 16};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(2);
    ::_exit(WriteFileAtomically(path.string(), std::string(1 << 16, 'x')) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the write was reported as done";
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(FilesInDir(), 1u);
}

// ---- Links: the file a link leads to is replaced, in its own folder; the link stays ----

class AtomicFileLinks : public AtomicFile {
 protected:
  void SetUp() override {
    AtomicFile::SetUp();
    elsewhere_ = dir_ / "elsewhere";
    fs::create_directory(elsewhere_);
  }
  fs::path elsewhere_;
};

TEST_F(AtomicFileLinks, AChainOfLinksIsFollowedToItsFileAndStays) {
  struct Case {
    const char* name;
    bool relative;  // link texts relative to the link's folder
    int hops;       // links before the file
  };
  for (const Case c : {Case{"absolute", false, 1}, Case{"relative", true, 1},
                       Case{"chain of three", true, 3}}) {
    SCOPED_TRACE(c.name);
    const fs::path file = elsewhere_ / "Real.ini";
    std::ofstream(file) << "old";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    fs::path next = file;
    fs::path link;
    for (int i = 0; i < c.hops; ++i) {
      link = dir_ / ("link" + std::to_string(i));
      const fs::path text = c.relative ? fs::relative(next, dir_) : next;
      fs::create_symlink(text, link);
      next = link;
    }
    const fs::path settings = dir_ / "Settings.ini";
    fs::rename(link, settings);

    ASSERT_TRUE(WriteFileAtomically(settings.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(settings));
    EXPECT_EQ(Read(settings), "new");
    EXPECT_EQ(Read(file), "new");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir_ / "Settings.ini.tmp~")));
    EXPECT_FALSE(fs::exists(elsewhere_ / "Real.ini.tmp~"));
    std::vector<fs::path> made;
    for (const auto& entry : fs::directory_iterator(dir_))
      if (entry.path() != elsewhere_) made.push_back(entry.path());
    for (const fs::path& p : made) fs::remove(p);
    fs::remove(file);
  }
}

TEST_F(AtomicFileLinks, ALinkToAMissingFileCreatesItAndStays) {
  const fs::path settings = dir_ / "Settings.ini";
  fs::create_symlink(elsewhere_ / "Real.ini", settings);
  ASSERT_TRUE(WriteFileAtomically(settings.string(), "new"));
  EXPECT_TRUE(fs::is_symlink(settings));
  EXPECT_EQ(Read(elsewhere_ / "Real.ini"), "new");
}

TEST_F(AtomicFileLinks, ALoopOrALinkIntoNoFolderFailsAndKeepsBothNames) {
  const fs::path a = dir_ / "Settings.ini";
  const fs::path b = dir_ / "Other.ini";
  fs::create_symlink(b, a);
  fs::create_symlink(a, b);
  EXPECT_FALSE(WriteFileAtomically(a.string(), "new"));
  EXPECT_FALSE(ResolveWriteTarget(a.string()));
  EXPECT_TRUE(fs::is_symlink(a));
  EXPECT_TRUE(fs::is_symlink(b));
  EXPECT_EQ(fs::read_symlink(a), b);
  EXPECT_EQ(fs::read_symlink(b), a);
  EXPECT_EQ(FilesInDir(), 3u);  // the two links and the other folder, nothing new

  const fs::path nowhere = dir_ / "Nowhere.ini";
  fs::create_symlink(dir_ / "missing" / "Real.ini", nowhere);
  EXPECT_FALSE(WriteFileAtomically(nowhere.string(), "new"));
  EXPECT_EQ(fs::read_symlink(nowhere), dir_ / "missing" / "Real.ini");
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
}

// ---- Rights: checked as a user who lacks them (root has them all) ----

TEST_F(AtomicFile, AFileTheUserMayNotWriteIsNeverReplaced) {
  fs::permissions(dir_, fs::perms::all);  // a folder anybody may write into
  struct Case {
    const char* name;
    fs::perms mode;
  };
  for (const Case c : {Case{"mode 000", fs::perms::none},
                       Case{"read-only", fs::perms::owner_read | fs::perms::group_read |
                                             fs::perms::others_read}}) {
    SCOPED_TRACE(c.name);
    const fs::path path = dir_ / "Settings.ini";
    fs::remove(path);
    std::ofstream(path) << "old";
    fs::permissions(path, c.mode);
    const auto run = movra::testing::RunAsOtherUser(
        [&] { return !WriteFileAtomically(path.string(), "new"); });
    if (!run.Ran) GTEST_SKIP() << run.Reason;
    EXPECT_TRUE(run.Passed) << "the write was reported as done";
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(FilesInDir(), 1u);
  }
}

TEST_F(AtomicFile, AReadOnlyFolderKeepsTheOldFile) {
  const fs::path path = dir_ / "Settings.ini";
  std::ofstream(path) << "old";
  fs::permissions(path, fs::perms::all);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                            fs::perms::group_exec | fs::perms::others_read |
                            fs::perms::others_exec);
  const auto run = movra::testing::RunAsOtherUser(
      [&] { return !WriteFileAtomically(path.string(), "new"); });
  if (!run.Ran) GTEST_SKIP() << run.Reason;
  EXPECT_TRUE(run.Passed) << "the write was reported as done";
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(FilesInDir(), 1u);
}

}  // namespace
}  // namespace movra::platform
