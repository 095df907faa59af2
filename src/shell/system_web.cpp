// Trimwell in a web page: the same windows, drawn by Qt into the page.
#include <emscripten.h>

#include <QApplication>
#include <QChildEvent>
#include <QFontDatabase>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

#include "shell/placement.h"
#include "shell/system.h"

namespace trimwell {

namespace {

// The faces the windows ask for on Linux, bundled with the program
// (web_fonts.qrc): a browser lends a page's program no fonts.
constexpr const char* Bundled_Fonts[] = {
    ":/fonts/LiberationSans-Regular.ttf",
    ":/fonts/LiberationSans-Bold.ttf",
};

EM_JS(void, Show_Program_Ended, (), {
  if (typeof trimwellEnded == 'function') {
    trimwellEnded();
  }
});

EM_JS(void, Mark_Page_Clock, (const char* name),
      { performance.mark(UTF8ToString(name)); });

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
  case QEvent::NonClientAreaMouseButtonPress:
  case QEvent::NonClientAreaMouseButtonRelease:
  case QEvent::NonClientAreaMouseButtonDblClick:
  case QEvent::NonClientAreaMouseMove:
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

// Watches the program's windows as the page shows them.
// - Each window's first paint is marked on the page's clock, under its
//   name, for whoever times the page.
// - A wait counts from the moment every window shown so far has been
//   painted, and drops the user's input meanwhile: the browser hands the
//   program every key and click at once, not through a queue the wait could
//   leave alone.
// It watches the whole application only during start-up. Once the waits
// are over and the windows shown painted, it watches those windows alone,
// and the windows each of them makes (the About box, what that shows) from
// their polishing on, before they show.
class Page_Windows : public QObject {
public:
  void Wait(std::chrono::milliseconds wait, std::function<void()> prepare,
            std::function<void()> then) {
    ++waits_;
    waiting_.push_back({wait, std::move(prepare), std::move(then)});
    Start_Waits();
  }

protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (waits_ > 0 && Is_User_Input(event->type())) {
      return true;
    }
    if (!object->isWidgetType()) {
      return false;
    }
    auto* widget = static_cast<QWidget*>(object);
    if (!widget->isWindow()) {
      return false;
    }
    switch (event->type()) {
    case QEvent::ChildPolished:
      if (QObject* child = static_cast<QChildEvent*>(event)->child();
          child->isWidgetType() && static_cast<QWidget*>(child)->isWindow()) {
        child->installEventFilter(this);
      }
      break;
    case QEvent::Show:
      if (!widget->property(Painted).toBool()) {
        unpainted_.emplace_back(widget);
      }
      break;
    case QEvent::Paint:
      if (!widget->property(Painted).toBool()) {
        widget->setProperty(Painted, true);
        Mark_Page_Clock(
            (QByteArray(widget->metaObject()->className()) + " painted")
                .constData());
        Start_Waits();
      }
      break;
    default:
      break;
    }
    return false;
  }

private:
  static constexpr const char* Painted = "trimwellPainted";

  // The waits begin once no window shown is still to be painted.
  void Start_Waits() {
    const auto painted = [](const QPointer<QWidget>& window) {
      return !window || !window->isVisible() ||
             window->property(Painted).toBool();
    };
    unpainted_.erase(
        std::remove_if(unpainted_.begin(), unpainted_.end(), painted),
        unpainted_.end());
    if (!unpainted_.empty()) {
      return;
    }
    for (auto& [wait, prepare, then] : std::exchange(waiting_, {})) {
      // Once the browser has put the windows painted on the screen.
      QTimer::singleShot(0, this, std::move(prepare));
      // Precise: a coarse timer may end up to a twentieth early.
      QTimer::singleShot(wait, Qt::PreciseTimer, this,
                         [this, then = std::move(then)] {
                           --waits_;
                           then();
                         });
    }
    if (waits_ == 0) { // start-up is over
      qApp->removeEventFilter(this);
      const QWidgetList windows = QApplication::topLevelWidgets();
      for (QWidget* window : windows) {
        if (window->isVisible()) {
          window->installEventFilter(this);
        }
      }
    }
  }

  struct Waiting {
    std::chrono::milliseconds Wait;
    std::function<void()> Prepare;
    std::function<void()> Then;
  };
  int waits_ = 0;
  std::vector<Waiting> waiting_;
  std::vector<QPointer<QWidget>> unpainted_;
};

Page_Windows& Windows() {
  static Page_Windows windows;
  return windows;
}

} // namespace

// The start's stages are marked on the page's clock too, so that whoever
// times the page sees where the time to the first window goes: Qt's own
// start, the fonts, the making of the window, its paint.
void Prepare_System() {
  Mark_Page_Clock("Qt started");
  for (const char* font : Bundled_Fonts) {
    QFontDatabase::addApplicationFont(QString::fromLatin1(font));
  }
  Mark_Page_Clock("fonts added");
  qApp->installEventFilter(&Windows());
  // The program's event loop never returns in a page, so the end is told
  // here rather than after it.
  QObject::connect(qApp, &QGuiApplication::lastWindowClosed, qApp,
                   [] { Show_Program_Ended(); });
}

void Draw_Now(QWidget& window) {
  Mark_Page_Clock(
      (QByteArray(window.metaObject()->className()) + " made").constData());
}

void Wait_Without_Events(std::chrono::milliseconds wait,
                         const std::function<void()>& prepare,
                         const std::function<void()>& then) {
  Windows().Wait(wait, prepare, then);
}

// Kept on the page, and stored as the user leaves it, since the page ends
// without its windows closing.
placement::Rules placement::This_System() {
  return {true, true};
}

} // namespace trimwell
