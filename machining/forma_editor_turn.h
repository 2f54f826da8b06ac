#pragma once
// The turning generator: prepares the turning contour from the element store (shift,
// equidistant offset for the tool-nose correction, corner joins, approach and departure)
// into the input list, and turns it into machine moves in the output list.
//
// Axes: geometry x is the turning length axis, geometry y the radius. Angles in radians.
#include <cstdint>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/record_list.h"

namespace movra {

class TFormaEditorTurn {
 public:
  // One move of the output list or one element of the prepared contour.
  struct TurnT {
    double Feed = 0.0;      // NoValue = rapid; 0 = none (every input record)
    double Kind = 0.0;      // 1 = line, 2 = arc
    double V1 = 0.0;        // line: start x; arc: centre x
    double V2 = 0.0;        // line: start y; arc: centre y
    double V3 = 0.0;        // line: end x;   arc: signed radius (> 0 counter-clockwise)
    double V4 = 0.0;        // line: end y;   arc: start angle
    double V5 = 0.0;        // arc: end angle; 0 for lines
    std::uint8_t Side = 0;  // 0 G40, 1 G41, 2 G42
  };

  static constexpr int MaxRecords = 10000;

  TFormaEditorTurn(TFormaDaten& Daten, TFormaGeom& Geom);

  RecordList<TurnT> OutElements{MaxRecords};  // generated moves, in machining order
  RecordList<TurnT> InElements{MaxRecords};   // prepared contour, in contour order

  void ClearLists();
  void ClearOut();
  void ClearIn();
  bool AddOut();
  bool AddIn();

  // Rebuilds the input list from the element store. E1, E2 shift along x and y; E3 is the
  // equidistant distance (left of travel for G41, right for G42, ignored for G40); L1/A1
  // and L2/A2 give the approach and departure lines (NoValue or L = 0: none); Typ is the
  // correction side 0, 1, 2. True only when the whole contour was prepared; then the var
  // points receive its start and end. A preparation that stops early returns false,
  // keeps what it built in the list and leaves the var points alone.
  bool BuildContour(double& StartX, double& StartY, double E1, double E2, double E3, double L1,
                    double A1, double L2, double A2, double Typ, double& EndX, double& EndY);
  // Start of the first and end of the last input record; false for an empty list.
  bool ContourEnds(double& StartX, double& StartY, double& EndX, double& EndY);
  // The finishing pass: the prepared contour copied into the output list with Feed and
  // the side Typ; the input list is consumed. False for an empty input list.
  bool FinishContour(double Typ, double Feed);

  // ---- Roughing ----
  // Removes the stock between the prepared contour and its ends level by level: lines
  // parallel to x stepped along y (longitudinal) or parallel to y stepped along x (facing).
  // The four points are taken from the input list (the values passed in are ignored); Step
  // is the depth of cut (at least 0.1), Feed the feed of the cuts (NoValue: none written),
  // Retract the lift-off (0 or NoValue: half the step). Appends to the output list and
  // tidies it; the input list stays. True when at least one level was machined and the
  // whole roughing fitted into the output list; a roughing cut short by the full list keeps
  // what it appended but returns false, so that it is never taken for a finished one.
  bool RoughLongitudinal(double StartX, double StartY, double EndX, double EndY, double Step,
                         double Feed, double Retract);
  bool RoughFacing(double StartX, double StartY, double EndX, double EndY, double Step,
                   double Feed, double Retract);
  // Frees every output move whose start and end coincide and renumbers the rest.
  void TidyOutput();

  // ---- Turning text ----
  // The output list as program text, one line per move: "g40", a rapid positioning line,
  // then the moves with v (x) and w (the radius y doubled, a diameter), arcs as "b r [2]",
  // g41/g42/g40 where the correction changes, f where the feed changes, max for rapids.
  // False for an empty output list (List is then left alone).
  bool WriteProgram(std::vector<std::string>& List);

  // ---- Groove cycle ----
  // The prepared contour is the groove profile, the line from its start to its end (the
  // chord) the opening. One pass finishes the groove (Rough 0) or roughs it at one depth
  // from the chord (Rough not 0); a roughing series calls it for growing depths until false.

  // Links one roughing depth to the next. Reset with one assignment (GrooveState = {}):
  // before finishing, once before a series of depths, or before every depth.
  struct GrooveStateT {
    std::uint8_t Valid = 0;        // 1 once a pass has stored its entry and exit
    std::int32_t EntryIndex = 0;   // input record holding the last pass's entry; 0 = none
    std::int32_t ExitIndex = 0;    // input record holding the last pass's exit; 0 = none
    double EntryX = 0.0, EntryY = 0.0;
    double ExitX = 0.0, ExitY = 0.0;
    // 1 when the last pass stopped because the output list was full: its false then means
    // an unfinished groove, not the end of the series.
    std::uint8_t OutputFull = 0;
  };
  GrooveStateT GrooveState;

  // One groove pass. StartX..EndY are the contour's ends as BuildContour gave them; Depth is
  // measured from the chord, Step is the approach distance, K the distance of the start
  // point G from the chord's middle (on the side away from the groove), Typ the correction
  // side of finishing moves, Feed the feed of every cutting move. True when the pass cut
  // across the groove (roughing) or found the groove at all (finishing); false with nothing
  // appended on bad input; false after the bottom pass that ends a series.
  bool GroovePass(double StartX, double StartY, double EndX, double EndY, double Depth,
                  double Step, double K, double Typ, double Rough, double Feed);

 private:
  enum class Join { Done, Failed };

  Join JoinLast(double SourceSweep);
  // Removes the last input record when trimming made the arc run the other way round.
  void DropFlippedArc(double SourceSweep);
  // Appends a lead line; false when it is refused or does not lie in the reals.
  bool AddLine(double X1, double Y1, double X2, double Y2, std::uint8_t Side);

  // One roughing run and one writing run: the state their inner steps share.
  struct RoughRun;
  struct WriteRun;
  bool Rough(RoughRun& Run);
  bool CutAtLevel(RoughRun& Run);
  bool CutAtLevelFacing(RoughRun& Run);
  bool AppendPiece(RoughRun& Run);
  bool AppendMove(RoughRun& Run, double X1, double Y1, double X2, double Y2, double Feed);
  void WriteLine(WriteRun& Run, const TurnT& Record);

  // ---- Groove cycle ----
  struct GrooveRun;  // one pass: chord, depth, start point G, what it found and appended
  // Signed distance from the chord of sample Sample of input record Record (positive on the
  // left of the chord); X, Y receive the sample.
  double GrooveDepthProbe(const GrooveRun& Run, int Record, std::int64_t Sample, double& X,
                          double& Y) const;
  // Rapid from G to Step short of (X, Y), then feed onto it (only the feed when (X, Y) lies
  // no farther from G than Step; nothing when it is G).
  bool GrooveApproach(GrooveRun& Run, double X, double Y);
  // Rapid from the end of the last move back to G.
  bool GrooveRetract(GrooveRun& Run);

  TFormaDaten& daten_;
  TFormaGeom& geom_;
};

}  // namespace movra
