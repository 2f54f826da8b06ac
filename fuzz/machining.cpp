// The machining core on any program: the input up to its first NUL byte is the program text
// (lines split at "\n"), the bytes after it give the panel parameters. The text is
// interpreted as the editor does and its geometries written back as contour and subprogram
// text. The turning contour is prepared, then finished, roughed (longitudinal or facing) or
// grooved (finishing or a roughing series), and the output written as turning text. The
// pocket contours are collected, offset and given their start point, hatched under a message
// pump that may cancel at any call, linked, filtered and compacted, in the panels' order.
// Traps when a stage reports success but left a record or point that is not finite, when a
// failed preparation wrote the caller's points, when a list passes its cap, when a written
// text holds "inf" or "nan", when a groove series goes on below the deepest point of its
// profile, or when a cancelled hatch leaves a path.
#include <algorithm>
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
#include "geometry/text_writers.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "platform/core/application.h"
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

// A written text must never show a number that is none: "inf" and "nan" are what a number
// formatter makes of them. Lines in brackets carry names taken from the program text.
void CheckText(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (!line.empty() && line.front() == '(') continue;
    Check(line.find("inf") == std::string::npos && line.find("nan") == std::string::npos);
  }
}

// The panel values, read in one fixed order before anything runs, so that the bytes a seed
// gives the older stages keep their meaning.
struct TurningParams {
  double E1 = 0, E2 = 0, E3 = 0, L1 = 0, A1 = 0, L2 = 0, A2 = 0, Typ = 0, Feed = 0;
};
struct PocketParams {
  double A = 0, R = 0, E = 0, K = 0;
  int Rows = 0;
  std::array<double, 4> Numbers{}, Types{};
};
struct MachiningParams {
  int TurnMode = 0;  // 0 finish, 1 rough longitudinal, 2 rough facing, 3 groove finish,
                     // 4 groove series, 5 groove series cleared every depth
  double Step = 0, Feed = 0, Retract = 0, K = 0;
  bool FinishAfterRough = false;
  int CancelAt = 0;  // pump call at which the busy flag is cleared; 0 = never
  bool Link = false;
  int FilterKind = 0;  // 0 none, else the group kept
  double Plane = 17;
};

TurningParams ReadTurning(Reader& in) {
  TurningParams p;
  p.E1 = in.Real(), p.E2 = in.Real(), p.E3 = in.Real();
  p.L1 = in.Real(), p.A1 = in.Real(), p.L2 = in.Real(), p.A2 = in.Real();
  p.Typ = in.Byte() % 3;  // the index of the panel's correction list
  p.Feed = in.Real();
  return p;
}

PocketParams ReadPocket(Reader& in) {
  PocketParams p;
  p.A = in.Real();
  p.R = in.Real();
  p.E = in.Real();
  p.K = std::fmin(1.0, std::fmax(0.1, std::fabs(in.Real())));  // the panel clamps
  p.Rows = 1 + in.Byte() % 4;
  for (int row = 0; row < p.Rows; ++row) {
    p.Numbers[row] = static_cast<std::int8_t>(in.Byte()) % 6;  // -5..5, 0 = unused
    static constexpr std::array<double, 5> kTypes = {0, 1, 2, 255, 7};
    p.Types[row] = kTypes[in.Byte() % kTypes.size()];
  }
  return p;
}

MachiningParams ReadMachining(Reader& in) {
  MachiningParams p;
  p.TurnMode = in.Byte() % 6;
  p.Step = in.Real();
  p.Feed = in.Real();
  p.Retract = in.Real();
  p.K = in.Real();
  p.FinishAfterRough = in.Byte() % 2 != 0;
  p.CancelAt = in.Byte() << 8 | in.Byte();
  const std::uint8_t link = in.Byte();
  p.Link = link % 2 != 0;
  p.FilterKind = link / 2 % 3;
  static constexpr std::array<double, 5> kPlanes = {17, 18, 19, 0, 17.5};
  p.Plane = kPlanes[in.Byte() % kPlanes.size()];
  return p;
}

// Every move of a list that may carry rapids: feed NoValue, 0 or a real.
void CheckMoves(const movra::RecordList<TFormaEditorTurn::TurnT>& list) {
  Check(list.Count() <= TFormaEditorTurn::MaxRecords);
  for (int i = 1; i <= list.Count(); ++i) {
    const auto* r = list(i);
    Check(r != nullptr && FiniteRecord(*r) && std::isfinite(r->Feed) && r->Side <= 2);
  }
}

// The output list as turning text; an empty list writes nothing and leaves the text alone.
void WriteTurning(TFormaEditorTurn& turn) {
  std::vector<std::string> text{"untouched"};
  const bool written = turn.WriteProgram(text);
  if (turn.OutElements.Empty()) {
    Check(!written && text.size() == 1 && text[0] == "untouched");
    return;
  }
  Check(written && !text.empty() && text[0] == "g40");
  CheckText(text);
}

// The deepest any point of the prepared contour lies from its chord, with a margin for the
// rounding of coordinates of its size: a groove pass deeper than this finds no groove.
double DeepestBound(const TFormaEditorTurn& turn, double sx, double sy, double ex, double ey) {
  const double l = std::hypot(ex - sx, ey - sy);
  if (!(l > 0.0) || !std::isfinite(l)) return std::numeric_limits<double>::infinity();
  const double nx = -(ey - sy) / l, ny = (ex - sx) / l;
  const auto dist = [&](double x, double y) { return std::fabs(nx * (x - sx) + ny * (y - sy)); };
  double bound = 0.0;
  double size = std::fmax(std::fmax(std::fabs(sx), std::fabs(sy)),
                          std::fmax(std::fabs(ex), std::fabs(ey)));
  for (int i = 1; i <= turn.InElements.Count(); ++i) {
    const auto& r = *turn.InElements(i);
    if (r.Kind == 1) {
      bound = std::fmax(bound, std::fmax(dist(r.V1, r.V2), dist(r.V3, r.V4)));
    } else {
      bound = std::fmax(bound, dist(r.V1, r.V2) + std::fabs(r.V3));
    }
    for (const double v : {r.V1, r.V2, r.V3, r.V4}) size = std::fmax(size, std::fabs(v));
  }
  return bound + 1e-9 * (bound + size) + 1e-6;
}

void Groove(TFormaEditorTurn& turn, const TurningParams& tp, const MachiningParams& mp, double sx,
            double sy, double ex, double ey) {
  const int prepared = turn.InElements.Count();
  if (mp.TurnMode == 3) {
    turn.GrooveState = {};
    const int before = turn.OutElements.Count();
    const bool ok = turn.GroovePass(sx, sy, ex, ey, mp.Step, mp.Retract, mp.K, tp.Typ, 0, mp.Feed);
    // Finishing is the profile between the move from G and the move back.
    if (ok) Check(turn.OutElements.Count() == before + prepared + 2);
  } else {
    // As the panel runs a series: depths I, 2I, ... up to 100 of them, until a pass fails.
    const double i = std::fabs(mp.Step);
    const double deepest = DeepestBound(turn, sx, sy, ex, ey);
    turn.GrooveState = {};
    for (int n = 1; n <= 101; ++n) {
      if (mp.TurnMode == 5) turn.GrooveState = {};
      if (!turn.GroovePass(sx, sy, ex, ey, n * i, i, mp.K, 0, 1, mp.Feed)) break;
      Check(n * i <= deepest);
      CheckMoves(turn.OutElements);
    }
  }
  Check(turn.InElements.Count() == prepared);
  CheckMoves(turn.OutElements);
}

void Turning(TFormaEditorTurn& turn, const TurningParams& p, const MachiningParams& mp) {
  turn.ClearLists();
  constexpr double kUntouched = -12345.678;
  double sx = kUntouched, sy = kUntouched, ex = kUntouched, ey = kUntouched;
  if (!turn.BuildContour(sx, sy, p.E1, p.E2, p.E3, p.L1, p.A1, p.L2, p.A2, p.Typ, ex, ey)) {
    Check(sx == kUntouched && sy == kUntouched && ex == kUntouched && ey == kUntouched);
    CheckList(turn.InElements, TFormaEditorTurn::MaxRecords);  // what it built is kept
    return;
  }
  Check(!turn.InElements.Empty());
  CheckList(turn.InElements, TFormaEditorTurn::MaxRecords);
  for (int i = 1; i <= turn.InElements.Count(); ++i) {
    const TFormaEditorTurn::TurnT& r = *turn.InElements(i);
    Check(r.Feed == 0 && r.Side == p.Typ);
  }
  Check(std::isfinite(sx) && std::isfinite(sy) && std::isfinite(ex) && std::isfinite(ey));

  const int prepared = turn.InElements.Count();
  switch (mp.TurnMode) {
    case 1:
    case 2: {
      const bool ok =
          mp.TurnMode == 1
              ? turn.RoughLongitudinal(0, 0, 0, 0, mp.Step, mp.Feed, mp.Retract)
              : turn.RoughFacing(0, 0, 0, 0, mp.Step, mp.Feed, mp.Retract);
      Check(turn.InElements.Count() == prepared);  // roughing leaves the contour
      CheckMoves(turn.OutElements);
      if (ok) Check(!turn.OutElements.Empty());
      turn.TidyOutput();
      CheckMoves(turn.OutElements);
      for (int i = 1; i <= turn.OutElements.Count(); ++i) {
        const auto& r = *turn.OutElements(i);
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        movra::TFormaDaten::ElementEndPoints(r.Kind, r.V1, r.V2, r.V3, r.V4, r.V5, x1, y1, x2,
                                             y2);
        Check(movra::TFormaDaten::Dist(x1, y1, x2, y2) != 0.0);
      }
      if (!mp.FinishAfterRough) break;
      [[fallthrough]];
    }
    case 0: {
      const int before = turn.OutElements.Count();
      const bool ok = turn.FinishContour(p.Typ, p.Feed);
      if (before + prepared <= TFormaEditorTurn::MaxRecords) Check(ok);
      if (ok) Check(turn.InElements.Empty() && turn.OutElements.Count() == before + prepared);
      CheckMoves(turn.OutElements);
      break;
    }
    default:
      Groove(turn, p, mp, sx, sy, ex, ey);
      break;
  }
  WriteTurning(turn);
}

// The message pump of the window, faked: it counts its calls and clears the busy flag at the
// chosen one, as a parameter change in the panel would.
struct FakePump {
  int Calls = 0;
  int CancelAt = 0;
  bool Fired = false;
  void operator()() {
    ++Calls;
    if (Calls == CancelAt) {
      Fired = true;
      movra::platform::SetApplicationTag(0);
    }
  }
};

void CheckPath(TFormaEditorInsel& insel) {
  CheckList(insel.Path, TFormaEditorInsel::MaxRecords);
  for (int i = 1; i <= insel.Path.Count(); ++i) {
    const auto& r = *insel.Path(i);
    Check((r.Group == 1 || r.Group == 2) && std::isfinite(r.Sweep) && std::isfinite(r.Chain));
  }
}

void Hatching(TFormaEditorInsel& insel, const MachiningParams& mp) {
  FakePump pump;
  pump.CancelAt = mp.CancelAt;
  movra::platform::SetApplicationTag(0);
  movra::platform::SetMessagePump([&pump] { pump(); });
  const std::int32_t lines = insel.Hatch();
  movra::platform::SetMessagePump({});
  Check(movra::platform::ApplicationTag() == 0);  // idle again, cancelled or not
  Check(lines >= 0 && lines <= TFormaEditorInsel::MaxHatchLines);
  CheckList(insel.HatchSegments, TFormaEditorInsel::MaxRecords);
  CheckPath(insel);
  if (pump.Fired) {
    Check(insel.Path.Empty());
    return;
  }
  if (mp.Link) {
    const bool linked = insel.LinkPath();
    if (linked) Check(!insel.Path.Empty());
    Check(insel.HatchSegments.Empty() || !linked);
    CheckPath(insel);
  }
  if (mp.FilterKind != 0) {
    insel.FilterPath(mp.FilterKind);
    for (int i = 1; i <= insel.Path.Count(); ++i) Check(insel.Path(i)->Group == mp.FilterKind);
  }
  insel.CompactPath();
  CheckPath(insel);
  for (int i = 1; i <= insel.Path.Count(); ++i) {
    const auto& r = *insel.Path(i);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    movra::TFormaDaten::ElementEndPoints(r.Kind, r.V1, r.V2, r.V3, r.V4, r.V5, x1, y1, x2, y2);
    Check(movra::TFormaDaten::Dist(x1, y1, x2, y2) >= TFormaEditorInsel::JoinTolerance);
    if (r.Kind == 2) Check(r.Sweep == movra::TFormaDaten::ArcSweep(r.V3, r.V4, r.V5));
  }
}

void Pocket(TFormaEditorInsel& insel, const PocketParams& p, const MachiningParams& mp) {
  insel.Reset();
  insel.Params.A = p.A;
  insel.Params.R = p.R;
  insel.Params.E = p.E;
  insel.Params.K = p.K;
  for (int row = 1; row <= p.Rows; ++row)
    insel.SetContourEntry(row, p.Numbers[row - 1], p.Types[row - 1]);

  if (!insel.CollectContours()) return;
  Check(insel.Contours.Count() > 2);
  CheckList(insel.Contours, TFormaEditorInsel::MaxRecords);
  if (!insel.OffsetContours()) return;
  Check(!insel.Offsets.Empty());
  CheckList(insel.Offsets, TFormaEditorInsel::MaxRecords);
  if (!insel.FindStart()) return;
  Check(std::isfinite(insel.StartPoint.X) && std::isfinite(insel.StartPoint.Y));
  Hatching(insel, mp);
}

// The geometries of the store written back: contour text for the first few numbers, the
// subprogram for them and for all elements at once.
void Texts(const movra::TFormaGeom& geom, double plane) {
  std::vector<int> numbers;
  for (int slot = 1; slot <= geom.ElementCount() && numbers.size() < 4; ++slot) {
    const auto* e = geom.Elements(slot);
    if (e == nullptr) continue;
    if (std::find(numbers.begin(), numbers.end(), e->GeomNo) == numbers.end())
      numbers.push_back(e->GeomNo);
  }
  std::vector<std::string> lines;
  for (const int number : numbers) {
    movra::GeometryToText(geom, number, movra::TextModeCoordinates, "", "", lines);
    CheckText(lines);
    movra::GeometryToSubprogram(geom, lines, number, plane);
    CheckText(lines);
  }
  if (movra::GeometryToSubprogram(geom, lines, 0, plane)) Check(lines.size() >= 4);
  CheckText(lines);
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
  const TurningParams turning = ReadTurning(params);
  const PocketParams pocket = ReadPocket(params);
  const MachiningParams machining = ReadMachining(params);

  geom.FromEditor = 1;  // as the editor runs it
  std::string error;
  geom.InterpretProgram(ProgramLines(text), error);
  Texts(geom, machining.Plane);

  // The panels go on only after a run without error, but a failed run leaves a store as
  // valid as any other: both generators take whatever it holds.
  Turning(turn, turning, machining);
  Pocket(insel, pocket, machining);
  return 0;
}
