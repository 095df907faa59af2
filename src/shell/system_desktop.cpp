#include <algorithm>
#include <thread>

#include "shell/system.h"

namespace trimwell {

namespace {

// Short enough that the wait ends within a few milliseconds of its time,
// long enough that the processor rests in between.
constexpr std::chrono::milliseconds Wait_Step{10};

} // namespace

void Prepare_System() {}

// No events at all: input typed meanwhile waits in the window system's
// queue.
void Wait_Without_Events(std::chrono::milliseconds wait) {
  // Measured from a steady clock, so midnight or a clock change cannot
  // shorten or stretch it.
  using Clock = std::chrono::steady_clock;
  const Clock::time_point end = Clock::now() + wait;
  for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
    std::this_thread::sleep_for(
        std::min<Clock::duration>(end - now, Wait_Step));
  }
}

QPoint Reachable_Position(const QRect& frame, const QRect&) {
  return frame.topLeft();
}

bool Ends_Without_Closing() {
  return false;
}

} // namespace trimwell
