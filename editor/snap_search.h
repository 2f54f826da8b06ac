#pragma once
// The snap search: the point nearest to the mouse among the candidate points of every
// element, of the pocket path and of the turning moves, the model origin and the pole. The
// winner becomes the cursor point and its owner the hovered element. The search only reads
// the store (the current element stays where it is) and needs no window, so tests call it
// with a mouse pixel, a view and the lists.
#include <cstdint>
#include <optional>

#include "editor/editor_view.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "machining/record_list.h"

namespace movra {

// No candidate lies this far from the mouse (pixels): the distance every search starts with.
inline constexpr double NoSnapDistance = 65535.0;
// The mouse holds onto the cursor point while it stays closer than this, in pixels, along
// both axes.
inline constexpr int LatchPixels = 5;
// Start and end are offered this far inside their element (drawing units), so that at a
// shared corner the element on whose side the mouse lies wins.
inline constexpr double EndPointNudge = 1e-7;
// The box that holds an item's candidates is widened by this (drawing units, well beyond the
// nudge) and its distance from the mouse needs this much more than the best distance
// (pixels) before the item is passed over: rounding never decides.
inline constexpr double ReachBoxMargin = 1e-6;
inline constexpr double ReachPixelSlack = 1.0;

// What the search looks through and how.
struct SnapSources {
  explicit SnapSources(const TFormaGeom& Store) : Geom(Store) {}

  const TFormaGeom& Geom;
  const RecordList<TFormaEditorInsel::InselT>* PocketPath = nullptr;  // none: nothing offered
  const RecordList<TFormaEditorTurn::TurnT>* TurnOutput = nullptr;    // none: nothing offered
  bool AllParameters = true;  // the optional candidates too ("All parameters")
  // The element scroll bar is in use: only the element in this slot is looked at.
  std::optional<int> PickedSlot;
};

// The data of the item whose candidates are being offered; a winning candidate copies it
// into the hover record.
struct SnapCandidateT {
  double Feed = 0.0;
  double E = 0.0;
  std::int32_t Number = 0;
  double Kind = 0.0;
  double V1 = 0.0;
  double V2 = 0.0;
  double V3 = 0.0;
  double V4 = 0.0;
  double V5 = 0.0;
  double Z = 0.0;
  std::uint8_t Corr = 0;
  std::int32_t Position = 0;
};

// One search over one view: the best distance so far and the candidate record.
class SnapSearch {
 public:
  using PointsT = OneBasedArray<ConstructionPointT, ConstructionPointCount>;

  SnapSearch(EditorView& View, bool AllParameters) : view_(View), all_(AllParameters) {}

  SnapCandidateT Record;               // the item on offer
  double BestDist = NoSnapDistance;    // pixels to the best candidate so far

  // Offers one lone model point (the origin, the pole) with Record; true when it is
  // strictly nearer than every earlier one, and then the hover record and the cursor point
  // are its and no construction points are kept.
  bool TrySnapCandidate(double X, double Y);
  // Offers the candidates of Record by candidate number and returns their points (unset
  // where a candidate is not offered).
  const PointsT& CollectSnapCandidates();
  // True when no candidate of Record can be nearer than the best so far: the box that holds
  // them all lies farther from the mouse. Most items of a large drawing end here, before a
  // single sine is taken.
  bool OutOfReach() const;
  // The points of the item that owns the best candidate; all unset when the origin or the
  // pole won or nothing did.
  const PointsT& WinnerPoints() const { return winnerPoints_; }
  // The mouse takes the cursor point when it lies within LatchPixels of it.
  void LatchCursor();

 private:
  // Pixels from the mouse to the model point, when strictly less than the best distance.
  bool Nearer(double X, double Y, double& D) const;
  // The hover record from Record, the cursor point (X, Y), SnapKind 0.
  void TakeRecord(double X, double Y);
  // Offers candidate K at (OX, OY); its point is P, the cursor point should it win.
  void Offer(int K, double PX, double PY, double OX, double OY, bool& Won);

  EditorView& view_;
  bool all_;
  struct WinT {
    int K = 0;
    double X = 0.0;
    double Y = 0.0;
  };
  WinT win_;                 // the best candidate of the item on offer
  PointsT points_;           // the item on offer
  PointsT winnerPoints_;     // the item that owns the best candidate
};

// Record of an element, a pocket path item or a turning move at position Position.
SnapCandidateT CandidateOf(const TFormaGeom::GeomT& Element, std::int32_t Position);
SnapCandidateT CandidateOf(const TFormaEditorInsel::InselT& Item, std::int32_t Position);
SnapCandidateT CandidateOf(const TFormaEditorTurn::TurnT& Item, std::int32_t Position);

// The whole search from View.MousePixel: the hover record, SnapKind, ConstructionPoints and
// the cursor point of View, and the latch of MouseModelX/Y. Nothing happens (false) while a
// pocket computation (the application's busy flag) or an interpreter run is in progress:
// the picture shown is then the last finished one, and the hover stays with it.
bool FindSnapPoint(EditorView& View, const SnapSources& Sources);

}  // namespace movra
