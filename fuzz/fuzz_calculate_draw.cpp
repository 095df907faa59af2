// Arbitrary arms, weights and limits (infinities and NaNs included) go
// through the calculation and the chart without a sanitizer report, and the
// chart never hands the surface a coordinate it cannot place.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "chart/cg_graphic.h"
#include "model/calculate_cg.h"
#include "model/input_fields.h"
#include "model/number_text.h"

namespace {

class Checking_Surface : public trimwell::Drawing_Surface {
public:
  void Clear() override { scaled_ = false; }
  void Set_Scale(double left, double top, double right,
                 double bottom) override {
    if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(right) ||
        !std::isfinite(bottom) || !(left < right) || !(bottom < top))
      std::abort();
    scaled_ = true;
  }
  void Draw_Line(float x1, float y1, float x2, float y2,
                 trimwell::Rgb) override {
    Check(x1, y1);
    Check(x2, y2);
  }
  void Draw_Line_To(float x2, float y2, trimwell::Rgb) override {
    Check(x2, y2);
  }

private:
  void Check(float x, float y) const {
    if (!scaled_ || !std::isfinite(x) || !std::isfinite(y))
      std::abort();
  }
  bool scaled_ = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  trimwell::Loading_Model model;
  double inputs[trimwell::Input_Count] = {};
  std::memcpy(inputs, data, std::min(size, sizeof inputs));
  for (int k = 0; k < trimwell::Input_Count; ++k)
    trimwell::Input_Value(model, trimwell::Input(k)) = inputs[k];
  if (size > sizeof inputs) {
    // Stray colour numbers must fall back to black, not index past the
    // palette.
    for (std::size_t k = 0; k < model.Path_Color.size(); ++k) {
      model.Path_Color[k] = static_cast<std::int16_t>(
          data[sizeof inputs + k % (size - sizeof inputs)] * 257 - 32768);
    }
  }

  trimwell::Calculate_CG(model);
  trimwell::Number_To_Text(model.Aircraft_ARM);
  trimwell::Number_To_Text(model.Aircraft_Weight);
  Checking_Surface surface;
  trimwell::Draw_CG_Graphic(model, surface);
  return 0;
}
