#pragma once
// The turning panel without its window: the texts of its fields in, the generator runs, the
// verdict out. The window forwards its controls' texts here and shows what comes back.
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "machining/forma_editor_turn.h"

namespace movra {

// Rows of ListBoxTurn: the mode of a run is the row index.
enum TurnMode : int {
  TurnFinishContour = 0,
  TurnRoughContour1 = 1,
  TurnRoughContour2 = 2,
  TurnFinishGroove = 3,
  TurnRoughGroove1 = 4,
  TurnRoughGroove2 = 5,
};
inline constexpr int TurnModeCount = 6;
// Most depths of a groove roughing series.
inline constexpr int MaxGroovePasses = 100;

// The item lists of the turning combo boxes, in form order, and the default item of each
// after ResetTurnPanel.
struct TurnComboItems {
  static std::vector<std::string> I();    // "i0.5" .. "i5.0"
  static std::vector<std::string> L();    // "l0" .. "l10"
  static std::vector<std::string> F();    // "f0", "f0.05" .. "f0.50"
  static std::vector<std::string> K();    // "k50" .. "k-50"
  static std::vector<std::string> A(int Which);  // "a1=0" .. "a1=360"
  static std::vector<std::string> LL(int Which); // "l1=0" .. "l1=20"
  static std::vector<std::string> E(int Which);  // "e1=0" .. "e1=10"
  static std::vector<std::string> Typ();  // "g40", "g41", "g42"
  static constexpr int DefaultI = 3;      // "i2.0"
  static constexpr int DefaultK = 25;     // "k0"
  static constexpr int DefaultTyp = 2;    // "g42"
};

// The panel's fields as the user left them.
struct TurnPanelTexts {
  int Mode = TurnFinishContour;
  std::string I = "i2.0", L = "l0", F = "f0", K = "k0";
  std::string A1 = "a1=0", L1 = "l1=0", A2 = "a2=0", L2 = "l2=0";
  std::string E1 = "e1=0", E2 = "e2=0", E3 = "e3=0";
  int Typ = TurnComboItems::DefaultTyp;  // item index of ComboBoxTurnTyp
};

// Which of the cycle fields a mode uses; the window enables exactly these.
struct TurnFieldsEnabled {
  bool I = false;  // step
  bool L = false;  // retract
  bool K = false;  // groove start offset
};
TurnFieldsEnabled TurnEnabledFields(int Mode);

// The numbers of one run: angles in radians, NoValue where not given.
struct TurnValues {
  double A1 = NoValue, A2 = NoValue;
  double E1 = 0, E2 = 0, E3 = 0, F = 0, I = 0, K = 0, L = 0, L1 = 0, L2 = 0;
  int Typ = 2;
};

// A combo text made readable as a number: trimmed, "x" and "X" blanked, everything up to the
// first "=" dropped, then a leading character that is neither "-" nor a digit dropped. Text
// receives that form; the result is its first number, NoValue when there is none (or when
// it is no finite number).
double NormalizeComboValue(TFormaDaten& Daten, std::string& Text);

// The values of a run from the texts: a field the mode does not use counts as not given.
TurnValues ReadTurnValues(TFormaDaten& Daten, const TurnPanelTexts& Texts);

// Prepares the contour and runs the mode's generator into Turn.OutElements (cleared first).
// True when the result may be saved: a finished contour, a roughing that fitted, a groove
// series whose first depth was cut and whose end was not forced by a full output list.
bool RunTurnMode(TFormaEditorTurn& Turn, int Mode, const TurnValues& V);

}  // namespace movra
