// Every kernel solver and FormatReal on reals taken from the input: raw bit patterns (huge,
// tiny, subnormal), machining-size values, axis angles and the values at the tolerances. Traps
// when a solver reports success with a non-finite result, when a failing solver writes a
// result field, when a direction leaves [0, 2pi), or when FormatReal writes something that is
// not a plain decimal number close to its value.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>

#include "geometry/forma_daten.h"

namespace {

using movra::TFormaDaten;

constexpr double pi = std::numbers::pi;

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  double Real() {
    static constexpr std::array<double, 20> kEdgeValues = {
        0.0,   1e-7, -1e-7,  1e-9, 1e-6,   1.0002, 0.01, 65535.0,
        pi,    2 * pi, pi / 2, -pi, 1e308, -1e308, std::numeric_limits<double>::min(),
        std::numeric_limits<double>::denorm_min(), 1e-300, 1e15, -1.0, 1.0};
    switch (Byte() % 4) {
      case 0: {  // any bit pattern; NaN and infinity become the largest finite value
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits = bits << 8 | Byte();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isnan(v)) return 0.0;
        if (std::isinf(v)) return std::copysign(std::numeric_limits<double>::max(), v);
        return v;
      }
      case 1: {  // machining size on a 1/64 grid, so that coincidences happen
        const auto raw = static_cast<std::int16_t>(Byte() << 8 | Byte());
        return raw / 64.0;
      }
      case 2:  // angles on the eighths of a turn
        return static_cast<std::int8_t>(Byte()) * (pi / 4);
      default:
        return kEdgeValues[Byte() % kEdgeValues.size()];
    }
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool Finite(TFormaDaten::PointT p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

bool IsDirection(double a) { return a >= 0 && a < 2 * pi; }

bool Same(const TFormaDaten::GeoResultT& a, const TFormaDaten::GeoResultT& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A plain decimal: optional "-", digits, optionally "." and digits that do not end in 0; never
// "-0". Parsed back it lies within half a unit of the last decimal of the value.
void CheckFormat(double value, int decimals) {
  const std::string text = TFormaDaten::FormatReal(value, decimals);
  if (decimals < 0) return Check(text.empty());
  Check(!text.empty() && text != "-0");
  std::size_t i = text[0] == '-' ? 1 : 0;
  const std::size_t digitsStart = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  Check(i > digitsStart);
  if (i < text.size()) {
    Check(text[i] == '.' && i + 1 < text.size() && text.back() != '0');
    for (++i; i < text.size(); ++i) Check(text[i] >= '0' && text[i] <= '9');
  }
  double back = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), back);
  Check(ec == std::errc{} && end == text.data() + text.size());
  const double expected = std::fabs(value) < 1e-6 ? 0.0 : value;
  const double unit = decimals > 300 ? 0.0 : 0.5 * std::pow(10.0, -decimals);
  Check(std::fabs(back - expected) <= unit * (1 + 1e-9) + std::fabs(expected) * 1e-15);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  double v[12];
  for (double& x : v) x = in.Real();
  const int mode = in.Byte() % 4;
  TFormaDaten daten;
  TFormaDaten::GeoResultT before;

  Check(IsDirection(TFormaDaten::DirAngle(v[0], v[1], v[2], v[3])));
  Check(TFormaDaten::Dist(v[0], v[1], v[2], v[3]) >= 0);
  daten.DistAngle(v[0], v[1], v[2], v[3]);
  Check(daten.GeoResult.Dist >= 0 && IsDirection(daten.GeoResult.Angle));

  double sweep = 0;
  TFormaDaten::ArcSweep(v[4], v[5], v[6], sweep);
  Check(std::isfinite(sweep) && sweep == TFormaDaten::ArcSweep(v[4], v[5], v[6]));
  Check(std::fabs(sweep) <= (v[4] == 0 ? 3 * pi : 2 * pi));
  const int sense = TFormaDaten::TurnSenseTest(v[4], v[5], v[6]);
  Check(sense == 0 || sense == -1);
  Check(TFormaDaten::SameDirection(v[5], v[5], 0));

  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  TFormaDaten::ElementEndPoints(1 + mode % 3, v[0], v[1], v[2], v[3], v[4], x1, y1, x2, y2);
  (void)TFormaDaten::PointOnSegment(v[0], v[1], v[2], v[3], v[4], v[5]);
  (void)TFormaDaten::PointOnArc(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
  (void)TFormaDaten::SameSense(1 + mode % 2, v[0], v[1], v[2], v[3], v[4], 1 + mode / 2, v[5],
                               v[6], v[7], v[8], v[9]);
  const double d3 =
      TFormaDaten::DistPointLine3D(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
  Check(d3 >= 0);  // not NaN

  // Each solver with results: success leaves only finite values in the fields it writes,
  // failure leaves every field as it was.
  before = daten.GeoResult;
  if (daten.LineCircleIntersect(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7])) {
    Check(Finite(daten.GeoResult.Near) && Finite(daten.GeoResult.Far));
  } else {
    Check(Same(before, daten.GeoResult));
  }

  before = daten.GeoResult;
  if (daten.OffsetLinesIntersect(v[0], v[1], v[2], v[3], v[4], v[5], v[6])) {
    const TFormaDaten::GeoResultT& r = daten.GeoResult;
    Check(Finite(r.Point) && Finite(r.Tangent1) && Finite(r.Tangent2));
  } else {
    Check(Same(before, daten.GeoResult));
  }

  before = daten.GeoResult;
  if (daten.TangentTwoCircles(v[6], v[7], v[8], v[9], v[10], v[11])) {
    const TFormaDaten::GeoResultT& r = daten.GeoResult;
    Check(std::isfinite(r.Dist) && std::isfinite(r.Angle) && Finite(r.Tangent1) &&
          Finite(r.Tangent2) && std::isfinite(r.RadialAngle1) && std::isfinite(r.RadialAngle2));
  } else {
    Check(Same(before, daten.GeoResult));
  }

  before = daten.GeoResult;
  if (daten.ArcTangentTwoCircles(v[0], v[1], v[2], v[3], v[4], v[5], v[6], mode)) {
    const TFormaDaten::GeoResultT& r = daten.GeoResult;
    Check(Finite(r.ArcCentre) && std::isfinite(r.ArcStart) && std::isfinite(r.ArcEnd) &&
          IsDirection(r.ArcStartRaw) && IsDirection(r.ArcEndRaw) && std::isfinite(r.Dist) &&
          r.Angle == r.ArcEndRaw);
  } else {
    Check(Same(before, daten.GeoResult));
  }

  double kind = 1 + mode % 3, e1 = v[7], e2 = v[8], e3 = v[9], e4 = v[10], e5 = v[11];
  daten.RotateElement(v[4], v[5], v[6], kind, e1, e2, e3, e4, e5);
  Check(kind == 1 + mode % 3);

  const int decimals = static_cast<int>(in.Byte() % 24) - 2;
  CheckFormat(v[0], decimals);
  CheckFormat(v[11], in.Byte() == 255 ? 2000 : decimals);
  return 0;
}
