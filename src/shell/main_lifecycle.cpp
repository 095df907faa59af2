#include "shell/main_lifecycle.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <optional>

#include "forms/frmMain.h"
#include "shell/placement.h"
#include "shell/system.h"
#include "shell/window_order.h"
#include "trimwell_build.h"

namespace trimwell {

namespace {

// The per-user store, kept under the program's title as both the
// organisation and the application.
class Store : public QSettings {
public:
  Store()
      : QSettings(QString::fromLatin1(build::Title),
                  QString::fromLatin1(build::Title)) {}
};

// The window system's frame around the client area; none until the window
// has been shown and framed. Asked of the window system as it stands: a
// page frames a window only as it first draws it, later than the widget
// learns of its frame, so QWidget::frameGeometry() can lag behind.
QMargins Frame_Margins(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  return handle != nullptr && window.isVisible() ? handle->frameMargins()
                                                 : QMargins();
}

// The outer frame as the user sees it.
QRect Outer_Frame(const QWidget& window) {
  return window.geometry().marginsAdded(Frame_Margins(window));
}

// Qt sizes a window by its client area, while the store holds the outer
// frame, and the frame's size is only known once the window system has put
// one round the shown window. Until then the client is given the whole
// stored size; this watcher then takes the frame off it once, so that what
// is saved on closing equals what was restored. It gives up as soon as
// anyone else resizes the window; without a frame it never acts.
class Frame_Keeper : public QObject {
  Q_OBJECT
public:
  Frame_Keeper(QWidget& window, const placement::Stored_Frame& frame,
               const QSize& designed)
      : QObject(&window), window_(window), frame_(frame), designed_(designed),
        client_size_(window.size()) {
    window.installEventFilter(this);
  }

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Paint:
    case QEvent::WindowStateChange:
      Check_Frame();
      break;
    default:
      break;
    }
    return false;
  }

private:
  void Check_Frame() {
    if (done_) {
      return;
    }
    if (window_.size() != client_size_ ||
        window_.windowState() != Qt::WindowNoState) {
      Stop(); // resized by someone else: theirs is the size now
      return;
    }
    const QMargins margins = Frame_Margins(window_);
    if (margins.isNull()) {
      return; // not framed yet
    }
    Stop();
    // Changed once the event at hand is done: not every window system
    // takes a window resized from inside its own show or move event well.
    QMetaObject::invokeMethod(
        &window_,
        [&window = window_, frame = frame_, designed = designed_, margins] {
          window.resize(placement::Client_Size(frame, margins, designed));
          // Where the whole frame belongs, now that its size is known.
          const QPoint place = Reachable_Position(
              QRect(frame.Position, window.size().grownBy(margins)),
              window.screen()->availableGeometry());
          // Moved by the difference, for the widget's own idea of its frame
          // may be the one that lags.
          const QPoint now = window.geometry().topLeft() -
                             QPoint(margins.left(), margins.top());
          if (now != place) {
            window.move(window.pos() + (place - now));
          }
        },
        Qt::QueuedConnection);
  }

  void Stop() {
    done_ = true;
    window_.removeEventFilter(this);
    deleteLater();
  }

  QWidget& window_;
  const placement::Stored_Frame frame_;
  const QSize designed_;
  const QSize client_size_;
  bool done_ = false;
};

void Restore_Main_Placement(QWidget& window) {
  Store store;
  placement::Stored_Frame frame = placement::Read_Frame(store);
  const QMargins margins = Frame_Margins(window);
  // The window as built has its designed client size; a size the store
  // does not hold keeps it.
  const QSize designed = window.size();
  const QSize outer(frame.Width.value_or(designed.width()),
                    frame.Height.value_or(designed.height()));
  frame.Position = Reachable_Position(QRect(frame.Position, outer),
                                      window.screen()->availableGeometry());
  window.move(frame.Position); // a window's position is its frame's
  window.resize(placement::Client_Size(frame, margins, designed));
  delete window.findChild<Frame_Keeper*>(QString(), Qt::FindDirectChildrenOnly);
  if (margins.isNull()) {
    new Frame_Keeper(window, frame, designed); // owned by the window
  }
}

void Store_Placement(const QWidget& window) {
  if (window.isMinimized()) {
    return; // the placement of the last normal close stays
  }
  Store store;
  placement::Write_Frame(store, Outer_Frame(window));
}

// Stores the placement once the user has moved or resized the shown window
// and it has come to rest: a whole drag is one write. The frame the program
// itself placed, as restored and perhaps moved back onto the screen, is
// where the window was left, and is never written back.
class Placement_Writer : public QObject {
public:
  Placement_Writer(QWidget& window, std::chrono::milliseconds settle)
      : QObject(&window), window_(window) {
    settle_.setSingleShot(true);
    settle_.setInterval(settle);
    connect(&settle_, &QTimer::timeout, this, &Placement_Writer::Settled);
    window.installEventFilter(this);
  }

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
    case QEvent::NonClientAreaMouseButtonPress:
      // The user takes hold of the frame: whatever came before was placed.
      if (!placed_) {
        placed_ = Outer_Frame(window_);
      }
      break;
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
      if (window_.isVisible()) {
        settle_.start();
      }
      break;
    default:
      break;
    }
    return false;
  }

private:
  void Settled() {
    const QRect frame = Outer_Frame(window_);
    if (placed_ && frame != *placed_) {
      Store_Placement(window_);
    }
    placed_ = frame;
  }

  QWidget& window_;
  QTimer settle_;
  std::optional<QRect> placed_; // the frame as the program or store has it
};

void Unload_Main_Window(QWidget& window) {
  std::vector<QPointer<QWidget>> others;
  for (QWidget* other : Other_Windows_Newest_First(window)) {
    others.emplace_back(other);
  }
  for (const QPointer<QWidget>& other : others) {
    if (other) {
      other->close();
    }
  }
  Store_Placement(window);
}

} // namespace

void Form_Load(frmMain& window) {
  Track_Window_Order();
  Restore_Main_Placement(window);
  QObject::connect(&window, &frmMain::unloading, &window,
                   [&window] { Unload_Main_Window(window); });
  if (Ends_Without_Closing()) {
    Store_Placement_When_Moved(window, Placement_Settle);
  }
}

void Store_Placement_When_Moved(QWidget& window,
                                std::chrono::milliseconds settle) {
  new Placement_Writer(window, settle); // owned by the window
}

} // namespace trimwell

#include "main_lifecycle.moc"
