// The main window's response times and memory, on the offscreen platform:
// one keystroke in an input box and one choice of aircraft type, each from
// the input event to the end of its synchronous repaint, and the peak
// resident memory of the process with the HR-II window loaded.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QWindow>
#include <cstdio>
#include <memory>

#include "forms/frmMain.h"

namespace {

frmMain* window = nullptr;

// Counts the paints the chart box receives, to show that every measured
// event really painted.
class Paint_Counter : public QObject {
public:
  long Count = 0;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++Count;
    }
    return false;
  }
};

Paint_Counter* chart_paints = nullptr;

bool Wait_Until_Exposed(QWidget& widget) {
  QElapsedTimer waited;
  waited.start();
  while (widget.windowHandle() == nullptr ||
         !widget.windowHandle()->isExposed()) {
    if (waited.elapsed() > 5000) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  return true;
}

// VmHWM of this process: its peak resident set size, in kB.
double Peak_Resident_kB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) {
    return -1;
  }
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) {
      return line.mid(6).trimmed().split(' ').value(0).toDouble();
    }
  }
  return -1;
}

void Send_Key(QWidget& target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&target, &release);
}

// Read first, before the timing runs have touched anything else.
void BM_Peak_Resident_Memory_HRII(benchmark::State& state) {
  double kb = 0;
  for (auto _ : state) {
    kb = Peak_Resident_kB();
    benchmark::DoNotOptimize(kb);
  }
  state.counters["peak_rss_MB"] = kb / 1024;
}
BENCHMARK(BM_Peak_Resident_Memory_HRII)->Iterations(1);

// One key into the pilot's weight box: typing a digit and taking it back
// by turns, each a full recalculation, chart and repaint.
void BM_Keystroke_In_Input_Box(benchmark::State& state) {
  auto* box =
      window->findChild<QLineEdit*>(QStringLiteral("Text_Pilot_Weight"));
  box->setFocus();
  box->end(false);
  const long paints_before = chart_paints->Count;
  bool typed = false;
  for (auto _ : state) {
    if (typed) {
      Send_Key(*box, Qt::Key_Backspace, QString());
    } else {
      Send_Key(*box, Qt::Key_5, QStringLiteral("5"));
    }
    typed = !typed;
  }
  state.counters["chart_paints_per_key"] =
      static_cast<double>(chart_paints->Count - paints_before) /
      static_cast<double>(state.iterations());
  QCoreApplication::processEvents();
}
BENCHMARK(BM_Keystroke_In_Input_Box)->Unit(benchmark::kMicrosecond);

// Choosing an aircraft type: RV-3 and HR-II by turns, each with all its
// nested recalculations and repaints.
void BM_Choose_Aircraft_Type(benchmark::State& state) {
  auto* rv3 = window->findChild<QRadioButton*>(QStringLiteral("Option_RV3"));
  auto* hrii = window->findChild<QRadioButton*>(QStringLiteral("Option_HRII"));
  const long paints_before = chart_paints->Count;
  bool on_rv3 = false;
  for (auto _ : state) {
    (on_rv3 ? hrii : rv3)->click();
    on_rv3 = !on_rv3;
  }
  state.counters["chart_paints_per_choice"] =
      static_cast<double>(chart_paints->Count - paints_before) /
      static_cast<double>(state.iterations());
  QCoreApplication::processEvents();
}
BENCHMARK(BM_Choose_Aircraft_Type)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  auto main_window = std::make_unique<frmMain>();
  window = main_window.get();
  window->show(); // the first show loads HR-II
  if (!Wait_Until_Exposed(*window)) {
    fprintf(stderr, "the main window was never exposed\n");
    return 1;
  }
  Paint_Counter paints;
  chart_paints = &paints;
  window->findChild<QWidget*>(QStringLiteral("Picture_Graphic"))
      ->installEventFilter(chart_paints);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
