#pragma once
// The rules of the editor's colour list, tool field and ISO view that need no window: the rows
// of the colour list with the colour Esc restores, what a key in the list makes of the
// preview, the tool shape read from the tool field's text, and the subprogram text of the ISO
// view. Standard library only.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "editor/editor_view.h"
#include "platform/core/colors.h"

namespace movra {

class TFormaDaten;
class TFormaGeom;

// ---- Colour list ----

// One row of the colour list: its English text, the id of its text in the language table, and
// the colour Esc restores. The slot a row edits is the settings slot of the same position.
struct ColorRowT {
  const char* Text;
  const char* LanguageId;
  platform::ColorValue EscColor;
};

inline constexpr int ColorRowCount = 10;
inline constexpr std::array<ColorRowT, ColorRowCount> ColorRows = {{
    {"Cursor", "123451", 0x0000FF},
    {"Background", "123452", 0x000000},
    {"Normal elements", "123453", 0xFFFFFF},
    {"Selected elements", "123454", 0x00FFFF},
    {"Invisible elements", "123455", 0x808080},
    {"Left radius correction", "472471", 0xFF0000},
    {"Right radius correction", "782479", 0x00FF00},
    {"Rapid traverse", "852287", 0xFF00FF},
    {"Drilling cycles", "882281", 0xFFFF00},
    {"Messages", "123456", 0x00FFFF},
}};

// The colour of the three bars: red + 256 green + 65536 blue.
platform::ColorValue BarColor(int Red, int Green, int Blue);

enum class ColorKey { Enter, Escape, Other };

// The preview after Key in the colour list with Row selected (-1: none). Enter takes the
// colour the dialog gave (Chosen), Esc the row's fixed colour; any other key keeps Preview.
// Nothing (no change at all) when Enter's dialog was cancelled.
std::optional<platform::ColorValue> PreviewAfterColorKey(ColorKey Key, int Row,
                                                         platform::ColorValue Preview,
                                                         std::optional<platform::ColorValue> Chosen);

// ---- Tool field ----

// The tool values undefined: ToolDefined 0, the four values NoValue.
void ResetToolShape(EditorView& View);
// The tool shape of the tool field's text: one number a cutter of that diameter, two a drill
// with a point angle, three an outline of two edge angles and a size. A text without a first
// number, or with a number that is not finite, leaves no tool. The numbers are read by the
// word parser; Daten gives only the program variables, its values table stays untouched (a
// keystroke may come while the interpreter is between two lines).
void ReadToolShape(EditorView& View, const TFormaDaten& Daten, std::string_view Text);

// ---- ISO view ----

struct IsoViewT {
  bool Shown = false;  // at least one geometry was written
  std::string Text;    // subprograms, each followed by an empty line, trimmed at both ends
};

// The subprograms of the ISO view in plane Plane (17, 18, 19): of the geometry whose number
// is the first number of IndexText, or of every geometry 1..254 in ascending order when the
// text holds no number. An empty store gives nothing.
IsoViewT BuildIsoView(const TFormaGeom& Geom, const TFormaDaten& Daten, std::string_view IndexText,
                      int Plane);

}  // namespace movra
