// The element store, the per-number tables and the loading of the engraving font text.
//
// The current element is a slot number, never a pointer: it is 0 (none) or a slot that holds
// an element. Operations that walk the slots make each element they examine current in turn;
// an element that is disposed while current leaves no current element behind. Operations that
// move or compact slots keep the current element (it follows to its new slot). The searches
// through a const store (GeomExists, GeomSide, GetGeomCorrection, FindGeomEnds) leave the
// current element alone, so painting and snapping may ask them at any time.
#include "geometry/forma_geom.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "geometry/element_points.h"
#include "platform/core/application.h"
#include "platform/core/text_file.h"

namespace movra {
namespace {

// A font file larger than this is no font.
constexpr std::uintmax_t MaxFontFileSize = 16u * 1024u * 1024u;

// A geometry number given as a real names number n only when it holds exactly n.
bool IsNumber(const TFormaGeom::GeomT& e, double Number) {
  return static_cast<double>(e.GeomNo) == Number;
}

}  // namespace

TFormaGeom::TFormaGeom(TFormaDaten& Daten, const std::string& ExeFolder) : daten_(Daten) {
  GeomNames.Fill(std::string());
  GeomClosed.Fill(0);
  for (auto& params : GeomParams) params.Fill(0.0);
  // The whole store is reserved at once: address space only, the pages are touched as the
  // elements come. Appending then never moves the elements that are already there.
  slots_.reserve(MaxElements);
  // Without a known folder no font is looked for (the working folder is no substitute).
  if (!ExeFolder.empty()) {
    // The font is plain ASCII strokes; a stray high byte is taken as Windows-1252.
    platform::ReadTextLines(std::filesystem::path(ExeFolder) / "Default" / "Engraving.txt",
                            MaxFontFileSize, false, FontText);
  }
}

// ---- Slots ----

int TFormaGeom::ElementCount() const { return static_cast<int>(slots_.size()); }

TFormaGeom::GeomT* TFormaGeom::Elements(int Slot) {
  Touch();  // the caller may rewrite the element, its number too
  if (Slot < 1 || Slot > ElementCount()) return nullptr;
  auto& s = slots_[static_cast<std::size_t>(Slot - 1)];
  return s.Used ? &s.Element : nullptr;
}

const TFormaGeom::GeomT* TFormaGeom::Elements(int Slot) const {
  if (Slot < 1 || Slot > ElementCount()) return nullptr;
  const auto& s = slots_[static_cast<std::size_t>(Slot - 1)];
  return s.Used ? &s.Element : nullptr;
}

TFormaGeom::GeomT* TFormaGeom::CurElement() { return Elements(current_); }

const TFormaGeom::GeomT* TFormaGeom::CurElement() const { return Elements(current_); }

int TFormaGeom::CurElementSlot() const { return current_; }

void TFormaGeom::SetCurElement(int Slot) {
  CheckNotPumping();
  current_ = Elements(Slot) ? Slot : 0;
}

void TFormaGeom::Dispose(int Slot) {
  Touch();
  auto& s = slots_[static_cast<std::size_t>(Slot - 1)];
  s.Element = GeomT();  // frees the name now, not at the next compaction
  s.Used = false;
  if (current_ == Slot) current_ = 0;
}

template <class Visit>
int TFormaGeom::WalkSlots(int From, int To, int Step, Visit&& visit) const {
  int last = 0;
  for (int slot = From; Step > 0 ? slot <= To : slot >= To; slot += Step) {
    if (!slots_[static_cast<std::size_t>(slot - 1)].Used) continue;
    last = slot;
    if (visit(slot)) break;
  }
  return last;
}

// ---- Re-entry ----

void TFormaGeom::PumpMessages() {
  struct Depth {
    int& Count;
    explicit Depth(int& c) : Count(c) { ++Count; }
    ~Depth() { --Count; }  // also when an event handler throws
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;
  } depth(pumpDepth_);
  platform::ProcessMessages();
}

void TFormaGeom::CheckNotPumping() const {
  // A window event at a pump point changed the store under the run that is building it:
  // it must read the last finished picture or ask for a run after this one (RequestRun).
  assert(pumpDepth_ == 0 && "store changed from a window event inside a running interpreter");
}

// ---- Store operations ----

bool TFormaGeom::NewElement() {
  CheckNotPumping();
  if (ElementCount() >= MaxElements) return false;
  Touch();
  slots_.emplace_back();
  slots_.back().Used = true;
  current_ = ElementCount();
  return true;
}

void TFormaGeom::ClearElements() {
  CheckNotPumping();
  Touch();
  slots_.clear();  // keeps the capacity: the next run refills the same memory
  current_ = 0;
  purgedThrough_ = 0;
}

void TFormaGeom::CompactElements() {
  CheckNotPumping();
  Touch();
  std::size_t k = 0;
  int newCurrent = 0;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (!slots_[i].Used) continue;
    if (static_cast<int>(i) + 1 == current_) newCurrent = static_cast<int>(k) + 1;
    if (k != i) slots_[k] = std::move(slots_[i]);
    ++k;
  }
  slots_.resize(k);
  current_ = newCurrent;
  purgedThrough_ = 0;
}

void TFormaGeom::MoveLastElementTo(int Index) {
  CheckNotPumping();
  const int count = ElementCount();
  if (Index < 0 || Index >= count) return;
  Touch();
  const auto first = slots_.begin() + Index;
  std::rotate(first, slots_.end() - 1, slots_.end());
  purgedThrough_ = std::min(purgedThrough_, Index);
  if (current_ == count) {
    current_ = Index + 1;
  } else if (current_ > Index) {
    ++current_;
  }
}

void TFormaGeom::DeleteGeomElements(double Number, int FromSlot) {
  CheckNotPumping();
  const int last = WalkSlots(std::max(FromSlot, 1), ElementCount(), 1, [&](int slot) {
    if (IsNumber(At(slot), Number)) Dispose(slot);
    return false;
  });
  SetCurElement(last);  // none when the last one examined was disposed
}

void TFormaGeom::PurgeHighElements() {
  CheckNotPumping();
  // The derived copies n + 1000 of earlier lines are results the machinist sees and the
  // generators read; they stay. Everything else from 508 on is scratch (the offset
  // temporaries 1000 and 1001 delete themselves before they finish, so a 1001 that is still
  // here is the derived copy of geometry 1).
  //
  // Elements get their number when they are made and keep it, so the slots that an earlier
  // purge walked hold no scratch element: only the ones appended since are walked. (Engraving
  // purges at every text line; walking the whole store each time would cost the square.)
  const int last = WalkSlots(purgedThrough_ + 1, ElementCount(), 1, [&](int slot) {
    const int no = At(slot).GeomNo;
    const bool derived = no >= DerivedOffset + 1 && no <= DerivedOffset + MaxGeomNumber;
    if (no >= FirstPurgedNumber && !derived) Dispose(slot);
    return false;
  });
  purgedThrough_ = ElementCount();
  // The last element examined becomes current, as if the whole store had been walked.
  SetCurElement(last != 0 ? last
                          : WalkSlots(ElementCount(), 1, -1, [](int) { return true; }));
}

bool TFormaGeom::CopyElement(int Number, int Index, int Limit) {
  CheckNotPumping();
  if (Limit < 1 || Limit > ElementCount()) return false;
  const GeomT* source = Elements(Index);
  if (!source) return false;
  if (Number > 0 && source->GeomNo != Number && source->GeomNo != Number + DerivedOffset) {
    return false;
  }
  // Copied before the append, which may move every element.
  GeomT copy;
  copy.Removed = source->Removed;
  copy.Name = source->Name;
  copy.GeomNo = source->GeomNo;
  copy.OffsetDist = source->OffsetDist;
  CopyShape(copy, *source);
  copy.Side = source->Side;
  if (!NewElement()) return false;
  slots_.back().Element = std::move(copy);
  return true;
}

int TFormaGeom::FirstOfNumber(double Number, int& Examined) const {
  int found = 0;
  Examined = WalkSlots(1, ElementCount(), 1, [&](int slot) {
    if (!IsNumber(At(slot), Number)) return false;
    found = slot;
    return true;
  });
  return found;
}

bool TFormaGeom::GeomExists(double Number) const {
  int examined = 0;
  return FirstOfNumber(Number, examined) != 0;
}

bool TFormaGeom::GeomExists(double Number) {
  CheckNotPumping();
  int examined = 0;
  const bool found = FirstOfNumber(Number, examined) != 0;
  current_ = examined;
  return found;
}

int TFormaGeom::FirstSide(double Number, int& Examined) const {
  const int slot = FirstOfNumber(Number, Examined);
  return slot == 0 ? -1 : At(slot).Side;
}

int TFormaGeom::GeomSide(double Number) const {
  int examined = 0;
  const int side = FirstSide(Number, examined);
  return side < 0 ? 0 : side;
}

int TFormaGeom::GeomSide(double Number) {
  CheckNotPumping();
  int examined = 0;
  const int side = FirstSide(Number, examined);
  current_ = examined;
  return side < 0 ? 0 : side;
}

int TFormaGeom::GetGeomCorrection(double Number) const {
  int examined = 0;
  const int side = FirstSide(Number, examined);
  return side < 0 ? 255 : side;
}

int TFormaGeom::GetGeomCorrection(double Number) {
  CheckNotPumping();
  int examined = 0;
  const int side = FirstSide(Number, examined);
  current_ = examined;
  return side < 0 ? 255 : side;
}

bool TFormaGeom::SetGeomCorrection(double Number, double Side) {
  CheckNotPumping();
  if (!(Number >= 1.0 && Number <= MaxCorrectionNumber)) return false;
  const double side = std::round(Side);
  // Side is a byte; a value it cannot hold would be stored wrong.
  if (!(side >= 0.0 && side <= 255.0)) return false;
  bool any = false;
  current_ = WalkSlots(1, ElementCount(), 1, [&](int slot) {
    GeomT& e = At(slot);
    if (IsNumber(e, Number)) {
      e.Side = static_cast<std::uint8_t>(side);
      any = true;
    }
    return false;
  });
  return any;
}

bool TFormaGeom::SetGeomName(double Number, const std::string& Name) {
  CheckNotPumping();
  // Only a whole number names a geometry (and a row of the name table).
  if (!(Number >= 1.0 && Number <= MaxGeomNumber) || Number != std::floor(Number)) return false;
  bool any = false;
  current_ = WalkSlots(1, ElementCount(), 1, [&](int slot) {
    GeomT& e = At(slot);
    if (IsNumber(e, Number)) {
      e.Name = Name;
      any = true;
    }
    return false;
  });
  GeomNames(static_cast<int>(Number)) = Name;
  return any;
}

int TFormaGeom::GeomEnds(double Number, int& First, int& Last) const {
  First = 0;
  Last = 0;
  return WalkSlots(1, ElementCount(), 1, [&](int slot) {
    if (IsNumber(At(slot), Number)) {
      if (First == 0) First = slot;
      Last = slot;
      return false;
    }
    return Last != 0;  // the first run of the geometry has ended
  });
}

bool TFormaGeom::FindGeomEnds(double Number, int& First, int& Last) const {
  GeomEnds(Number, First, Last);
  return First != 0;
}

bool TFormaGeom::FindGeomEnds(double Number, int& First, int& Last) {
  CheckNotPumping();
  current_ = GeomEnds(Number, First, Last);
  return First != 0;
}

bool TFormaGeom::TrimGeomEnds(int First, int Last, double Number) {
  CheckNotPumping();
  if (!Elements(First) || !Elements(Last)) return false;
  bool any = false;
  const auto mark = [&](int slot) {
    GeomT& e = At(slot);
    if (IsNumber(e, Number)) {
      e.Removed = 1;
      any = true;
    }
    return false;
  };
  WalkSlots(1, First - 1, 1, mark);
  WalkSlots(ElementCount(), Last + 1, -1, mark);
  current_ = Last;  // the backward walk stops at Last
  return any;
}

bool TFormaGeom::FirstFreeGeomNumber(int& N) const {
  for (int n = 1; n <= MaxGeomNumber; ++n) {
    if (GeomTexts(n).empty()) {
      N = n;
      return true;
    }
  }
  return false;
}

const std::vector<int>& TFormaGeom::GeomSlots(std::int32_t Number) const {
  if (!slotsByNumberValid_) {
    for (auto& entry : slotsByNumber_) entry.second.clear();  // keeps their memory
    // The elements of one geometry mostly stand together: a run needs one lookup.
    std::vector<int>* run = nullptr;
    std::int32_t runNumber = 0;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
      if (!slots_[i].Used) continue;
      const std::int32_t number = slots_[i].Element.GeomNo;
      if (!run || number != runNumber) {
        run = &slotsByNumber_[number];
        runNumber = number;
      }
      run->push_back(static_cast<int>(i) + 1);
    }
    slotsByNumberValid_ = true;
  }
  static const std::vector<int> none;
  const auto found = slotsByNumber_.find(Number);
  return found == slotsByNumber_.end() ? none : found->second;
}

}  // namespace movra
