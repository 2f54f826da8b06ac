#pragma once
// The pocket panel without its window: contour rows and field texts in, the pocket
// calculation run, the caption, the counts and the texts to save out.
#include <cstdint>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"

namespace movra {

// Item lists of the pocket combo boxes and their defaults.
struct InselComboItems {
  static std::vector<std::string> D();  // "d1" .. "d50"
  static std::vector<std::string> K();  // "k0.1" .. "k1.0"
  static std::vector<std::string> E();  // "e0.0" .. "e1.0", then an empty row
  static std::vector<std::string> A();  // "a0" .. "a360"
  static constexpr int DefaultD = 2;    // "d3"
  static constexpr int DefaultK = 4;    // "k0.5"
  static constexpr int DefaultE = 2;    // "e0.2"
  static constexpr int DefaultA = 3;    // "a30"
};

// The rows of ComboBoxView: which part of the path is shown and saved.
enum InselView : int { InselViewAll = 0, InselViewContours = 1, InselViewHatch = 2 };

// One row of CheckListBoxInsel.
struct InselRow {
  std::string Text;  // number " : " type
  bool Ticked = false;
};

// The panel's fields as the user left them.
struct InselPanelTexts {
  std::string D = "d3", K = "k0.5", E = "e0.2", A = "a30";
  int View = InselViewAll;
  std::vector<InselRow> Rows;
};

// A contour row as the list shows it: "3 : 1".
std::string InselRowText(std::int64_t Number, std::int64_t Type);

// The two numbers of a row ("3 : 1"): its first ":" read as a blank. False when the row
// holds no number; Type is NoValue when only the number is there.
bool ReadInselRow(TFormaDaten& Daten, const std::string& Row, double& Number, double& Type);

// The row after a press of the type button: number made positive, type cycled 0 -> 1 -> 2 ->
// 0 and negated when it was negative. False (Row unchanged) for a row without a number.
bool CycleInselRowType(TFormaDaten& Daten, std::string& Row);

// The rows of a freshly opened panel: one per geometry 1..254 of the store that can bound a
// pocket (drilling blocks cannot), ascending, each ticked; typed 2 when the geometry runs
// on G42, else 1 (offset to the left of travel: inside a counter-clockwise pocket, outside
// a clockwise island).
std::vector<InselRow> InselRowsFromStore(const TFormaGeom& Geom);

// Fills the contour table from the ticked rows (row k to entry k + 1); false when no ticked
// row gave a number.
bool FillContourTable(TFormaEditorInsel& Insel, TFormaDaten& Daten,
                      const std::vector<InselRow>& Rows);

// The tool, stepover, allowance and angle from the four fields, each read after its letter
// and then as a bare number (the later read wins); the stepover kept to 0.1..1 when a tool
// is given.
void ReadInselParams(TFormaDaten& Daten, const InselPanelTexts& Texts,
                     TFormaEditorInsel::ParamsT& Params);

// What a calculation leaves for the panel.
struct InselRunResult {
  std::int32_t Count = 0;   // path items
  std::int32_t Chains = 0;
  std::string Caption;      // Count " : " Chains, or "???"
  bool SaveEnabled = false;
};

// The calculation with the memo Lines, from the reset of the generator to the counted path.
// The hatch inside it pumps the window events and stops when the busy flag is cleared; the
// path of a stopped hatch is empty, so the result then reads "???".
InselRunResult RunInselCalculation(TFormaEditorInsel& Insel, TFormaGeom& Geom,
                                   const std::vector<std::string>& Lines,
                                   const InselPanelTexts& Texts);
// The path as it stands counted and captioned (the last stage of every calculation, also of
// one that ended early).
InselRunResult FinishInselResult(TFormaEditorInsel& Insel);

// A parameter event of the turning or pocket panel while a pocket calculation may run: a
// running calculation is asked to stop and nothing else happens (false); otherwise the
// panel's timer is to be started (true).
bool ParameterEventArms();

// The pocket path as two geometry texts: the contour passes and the hatch with its connecting
// moves, under the first two free geometry numbers.
struct InselSaveTexts {
  int Numbers[2] = {0, 0};  // 0: that part gave no text or found no free number
  std::vector<std::string> Texts[2];
  // "%" number and its text, for each part that has one.
  std::vector<std::string> MemoLines() const;
};

// Puts the path into the element store as geometries 1 and 2 (the store is emptied first)
// and writes them as contour text. False, with nothing to save, when the store refused an
// element or neither part gave a text.
bool PrepareInselSave(const TFormaEditorInsel& Insel, TFormaGeom& Geom, InselSaveTexts& Out);
// Stores the texts under their numbers, once the result has been written to a file.
void CommitInselSave(TFormaGeom& Geom, const InselSaveTexts& Save);

}  // namespace movra
