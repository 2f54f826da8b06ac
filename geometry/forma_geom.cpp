// The element store, the per-number tables and the loading of the engraving font text.
//
// The current element is a slot number, never a pointer: it is 0 (none) or a slot that holds
// an element. Operations that walk the slots make each element they examine current in turn;
// an element that is disposed while current leaves no current element behind. Operations that
// move or compact slots keep the current element (it follows to its new slot).
#include "geometry/forma_geom.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

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

int TFormaGeom::CurElementSlot() const { return current_; }

void TFormaGeom::SetCurElement(int Slot) { current_ = Elements(Slot) ? Slot : 0; }

void TFormaGeom::Dispose(int Slot) {
  Touch();
  auto& s = slots_[static_cast<std::size_t>(Slot - 1)];
  s.Element = GeomT();  // frees the name now, not at the next compaction
  s.Used = false;
  if (current_ == Slot) current_ = 0;
}

// ---- Store operations ----

bool TFormaGeom::NewElement() {
  if (ElementCount() >= MaxElements) return false;
  Touch();
  slots_.emplace_back();
  slots_.back().Used = true;
  current_ = ElementCount();
  return true;
}

void TFormaGeom::ClearElements() {
  Touch();
  slots_.clear();  // keeps the capacity: the next run refills the same memory
  current_ = 0;
}

void TFormaGeom::CompactElements() {
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
}

void TFormaGeom::MoveLastElementTo(int Index) {
  const int count = ElementCount();
  if (Index < 0 || Index >= count) return;
  Touch();
  const auto first = slots_.begin() + Index;
  std::rotate(first, slots_.end() - 1, slots_.end());
  if (current_ == count) {
    current_ = Index + 1;
  } else if (current_ > Index) {
    ++current_;
  }
}

void TFormaGeom::DeleteGeomElements(double Number) {
  for (int slot = 1; slot <= ElementCount(); ++slot) {
    const GeomT* e = Elements(slot);
    if (!e) continue;
    current_ = slot;
    if (IsNumber(*e, Number)) Dispose(slot);
  }
}

void TFormaGeom::PurgeHighElements() {
  // The derived copies n + 1000 of earlier lines are results the machinist sees and the
  // generators read; they stay. Everything else from 508 on is scratch (the offset
  // temporaries 1000 and 1001 delete themselves before they finish, so a 1001 that is still
  // here is the derived copy of geometry 1).
  for (int slot = 1; slot <= ElementCount(); ++slot) {
    const GeomT* e = Elements(slot);
    if (!e) continue;
    current_ = slot;
    const int no = e->GeomNo;
    const bool derived = no >= DerivedOffset + 1 && no <= DerivedOffset + MaxGeomNumber;
    if (no >= FirstPurgedNumber && !derived) Dispose(slot);
  }
}

bool TFormaGeom::CopyElement(int Number, int Index, int Limit) {
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
  copy.Kind = source->Kind;
  copy.V1 = source->V1;
  copy.V2 = source->V2;
  copy.V3 = source->V3;
  copy.V4 = source->V4;
  copy.V5 = source->V5;
  copy.Side = source->Side;
  if (!NewElement()) return false;
  slots_.back().Element = std::move(copy);
  return true;
}

bool TFormaGeom::GeomExists(double Number) {
  for (int slot = 1; slot <= ElementCount(); ++slot) {
    const GeomT* e = Elements(slot);
    if (!e) continue;
    current_ = slot;
    if (IsNumber(*e, Number)) return true;
  }
  return false;
}

int TFormaGeom::FirstSide(double Number) {
  if (!GeomExists(Number)) return -1;
  const GeomT* e = Elements(current_);
  return e ? e->Side : -1;
}

int TFormaGeom::GeomSide(double Number) {
  const int side = FirstSide(Number);
  return side < 0 ? 0 : side;
}

int TFormaGeom::GetGeomCorrection(double Number) {
  const int side = FirstSide(Number);
  return side < 0 ? 255 : side;
}

bool TFormaGeom::SetGeomCorrection(double Number, double Side) {
  if (!(Number >= 1.0 && Number <= MaxCorrectionNumber)) return false;
  const double side = std::round(Side);
  // Side is a byte; a value it cannot hold would be stored wrong.
  if (!(side >= 0.0 && side <= 255.0)) return false;
  bool any = false;
  for (int slot = 1; slot <= ElementCount(); ++slot) {
    GeomT* e = Elements(slot);
    if (!e) continue;
    current_ = slot;
    if (!IsNumber(*e, Number)) continue;
    e->Side = static_cast<std::uint8_t>(side);
    any = true;
  }
  return any;
}

bool TFormaGeom::SetGeomName(double Number, const std::string& Name) {
  // Only a whole number names a geometry (and a row of the name table).
  if (!(Number >= 1.0 && Number <= MaxGeomNumber) || Number != std::floor(Number)) return false;
  bool any = false;
  for (int slot = 1; slot <= ElementCount(); ++slot) {
    GeomT* e = Elements(slot);
    if (!e) continue;
    current_ = slot;
    if (!IsNumber(*e, Number)) continue;
    e->Name = Name;
    any = true;
  }
  GeomNames(static_cast<int>(Number)) = Name;
  return any;
}

bool TFormaGeom::FindGeomEnds(double Number, int& First, int& Last) {
  First = 0;
  Last = 0;
  for (int slot = 1; slot <= ElementCount(); ++slot) {
    const GeomT* e = Elements(slot);
    if (!e) continue;
    current_ = slot;
    if (IsNumber(*e, Number)) {
      if (First == 0) First = slot;
      Last = slot;
    } else if (Last != 0) {
      break;  // the first run of the geometry has ended
    }
  }
  return First != 0;
}

bool TFormaGeom::TrimGeomEnds(int First, int Last, double Number) {
  if (!Elements(First) || !Elements(Last)) return false;
  bool any = false;
  auto examine = [&](int slot) {
    GeomT* e = Elements(slot);
    if (!e) return;
    current_ = slot;
    if (IsNumber(*e, Number)) {
      e->Removed = 1;
      any = true;
    }
  };
  for (int slot = 1; slot < First; ++slot) examine(slot);
  current_ = First;
  for (int slot = ElementCount(); slot > Last; --slot) examine(slot);
  current_ = Last;
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
