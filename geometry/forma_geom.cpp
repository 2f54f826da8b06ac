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
#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>

namespace movra {
namespace {

// A font file larger than this is no font.
constexpr std::uintmax_t MaxFontFileSize = 16u * 1024u * 1024u;

// Windows-1252 code points of the bytes 0x80..0x9F; the five unassigned bytes keep their
// value as C1 control characters, as the Windows conversion does.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
      cp = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      cp = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      cp = c & 0x07u;
    } else {
      return false;
    }
    if (i + len > s.size()) return false;
    for (std::size_t k = 1; k < len; ++k) {
      const auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0u) != 0x80u) return false;
      cp = (cp << 6) | (t & 0x3Fu);
    }
    // Overlong forms, surrogates and code points beyond U+10FFFF are not UTF-8.
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
      return false;
    }
    i += len;
  }
  return true;
}

std::string Cp1252ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 2);
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    std::uint32_t cp = c;
    if (c >= 0x80 && c <= 0x9F) cp = Cp1252High[c - 0x80];
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0u | (cp >> 6)));
      out.push_back(static_cast<char>(0x80u | (cp & 0x3Fu)));
    } else {
      out.push_back(static_cast<char>(0xE0u | (cp >> 12)));
      out.push_back(static_cast<char>(0x80u | ((cp >> 6) & 0x3Fu)));
      out.push_back(static_cast<char>(0x80u | (cp & 0x3Fu)));
    }
  }
  return out;
}

// Splits text into lines at CR LF, LF or CR; a line end after the last line adds no line.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t b = 0;
  while (b < text.size()) {
    std::size_t e = b;
    while (e < text.size() && text[e] != '\n' && text[e] != '\r') ++e;
    lines.emplace_back(text.substr(b, e - b));
    if (e < text.size() && text[e] == '\r' && e + 1 < text.size() && text[e + 1] == '\n') ++e;
    b = e + 1;
  }
  return lines;
}

// The lines of a text file as UTF-8; empty when the file is missing, unreadable or huge.
std::vector<std::string> ReadTextLines(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec) || ec) return {};
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size > MaxFontFileSize) return {};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (in.gcount() != static_cast<std::streamsize>(size)) return {};
  std::string_view text = bytes;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  if (IsValidUtf8(text)) return SplitLines(text);
  return SplitLines(Cp1252ToUtf8(text));
}

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
    FontText = ReadTextLines(std::filesystem::path(ExeFolder) / "Default" / "Engraving.txt");
  }
}

// ---- Slots ----

int TFormaGeom::ElementCount() const { return static_cast<int>(slots_.size()); }

TFormaGeom::GeomT* TFormaGeom::Elements(int Slot) {
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
  auto& s = slots_[static_cast<std::size_t>(Slot - 1)];
  s.Element = GeomT();  // frees the name now, not at the next compaction
  s.Used = false;
  if (current_ == Slot) current_ = 0;
}

// ---- Store operations ----

bool TFormaGeom::NewElement() {
  if (ElementCount() >= MaxElements) return false;
  slots_.emplace_back();
  slots_.back().Used = true;
  current_ = ElementCount();
  return true;
}

void TFormaGeom::ClearElements() {
  slots_.clear();  // keeps the capacity: the next run refills the same memory
  current_ = 0;
}

void TFormaGeom::CompactElements() {
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

}  // namespace movra
