#pragma once

#include "chart/drawing_surface.h"
#include "model/loading_model.h"

namespace trimwell {

// Draws the loading-path chart from the model as the last Calculate_CG left
// it: clear, scale to the chart bounds, then 13 segments: the seven path
// segments in their Path_Color colours, the two aerobatic-limit edges and
// the four sides of the envelope. End points reach the surface as floats.
//
// Values without a place on the chart never stop the drawing:
// - when a chart bound is not finite, or a minimum is not below its maximum,
//   the surface is cleared and nothing else is drawn (there is no scale to
//   draw with);
// - a segment with an end point that is not a finite float is left out; the
//   next segment then starts from its own start point with Draw_Line, never
//   from a pen the surface did not move.
// With finite values the calls are exactly one Clear, one Set_Scale, and the
// 13 segments with Draw_Line for segments 1, 8 and 10, Draw_Line_To for the
// rest. Allocates nothing.
void Draw_CG_Graphic(const Loading_Model& model, Drawing_Surface& surface);

} // namespace trimwell
