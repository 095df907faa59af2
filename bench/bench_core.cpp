// The model work behind one keystroke, and proof that the calculation and
// the chart allocate nothing.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "chart/cg_graphic.h"
#include "chart/recording_surface.h"
#include "model/calculate_cg.h"
#include "model/number_text.h"
#include "presets/aircraft_presets.h"

namespace {
std::atomic<long> allocations{0};
} // namespace

// Counts every allocation in this program. GCC warns that the replaced
// delete frees what new returned, which is exactly the pairing intended.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) {
    return p;
  }
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

using namespace trimwell;

Loading_Model Hrii() {
  Loading_Model model;
  Load_Preset_Values(Aircraft_Presets[Preset_HRII], model);
  return model;
}

// Parse the field, recalculate, write both results, draw the chart.
void BM_Keystroke(benchmark::State& state) {
  Loading_Model model = Hrii();
  Recording_Surface surface;
  const std::string texts[] = {" 17", " 170", " 1", " 17.5"};
  std::size_t i = 0;
  for (auto _ : state) {
    model.Stations[Pilot].Weight = Text_To_Number(texts[i++ % 4]);
    Calculate_CG(model);
    std::string arm = Number_To_Text(model.Aircraft_ARM);
    std::string weight = Number_To_Text(model.Aircraft_Weight);
    Draw_CG_Graphic(model, surface);
    benchmark::DoNotOptimize(arm.data());
    benchmark::DoNotOptimize(weight.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Keystroke);

// Calculate_CG and Draw_CG_Graphic alone; reports allocations per
// iteration, which must be 0.
void BM_Calculate_And_Draw(benchmark::State& state) {
  Loading_Model model = Hrii();
  Recording_Surface surface;
  const long before = allocations.load();
  for (auto _ : state) {
    model.Stations[Pilot].Weight += 1;
    Calculate_CG(model);
    Draw_CG_Graphic(model, surface);
    benchmark::ClobberMemory();
  }
  const long made = allocations.load() - before;
  state.counters["allocations"] = static_cast<double>(made);
  if (made != 0) {
    state.SkipWithError("Calculate_CG or Draw_CG_Graphic allocated");
  }
}
BENCHMARK(BM_Calculate_And_Draw);

void BM_Text_To_Number(benchmark::State& state) {
  const std::string text = " 93.3410588235294";
  for (auto _ : state) {
    benchmark::DoNotOptimize(Text_To_Number(text));
  }
}
BENCHMARK(BM_Text_To_Number);

void BM_Number_To_Text(benchmark::State& state) {
  double value = 93.34105882352941;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Number_To_Text(value).size());
  }
}
BENCHMARK(BM_Number_To_Text);

} // namespace

BENCHMARK_MAIN();
