// The floor of the web figures: a bare Qt Widgets window, built with the
// same Qt, linked and paged the same way as the program.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(640, 480);
  window.show();
  return QApplication::exec();
}
