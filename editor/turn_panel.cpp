#include "editor/turn_panel.h"

#include <cctype>
#include <cmath>
#include <numbers>

namespace movra {
namespace {

// "prefix" + value for From, From + Step, ... To; the value with Decimals decimals, or as
// FormatReal drops them when Decimals is negative.
std::vector<std::string> Series(const std::string& Prefix, double From, double To, double Step,
                                int Decimals) {
  std::vector<std::string> out;
  const int n = static_cast<int>(std::lround((To - From) / Step));
  for (int k = 0; k <= n; ++k) {
    const double v = From + k * Step;
    if (Decimals < 0) {
      out.push_back(Prefix + TFormaDaten::FormatReal(v, 6));
    } else {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%.*f", Decimals, v);
      out.push_back(Prefix + buffer);
    }
  }
  return out;
}

std::string Numbered(const char* Letter, int Which) {
  return std::string(Letter) + std::to_string(Which) + "=";
}

constexpr double DegreesToRadians = std::numbers::pi / 180.0;

}  // namespace

std::vector<std::string> TurnComboItems::I() { return Series("i", 0.5, 5.0, 0.5, 1); }
std::vector<std::string> TurnComboItems::L() { return Series("l", 0, 10, 2, -1); }
std::vector<std::string> TurnComboItems::F() {
  std::vector<std::string> out{"f0"};
  for (const std::string& s : Series("f", 0.05, 0.5, 0.05, 2)) out.push_back(s);
  return out;
}
std::vector<std::string> TurnComboItems::K() { return Series("k", 50, -50, -2, -1); }
std::vector<std::string> TurnComboItems::A(int Which) {
  return Series(Numbered("a", Which), 0, 360, 30, -1);
}
std::vector<std::string> TurnComboItems::LL(int Which) {
  return Series(Numbered("l", Which), 0, 20, 2, -1);
}
std::vector<std::string> TurnComboItems::E(int Which) {
  return Series(Numbered("e", Which), 0, 10, 0.2, -1);
}
std::vector<std::string> TurnComboItems::Typ() { return {"g40", "g41", "g42"}; }

TurnFieldsEnabled TurnEnabledFields(int Mode) {
  TurnFieldsEnabled on;
  on.I = Mode == TurnRoughContour1 || Mode == TurnRoughContour2 || Mode == TurnRoughGroove1 ||
         Mode == TurnRoughGroove2;
  on.L = Mode == TurnRoughContour1 || Mode == TurnRoughContour2;
  on.K = Mode == TurnRoughGroove1 || Mode == TurnRoughGroove2;
  return on;
}

double NormalizeComboValue(TFormaDaten& Daten, std::string& Text) {
  std::string s = Text;
  const auto blank = [](unsigned char c) { return c <= ' '; };
  while (!s.empty() && blank(static_cast<unsigned char>(s.back()))) s.pop_back();
  std::size_t lead = 0;
  while (lead < s.size() && blank(static_cast<unsigned char>(s[lead]))) ++lead;
  s.erase(0, lead);
  for (char& c : s) {
    if (c == 'x' || c == 'X') c = ' ';
  }
  if (const std::size_t eq = s.find('='); eq != std::string::npos) s.erase(0, eq + 1);
  // An empty text has no first character to look at.
  if (!s.empty() && s[0] != '-' && !std::isdigit(static_cast<unsigned char>(s[0]))) s.erase(0, 1);
  Text = s;
  const double value = Daten.GetWordValue(s, "");
  return std::isfinite(value) ? value : NoValue;
}

TurnValues ReadTurnValues(TFormaDaten& Daten, const TurnPanelTexts& Texts) {
  const auto read = [&Daten](const std::string& text) {
    std::string t = text;
    return NormalizeComboValue(Daten, t);
  };
  const auto orZero = [&read](const std::string& text) {
    const double v = read(text);
    return v == NoValue ? 0.0 : v;
  };
  const auto angle = [&read](const std::string& text) {
    const double v = read(text);
    return v == NoValue ? NoValue : v * DegreesToRadians;
  };
  TurnValues v;
  v.A1 = angle(Texts.A1);
  v.A2 = angle(Texts.A2);
  v.E1 = orZero(Texts.E1);
  v.E2 = orZero(Texts.E2);
  v.E3 = orZero(Texts.E3);
  v.F = std::fabs(orZero(Texts.F));
  v.I = std::fabs(orZero(Texts.I));
  v.K = orZero(Texts.K);
  v.L = orZero(Texts.L);
  v.L1 = orZero(Texts.L1);
  v.L2 = orZero(Texts.L2);
  const TurnFieldsEnabled on = TurnEnabledFields(Texts.Mode);
  if (!on.I) v.I = 0;
  if (!on.L) v.L = 0;
  if (!on.K) v.K = 0;
  v.Typ = Texts.Typ >= 0 && Texts.Typ <= 2 ? Texts.Typ : 0;
  return v;
}

bool RunTurnMode(TFormaEditorTurn& Turn, int Mode, const TurnValues& V) {
  Turn.ClearLists();
  double sx = 0, sy = 0, ex = 0, ey = 0;
  if (!Turn.BuildContour(sx, sy, V.E1, V.E2, V.E3, V.L1, V.A1, V.L2, V.A2, V.Typ, ex, ey))
    return false;
  switch (Mode) {
    case TurnFinishContour:
      return Turn.FinishContour(V.Typ, V.F);
    case TurnRoughContour1:
      return Turn.RoughLongitudinal(sx, sy, ex, ey, V.I, V.F, std::fabs(V.L));
    case TurnRoughContour2:
      return Turn.RoughFacing(sx, sy, ex, ey, V.I, V.F, std::fabs(V.L));
    case TurnFinishGroove:
      Turn.GrooveState = {};
      return Turn.GroovePass(sx, sy, ex, ey, 0.1, 0.1, V.K, V.Typ, 0, V.F);
    case TurnRoughGroove1:
    case TurnRoughGroove2: {
      Turn.GrooveState = {};
      for (int i = 1; i <= MaxGroovePasses; ++i) {
        if (Mode == TurnRoughGroove2) Turn.GrooveState = {};
        if (!Turn.GroovePass(sx, sy, ex, ey, i * V.I, V.I, V.K, 0, 1, V.F)) {
          // The first depth refused, or a depth cut short by the full list: no groove to
          // save. Any later refusal is the bottom that ends the series.
          return i > 1 && Turn.GrooveState.OutputFull == 0;
        }
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace movra
