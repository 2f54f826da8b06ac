#include "editor/insel_panel.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "geometry/text_writers.h"
#include "platform/core/application.h"

namespace movra {
namespace {

std::vector<std::string> Tenths(const char* Prefix, int From, int To) {
  std::vector<std::string> out;
  for (int k = From; k <= To; ++k) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%s%d.%d", Prefix, k / 10, k % 10);
    out.push_back(buffer);
  }
  return out;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// A read value that may stand for a count or a type: finite and not the no-value mark.
bool Given(double v) { return v != NoValue && std::isfinite(v); }

// Rounds to the nearest integer within the range a row can show.
std::int64_t Whole(double v) {
  constexpr double limit = 1e15;
  return static_cast<std::int64_t>(std::nearbyint(std::clamp(v, -limit, limit)));
}

constexpr double DegreesToRadians = std::numbers::pi / 180.0;
constexpr double MinStepover = 0.1;
constexpr double MaxStepover = 1.0;
constexpr const char* NoResult = "???";

// The first geometry number with no text, other than Taken.
int FreeNumber(const TFormaGeom& Geom, int Taken) {
  for (int n = 1; n <= TFormaGeom::MaxGeomNumber; ++n) {
    if (n != Taken && Geom.GeomTexts(n).empty()) return n;
  }
  return 0;
}

}  // namespace

std::vector<std::string> InselComboItems::D() {
  return {"d1", "d2", "d3", "d4", "d5", "d6", "d8", "d10", "d12", "d16", "d20", "d25", "d30",
          "d40", "d50"};
}
std::vector<std::string> InselComboItems::K() { return Tenths("k", 1, 10); }
std::vector<std::string> InselComboItems::E() {
  std::vector<std::string> out = Tenths("e", 0, 10);
  out.emplace_back();
  return out;
}
std::vector<std::string> InselComboItems::A() {
  std::vector<std::string> out;
  for (int a = 0; a <= 360; a += 10) out.push_back("a" + std::to_string(a));
  return out;
}

std::string InselRowText(std::int64_t Number, std::int64_t Type) {
  return std::to_string(Number) + " : " + std::to_string(Type);
}

bool ReadInselRow(TFormaDaten& Daten, const std::string& Row, double& Number, double& Type) {
  std::string s = Row;
  if (const std::size_t colon = s.find(':'); colon != std::string::npos) s[colon] = ' ';
  Number = Daten.GetWordValue(s, "");
  Type = Daten.Values(2);
  if (!Given(Type)) Type = NoValue;
  return Given(Number);
}

bool CycleInselRowType(TFormaDaten& Daten, std::string& Row) {
  double number = 0, type = 0;
  if (!ReadInselRow(Daten, Row, number, type)) return false;
  const std::int64_t n = std::abs(Whole(number));
  const std::int64_t t = Whole(type);  // no type reads as the no-value mark: 0 next
  std::int64_t next = std::abs(t) + 1;
  if (next > 2) next = 0;
  if (t < 0) next = -next;
  Row = InselRowText(n, next);
  return true;
}

std::vector<InselRow> InselRowsFromStore(const TFormaGeom& Geom) {
  std::vector<InselRow> rows;
  for (int n = 1; n <= TFormaGeom::MaxGeomNumber; ++n) {
    const std::vector<int>& slots = Geom.GeomSlots(n);
    const TFormaGeom::GeomT* first = nullptr;
    bool drilling = false;
    for (const int slot : slots) {
      const TFormaGeom::GeomT* e = Geom.Elements(slot);
      if (e == nullptr || e->Removed == 1 || e->GeomNo != n) continue;
      if (first == nullptr) first = e;
      drilling = drilling || e->Side == 3;
    }
    if (first == nullptr || drilling) continue;
    rows.push_back({InselRowText(n, first->Side == 2 ? 2 : 1), true});
  }
  return rows;
}

bool FillContourTable(TFormaEditorInsel& Insel, TFormaDaten& Daten,
                      const std::vector<InselRow>& Rows) {
  bool any = false;
  for (std::size_t k = 0; k < Rows.size(); ++k) {
    if (!Rows[k].Ticked) continue;
    double number = 0, type = 0;
    if (!ReadInselRow(Daten, Rows[k].Text, number, type)) continue;
    // A row beyond the table or with a type the table cannot hold is judged by the table.
    if (Insel.SetContourEntry(static_cast<int>(k) + 1, number, type)) any = true;
  }
  return any;
}

void ReadInselParams(TFormaDaten& Daten, const InselPanelTexts& Texts,
                     TFormaEditorInsel::ParamsT& Params) {
  const auto read = [&Daten](const std::string& text, const char* letter, double& target,
                             double scale) {
    const std::string upper = Upper(text);
    for (const char* word : {letter, ""}) {
      const double v = Daten.GetWordValue(upper, word);
      if (Given(v)) target = v * scale;
    }
  };
  read(Texts.A, "A", Params.A, DegreesToRadians);
  read(Texts.D, "D", Params.R, 0.5);
  read(Texts.K, "K", Params.K, 1.0);
  read(Texts.E, "E", Params.E, 1.0);
  if (Params.R != 0) Params.K = std::clamp(Params.K, MinStepover, MaxStepover);
}

InselRunResult FinishInselResult(TFormaEditorInsel& Insel) {
  Insel.CompactPath();
  InselRunResult r;
  Insel.CountChains(r.Count, r.Chains);
  if (r.Count != 0) {
    r.Caption = std::to_string(r.Count) + " : " + std::to_string(r.Chains);
    r.SaveEnabled = true;
  } else {
    r.Chains = 0;
    r.Caption = NoResult;
  }
  return r;
}

InselRunResult RunInselCalculation(TFormaEditorInsel& Insel, TFormaGeom& Geom,
                                   const std::vector<std::string>& Lines,
                                   const InselPanelTexts& Texts) {
  Insel.Reset();
  if (Geom.Busy != 0) return FinishInselResult(Insel);  // the store is being rebuilt
  std::string error;
  Geom.FromEditor = 1;
  Geom.InterpretProgram(Lines, error);
  if (!error.empty()) return FinishInselResult(Insel);
  if (!FillContourTable(Insel, Geom.Daten(), Texts.Rows)) return FinishInselResult(Insel);
  ReadInselParams(Geom.Daten(), Texts, Insel.Params);
  // A negative diameter would offset every contour to the side opposite its type.
  if (Insel.Params.R > 0 && Insel.CollectContours() && Insel.OffsetContours() &&
      Insel.FindStart() && Insel.Hatch() > 2) {
    Insel.LinkPath();
    if (Texts.View != InselViewAll) {
      Insel.ClearOffset();
      Insel.FilterPath(Texts.View);
    }
  }
  return FinishInselResult(Insel);
}

bool ParameterEventArms() {
  if (platform::ApplicationTag() != 0) {
    platform::SetApplicationTag(0);
    return false;
  }
  return true;
}

std::vector<std::string> InselSaveTexts::MemoLines() const {
  std::vector<std::string> lines;
  for (int k = 0; k < 2; ++k) {
    if (Numbers[k] == 0) continue;
    lines.push_back("%" + std::to_string(Numbers[k]));
    lines.insert(lines.end(), Texts[k].begin(), Texts[k].end());
  }
  return lines;
}

bool PrepareInselSave(const TFormaEditorInsel& Insel, TFormaGeom& Geom, InselSaveTexts& Out) {
  Out = {};
  Geom.ClearElements();
  for (int i = 1; i <= Insel.Path.Count(); ++i) {
    const TFormaEditorInsel::InselT* item = Insel.Path(i);
    if (item == nullptr) continue;
    if (!Geom.NewElement()) return false;  // a full store: nothing is written
    TFormaGeom::GeomT& e = *Geom.CurElement();
    e.GeomNo = item->Group;
    e.Kind = item->Kind;
    e.V1 = item->V1;
    e.V2 = item->V2;
    e.V3 = item->V3;
    e.V4 = item->V4;
    e.V5 = item->V5;
    e.Side = item->Side;
  }
  for (int k = 0; k < 2; ++k) {
    std::vector<std::string> text;
    if (!GeometryToText(Geom, k + 1, TextModeCoordinates, "", "", text)) continue;
    const int n = FreeNumber(Geom, k == 1 ? Out.Numbers[0] : 0);
    if (n == 0) continue;  // no free number: that text is skipped
    Out.Numbers[k] = n;
    Out.Texts[k] = std::move(text);
  }
  return Out.Numbers[0] != 0 || Out.Numbers[1] != 0;
}

void CommitInselSave(TFormaGeom& Geom, const InselSaveTexts& Save) {
  for (int k = 0; k < 2; ++k) {
    if (Save.Numbers[k] != 0) Geom.GeomTexts(Save.Numbers[k]) = Save.Texts[k];
  }
}

}  // namespace movra
