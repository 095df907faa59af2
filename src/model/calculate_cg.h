#pragma once

#include "model/loading_model.h"

namespace trimwell {

// Recomputes every derived field of the model from the arms, weights and
// limits: moments, running moments, weights and CGs station by station, the
// aircraft's gross weight and CG, and the chart bounds with their margins.
//
// Nothing is guarded: a running weight of 0 gives an infinite or NaN running
// CG, and an overflow an infinity. Such values stay in the model as they are,
// but they never widen the chart bounds, so the chart still places every
// point that has a value; only when no arm (or no weight) at all is finite do
// the bounds stay infinite and the chart is left empty (see Draw_CG_Graphic).
// All bound tests are strict comparisons. Showing the results is the
// window's job.
void Calculate_CG(Loading_Model& model);

} // namespace trimwell
