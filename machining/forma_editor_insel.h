#pragma once
// The calculation unit for pockets with islands: it collects the chosen contours from the
// element store, offsets them by tool radius plus allowance, finds where the hatch starts,
// and keeps the lists that the hatching and linking fill and the editor draws and saves.
#include <cstdint>
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

 private:
  struct StartSearch;

  TFormaDaten& daten_;
  TFormaGeom& geom_;
  // Type of the table entry each collected contour came from, by serial number - 1.
  std::vector<std::uint8_t> groupTypes_;
};

}  // namespace movra
