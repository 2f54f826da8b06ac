#pragma once
// The geometry data: the element store of lines and arcs that the interpreter builds from
// program text, the tables kept per geometry number 1..254, and the engraving font text.
#include <cstdint>
#include <string>
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
  int CurElementSlot() const;  // 0 = none
  void SetCurElement(int Slot);

  bool NewElement();
  void ClearElements();
  void CompactElements();
  void MoveLastElementTo(int Index);
  void DeleteGeomElements(double Number);
  void PurgeHighElements();
  bool CopyElement(int Number, int Index, int Limit);
  bool GeomExists(double Number);
  int GeomSide(double Number);
  int GetGeomCorrection(double Number);
  bool SetGeomCorrection(double Number, double Side);
  bool SetGeomName(double Number, const std::string& Name);
  // First and Last are slot numbers (0 = none).
  bool FindGeomEnds(double Number, int& First, int& Last);
  bool TrimGeomEnds(int First, int Last, double Number);
  bool FirstFreeGeomNumber(int& N) const;
  // The slots holding elements of geometry Number, ascending; empty when there are none.
  // Leaves the current element alone. An index by number is built on the first query after
  // the store changed (every non-const access to it counts as a change), so the queries of
  // one pocket cost what its own geometries hold, not what the whole store holds.
  const std::vector<int>& GeomSlots(std::int32_t Number) const;

  // ---- The interpreter ----
  // Rebuilds the store from the program text. ErrorText comes back empty when the whole
  // text was read without error, else "N" + line number + " [ " + line + " ]".
  void InterpretProgram(const std::vector<std::string>& Lines, std::string& ErrorText);

  // ---- Per-number tables, n = 1..254 ----
  OneBasedArray<std::vector<std::string>, MaxGeomNumber> GeomTexts;
  OneBasedArray<std::string, MaxGeomNumber> GeomNames;
  OneBasedArray<std::uint8_t, MaxGeomNumber> GeomClosed;
  OneBasedArray<OneBasedArray<double, ParamCount>, MaxGeomNumber> GeomParams;

  std::uint8_t Busy = 0;        // 1 while an interpreter run is in progress
  std::uint8_t FromEditor = 0;  // 1 = runs start with block 1 open

  std::vector<std::string> FontText;  // lines of the engraving font file

  TFormaDaten& Daten() { return daten_; }

 private:
  struct StoreSlot {
    GeomT Element;
    bool Used = false;
  };
  static constexpr int MaxCorrectionNumber = 509;  // SetGeomCorrection accepts 1..509

  // Empties a slot; the current element is then none if it was this one.
  void Dispose(int Slot);
  // Side of the first element with that number (making it current), -1 when none has it.
  int FirstSide(double Number);

  // Marks the index by number stale; called wherever an element may change.
  void Touch() { slotsByNumberValid_ = false; }

  TFormaDaten& daten_;
  std::vector<StoreSlot> slots_;
  int current_ = 0;
  mutable std::unordered_map<std::int32_t, std::vector<int>> slotsByNumber_;
  mutable bool slotsByNumberValid_ = false;
};

}  // namespace movra
