// The turning text: the output list written as a program in the contour language, one
// line per move. The length axis is written as "v", the radius doubled as the diameter "w".
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "geometry/tolerances.h"
#include "machining/forma_editor_turn.h"

namespace movra {

namespace {

constexpr double Pi = std::numbers::pi;

using TurnT = TFormaEditorTurn::TurnT;

// Appends a word to a line, one blank between words.
void AddWord(std::string& Line, const char* Address, const std::string& Value = {}) {
  if (!Line.empty()) Line += ' ';
  Line += Address;
  Line += Value;
}

bool Finite(const TurnT& r) {
  return std::isfinite(r.Feed) && std::isfinite(r.V1) && std::isfinite(r.V2) &&
         std::isfinite(r.V3) && std::isfinite(r.V4) && std::isfinite(r.V5);
}

}  // namespace

struct TFormaEditorTurn::WriteRun {
  std::vector<std::string>& List;
  int Decimals = 4;
  bool Started = false;     // the positioning line is written
  double LastFeed = 0.0;    // the feed word in force
  std::uint8_t Side = 0;    // the correction in force, as the last written move set it
  // Where the text written so far leaves the tool (y as a diameter).
  double LastX = 0.0;
  double LastY = 0.0;

  std::string Number(double Value) const { return TFormaDaten::FormatReal(Value, Decimals); }

  // One move to (X, Y) in diameter coordinates, a coordinate written only where it changes.
  // The words are joined by single blanks, the line has none at either end.
  void Move(double X, double Y, const std::string& ArcWord, std::uint8_t MoveSide, double Feed) {
    std::string line;
    if (std::fabs(X - LastX) > Same) {
      AddWord(line, "v", Number(X));
      LastX = X;
    }
    if (std::fabs(Y - LastY) > Same) {
      AddWord(line, "w", Number(Y));
      LastY = Y;
    }
    if (!ArcWord.empty()) AddWord(line, "", ArcWord);
    if (Side == 0 && MoveSide == 1) AddWord(line, "g41");
    if (Side == 0 && MoveSide == 2) AddWord(line, "g42");
    // Switching the correction off belongs to the move before, which ends where it starts.
    if (Side != 0 && MoveSide == 0) AddWord(List.back(), "g40");
    Side = MoveSide;
    if (Feed != LastFeed && Feed != NoValue && Feed != 0.0) {
      AddWord(line, "f", Number(Feed));
      LastFeed = Feed;
    }
    if (Feed == NoValue && !line.empty()) AddWord(line, "max");
    List.push_back(std::move(line));
  }
};

bool TFormaEditorTurn::WriteProgram(std::vector<std::string>& List) {
  if (OutElements.Empty()) return false;
  List.clear();
  List.emplace_back("g40");
  WriteRun run{List, daten_.OutDecimals};
  for (int i = 1; i <= OutElements.Count(); ++i) {
    if (const TurnT* r = OutElements(i)) WriteLine(run, *r);
  }
  // A correction still switched on at the end is switched off on the last line.
  int state = 0;
  for (const std::string& line : List) {
    if (line.find("g40") != std::string::npos) state = 0;
    if (line.find("g41") != std::string::npos) state = 1;
    if (line.find("g42") != std::string::npos) state = 2;
  }
  if (state != 0) AddWord(List.back(), "g40");
  return true;
}

void TFormaEditorTurn::WriteLine(WriteRun& Run, const TurnT& Record) {
  const bool isLine = Record.Kind == 1.0, arc = Record.Kind == 2.0;
  if ((!isLine && !arc) || !Finite(Record)) return;
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
  TFormaDaten::ElementEndPoints(Record.Kind, Record.V1, Record.V2, Record.V3, Record.V4,
                                Record.V5, x1, y1, x2, y2);
  std::string arcWord;
  if (arc) {
    // An arc of no radius, or one whose ends meet, goes nowhere: "b r" from a point to
    // itself describes no arc.
    if (std::fabs(Record.V3) < Same || TFormaDaten::Dist(x1, y1, x2, y2) == 0.0) return;
    arcWord = "b" + Run.Number(Record.V3);
    if (std::fabs(TFormaDaten::ArcSweep(Record.V3, Record.V4, Record.V5)) > Pi) arcWord += " 2";
  }
  y1 *= 2.0;
  y2 *= 2.0;
  // A radius beyond half the largest real has no diameter, and an arc's ends may lie beyond
  // the reals although its centre and radius do not: such a move has no text (as a record
  // that is no number has none), rather than a word "inf" the reader cannot take.
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
    return;
  if (!Run.Started) {
    Run.Started = true;
    std::string line;
    AddWord(line, "v", Run.Number(x1));
    AddWord(line, "w", Run.Number(y1));
    AddWord(line, "max");
    Run.List.push_back(std::move(line));
    Run.LastX = x1;
    Run.LastY = y1;
  }
  // An arc is drawn from where the tool stands: when that is not the arc's start (a piece
  // left out before it), the tool first goes there along a line.
  if (arc && std::hypot(x1 - Run.LastX, (y1 - Run.LastY) / 2.0) >= JoinGap)
    Run.Move(x1, y1, "", Record.Side, Record.Feed);
  Run.Move(x2, y2, arcWord, Record.Side, Record.Feed);
}

}  // namespace movra
