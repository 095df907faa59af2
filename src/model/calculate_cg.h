#pragma once

#include "model/loading_model.h"

namespace trimwell {

// Recomputes every derived field of the model from the arms, weights and
// limits: moments, running moments, weights and CGs station by station, the
// aircraft's gross weight and CG, and the chart bounds with their margins.
//
// Nothing is guarded: a running weight of 0 gives an infinite or NaN running
// CG, and an overflow an infinity. All bound tests are strict comparisons, so
// a NaN never widens a bound; an infinity may, and the chart then refuses to
// draw (see Draw_CG_Graphic). Showing the results is the window's job.
void Calculate_CG(Loading_Model& model);

} // namespace trimwell
