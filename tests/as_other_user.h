#pragma once
// Runs a check as a user without rights to the files a test made. Root may read and write
// anything, so a permission test run as root proves nothing: the check then runs in a
// forked child that has given up root for the user "nobody".
#include <grp.h>
#include <pwd.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <string>

namespace movra::testing {

struct OtherUserRun {
  bool Ran = false;     // false: no such user could be had; Reason says why
  bool Passed = false;  // the check returned true
  std::string Reason;
};

// Runs Check in a forked child: as ourselves when we are not root, else as "nobody". The
// child leaves with _exit, so nothing of the parent's state is torn down twice.
inline OtherUserRun RunAsOtherUser(const std::function<bool()>& Check) {
  uid_t uid = ::geteuid();
  gid_t gid = ::getegid();
  if (uid == 0) {
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr) return {false, false, "the tests run as root and there is no user nobody"};
    uid = nobody->pw_uid;
    gid = nobody->pw_gid;
  }
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) return {false, false, "fork failed"};
  constexpr int kNoDrop = 77;
  if (pid == 0) {
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
      ::_exit(kNoDrop);
    ::_exit(Check() ? 0 : 1);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status)) return {true, false, "the check died"};
  if (WEXITSTATUS(status) == kNoDrop)
    return {false, false, "the tests run as root and root rights could not be given up"};
  return {true, WEXITSTATUS(status) == 0, ""};
}

}  // namespace movra::testing
