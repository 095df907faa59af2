#include "shell/window_order.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <algorithm>

namespace trimwell {

namespace {

// Sees the creation of every widget through the application's event filter
// and keeps the windows among them in creation order.
class Window_Order : public QObject {
  Q_OBJECT
public:
  explicit Window_Order(QObject* parent) : QObject(parent) {}

  // Higher for newer windows; 0 for windows created before tracking began.
  std::size_t Rank(const QWidget* window) const {
    const auto found = std::find_if(
        created_.begin(), created_.end(),
        [window](const QPointer<QWidget>& seen) { return seen == window; });
    return found == created_.end()
               ? 0
               : static_cast<std::size_t>(found - created_.begin()) + 1;
  }

protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Create && object->isWidgetType() &&
        static_cast<QWidget*>(object)->isWindow()) {
      Forget_Destroyed();
      created_.emplace_back(static_cast<QWidget*>(object));
    }
    return false;
  }

private:
  void Forget_Destroyed() {
    created_.erase(std::remove_if(created_.begin(), created_.end(),
                                  [](const QPointer<QWidget>& seen) {
                                    return seen.isNull();
                                  }),
                   created_.end());
  }

  std::vector<QPointer<QWidget>> created_;
};

Window_Order* Tracker() {
  return qApp ? qApp->findChild<Window_Order*>(QString(),
                                               Qt::FindDirectChildrenOnly)
              : nullptr;
}

bool Is_Loaded_Window(const QWidget* widget) {
  const Qt::WindowType type = widget->windowType();
  return widget->isVisible() && type != Qt::Popup && type != Qt::ToolTip &&
         type != Qt::Desktop;
}

} // namespace

void Track_Window_Order() {
  if (qApp && !Tracker()) {
    qApp->installEventFilter(new Window_Order(qApp)); // owned by the app
  }
}

std::vector<QWidget*> Other_Windows_Newest_First(const QWidget& main) {
  std::vector<QWidget*> windows;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != &main && Is_Loaded_Window(window)) {
      windows.push_back(window);
    }
  }
  if (const Window_Order* order = Tracker()) {
    std::stable_sort(windows.begin(), windows.end(),
                     [order](const QWidget* a, const QWidget* b) {
                       return order->Rank(a) > order->Rank(b);
                     });
  }
  return windows;
}

} // namespace trimwell

#include "window_order.moc"
