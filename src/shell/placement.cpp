#include "shell/placement.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLockFile>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "forms/look/twips.h"
#include "model/decimal_reading.h"
#include "trimwell_build.h"

namespace trimwell::placement {

namespace {

// Coordinates beyond X11's 16-bit range cannot be placed anywhere, and a
// side longer than 16384 pixels would ask for gigabytes of window memory.
constexpr int Largest_Position = 32767;
constexpr int Largest_Size = 16384;

// The per-user store, kept under the program's title as both the
// organisation and the application.
class Store_File : public QSettings {
public:
  Store_File()
      : QSettings(QString::fromLatin1(build::Title),
                  QString::fromLatin1(build::Title)) {}
};

std::string_view Without_Blanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The pixels of a stored value. The text, blanks around it aside, must be
// one decimal number, read in single precision as it was written; it is
// rounded to the nearest pixel. An edge beyond +-Largest_Position pixels
// and a size below 1 or above Largest_Size pixels give nothing.
std::optional<int> Stored_Pixels(std::string_view text,
                                 const Setting& setting) {
  text = Without_Blanks(text);
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') {
    text.remove_prefix(1); // a plain decimal number has no plus sign
  }
  float twips = 0;
  if (!decimal::Read_Whole_Float(text, twips)) {
    return std::nullopt;
  }
  const double exact = twips / static_cast<double>(Twips_Per_Pixel);
  const int largest = setting.Is_Size ? Largest_Size : Largest_Position;
  const int smallest = setting.Is_Size ? 1 : -Largest_Position;
  // Range first, so that only small numbers are ever rounded to int.
  if (!(std::fabs(exact) <= largest + 1)) {
    return std::nullopt;
  }
  const long rounded = std::lround(exact);
  if (rounded < smallest || rounded > largest) {
    return std::nullopt;
  }
  return static_cast<int>(rounded);
}

// Takes and releases at once the lock QSettings takes as it writes a store
// kept in a file. On Windows the native store is the registry, which
// fileName() names by a registry path ("\HKEY_CURRENT_USER\..."), and in a
// page the browser's storage, which it names by nothing: neither has a
// lock.
bool Lock_Can_Be_Had(const QSettings& settings) {
  const QString name = settings.fileName();
  if (name.isEmpty() || (settings.format() == QSettings::NativeFormat &&
                         name.startsWith(QLatin1Char('\\')))) {
    return true;
  }
  // The lock goes beside the file, in a folder the first run makes.
  QDir().mkpath(QFileInfo(name).absolutePath());
  QLockFile lock(name + QLatin1String(".lock"));
  return lock.tryLock(Lock_Wait);
}

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

// Puts the window's outer frame where the store has it, under a frame of
// `margins`; a size the store does not hold is `designed`, the window's own
// client size. Never below one pixel each way.
void Place(QWidget& window, const Stored_Frame& frame, const QMargins& margins,
           const QSize& designed, bool keep_on_screen) {
  const QSize client(
      frame.Width ? *frame.Width - margins.left() - margins.right()
                  : designed.width(),
      frame.Height ? *frame.Height - margins.top() - margins.bottom()
                   : designed.height());
  window.resize(client.expandedTo(QSize(1, 1)));
  QPoint place = frame.Position;
  if (keep_on_screen) {
    const QRect free = window.screen()->availableGeometry();
    const QSize outer = window.size().grownBy(margins);
    place.setX(std::max(free.left(),
                        std::min(place.x(), free.right() + 1 - outer.width())));
    place.setY(std::max(
        free.top(), std::min(place.y(), free.bottom() + 1 - outer.height())));
  }
  // A window's position is its frame's. Moved by the difference, for the
  // widget's own idea of its frame may be the one that lags.
  const QPoint now =
      window.geometry().topLeft() - QPoint(margins.left(), margins.top());
  window.move(window.pos() + (place - now));
}

// Qt sizes a window by its client area, while the store holds the outer
// frame, and the frame's size is only known once the window system has put
// one round the shown window. Until then the client is given the whole
// stored size; this watcher then places the window once more, so that what
// is saved on closing equals what was restored. It gives up as soon as
// anyone else resizes the window; without a frame it never acts.
class Frame_Keeper : public QObject {
public:
  Frame_Keeper(QWidget& window, const Stored_Frame& frame,
               const QSize& designed, bool keep_on_screen)
      : QObject(&window), window_(window), frame_(frame), designed_(designed),
        client_size_(window.size()), keep_on_screen_(keep_on_screen) {
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
    const QMargins margins = Frame_Margins(window_);
    const bool resized = window_.size() != client_size_ ||
                         window_.windowState() != Qt::WindowNoState;
    if (!resized && margins.isNull()) {
      return; // not framed yet
    }
    window_.removeEventFilter(this);
    deleteLater();
    if (resized) {
      return; // resized by someone else: theirs is the size now
    }
    // Changed once the event at hand is done: not every window system
    // takes a window resized from inside its own show or move event well.
    QMetaObject::invokeMethod(
        &window_,
        [&window = window_, frame = frame_, designed = designed_, margins,
         keep = keep_on_screen_] {
          Place(window, frame, margins, designed, keep);
        },
        Qt::QueuedConnection);
  }

  QWidget& window_;
  const Stored_Frame frame_;
  const QSize designed_;
  const QSize client_size_;
  const bool keep_on_screen_;
};

// Stores the placement once the user has moved or resized the shown window
// and it has come to rest. The frame the program itself placed, as restored
// and perhaps moved back onto the screen, is where the window was left, and
// is never written back.
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
      Store(window_);
    }
    placed_ = frame;
  }

  QWidget& window_;
  QTimer settle_;
  std::optional<QRect> placed_; // the frame as the program or store has it
};

} // namespace

Stored_Frame Read_Frame(QSettings& settings) {
  settings.beginGroup(QLatin1String(Group));
  std::array<std::optional<int>, std::size(Settings)> pixels{};
  for (std::size_t i = 0; i < std::size(Settings); ++i) {
    const QVariant value = settings.value(QLatin1String(Settings[i].Key));
    if (value.isValid()) {
      pixels[i] = Stored_Pixels(value.toString().toStdString(), Settings[i]);
    }
    if (!pixels[i] && !Settings[i].Is_Size) {
      pixels[i] = Twips_To_Pixels(Default_Edge_Twips);
    }
  }
  settings.endGroup();
  return {QPoint(*pixels[0], *pixels[1]), pixels[2], pixels[3]};
}

void Restore(QWidget& window, const Rules& rules) {
  Store_File store;
  const Stored_Frame frame = Read_Frame(store);
  // The window as built has its designed client size.
  const QSize designed = window.size();
  const QMargins margins = Frame_Margins(window);
  Place(window, frame, margins, designed, rules.Keep_On_Screen);
  if (margins.isNull()) {
    // Owned by the window.
    new Frame_Keeper(window, frame, designed, rules.Keep_On_Screen);
  }
  if (rules.Store_Settled_Moves) {
    Store_Placement_When_Moved(window, Placement_Settle);
  }
}

bool Store(const QWidget& window) {
  if (window.isMinimized()) {
    return false; // the placement of the last normal close stays
  }
  Store_File store;
  if (!Lock_Can_Be_Had(store)) {
    return false;
  }
  const QRect frame = Outer_Frame(window);
  const std::array<int, std::size(Settings)> pixels = {
      frame.left(), frame.top(), frame.width(), frame.height()};
  store.beginGroup(QLatin1String(Group));
  for (std::size_t i = 0; i < std::size(Settings); ++i) {
    // Plain decimal twips, whatever the locale.
    store.setValue(QLatin1String(Settings[i].Key),
                   QString::fromStdString(std::to_string(
                       static_cast<long long>(pixels[i]) * Twips_Per_Pixel)));
  }
  store.endGroup();
  store.sync();
  return store.status() == QSettings::NoError;
}

} // namespace trimwell::placement

namespace trimwell {

void Store_Placement_When_Moved(QWidget& window,
                                std::chrono::milliseconds settle) {
  new placement::Placement_Writer(window, settle); // owned by the window
}

} // namespace trimwell
