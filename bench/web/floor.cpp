// The floor of the web figures: a bare Qt Widgets window, built with the
// same Qt, linked and paged the same way as the program. It marks Qt's start
// and its first paint on the page's clock, as the program does.
#include <emscripten.h>

#include <QApplication>
#include <QWidget>

namespace {

EM_JS(void, Mark, (const char* name),
      { performance.mark(UTF8ToString(name)); });

class Floor : public QWidget {
protected:
  void paintEvent(QPaintEvent*) override {
    if (!painted_) {
      painted_ = true;
      Mark("Floor painted");
    }
  }

private:
  bool painted_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  Mark("Qt started");
  Floor window;
  window.resize(640, 480);
  window.show();
  return QApplication::exec();
}
