#pragma once
// The thread panel without its window: the texts of its fields in, the four lines of the
// thread block (or none) out. The window forwards its controls' texts here.
#include <string>
#include <string_view>
#include <vector>

#include "geometry/forma_daten.h"

namespace movra {

// Items of ComboBoxThreadTyp: the kind is the item index, whatever the language calls it.
enum ThreadKind : int { ThreadExternal = 0, ThreadInternal = 1 };

// Decimals of every number in the thread block.
inline constexpr int ThreadDecimals = 3;
// Geometry number of the block the panel appends to the program.
inline constexpr int ThreadBlockNumber = 254;
// Start and end closer than this make no thread.
inline constexpr double MinThreadLength = 0.1;
// Accepted ranges of the panel (the interpreter's are narrower).
inline constexpr double MinThreadPitch = 0.1, MaxThreadPitch = 50.0;
inline constexpr double MinThreadDepth = 0.1, MaxThreadDepth = 50.0;
inline constexpr double MinThreadPasses = 1.0, MaxThreadPasses = 100.0;

// The item lists of the panel's combo boxes, in form order, and the defaults of the reset.
struct ThreadComboItems {
  static std::vector<std::string> P();          // "p1" .. "p19", "p10"
  static std::vector<std::string> V();          // "v5" .. "v100"
  static std::vector<std::string> W();          // "w5" .. "w100"
  static std::vector<std::string> L(int Which); // "l1=0" .. "l1=30"
  static std::vector<std::string> E(int Which); // "e1=0" .. "e1=5"; the second ends empty
  static constexpr int DefaultP = 5;            // "p6"
  static constexpr int DefaultVW = 9;           // "v50", "w50"
};

// The panel's fields as the user left them (defaults of ResetThreadPanel).
struct ThreadPanelTexts {
  int Kind = ThreadExternal;  // item index of ComboBoxThreadTyp
  std::string F = "f2";
  std::string H = "h1.23";
  std::string P = "p6";
  bool Norm = false;  // "Change direction": start and end swapped
  std::string Value = "v1= w1= v2= w2=";
  std::string V = "v50", W = "w50";
  std::string L1 = "l1=0", L2 = "l2=0";
  std::string E1 = "e1=0", E2 = "e2=0";
};

// The thread block: a safe point, the thread start, the thread end with its cycle and the
// safe point again; empty when the texts give no thread.
std::vector<std::string> GenerateThread(TFormaDaten& Daten, const ThreadPanelTexts& Texts);

// Rows of a thread table file: one row a line; a line of its own at the end is an empty row.
std::vector<std::string> ThreadTableRows(std::string_view FileText);

// The pitch and depth fields a table row gives ("M16 x 2 x 1.23": "f2" and "h1.23", an
// internal row "h-" and the depth). False, F and H untouched, for a row without both "x".
bool ThreadRowFields(std::string_view Row, int Kind, std::string& F, std::string& H);

}  // namespace movra
