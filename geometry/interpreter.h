#pragma once
// One run of the contour-language interpreter: the state it keeps while it reads a program
// text line by line, and the routines that the word groups (construction words, pockets and
// cycles, repeats and transformations, equidistant and leads, engraving) use on that state.
//
// A run lives only inside TFormaGeom::InterpretProgram. The word groups are members of the run
// and work on the prepared line L: upper-cased, padded with blanks, comment and ";" tail gone,
// words already used blanked out. They change L only through ConsumeWord (and ConsumeWordAt),
// which never creates a new word, and make elements only through AddSegment / AddPoint.
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"

namespace movra {

// What a word group made of the line it was handed.
enum class LineVerdict {
  NotPresent,  // none of the group's words is on the line: the dispatch goes on as without them
  Done,        // the words were carried out and the line is done: later words are not read
  Failed,      // the line is faulty: the run stops with its error text
};

class InterpretRun {
 public:
  using PointT = TFormaDaten::PointT;

  InterpretRun(TFormaGeom& Geom, TFormaDaten& Daten);

  // Runs the whole text (Busy is handled by the caller). ErrorText comes back empty or as
  // "N" + line number + " [ " + line + " ]".
  void Run(const std::vector<std::string>& Lines, std::string& ErrorText);

  // ---- Routines of the run, shared with the word groups ----

  // Blanks the first occurrence of Word (with its leading blank) and turns the one character
  // after it into "_", so that neither the word nor its value is seen again; only the word
  // when it ends the line. False, and the line unchanged, when the word is absent.
  static bool ConsumeWord(std::string& Line, std::string_view Word);
  // The same for the occurrence that starts at Pos (Line[Pos] is the leading blank).
  static void ConsumeWordAt(std::string& Line, std::size_t Pos, std::size_t Length);
  // Reads the definitions "#n=" of the line in rising n into Vars. False when a definition's
  // value is not a finite number (an overflow through chained variables).
  bool ReadHashParams(const std::string& Line);
  // Completes the current element: geometry number, feed, rapid mark and side.
  void StampElement();
  // A point element (a line of length 0) at (X, Y). False when the store refused it.
  bool AddPoint(double X, double Y);
  // A line (Kind 1: x1 y1 x2 y2 z) or arc (Kind 2: centre x, centre y, signed radius, start
  // and end angle), stamped. A zero-length line or a zero-radius arc is not made (true).
  // False when the element cannot be made: the store is full, or a value is not finite.
  // Callers turn false into the line error, so a truncated geometry is never reported valid.
  bool AddSegment(int Kind, double P1, double P2, double P3, double P4, double P5);
  void KeepEndPoint();
  // The end of the element in the last slot becomes the current and the previous point.
  void TakeEndPoint();
  // Ends the open block (point element, name, side, closed mark) and resets the block state.
  // False when the block's point element could not be made (the store is full).
  bool CloseBlock();

  // ---- Word search on the prepared line ----

  // Position of the first occurrence of Word (with its leading blank), or npos. On L the
  // search ends at once when the word's letter follows no blank of the line.
  std::size_t FindWord(const std::string& Line, std::string_view Word) const;
  // Position of the first occurrence of Word that is not the start of a longer word (the
  // next character is no letter): " R" is not found in " RD 2", " RDM 2" or " RA 5 30".
  std::size_t FindWholeWord(const std::string& Line, std::string_view Word) const;
  // GetWordValue of the occurrence of Word at Pos.
  double WordValueAt(const std::string& Line, std::size_t Pos, std::string_view Word);
  // Reads and consumes the whole word Word (FindWholeWord). False when it is absent. When it
  // is present: Missing false and Value read (the word consumed), or Missing true when it
  // has no finite value (the word stays; callers make that the line error).
  bool TakeWholeWord(std::string& Line, std::string_view Word, double& Value, bool& Missing);
  // The first four values after the occurrence of Word at Pos (NoValue where one is not
  // given or not finite); the word is consumed.
  std::array<double, 4> TakeWordValues(std::string& Line, std::size_t Pos,
                                       std::string_view Word);
  // The corner words' text: PreviousElementLineText without its comment and ";" tail, with
  // a leading blank so that a word first on its line is found.
  std::string& PreviousElementWords();
  // Cuts an element line down to its words as the corner words are read from it: comment
  // and ";" tail removed, a leading blank added so that a word first on its line is found.
  static void KeepWordsOnly(std::string& Text);

  // ---- Extension points of the word groups (one file each: interpret_<group>.cpp) ----
  // Listed in the order the dispatch tries them. Each gets the prepared line L (and may
  // consume words in it); RawLine is the line as it was passed. A LineVerdict handler ends
  // the line with Done or Failed and lets the dispatch go on with NotPresent. Until a group
  // is built its words are ignored like any unknown word.

  // First on every line: FTEXT (engraving).
  LineVerdict HandleEngraving(std::string& L);
  // Before the line is prepared: cuts the text in braces out of an FTEXT line, so that neither
  // the preparation (comment, ";", "/") nor the word values see into it. The text itself is
  // taken from RawLine.
  static void ProtectEngravingText(std::string& L);
  // Next: FCIRCLE, FRECT, FSLOT (pockets and slots).
  LineVerdict HandlePocketWords(std::string& L);
  // After the motion words: REPL, REPA, FREPZ, FREPE, FREPL, FREPA (repeats).
  LineVerdict HandleRepeatWords(std::string& L);
  // Then the first present of FREP, FA, FE, FL, FS, FMX, FMY, FN, FRL, FR, FT (in this
  // order), found by the dispatch and passed as Word: the block transformations FREP, FA, FS,
  // FMX, FMY, FN, FT here, the equidistant and lead words FE, FL, FRL, FR below.
  LineVerdict HandleTransformWords(std::string& L, std::string_view Word);
  LineVerdict HandleEquidistantWords(std::string& L, std::string_view Word);
  // The construction words, on a line that no word above has taken. They set CurrentPoint,
  // PointRadius and the pending arc (SetArcRadius) or make their own elements; true: the
  // line goes on to element creation; false: the line fails.
  bool HandleConstructionWords(std::string& L);
  // At the corner between the last two elements, once the next element exists: rounding with
  // RoundValue, chamfer with ChamferValue. True: done (or nothing to do); false: the line fails.
  bool RoundCorner();
  bool ChamferCorner();
  // AR: a line from PreviousPoint at Angle (degrees), then a tangent arc of Radius ending at
  // CurrentPoint; Flag 2 takes the other tangent point. RA: an arc of Radius from
  // PreviousPoint, tangent to the line at Angle that ends at CurrentPoint, then that line.
  // Both leave PreviousPoint at the target. False: the line fails.
  bool AngleRadiusLineArc(double Angle, double Radius, double Flag);
  bool RadiusAngleArcLine(double Radius, double Angle, double Flag);
  // STOP, after the move and its corners. True: go on to the cycle words; false: line fails.
  bool HandleStop(std::string& L);
  // G284, G233, G283, last on a line that moved (or that names a cycle without moving).
  // NotPresent and Done both end the line.
  LineVerdict HandleCycleWords(std::string& L);

  // Sets the one pending arc radius: an arc of at most 180 degrees (Large false) or of more
  // (Large true). Only one arc can be made between two points, so the later word wins and
  // the other radius is cleared.
  void SetArcRadius(double Radius, bool Large);

  // ---- Interpreter state, grouped by when it is reset ----

  // Reset at run start, at every block close and by a pen-up line ("|"): the chain of points
  // and its pending arcs and corners.
  struct PenState {
    PointT CurrentPoint{NoValue, NoValue};   // target of the line being read
    PointT PreviousPoint{NoValue, NoValue};  // start of the next element
    std::int32_t MotionMode = -1;       // -1 none, 0 G0, 1 G1, 2 G2, 3 G3
    double PointRadius = 0;             // base circle at CurrentPoint, 0 none (line: 0)
    double PreviousPointRadius = 0;     // PointRadius of the previous line
    double TangentEndAngle = 0;         // where the last element left its end point's circle
    double SmallArcRadius = 0;          // pending arc of at most 180 degrees, 0 none (line: 0)
    double LargeArcRadius = 0;          // pending arc of more than 180 degrees, 0 none (line: 0)
    double RoundValue = NoValue;        // pending rounding radius (RD, C)
    double ModalRoundValue = NoValue;   // RDM
    double ChamferValue = NoValue;      // pending chamfer (CF, negative C)
    double ModalChamferValue = NoValue; // CFM
  };

  // Reset at run start and at every block close (together with the pen).
  struct BlockState {
    std::int32_t BlockNumber = 0;       // open block's geometry number, 0 none
    std::string BlockName;              // last comment read since the block opened
    std::int32_t BlockStartCount = 0;   // ElementCount when the block opened
    std::int32_t BlockSide = 0;         // 1 G41 / 2 G42 before the first point, 3 G81..G89
    std::int32_t SideOverride = -1;     // 0, 1, 2 from G40..G42 after the first point
    std::uint8_t BlockOffsetMark = 0;   // the block has its offset copy n + 1000 (FE)
    std::int32_t FrepLimit = 0;         // element count at the block's first FREP
    std::uint8_t AbsoluteMode = 1;      // 1 G90, 0 G91
    // First axis, second axis, first centre offset, second centre offset, radius; empty
    // until the block's first motion line with a pair fixes them.
    std::array<std::string_view, 5> AxisWords{};
    std::int32_t SecondAxisDivisor = 1; // 2 in the X/Z pair: X is a diameter
    double FeedValue = 0;               // last F of the block, 0 none
    std::uint8_t RapidMark = 0;         // the line holds MAX; taken by the next element stamped
  };

  // Set anew at the start of every line.
  struct LineState {
    std::string_view RawLine;           // the line as it was passed
    std::size_t LineIndex = 0;          // its 0-based index
    const std::string* NextRawLine = nullptr;  // the next line as passed; none on the last
    double AxesGiven = 0;               // 0, 1 first axis read, 2 second axis read

    void Start(std::string_view Raw, std::size_t Index, const std::string* Next) {
      RawLine = Raw;
      LineIndex = Index;
      NextRawLine = Next;
      AxesGiven = 0;
    }
  };
  // The next line padded with blanks and upper-cased; empty on the last line. Made only when
  // a word asks for it: few lines look ahead.
  std::string NextLineText() const;

  PenState Pen;
  BlockState Block;
  LineState ThisLine;
  // Kept for the whole run (reset at its start only).
  std::string ElementLineText;        // last line that reached element creation, upper-cased
  std::string PreviousElementLineText;  // the one before it: the corner words are read there

  TFormaGeom& Geom;
  TFormaDaten& Daten;

 private:
  enum class LineEnd { Next, Failed, SkipSection };

  // Block and pen state back to their defaults; the block starts at the current count.
  void ResetBlockState();
  LineEnd InterpretLine(const std::vector<std::string>& Lines, std::size_t Index);
  // The steps after the line preparation; true: line done, false: the line fails.
  bool DispatchLine();
  bool ReadHeader(std::string& L);
  bool ReadParameters(std::string& L);
  bool ReadModalCorners(std::string& L);
  bool ReadGWords(const std::string& L);
  bool ReadMotionWords(std::string& L);
  bool MakeElements(std::string& L);
  bool ApplyCorners();
  std::string_view FindTransformWord(const std::string& L) const;
  void IndexLine(const std::string& L);

  std::string line_;  // the prepared line L, reused from line to line
  bool wordsStripped_ = false;  // PreviousElementLineText has lost its comment already
  // The characters that follow a blank in L: a word " W..." can only be present when its
  // letter is here. Consuming words never adds a pair, so the index stays a superset.
  std::bitset<256> afterBlank_;
};

}  // namespace movra
