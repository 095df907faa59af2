// Trimwell in a web page: the same windows, drawn by Qt into the page.
#include <emscripten.h>

#include <QApplication>
#include <QEventLoop>
#include <QFontDatabase>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "shell/system.h"

namespace trimwell {

namespace {

// The faces the windows ask for on Linux, bundled with the program
// (web_fonts.qrc): a browser lends a page's program no fonts.
constexpr const char* Bundled_Fonts[] = {
    ":/fonts/LiberationSans-Regular.ttf",
    ":/fonts/LiberationSans-Bold.ttf",
};

// How much of a window stays on the page at the least: all of its title
// bar's height, and this much of its width, enough to take hold of it.
constexpr int Reachable_Width = 120;
constexpr int Title_Bar_Height = 24;

// Qt for the web shows every new window full screen, filling the page. The
// program's windows are laid out for their own size, like dialogs on a
// desktop: each keeps its size and place, with a title bar to move it by.
class Windowed_Pages : public QObject {
protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::WindowStateChange && object->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(object);
      if (widget->isWindow() &&
          widget->windowState().testFlag(Qt::WindowFullScreen)) {
        widget->setWindowState(widget->windowState() & ~Qt::WindowFullScreen);
      }
    }
    return false;
  }
};

bool Is_User_Input(QEvent::Type type) {
  switch (type) {
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
  case QEvent::ShortcutOverride:
  case QEvent::Shortcut:
  case QEvent::InputMethod:
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
  case QEvent::Wheel:
  case QEvent::TouchBegin:
  case QEvent::TouchUpdate:
  case QEvent::TouchEnd:
  case QEvent::ContextMenu:
    return true;
  default:
    return false;
  }
}

// The browser hands the program every key and click at once, not through
// a queue the wait could leave alone: during the wait they are dropped.
class Input_Blocker : public QObject {
protected:
  bool eventFilter(QObject*, QEvent* event) override {
    return Is_User_Input(event->type());
  }
};

EM_JS(void, Show_Program_Ended, (), {
  if (typeof trimwellEnded == 'function') {
    trimwellEnded();
  }
});

} // namespace

void Prepare_System() {
  for (const char* font : Bundled_Fonts) {
    QFontDatabase::addApplicationFont(QString::fromLatin1(font));
  }
  static Windowed_Pages windowed;
  qApp->installEventFilter(&windowed);
  // The program's event loop never returns in a page, so the end is told
  // here rather than after it.
  QObject::connect(qApp, &QGuiApplication::lastWindowClosed,
                   [] { Show_Program_Ended(); });
}

// The page must paint the splash screen meanwhile, and a page paints only
// when the program gives the browser its turn: the wait runs the event
// loop, with the user's input dropped.
void Wait_Without_Events(std::chrono::milliseconds wait) {
  Input_Blocker blocker;
  qApp->installEventFilter(&blocker);
  QEventLoop loop;
  QTimer::singleShot(wait, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  qApp->removeEventFilter(&blocker);
}

QPoint Reachable_Position(const QRect& frame, const QRect& available) {
  const int visible = std::min(Reachable_Width, frame.width());
  const auto within = [](int value, int low, int high) {
    return std::max(low, std::min(value, high));
  };
  return {within(frame.left(), available.left() - frame.width() + visible,
                 available.right() + 1 - visible),
          within(frame.top(), available.top(),
                 available.bottom() + 1 - Title_Bar_Height)};
}

bool Ends_Without_Closing() {
  return true;
}

} // namespace trimwell
