// Start-up speed: from the start of the process to the splash screen fully
// drawn, and from the end of the splash wait to the main window shown with
// the HR-II type loaded and its chart drawn.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <charconv>
#include <chrono>
#include <cstring>
#include <string>

#include "forms/controls/option_button.h"
#include "forms/frmMain.h"
#include "forms/frmSplash.h"
#include "forms/look/trimwell_art.h"
#include "shell/Module1.h"
#include "shell/system.h"

extern char** environ;

namespace {

constexpr char Splash_Child_Option[] = "--splash-child";
constexpr int Give_Up_Ms = 10000;

using Clock = std::chrono::steady_clock;

// The program's start as far as the drawn splash screen, in a process of
// its own; tells the parent through `fd` when the splash is on the screen.
int Run_Splash_Child(int argc, char** argv, int fd) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(trimwell::Application_Icon());
  frmSplash splash;
  splash.show();
  trimwell::Draw_Now(splash);
  const char done = 1;
  const bool told = write(fd, &done, 1) == 1;
  close(fd);
  return told ? 0 : 1;
}

void BM_Process_Start_To_Splash_Drawn(benchmark::State& state) {
  for (auto _ : state) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) {
      state.SkipWithError("no pipe");
      return;
    }
    fcntl(pipe_fds[0], F_SETFD, FD_CLOEXEC);
    std::string fd_text = std::to_string(pipe_fds[1]);
    char self[] = "/proc/self/exe";
    char option[sizeof Splash_Child_Option];
    std::memcpy(option, Splash_Child_Option, sizeof option);
    char* child_argv[] = {self, option, fd_text.data(), nullptr};

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, self, nullptr, nullptr, child_argv, environ);
    close(pipe_fds[1]);
    char done = 0;
    const bool painted = spawned == 0 && read(pipe_fds[0], &done, 1) == 1;
    const Clock::time_point end = Clock::now();
    close(pipe_fds[0]);
    if (spawned == 0) {
      int status = 0;
      waitpid(child, &status, 0);
    }
    if (!painted) {
      state.SkipWithError("the splash screen was not drawn");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}
BENCHMARK(BM_Process_Start_To_Splash_Drawn)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// Notes the first paint of the main window's chart box.
class Paint_Watch : public QObject {
public:
  bool Painted = false;

protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Paint &&
        object->objectName() == QLatin1String("Picture_Graphic")) {
      Painted = true;
    }
    return false;
  }
};

// The program's own start-up, with a wait that only notes when it ends.
void BM_Wait_End_To_Main_Window_Drawn(benchmark::State& state) {
  for (auto _ : state) {
    Paint_Watch chart_paint;
    qApp->installEventFilter(&chart_paint);
    Clock::time_point start;
    Module1::Main([&start](const std::function<void()>& prepare,
                           const std::function<void()>& then) {
      start = Clock::now();
      prepare();
      then();
    });
    const QPointer<frmMain> form = Module1::fMainForm;
    QElapsedTimer give_up;
    give_up.start();
    const auto drawn = [&] {
      return chart_paint.Painted && form && form->Option_HRII->isChecked();
    };
    while (!drawn() && give_up.elapsed() < Give_Up_Ms) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    const Clock::time_point end = Clock::now();
    const bool was_drawn = drawn();
    qApp->removeEventFilter(&chart_paint);
    if (form) {
      form->close(); // deletes itself
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!was_drawn) {
      state.SkipWithError("the main window did not open with HR-II drawn");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}
BENCHMARK(BM_Wait_End_To_Main_Window_Drawn)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

} // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], Splash_Child_Option) == 0) {
    int fd = -1;
    const char* const end = argv[2] + std::strlen(argv[2]);
    if (std::from_chars(argv[2], end, fd).ptr != end) {
      return 1;
    }
    return Run_Splash_Child(argc, argv, fd);
  }
  QApplication app(argc, argv);
  // Closing the main window stores its placement: never in the user's own
  // settings.
  QStandardPaths::setTestModeEnabled(true);
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     settings.path());
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
