#include "chart/cg_graphic.h"

#include <cmath>
#include <limits>

namespace trimwell {

namespace {

struct Point {
  float X;
  float Y;
};

bool Is_Finite(Point p) {
  return std::isfinite(p.X) && std::isfinite(p.Y);
}

// A double beyond the range of float becomes an infinity of its sign here,
// rather than by a conversion the language leaves undefined.
float To_Float(double value) {
  constexpr double Float_Max = std::numeric_limits<float>::max();
  constexpr float Inf = std::numeric_limits<float>::infinity();
  if (value > Float_Max) {
    return Inf;
  }
  if (value < -Float_Max) {
    return -Inf;
  }
  return static_cast<float>(value);
}

Point Chart_Point(double arm, double weight) {
  return {To_Float(arm), To_Float(weight)};
}

// Draws connected segments and keeps track of where the surface's pen truly
// is, so that a left-out segment never makes the next one start from a
// stale pen position.
class Pen_Tracker {
public:
  explicit Pen_Tracker(Drawing_Surface& surface) : surface_(surface) {}

  void Line(Point from, Point to, int color) {
    pen_ = from;
    pen_on_surface_ = false;
    Line_To(to, color);
  }

  void Line_To(Point to, int color) {
    const Point from = pen_;
    pen_ = to;
    if (!Is_Finite(from) || !Is_Finite(to)) {
      pen_on_surface_ = false;
      return;
    }
    if (pen_on_surface_) {
      surface_.Draw_Line_To(to.X, to.Y, Palette_Color(color));
    } else {
      surface_.Draw_Line(from.X, from.Y, to.X, to.Y, Palette_Color(color));
    }
    pen_on_surface_ = true;
  }

private:
  Drawing_Surface& surface_;
  Point pen_{0, 0};
  bool pen_on_surface_ = false;
};

bool Has_Extent(double low, double high) {
  return std::isfinite(low) && std::isfinite(high) && low < high;
}

} // namespace

void Draw_CG_Graphic(const Loading_Model& model, Drawing_Surface& surface) {
  surface.Clear();
  if (!Has_Extent(model.Chart_Min_Arm, model.Chart_Max_Arm) ||
      !Has_Extent(model.Chart_Min_Weight, model.Chart_Max_Weight)) {
    return;
  }
  surface.Set_Scale(model.Chart_Min_Arm, model.Chart_Max_Weight,
                    model.Chart_Max_Arm, model.Chart_Min_Weight);

  const auto& stations = model.Stations;
  const Station& empty = stations[Empty_Aircraft];
  Pen_Tracker pen(surface);

  // The loading path: point 0 is the empty aircraft, point k the running CG
  // and weight once station k is loaded.
  pen.Line(Chart_Point(empty.Arm, empty.Weight),
           Chart_Point(stations[Oil].Running_CG, stations[Oil].Running_Weight),
           model.Path_Color[0]);
  for (int k = Front_Baggage; k < Station_Count; ++k) {
    pen.Line_To(Chart_Point(stations[k].Running_CG, stations[k].Running_Weight),
                model.Path_Color[k - 1]);
  }

  // The top and aft edges of the aerobatic region.
  pen.Line(
      Chart_Point(model.Forward_CG_Limit_ARM, model.Aerobatic_Limit_Weight),
      Chart_Point(model.Aerobatic_Limit_ARM, model.Aerobatic_Limit_Weight),
      Aerobatic_Limit_Color);
  pen.Line_To(Chart_Point(model.Aerobatic_Limit_ARM, empty.Weight),
              Aerobatic_Limit_Color);

  // The envelope, from its lower forward corner round the rectangle; its
  // bottom is the empty aircraft's weight.
  const Point lower_forward =
      Chart_Point(model.Forward_CG_Limit_ARM, empty.Weight);
  pen.Line(lower_forward,
           Chart_Point(model.Forward_CG_Limit_ARM, model.Max_Allowable_Weight),
           Envelope_Color);
  pen.Line_To(Chart_Point(model.Aft_CG_Limit_ARM, model.Max_Allowable_Weight),
              Envelope_Color);
  pen.Line_To(Chart_Point(model.Aft_CG_Limit_ARM, empty.Weight),
              Envelope_Color);
  pen.Line_To(lower_forward, Envelope_Color);
}

} // namespace trimwell
