#pragma once
// The geometry data: the element store of lines and arcs that the interpreter builds from
// program text, the tables kept per geometry number 1..254, and the engraving font text.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/one_based.h"

namespace movra {

class TFormaGeom {
 public:
  // One line or arc of the store; a point is a line whose two ends are equal.
  struct GeomT {
    std::uint8_t Removed = 0;   // 1 = cut away by TrimGeomEnds; readers skip it
    double OffsetDist = 0.0;    // offset distance of an equidistant or offset-pass element
    double Feed = 0.0;          // feed of the move; NoValue = rapid traverse
    std::string Name;           // name of the geometry
    std::int32_t CycleCode = 0; // 233, 283 or 284 for cycle marks, else 0
    std::int32_t GeomNo = 0;    // geometry number
    double Kind = 0.0;          // 1 = line, 2 = arc
    double V1 = 0.0;            // line: start X; arc: centre X
    double V2 = 0.0;            // line: start Y; arc: centre Y
    double V3 = 0.0;            // line: end X;   arc: signed radius (> 0 counter-clockwise)
    double V4 = 0.0;            // line: end Y;   arc: start angle (radians)
    double V5 = 0.0;            // arc: end angle; line: Z value of Z-repeat copies
    double ZLevel = 0.0;        // Z level of Z-repeat copies
    std::uint8_t Stop = 0;      // 1 = a STOP word stood after this element
    std::uint8_t Side = 0;      // 0 G40, 1 G41, 2 G42, 3 drilling block
  };

  static constexpr int MaxElements = 100000;
  static constexpr int MaxGeomNumber = 254;
  static constexpr int ParamCount = 10;
  static constexpr int DerivedOffset = 1000;    // derived copies carry n + 1000
  static constexpr int FirstPurgedNumber = 508; // numbers from here on are temporaries

  // ExeFolder is the folder of the executable, ending with "/", or empty; the engraving
  // font "Default/Engraving.txt" is loaded from it when it exists.
  TFormaGeom(TFormaDaten& Daten, const std::string& ExeFolder);

  // ---- The store: slots 1..ElementCount, each holding an element or empty ----
  int ElementCount() const;
  // The element in slot Slot (1-based), or nullptr for an empty slot or a slot out of range.
  // The pointer is valid until the next operation that adds or removes elements.
  GeomT* Elements(int Slot);
  const GeomT* Elements(int Slot) const;
  // The current element, or nullptr when there is none. Never dangles.
  GeomT* CurElement();
  const GeomT* CurElement() const;
  int CurElementSlot() const;  // 0 = none
  void SetCurElement(int Slot);

  bool NewElement();
  void ClearElements();
  void CompactElements();
  void MoveLastElementTo(int Index);
  // From FromSlot on only, for a caller that knows the elements lie there.
  void DeleteGeomElements(double Number, int FromSlot = 1);
  void PurgeHighElements();
  bool CopyElement(int Number, int Index, int Limit);
  // The searches by number. Called on the store itself (the interpreter and the operations)
  // they make each element they examine current in turn, so afterwards the current element
  // is the one found or the last one examined. Called through a const store (painting, snap,
  // panels) they leave the current element alone.
  bool GeomExists(double Number);
  bool GeomExists(double Number) const;
  int GeomSide(double Number);
  int GeomSide(double Number) const;
  int GetGeomCorrection(double Number);
  int GetGeomCorrection(double Number) const;
  // First and Last are slot numbers (0 = none).
  bool FindGeomEnds(double Number, int& First, int& Last);
  bool FindGeomEnds(double Number, int& First, int& Last) const;
  bool SetGeomCorrection(double Number, double Side);
  bool SetGeomName(double Number, const std::string& Name);
  bool TrimGeomEnds(int First, int Last, double Number);
  bool FirstFreeGeomNumber(int& N) const;
  // Disposes the element of the last slot and shortens the store by one.
  void DropLastElement();
  // Appends an element of Number with Side and the shape given; nullptr when a value is not
  // finite or the store is full. It becomes the current element.
  GeomT* AppendShape(double Number, std::uint8_t Side, double Kind, double V1, double V2,
                     double V3, double V4, double V5);

  // ---- Equidistant contour and leads ----
  // The elements of |SourceNo| are replaced by their equidistant at Dist (left of travel for
  // Side 1, right for Side 2, taken from the first element; Side 0 copies them unmoved),
  // appended as TargetNo. The chain's first and last elements must be lines and keep their
  // outer ends: they become the moves onto and off the equidistant. False when the offset
  // cannot be made (elements built so far stay). A caller that knows the source lies in
  // slots FromSlot and after passes it, so that a long store is not walked for each chain.
  bool OffsetGeometry(double SourceNo, double TargetNo, double Dist, int FromSlot = 1);
  // After a join changed the arc in the last slot, whose sweep was SweepBefore: true keeps
  // it, or drops it when the join used it up exactly; false (dropped) when the join turned
  // it round or left a sliver.
  bool CheckCornerArc(double SweepBefore);
  // False only when the two directions are perpendicular.
  static bool CompareDirections(double A1, double A2);
  // The leads of geometry Number (angles in radians; NoValue where not given). Approaches go
  // before its first element, departures after the last slot; Before (when given) receives
  // how many elements were placed before the first. False when no lead could be made.
  bool AddLineLeads(double Number, double L1, double A1, double L2, double A2,
                    int* Before = nullptr);
  bool AddArcLeads(double Number, double R1, double A1, double R2, double A2,
                   int* Before = nullptr);
  bool AddCorrectionLeads(double Number, double D1, double C1, double D2, double C2,
                          int* Before = nullptr);
  // The slots holding elements of geometry Number, ascending; empty when there are none.
  // Leaves the current element alone. An index by number is built on the first query after
  // the store changed (every non-const access to it counts as a change), so the queries of
  // one pocket cost what its own geometries hold, not what the whole store holds.
  const std::vector<int>& GeomSlots(std::int32_t Number) const;

  // ---- Block transformations ----
  // GeomNo selects the elements of that number, or every element when it is 0 or less; a
  // run is the selected slots from the first selected one up to the first other element.
  // Angles in radians. Each returns false when one of its checks fails, and when a copy
  // does not fit into the store.
  // Axis 1 negates X, 2 negates Y, on every selected element; sides and senses swap.
  bool MirrorGeometry(double GeomNo, double Axis);
  // Count 0 turns the run in place by Angle about (CX, CY); Count 1..1000 appends Count
  // turned copies of it at Angle, 2 Angle, ...
  bool RotateGeometry(double GeomNo, double CX, double CY, double Angle, double Count);
  // Coordinates and radii of every selected element times |Factor| about the origin;
  // false for the factors 0 and 1.
  bool ScaleGeometry(double GeomNo, double Factor);
  // The geometry and its derived copy n + 1000 run the other way: each element reversed and
  // appended from the last to the first, the sources disposed.
  bool ReverseGeometry(double GeomNo);
  // Count 0 moves the run within slots 1..Limit (0: all) by (DX, DY); Count 1..100 appends
  // Count shifted copies at (DX, DY), 2 (DX, DY), ... With DX and DY both 0 the step is
  // the contour's own span from start to end (refused for a closed contour).
  bool RepeatGeometry(double GeomNo, double DX, double DY, double Count, double Limit);

  // ---- The interpreter ----
  // Rebuilds the store from the program text. ErrorText comes back empty when the whole
  // text was read without error, else "N" + line number + " [ " + line + " ]".
  // A call while a run is in progress (from a window event at one of its pump points)
  // returns at once and changes nothing; such callers use RequestRun instead.
  void InterpretProgram(const std::vector<std::string>& Lines, std::string& ErrorText);

  // ---- Re-entry ----
  // A run lets window events in once per line (a pump point) while the store is half built.
  // Those events may read the store (through a const TFormaGeom&) but not change it: every
  // mutator asserts in debug and sanitizer builds when it is called from inside a pump point.
  // Asks for a run of Lines after the current one instead of having it dropped. The latest
  // request wins; it runs as soon as the current run has finished, inside the same
  // InterpretProgram call, whose ErrorText then tells the outcome of the text the store
  // now holds; Done (when given) gets that error text too. Outside a run it runs at once.
  void RequestRun(std::vector<std::string> Lines,
                  std::function<void(const std::string& ErrorText)> Done = {});
  bool RunRequested() const { return pending_.has_value(); }
  // A pump point of a run: lets pending window events run (platform::ProcessMessages).
  void PumpMessages();
  bool InsidePump() const { return pumpDepth_ > 0; }

  // ---- Per-number tables, n = 1..254 ----
  OneBasedArray<std::vector<std::string>, MaxGeomNumber> GeomTexts;
  OneBasedArray<std::string, MaxGeomNumber> GeomNames;
  OneBasedArray<std::uint8_t, MaxGeomNumber> GeomClosed;
  OneBasedArray<OneBasedArray<double, ParamCount>, MaxGeomNumber> GeomParams;

  std::uint8_t Busy = 0;        // 1 while an interpreter run is in progress
  std::uint8_t FromEditor = 0;  // 1 = runs start with block 1 open

  std::vector<std::string> FontText;  // lines of the engraving font file

  // ---- Engraving: the stroke font (engraving_font.cpp) and FTEXT (engraving.cpp) ----
  // One stroke of a glyph in font units (capitals 0..1 high): a line (Kind 1: x1 y1 x2 y2 0)
  // or an arc (Kind 2: centre x, centre y, signed radius, start and end angle).
  struct TGlyph {
    double Code = 0;  // Unicode code point of the character
    double Kind = 0;
    double V1 = 0;
    double V2 = 0;
    double V3 = 0;
    double V4 = 0;
    double V5 = 0;
  };
  std::vector<TGlyph> Glyphs;  // the strokes in file order; written only by the loader
  int GlyphLast = -1;          // index of the last stroke, -1 = no font
  double SpaceWidth = 0;       // width of a blank, also the gap between letters

  // Builds the glyph table from FontText. False, with the table empty, when neither a stroke
  // nor the blank's width was read.
  bool LoadEngravingFont();
  void ClearGlyphs();
  // Widens [MinX, MaxX] by the X extent of stroke Index (an arc by its ends and by the
  // extreme points of its circle that lie on it).
  void GlyphExtent(int Index, double& MinX, double& MaxX) const;
  // Moves an element from glyph space into place: (x, y) -> (X, Y) + Rot(Angle)(x, y + R).
  static void PlaceGlyphElement(GeomT& Element, double X, double Y, double R, double Angle);
  // Engraves Text (UTF-8) as elements of GeomNo at (X, Y), A in radians; straight for R 0,
  // else on the circle of radius R about (X, Y). False, with no element added, when nothing
  // can be engraved or the text does not fit the circle or the store.
  bool EngraveText(std::string_view Text, double GeomNo, double X, double Y, double A, double R,
                   double H, double K);

  TFormaDaten& Daten() { return daten_; }

 private:
  struct StoreSlot {
    GeomT Element;
    bool Used = false;
  };
  static constexpr int MaxCorrectionNumber = 509;  // SetGeomCorrection accepts 1..509

  struct PendingRun {
    std::vector<std::string> Lines;
    std::function<void(const std::string&)> Done;
  };
  // Fails loudly (debug and sanitizer builds) when the store is changed from a pump point.
  void CheckNotPumping() const;
  // Runs the requested texts, one after the other, until none is left.
  void RunRequests(std::string& ErrorText);
  // One run of Lines with Busy set.
  void RunOnce(const std::vector<std::string>& Lines, std::string& ErrorText);

  // The element of a slot known to hold one (a slot WalkSlots visited).
  GeomT& At(int Slot) { return slots_[static_cast<std::size_t>(Slot - 1)].Element; }
  const GeomT& At(int Slot) const { return slots_[static_cast<std::size_t>(Slot - 1)].Element; }
  // Empties a slot; the current element is then none if it was this one.
  void Dispose(int Slot);
  // The one walk over the store: the slots holding an element from From to To in steps of
  // Step (1 or -1), Visit(slot) on each until it returns true. Returns the last slot
  // visited, 0 when none was. Callers decide whether that becomes the current element.
  template <class Visit>
  int WalkSlots(int From, int To, int Step, Visit&& visit) const;
  // The first slot whose element has the number (0 none) and the last slot examined.
  int FirstOfNumber(double Number, int& Examined) const;
  // Side of the first element with that number, -1 when none has it.
  int FirstSide(double Number, int& Examined) const;
  int GeomEnds(double Number, int& First, int& Last) const;  // returns the last examined
  // The last slot whose element has the number (0 none).
  int LastOfNumber(double Number) const;
  // The run First..Last moved in place (Steps 0, Move(element, 1)) or appended as Steps
  // copies, Move(copy, k) for the k-th; each copy keeps its source's number and side. False
  // when a copy does not fit.
  template <class Move>
  bool TransformRun(int First, int Last, double Steps, Move&& move);
  // The run of GeomNo within slots 1..Limit; false when nothing is selected there.
  bool SelectedRun(double GeomNo, int Limit, int& First, int& Last) const;
  // Joins the offset element C (last slot) to P, the one built before it; Dist is the
  // signed offset, SweepBefore C's sweep before the join, LastKept whether C is the chain's
  // last line, which keeps its outer end. False: the offset fails.
  bool JoinOffsetCorner(GeomT& P, GeomT& C, double Dist, double SweepBefore, bool LastKept);
  // A lead element of Number with Side, appended; placed in slot Index + 1 when Index >= 0.
  bool AddLead(double Number, std::uint8_t Side, int Index, double Kind, double V1, double V2,
               double V3, double V4, double V5);

  // The strokes of one character: glyphOrder_[Begin, End) lists them in file order; MinX
  // and MaxX are their extent.
  struct GlyphSpan {
    std::uint32_t Code = 0;
    int Begin = 0;
    int End = 0;
    double MinX = 0;
    double MaxX = 0;
  };
  void IndexGlyphs();
  const GlyphSpan* FindGlyph(std::uint32_t Code) const;

  std::vector<int> glyphOrder_;        // stroke indices sorted by code, then file order
  std::vector<GlyphSpan> glyphSpans_;  // sorted by code

  // Marks the index by number stale; called wherever an element may change.
  void Touch() { slotsByNumberValid_ = false; }

  TFormaDaten& daten_;
  std::vector<StoreSlot> slots_;
  int current_ = 0;
  int purgedThrough_ = 0;  // slots 1..purgedThrough_ hold no scratch element (last purge)
  int pumpDepth_ = 0;
  std::optional<PendingRun> pending_;
  mutable std::unordered_map<std::int32_t, std::vector<int>> slotsByNumber_;
  mutable bool slotsByNumberValid_ = false;
};

}  // namespace movra
