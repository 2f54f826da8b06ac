// Start-up of the whole program until its main window is first on the screen: the program is
// started from a copy in a temporary folder (with a Settings.ini, so no first-start dialog)
// and ends by itself once the main window has painted (MOVRA_QUIT_WHEN_SHOWN=1). Each
// iteration is one process: creation of the thirteen windows, reading Settings.ini, the first
// paint, and the shut-down that writes Settings.ini again.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

#ifdef MOVRA_EXE
// The folder beside a copy of the executable; removed at the end.
struct ExeCopy {
  fs::path folder;
  fs::path exe;
  ExeCopy() {
    folder = fs::temp_directory_path() / ("movra_startup_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    exe = folder / "Movra_Rudizi";
    fs::copy_file(MOVRA_EXE, exe, fs::copy_options::overwrite_existing);
    std::ofstream(folder / "Settings.ini") << "[Language]\nLanguage_Name=English\n";
  }
  ~ExeCopy() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

// The environment of this process with the quit hook, and the offscreen platform unless a
// display is given (a run under Xvfb measures the X11 platform).
std::vector<std::string> Environment() {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  env.emplace_back("MOVRA_QUIT_WHEN_SHOWN=1");
  if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    env.emplace_back("QT_QPA_PLATFORM=offscreen");
  return env;
}

void BM_StartupToFirstShownMainWindow(benchmark::State& state) {
  const ExeCopy copy;
  std::vector<std::string> env = Environment();
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string exe = copy.exe.string();
  char* argv[] = {exe.data(), nullptr};

  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
      state.SkipWithError("the program could not be started");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the program did not end normally");
      return;
    }
  }
}
BENCHMARK(BM_StartupToFirstShownMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

}  // namespace

BENCHMARK_MAIN();
