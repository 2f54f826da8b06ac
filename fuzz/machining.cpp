// The machining core on any program: the input up to its first NUL byte is the program text
// (lines split at "\n"), the bytes after it give the panel parameters. The text is
// interpreted as the editor does, then the turning contour is prepared and finished, and the
// pocket contours are collected, offset and given their start point, in the panels' order.
// Traps when a stage reports success but left a record or point that is not finite, when a
// failed preparation wrote the caller's points, or when a list passes its cap.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "program_lines.h"

namespace {

using movra::NoValue;
using movra::TFormaEditorInsel;
using movra::TFormaEditorTurn;

constexpr double pi = std::numbers::pi;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// Panel values from the bytes after the program; missing bytes read as 0.
class Reader {
 public:
  explicit Reader(std::string_view Bytes) : bytes_(Bytes) {}

  std::uint8_t Byte() {
    return pos_ < bytes_.size() ? static_cast<std::uint8_t>(bytes_[pos_++]) : 0;
  }

  double Real() {
    static constexpr std::array<double, 16> kEdgeValues = {
        NoValue, 0.0, 1e-7, -1e-7, 0.001, -0.001, 100.0, 100.0001,
        -100.0,  pi,  pi / 2, -pi,  1e300, -1e300, 1e-300, 32767.5};
    switch (Byte() % 4) {
      case 0:
      case 1: {  // machining size on a 1/16 grid, so that coincidences happen
        const auto raw = static_cast<std::int16_t>(Byte() << 8 | Byte());
        return raw / 16.0;
      }
      case 2:
        return kEdgeValues[Byte() % kEdgeValues.size()];
      default: {  // any bit pattern; an input field never yields NaN or infinity
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits = bits << 8 | Byte();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isnan(v)) return NoValue;
        if (std::isinf(v)) return std::copysign(std::numeric_limits<double>::max(), v);
        return v;
      }
    }
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

template <class Record>
bool FiniteRecord(const Record& r) {
  return (r.Kind == 1 || r.Kind == 2) && std::isfinite(r.V1) && std::isfinite(r.V2) &&
         std::isfinite(r.V3) && std::isfinite(r.V4) && std::isfinite(r.V5);
}

template <class List>
void CheckList(List& list, int cap) {
  Check(list.Count() <= cap);
  for (int i = 1; i <= list.Count(); ++i) {
    const auto* r = list(i);
    Check(r != nullptr && FiniteRecord(*r));
  }
}

void Turning(TFormaEditorTurn& turn, Reader& in) {
  const double e1 = in.Real(), e2 = in.Real(), e3 = in.Real();
  const double l1 = in.Real(), a1 = in.Real(), l2 = in.Real(), a2 = in.Real();
  const double typ = in.Byte() % 3;  // the index of the panel's correction list
  const double feed = in.Real();

  turn.ClearLists();
  constexpr double kUntouched = -12345.678;
  double sx = kUntouched, sy = kUntouched, ex = kUntouched, ey = kUntouched;
  if (!turn.BuildContour(sx, sy, e1, e2, e3, l1, a1, l2, a2, typ, ex, ey)) {
    Check(sx == kUntouched && sy == kUntouched && ex == kUntouched && ey == kUntouched);
    CheckList(turn.InElements, TFormaEditorTurn::MaxRecords);  // what it built is kept
    return;
  }
  Check(!turn.InElements.Empty());
  CheckList(turn.InElements, TFormaEditorTurn::MaxRecords);
  for (int i = 1; i <= turn.InElements.Count(); ++i) {
    const TFormaEditorTurn::TurnT& r = *turn.InElements(i);
    Check(r.Feed == 0 && r.Side == typ);
  }
  Check(std::isfinite(sx) && std::isfinite(sy) && std::isfinite(ex) && std::isfinite(ey));

  const int prepared = turn.InElements.Count();
  Check(turn.FinishContour(typ, feed));
  Check(turn.InElements.Empty() && turn.OutElements.Count() == prepared);
  CheckList(turn.OutElements, TFormaEditorTurn::MaxRecords);
}

void Pocket(TFormaEditorInsel& insel, Reader& in) {
  insel.Reset();
  insel.Params.A = in.Real();
  insel.Params.R = in.Real();
  insel.Params.E = in.Real();
  insel.Params.K = std::fmin(1.0, std::fmax(0.1, std::fabs(in.Real())));  // the panel clamps
  const int rows = 1 + in.Byte() % 4;
  for (int row = 1; row <= rows; ++row) {
    const double number = static_cast<std::int8_t>(in.Byte()) % 6;  // -5..5, 0 = unused
    static constexpr std::array<double, 5> kTypes = {0, 1, 2, 255, 7};
    insel.SetContourEntry(row, number, kTypes[in.Byte() % kTypes.size()]);
  }

  if (!insel.CollectContours()) return;
  Check(insel.Contours.Count() > 2);
  CheckList(insel.Contours, TFormaEditorInsel::MaxRecords);
  if (!insel.OffsetContours()) return;
  Check(!insel.Offsets.Empty());
  CheckList(insel.Offsets, TFormaEditorInsel::MaxRecords);
  if (!insel.FindStart()) return;
  Check(std::isfinite(insel.StartPoint.X) && std::isfinite(insel.StartPoint.Y));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static movra::TFormaDaten daten;
  static movra::TFormaGeom geom(daten, "");
  static TFormaEditorTurn turn(daten, geom);
  static TFormaEditorInsel insel(daten, geom);

  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find('\0');
  const std::string_view text = input.substr(0, cut);
  Reader params(cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1));

  geom.FromEditor = 1;  // as the editor runs it
  std::string error;
  geom.InterpretProgram(ProgramLines(text), error);

  // The panels go on only after a run without error, but a failed run leaves a store as
  // valid as any other: both generators take whatever it holds.
  Turning(turn, params);
  Pocket(insel, params);
  return 0;
}
