#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Movra_Rudizi");
  QMainWindow window;
  window.setWindowTitle("Movra_Rudizi");
  window.resize(900, 600);
  window.show();
  return QApplication::exec();
}
