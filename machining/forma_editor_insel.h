#pragma once
// The calculation unit for pockets with islands: it collects the chosen contours from the
// element store, offsets them by tool radius plus allowance, finds where the hatch starts,
// and keeps the lists that the hatching and linking fill and the editor draws and saves.
#include <cstdint>
#include <functional>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "geometry/one_based.h"
#include "geometry/tolerances.h"
#include "machining/record_list.h"

namespace movra {

class TFormaEditorInsel {
 public:
  // One line or arc of the contour, offset, hatch and path lists; zero-filled on creation.
  struct InselT {
    double Chain = 0.0;       // path: chain number (CountChains)
    std::int32_t Group = 0;   // contours and offsets: serial number of the contour;
                              // path: 1 = contour pass, 2 = hatch segment or connecting move
    double Kind = 0.0;        // 1 = line, 2 = arc
    double V1 = 0.0;          // line: start x; arc: centre x
    double V2 = 0.0;          // line: start y; arc: centre y
    double V3 = 0.0;          // line: end x;   arc: signed radius (> 0 counter-clockwise)
    double V4 = 0.0;          // line: end y;   arc: start angle (radians)
    double V5 = 0.0;          // arc: end angle
    double Sweep = 0.0;       // arc: signed sweep, filled when the path is compacted
    std::uint8_t Side = 0;    // correction of the source element: 0 G40, 1 G41, 2 G42
  };

  // One crossing of a hatch line with an offset contour. X = NoValue marks a point that
  // the sorting has already taken.
  struct HitT {
    double X = 0.0;
    double Y = 0.0;
  };

  struct ParamsT {
    double A = 0.0;  // hatch angle, radians
    double R = 0.0;  // tool radius
    double E = 0.0;  // allowance
    double K = 0.0;  // stepover as a fraction of the tool radius (0.1..1)
  };

  struct ContourEntryT {
    std::int32_t Number = 0;  // geometry number; 0 = unused; negative = collect in reverse
    std::uint8_t Type = 0;    // 0 no offset, 1 by +g (left of travel), 2 by -g,
                              // any other value keeps the offset of the contour before
  };

  // An append is refused once a list holds more than 10000 records.
  static constexpr int MaxRecords = 10001;
  static constexpr int TableSize = 254;
  // Tool radius plus allowance beyond which no pocket is offset.
  static constexpr double MaxOffset = 100.0;
  // End points closer than this count as joined.
  static constexpr double JoinTolerance = JoinGap;
  // Two values closer than this are the same.
  static constexpr double SameTolerance = Same;
  // Distance of the start search's reference line from the origin.
  static constexpr double ReferenceDistance = 32767.5;
  // Type of a table entry that keeps the offset of the contour before.
  static constexpr std::uint8_t KeepType = 255;

  // FormCreate: all lists empty.
  TFormaEditorInsel(TFormaDaten& Daten, TFormaGeom& Geom);
  // FormDestroy.
  ~TFormaEditorInsel();
  TFormaEditorInsel(const TFormaEditorInsel&) = delete;
  TFormaEditorInsel& operator=(const TFormaEditorInsel&) = delete;

  RecordList<InselT> Contours{MaxRecords};
  RecordList<InselT> Offsets{MaxRecords};
  RecordList<InselT> HatchSegments{MaxRecords};
  RecordList<HitT> HitPoints{MaxRecords};
  RecordList<InselT> Path{MaxRecords};

  std::int32_t ContourCount = 0;
  ParamsT Params;
  TFormaDaten::PointT StartPoint;
  OneBasedArray<ContourEntryT, TableSize> ContourTable;

  void Reset();
  void ClearPath() { Path.Clear(); }
  void ClearOffset() { Offsets.Clear(); }
  void ClearHatch() { HatchSegments.Clear(); }
  void ClearContours();
  void ClearHits() { HitPoints.Clear(); }

  // Writes table entry Index from the two numbers of a contour row, each taken as the
  // nearest integer. A row beyond the table, or without a number, is ignored (false). A
  // type that is no integer 0..255 keeps the offset of the contour before.
  bool SetContourEntry(int Index, double Number, double Type);

  // Stage 1: the chosen contours, in table order, each in its sense and closed.
  bool CollectContours();
  // False when an element of geometry Number is a drilling block.
  bool ContourUsable(std::int32_t Number) const;
  // Stage 2: the collected contours offset by tool radius plus allowance and joined.
  bool OffsetContours();
  // Joins P's end to C's start; true when joined or nothing to do. Nothing is done unless
  // P belongs to CurrentGroup.
  bool OffsetElement(InselT* P, InselT* C, std::int32_t CurrentGroup);
  // Stage 3: the hatch start point, the point of the offsets farthest to the right of the
  // hatch direction.
  bool FindStart();
  // Numbers the chains of the path: a new chain starts wherever the path jumps.
  void CountChains(std::int32_t& Count, std::int32_t& Chains);

  // ---- Hatching and linking ----
  // The hatch covers the pocket inside the offsets with lines at angle A, Step = R x K
  // apart, and keeps their pieces inside the pocket; the linking joins them into one path.

  // Most hatch lines of one calculation.
  static constexpr int MaxHatchLines = 1001;
  // Two lines in a row with this many hit points or more, and the same number, end the hatch.
  static constexpr int CrowdedHits = 101;
  // Until the first segment exists the lines creep from the start point by this much.
  static constexpr double CreepStep = 0.01;
  // A linked path starts at a hatch segment at least this long.
  static constexpr double MinStartSegment = 0.1;
  // A point this near an offset contour lies on it for a connecting move.
  static constexpr double LinkCapture = 0.09;

  // Set by the window: shows the hourglass on the pocket panel while the hatch runs (the
  // panel restores its cursor when its calculation ends).
  std::function<void()> ShowHourglass;
  // The last Hatch or LinkPath stopped before it covered the whole pocket: the cap of hatch
  // lines, two crowded lines in a row, or a full list. The path holds what was built.
  bool Truncated = false;

  // Hatches the pocket and puts the offsets and the segments along A into the path; the
  // number of hatch lines that had hit points. 0 at once when the busy flag is already set.
  // Pumps the window messages as it goes and stops, with an empty path, when the flag is
  // cleared.
  std::int32_t Hatch();
  // Stores a crossing of the current hatch line; false when the hatch was cancelled.
  bool AddHit(double X, double Y);
  // Sorts the hit points of the current line along A and stores the pieces inside the
  // pocket as hatch segments, in the line's sense; empties the hit list. False when the
  // hatch was cancelled.
  bool HatchLineSegments();
  // The next pair of sorted hit points in the line's sense, from the sorted position
  // Position on (advanced past the pair); false when none is left or the hatch was cancelled.
  bool NextHitPair(std::size_t& Position, HitT& From, HitT& To);
  // Links the hatch segments of the path into zig-zags joined along the offset contours;
  // true when at least one segment was linked.
  bool LinkPath();
  // Takes the hatch segment nearest to Current (its start before its end, the first of
  // equals), links to it and appends it; Current becomes its end. 0 when none is left, else
  // its number among the segments, negative when it was taken reversed.
  std::int32_t NearestSegment(TFormaDaten::PointT& Current);
  // Appends the move from From to To along the offset contour that both lie on; nothing
  // when they lie on none or on two. False when the path refused a record.
  bool LinkAlongContour(TFormaDaten::PointT From, TFormaDaten::PointT To);
  // Appends the line S to E to the path; false when the path refused it.
  bool AppendSegment(TFormaDaten::PointT S, TFormaDaten::PointT E);
  // Frees every path record whose Group is not Kind.
  void FilterPath(std::int32_t Kind);
  // Frees the path records of no length and fills the sweep of the arcs.
  void CompactPath();
  // Double click on the pocket form: cancels a running hatch.
  void FormDblClick();
  // A line record of Group from (X1, Y1) to (X2, Y2); every other field zero.
  static InselT LineRecord(double X1, double Y1, double X2, double Y2, std::int32_t Group);
  // A record of Group with the kind and values of E; every other field zero.
  static InselT ShapeRecord(const InselT& E, std::int32_t Group);

 private:
  struct StartSearch;
  // A piece of an offset record along which the distance across the hatch lines only grows
  // or only shrinks, so that a line crosses it at most once.
  struct HatchPiece {
    int Record = 0;          // offset record it belongs to
    bool Arc = false;
    double X0 = 0.0, Y0 = 0.0, X1 = 0.0, Y1 = 0.0;  // its ends, in the record's sense
    double H0 = 0.0, H1 = 0.0;                      // its ends across the lines (P.N)
    double CX = 0.0, CY = 0.0, Rho = 0.0, HC = 0.0;  // arc: centre, radius, centre.N
    bool BehindCentre = true;  // arc: lies on the side of its centre that A points away from
  };
  // What one hatch calculation keeps between its steps, reset together at its start.
  struct HatchRunT {
    double R = 0.0, Step = 0.0;  // tool radius, distance between lines
    double DX = 1.0, DY = 0.0;  // hatch direction
    double NX = 0.0, NY = 1.0;  // normal: the way the lines advance
    double Level = 0.0;         // the current line: the points P with P.N = Level
    bool Forward = true;        // sense of the next line with a pair of hit points
    bool HitsLost = false;      // the hit list refused a point of the current line
    std::vector<HatchPiece> Pieces;
    std::vector<HitT> Sorted;   // hit points of the current line along A, touches removed
  };
  // A hatch segment waiting to be linked.
  struct LinkCandidateT {
    TFormaDaten::PointT S, E;
    bool Taken = false;
  };
  // Where a point lies on the offsets: record (0 = none) and how far along it from its start
  // (arcs: the angle swept from the start).
  struct ContourSpotT {
    TFormaDaten::PointT P;
    int Record = 0;
    double Along = 0.0;
  };

  // Lets the window events run; false when they cleared the busy flag.
  static bool Pump();
  // The pieces of the offsets, split where they turn parallel to A.
  void BuildHatchPieces();
  // Intersects the current hatch line with every offset record; false when cancelled.
  bool IntersectHatchLine();
  // The offset record nearest to P within LinkCapture, or Record 0.
  ContourSpotT LocateOnOffsets(TFormaDaten::PointT P) const;
  // Appends offset record Index as a connecting move, run backwards when Reversed, from From
  // and to To where given (else from and to its own ends); false when the path refused it.
  bool AppendContourPiece(int Index, bool Reversed, const ContourSpotT* From,
                          const ContourSpotT* To);
  // Runs a record the other way; the correction side swaps with the sense of travel.
  static void Reverse(InselT& e);

  TFormaDaten& daten_;
  TFormaGeom& geom_;
  // Type of the table entry each collected contour came from, by serial number - 1.
  std::vector<std::uint8_t> groupTypes_;
  HatchRunT hatch_;
  std::vector<LinkCandidateT> linkSegments_;
};

}  // namespace movra
