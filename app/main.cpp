// Movra_Rudizi: the program entry. It reads no command-line arguments.
#include <QApplication>

#include "app/startup.h"

int main(int /*argc*/, char** argv) {
  // Only the program's own name goes to Qt, so no argument changes what the program does.
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QApplication application(qtArgc, qtArgv);

  movra::Startup startup(QCoreApplication::applicationDirPath(),
                         QCoreApplication::applicationFilePath());
  // For the start-up benchmark: the loop ends once the main window is on the screen.
  const bool quitWhenShown = qEnvironmentVariableIntValue("MOVRA_QUIT_WHEN_SHOWN") == 1;
  return startup.Run(quitWhenShown);
}
