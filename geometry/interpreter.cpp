#include "geometry/interpreter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "geometry/tolerances.h"
#include "geometry/word_support.h"

namespace movra {
namespace {

constexpr std::size_t npos = std::string::npos;
using namespace words;

bool Blankish(char c) { return static_cast<unsigned char>(c) <= 32; }
bool Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && Blankish(s.front())) s.remove_prefix(1);
  while (!s.empty() && Blankish(s.back())) s.remove_suffix(1);
  return s;
}

void TrimRight(std::string& s) {
  std::size_t n = s.size();
  while (n > 0 && Blankish(s[n - 1])) --n;
  s.resize(n);
}

// Only ASCII letters change case, so a UTF-8 character is never split or altered.
void UpperAscii(std::string& s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
}

// The comment (first "(" to last ")") and the ";" tail of a line are no program words.
// Returns whether a comment was removed; Name receives its trimmed text.
bool CutComment(std::string& L, std::string* Name) {
  bool removed = false;
  const std::size_t open = L.find('(');
  if (open != npos) {
    const std::size_t close = L.rfind(')');
    if (close != npos) {
      if (close > open) {
        if (Name) Name->assign(Trim(std::string_view(L).substr(open + 1, close - open - 1)));
        L.erase(open, close - open + 1);
        removed = true;
      } else if (Name) {
        Name->clear();
        removed = true;
      }
    }
  }
  return removed;
}

void CutSemicolonTail(std::string& L) {
  const std::size_t semi = L.find(';');
  if (semi == npos) return;
  L.resize(semi);
  TrimRight(L);
}

void CollapseBlanks(std::string& L) {
  std::size_t w = 0;
  for (std::size_t r = 0; r < L.size(); ++r) {
    if (L[r] == ' ' && w > 0 && L[w - 1] == ' ') continue;
    L[w++] = L[r];
  }
  L.resize(w);
}

// A line that, trimmed, begins with "%1".."%9" ends a skipped section.
bool StartsNumberedHeader(std::string_view raw) {
  const std::string_view t = Trim(raw);
  return t.size() >= 2 && t[0] == '%' && t[1] >= '1' && t[1] <= '9';
}

// The transformation words, tried in this order; the equidistant group's words are marked.
struct TransformWord {
  std::string_view Word;
  bool Equidistant;
};
constexpr std::array<TransformWord, 11> TransformWords{{
    {" FREP", false}, {" FA", false}, {" FE", true}, {" FL", true}, {" FS", false},
    {" FMX", false}, {" FMY", false}, {" FN", false}, {" FRL", true}, {" FR", true},
    {" FT", false},
}};

// The G words of the language, as they stand between blanks.
enum GWord : unsigned {
  G0 = 1u << 0, G1 = 1u << 1, G2 = 1u << 2, G3 = 1u << 3,
  G00 = 1u << 4, G01 = 1u << 5, G02 = 1u << 6, G03 = 1u << 7,
  G40 = 1u << 8, G41 = 1u << 9, G42 = 1u << 10,
  G8x = 1u << 11, G90 = 1u << 12, G91 = 1u << 13,
};

unsigned GWordOf(std::string_view t) {
  if (t.size() == 1 && t[0] >= '0' && t[0] <= '3') return G0 << (t[0] - '0');
  if (t.size() != 2) return 0;
  if (t[0] == '0' && t[1] >= '0' && t[1] <= '3') return G00 << (t[1] - '0');
  if (t[0] == '4' && t[1] >= '0' && t[1] <= '2') return G40 << (t[1] - '0');
  if (t[0] == '8' && t[1] >= '1' && t[1] <= '9') return G8x;
  if (t == "90") return G90;
  if (t == "91") return G91;
  return 0;
}

// The kernel lets an arc through two points pass when its chord is a little longer than its
// diameter (a half circle with rounded end points). Between base circles that slack has no
// such meaning: there the arc must touch both circles within the kernel's cosine slack, or
// it would end away from the circle the next element leaves.
bool ArcReachesBothCircles(const TFormaDaten::PointT& C1, double R1, const TFormaDaten::PointT& C2,
                           double R2, double R) {
  const double l = std::hypot(C2.X - C1.X, C2.Y - C1.Y);
  const double m = std::fabs(R1 - R);
  if (!(l > 0) || !(m > 0)) return true;  // the kernel refuses these itself
  const double e = (l * l - (R2 - R) * (R2 - R) + (R1 - R) * (R1 - R)) / 2.0 / l;
  return std::fabs(e / m) <= CosineSlack;
}

bool HasCycleWord(const std::string& L) {
  return L.find("G284") != npos || L.find("G233") != npos || L.find("G283") != npos;
}

// Busy is set for the run and cleared on every way out.
class BusyScope {
 public:
  explicit BusyScope(std::uint8_t& Flag) : flag_(Flag) { flag_ = 1; }
  ~BusyScope() { flag_ = 0; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  std::uint8_t& flag_;
};

}  // namespace

void TFormaGeom::InterpretProgram(const std::vector<std::string>& Lines, std::string& ErrorText) {
  // A call from an event handler in the middle of a run gets back at once.
  if (Busy != 0) return;
  RunOnce(Lines, ErrorText);
  RunRequests(ErrorText);
}

void TFormaGeom::RunOnce(const std::vector<std::string>& Lines, std::string& ErrorText) {
  BusyScope busy(Busy);
  InterpretRun run(*this, daten_);
  run.Run(Lines, ErrorText);
}

void TFormaGeom::RequestRun(std::vector<std::string> Lines,
                            std::function<void(const std::string& ErrorText)> Done) {
  pending_ = PendingRun{std::move(Lines), std::move(Done)};
  if (Busy != 0) return;  // the run in progress takes it when it has finished
  std::string error;
  RunRequests(error);
}

void TFormaGeom::RunRequests(std::string& ErrorText) {
  while (pending_) {
    PendingRun next = std::move(*pending_);
    pending_.reset();
    RunOnce(next.Lines, ErrorText);
    if (next.Done) next.Done(ErrorText);
  }
}

InterpretRun::InterpretRun(TFormaGeom& GeomIn, TFormaDaten& DatenIn)
    : Geom(GeomIn), Daten(DatenIn) {}

// ---------------------------------------------------------------------------------------------
// The run and the line preparation

void InterpretRun::Run(const std::vector<std::string>& Lines, std::string& ErrorText) {
  ErrorText.clear();
  Geom.ClearElements();
  for (int n = 1; n <= TFormaGeom::MaxGeomNumber; ++n) {
    Daten.Vars(n) = 0;
    Geom.GeomNames(n).clear();
    Geom.GeomClosed(n) = 0;
    Geom.GeomParams(n).Fill(0.0);
  }
  Daten.ClearValues();
  ResetBlockState();
  Block.BlockNumber = Geom.FromEditor == 1 ? 1 : 0;
  ElementLineText.clear();
  PreviousElementLineText.clear();

  const std::size_t count = Lines.size();
  std::size_t failed = npos;
  std::size_t i = 0;
  while (i < count) {
    Geom.PumpMessages();
    const LineEnd end = InterpretLine(Lines, i);
    if (end == LineEnd::Failed) {
      failed = i;
      break;
    }
    ++i;
    if (end == LineEnd::SkipSection) {
      // Up to the next numbered header, or to the end of the text, which is no error.
      while (i < count && !StartsNumberedHeader(Lines[i])) {
        Geom.PumpMessages();
        ++i;
      }
    }
  }
  // The last block's point element may be refused by a full store: the text's last line.
  if (failed == npos && !CloseBlock() && count > 0) failed = count - 1;
  Geom.CompactElements();
  if (failed != npos) {
    ErrorText = "N" + std::to_string(failed + 1) + " [ " + Lines[failed] + " ]";
  }
}

InterpretRun::LineEnd InterpretRun::InterpretLine(const std::vector<std::string>& Lines,
                                                  std::size_t Index) {
  const std::string& raw = Lines[Index];
  ThisLine.Start(raw, Index, Index + 1 < Lines.size() ? &Lines[Index + 1] : nullptr);
  if (raw.empty()) return LineEnd::Next;

  std::string& L = line_;
  L.assign(1, ' ');
  L += raw;
  L += ' ';
  ProtectEngravingText(L);
  if (CutComment(L, &Block.BlockName) && Trim(L).empty()) return LineEnd::Next;
  CutSemicolonTail(L);
  if (FindText(L, " / ") != npos) return LineEnd::Next;
  if (FindText(L, " //") != npos) return LineEnd::SkipSection;
  const std::string_view t = Trim(L);
  if (t.empty() || t == "%0") return LineEnd::Next;
  UpperAscii(L);
  IndexLine(L);
  if (FindWord(L, " #") != npos && !ReadHashParams(L)) return LineEnd::Failed;
  Pen.PreviousPointRadius = Pen.PointRadius;
  Pen.PointRadius = 0;
  Pen.SmallArcRadius = 0;
  Pen.LargeArcRadius = 0;
  return DispatchLine() ? LineEnd::Next : LineEnd::Failed;
}

std::string InterpretRun::NextLineText() const {
  std::string next;
  if (!ThisLine.NextRawLine) return next;
  next.reserve(ThisLine.NextRawLine->size() + 2);
  next += ' ';
  next += *ThisLine.NextRawLine;
  next += ' ';
  UpperAscii(next);
  return next;
}

void InterpretRun::IndexLine(const std::string& L) {
  afterBlank_.reset();
  for (std::size_t p = 0; p + 1 < L.size(); ++p)
    if (L[p] == ' ') afterBlank_.set(static_cast<unsigned char>(L[p + 1]));
}

// ---------------------------------------------------------------------------------------------
// The keyword dispatch, in the order of its table

bool InterpretRun::DispatchLine() {
  std::string& L = line_;
  LineVerdict verdict = HandleEngraving(L);
  if (verdict != LineVerdict::NotPresent) return verdict == LineVerdict::Done;
  verdict = HandlePocketWords(L);
  if (verdict != LineVerdict::NotPresent) return verdict == LineVerdict::Done;

  if (FindWord(L, " %") != npos) return ReadHeader(L);
  if (Block.BlockNumber > 0 && !ReadParameters(L)) return false;

  // Pen up: the chain ends, the block goes on.
  if (L.find('|') != npos && Trim(L) == "|" && Pen.PreviousPoint.X != NoValue &&
      Pen.CurrentPoint.X != NoValue) {
    Pen = {};
    return true;
  }
  if (!ReadModalCorners(L)) return false;
  if (!ReadGWords(L)) return false;
  if (Pen.MotionMode != -1 && !ReadMotionWords(L)) return false;

  verdict = HandleRepeatWords(L);
  if (verdict != LineVerdict::NotPresent) return verdict == LineVerdict::Done;
  const std::string_view word = FindTransformWord(L);
  if (!word.empty()) {
    bool equidistant = false;
    for (const TransformWord& w : TransformWords)
      if (w.Word == word) equidistant = w.Equidistant;
    verdict = equidistant ? HandleEquidistantWords(L, word) : HandleTransformWords(L, word);
    if (verdict != LineVerdict::NotPresent) return verdict == LineVerdict::Done;
  }
  if (!HandleConstructionWords(L)) return false;
  return MakeElements(L);
}

bool InterpretRun::ReadHeader(std::string& L) {
  if (!CloseBlock()) return false;
  const double v = WordValueAt(L, FindWord(L, " %"), " %");
  if (v != NoValue) {
    if (!std::isfinite(v)) return false;
    const double n = std::fabs(RoundHalfEven(v));
    if (n < 1 || n > TFormaGeom::MaxGeomNumber) return false;
    Block.BlockNumber = static_cast<std::int32_t>(n);
    return !Geom.GeomExists(Block.BlockNumber);
  }
  // The first number without elements; one walk over the store instead of one per number.
  std::array<bool, TFormaGeom::MaxGeomNumber + 1> used{};
  for (int slot = 1; slot <= Geom.ElementCount(); ++slot) {
    const TFormaGeom::GeomT* e = Geom.Elements(slot);
    if (e && e->GeomNo >= 1 && e->GeomNo <= TFormaGeom::MaxGeomNumber) used[e->GeomNo] = true;
  }
  Block.BlockNumber = 0;
  for (int n = 1; n <= TFormaGeom::MaxGeomNumber && Block.BlockNumber == 0; ++n)
    if (!used[n]) Block.BlockNumber = n;
  return Block.BlockNumber != 0;
}

bool InterpretRun::ReadParameters(std::string& L) {
  const std::size_t pos = FindWord(L, " D");
  if (pos == npos) return true;
  const double v = WordValueAt(L, pos, " D");
  if (!Given(v)) return false;
  std::array<double, TFormaGeom::ParamCount> values{};
  for (int k = 1; k <= TFormaGeom::ParamCount; ++k) values[k - 1] = Daten.Values(k);
  ConsumeWordAt(L, pos, 2);
  if (Block.BlockNumber > TFormaGeom::MaxGeomNumber) return true;
  for (int k = 1; k <= TFormaGeom::ParamCount; ++k) {
    const double d = values[k - 1];
    if (d == NoValue) break;
    if (!std::isfinite(d)) return false;
    Geom.GeomParams(Block.BlockNumber)(k) = d;
  }
  return true;
}

bool InterpretRun::ReadModalCorners(std::string& L) {
  std::size_t pos = FindWord(L, " RDM");
  if (pos != npos) {
    const double v = WordValueAt(L, pos, " RDM");
    if (!Given(v)) return false;
    ConsumeWordAt(L, pos, 4);
    Pen.RoundValue = Pen.ChamferValue = Pen.ModalChamferValue = NoValue;
    Pen.ModalRoundValue = v;
  }
  pos = FindWord(L, " CFM");
  if (pos != npos) {
    const double v = WordValueAt(L, pos, " CFM");
    if (!Given(v)) return false;
    ConsumeWordAt(L, pos, 4);
    Pen.RoundValue = Pen.ChamferValue = Pen.ModalRoundValue = NoValue;
    Pen.ModalChamferValue = v;
  }
  return true;
}

bool InterpretRun::ReadGWords(const std::string& L) {
  unsigned g = 0;
  if (afterBlank_.test('G')) {
    for (std::size_t p = FindText(L, " G"); p != npos; p = FindText(L, " G", p + 1)) {
      const std::size_t end = L.find(' ', p + 2);
      if (end == npos) break;  // a G word needs its blank after it
      g |= GWordOf(std::string_view(L).substr(p + 2, end - p - 2));
    }
  }
  if (Pen.CurrentPoint.X != NoValue || Pen.CurrentPoint.Y != NoValue) {
    if (g & G40) Block.SideOverride = 0;
    if (g & G41) Block.SideOverride = 1;
    if (g & G42) Block.SideOverride = 2;
    if (Block.SideOverride != -1 && FindWord(L, " FE") != npos) return false;
  } else {
    if (g & G41) Block.BlockSide = 1;
    if (g & G42) Block.BlockSide = 2;
  }
  if (g & G8x) Block.BlockSide = 3;
  // When several stand on one line, the last in this order wins.
  constexpr std::array<std::pair<unsigned, int>, 8> motion{
      {{G0, 0}, {G1, 1}, {G2, 2}, {G3, 3}, {G00, 0}, {G01, 1}, {G02, 2}, {G03, 3}}};
  for (const auto& [bit, mode] : motion)
    if (g & bit) Pen.MotionMode = mode;
  if (g & G90) Block.AbsoluteMode = 1;
  if (g & G91) Block.AbsoluteMode = 0;
  return true;
}

bool InterpretRun::ReadMotionWords(std::string& L) {
  CollapseBlanks(L);
  if (Block.AxisWords[0].empty()) {
    if (FindWholeWord(L, " X") != npos && FindWholeWord(L, " Y") != npos) {
      Block.AxisWords = {" X", " Y", " I", " J", " R"};
    } else if (FindWholeWord(L, " X") != npos && FindWholeWord(L, " Z") != npos) {
      Block.AxisWords = {" Z", " X", " K", " I", " R"};
      Block.SecondAxisDivisor = 2;
    } else {
      return true;  // no pair yet: single coordinates are the construction words' business
    }
  }
  // An axis word moves one coordinate: to the value (G90), or by it when the coordinate is
  // set (G91; an unset coordinate stays unset).
  const auto moveAxis = [this](double PointT::*Axis, double Value) {
    Pen.PreviousPoint.*Axis = Pen.CurrentPoint.*Axis;
    if (Block.AbsoluteMode == 1) {
      Pen.CurrentPoint.*Axis = Value;
    } else if (Pen.CurrentPoint.*Axis != NoValue) {
      Pen.CurrentPoint.*Axis += Value;
    }
  };
  double v = 0;
  bool missing = false;
  if (TakeWholeWord(L, Block.AxisWords[0], v, missing)) {
    if (missing) return false;
    moveAxis(&PointT::X, v);
    ThisLine.AxesGiven = 1;
  }
  if (TakeWholeWord(L, Block.AxisWords[1], v, missing)) {
    if (missing) return false;
    moveAxis(&PointT::Y, v / Block.SecondAxisDivisor);
    ThisLine.AxesGiven = 2;
  }

  const bool moves =
      FullySet(Pen.PreviousPoint) && FullySet(Pen.CurrentPoint) &&
      (Pen.PreviousPoint.X != Pen.CurrentPoint.X || Pen.PreviousPoint.Y != Pen.CurrentPoint.Y);
  if (!moves) return true;

  if ((Pen.MotionMode == 0 || Pen.MotionMode == 1) && ThisLine.AxesGiven > 0) {
    if (!TakeWholeWord(L, " A", v, missing)) return true;
    if (missing) return false;
    const double a = Rad(LineDegrees(v));
    const bool ok = ThisLine.AxesGiven == 1
                        ? Daten.OffsetLinesIntersect(Pen.PreviousPoint.X, Pen.PreviousPoint.Y, a,
                                                     Pen.CurrentPoint.X, 0, Rad(90.0), 0)
                        : Daten.OffsetLinesIntersect(Pen.PreviousPoint.X, Pen.PreviousPoint.Y, a, 0,
                                                     Pen.CurrentPoint.Y, 0, 0);
    if (!ok) return false;
    const PointT p = Daten.GeoResult.Point;
    if (!Finite(p) || std::hypot(p.X - Pen.PreviousPoint.X, p.Y - Pen.PreviousPoint.Y) < Same)
      return false;
    Pen.CurrentPoint = p;
    return true;
  }

  if (Pen.MotionMode == 2 || Pen.MotionMode == 3) {
    double i = 0, j = 0, r = 0;
    if (TakeWholeWord(L, Block.AxisWords[2], v, missing)) {
      if (missing) return false;
      i = v;
    }
    if (TakeWholeWord(L, Block.AxisWords[3], v, missing)) {
      if (missing) return false;
      j = v;
    }
    if (TakeWholeWord(L, Block.AxisWords[4], v, missing)) {
      if (missing) return false;
      r = v;
    }
    if (i == 0 && j == 0 && r == 0) return false;
    const double sense = Pen.MotionMode == 2 ? -1.0 : 1.0;
    if (r == 0) {
      // Centre form: the centre is relative to the start point, never halved; only the
      // radius and the choice of the short or long arc survive.
      const double cx = Pen.PreviousPoint.X + i, cy = Pen.PreviousPoint.Y + j;
      const double radius = sense * std::hypot(i, j);
      const double sweep = TFormaDaten::ArcSweep(
          radius, TFormaDaten::DirAngle(cx, cy, Pen.PreviousPoint.X, Pen.PreviousPoint.Y),
          TFormaDaten::DirAngle(cx, cy, Pen.CurrentPoint.X, Pen.CurrentPoint.Y));
      SetArcRadius(radius, std::fabs(sweep) > std::numbers::pi);
    } else if (i == 0 && j == 0) {
      // Radius form: a negative radius asks for the arc of more than 180 degrees.
      SetArcRadius(sense * std::fabs(r), r < 0);
    }
    // A centre offset and a radius together: a straight move.
  }
  return true;
}

std::string_view InterpretRun::FindTransformWord(const std::string& L) const {
  if (!afterBlank_.test('F')) return {};
  std::size_t best = TransformWords.size();
  for (std::size_t p = FindText(L, " F"); p != npos; p = FindText(L, " F", p + 1)) {
    for (std::size_t k = 0; k < best; ++k)
      if (L.compare(p, TransformWords[k].Word.size(), TransformWords[k].Word) == 0) best = k;
  }
  return best < TransformWords.size() ? TransformWords[best].Word : std::string_view{};
}

// ---------------------------------------------------------------------------------------------
// Element creation and corners

bool InterpretRun::MakeElements(std::string& L) {
  Block.RapidMark = FindWord(L, " MAX") != npos ? 1 : 0;
  {
    double v = 0;
    bool missing = false;
    if (TakeWholeWord(L, " F", v, missing) && !missing) Block.FeedValue = std::fabs(v);
  }
  if (!FullySet(Pen.CurrentPoint)) return true;
  if (!FullySet(Pen.PreviousPoint)) Pen.PreviousPoint = Pen.CurrentPoint;  // a chain's first point
  std::swap(PreviousElementLineText, ElementLineText);
  ElementLineText.assign(ThisLine.RawLine);
  UpperAscii(ElementLineText);
  wordsStripped_ = false;

  if (Pen.PreviousPoint.X != Pen.CurrentPoint.X || Pen.PreviousPoint.Y != Pen.CurrentPoint.Y) {
    const PointT from = Pen.PreviousPoint, to = Pen.CurrentPoint;
    if (Pen.SmallArcRadius == 0 && Pen.LargeArcRadius == 0) {
      if (!Daten.TangentTwoCircles(from.X, from.Y, Pen.PreviousPointRadius, to.X, to.Y,
                                   Pen.PointRadius))
        return false;
      const TFormaDaten::GeoResultT g = Daten.GeoResult;
      if (Pen.PreviousPointRadius != 0 && !AddSegment(2, from.X, from.Y, Pen.PreviousPointRadius,
                                                      Pen.TangentEndAngle, g.RadialAngle1))
        return false;
      if (!AddSegment(1, g.Tangent1.X, g.Tangent1.Y, g.Tangent2.X, g.Tangent2.Y, 0)) return false;
      Pen.TangentEndAngle = g.RadialAngle2;
    } else {
      // SetArcRadius keeps one radius pending; the long arc is asked for with Mode 2.
      const bool large = Pen.LargeArcRadius != 0;
      const double radius = large ? Pen.LargeArcRadius : Pen.SmallArcRadius;
      if ((Pen.PreviousPointRadius != 0 || Pen.PointRadius != 0) &&
          !ArcReachesBothCircles(from, Pen.PreviousPointRadius, to, Pen.PointRadius, radius))
        return false;
      if (!Daten.ArcTangentTwoCircles(from.X, from.Y, Pen.PreviousPointRadius, to.X, to.Y,
                                      Pen.PointRadius, radius, large ? 2 : 1))
        return false;
      const TFormaDaten::GeoResultT g = Daten.GeoResult;
      if (Pen.PreviousPointRadius != 0 &&
          !AddSegment(2, from.X, from.Y, Pen.PreviousPointRadius, Pen.TangentEndAngle, g.ArcStart))
        return false;
      if (!AddSegment(2, g.ArcCentre.X, g.ArcCentre.Y, radius, g.ArcStartRaw, g.ArcEndRaw))
        return false;
      Pen.TangentEndAngle = g.ArcEnd;
    }
    KeepEndPoint();
    if (!ApplyCorners()) return false;
    if (!HandleStop(L)) return false;
  } else if (!HasCycleWord(L)) {
    return true;  // no move
  }
  return HandleCycleWords(L) != LineVerdict::Failed;
}

std::array<double, 4> InterpretRun::TakeWordValues(std::string& Line, std::size_t Pos,
                                                   std::string_view Word) {
  WordValueAt(Line, Pos, Word);
  std::array<double, 4> v{};
  for (std::size_t k = 0; k < v.size(); ++k) {
    const double x = Daten.Values(static_cast<int>(k) + 1);
    v[k] = Given(x) ? x : NoValue;
  }
  ConsumeWordAt(Line, Pos, Word.size());
  return v;
}

std::string& InterpretRun::PreviousElementWords() {
  if (!wordsStripped_) {
    KeepWordsOnly(PreviousElementLineText);
    wordsStripped_ = true;
  }
  return PreviousElementLineText;
}

void InterpretRun::KeepWordsOnly(std::string& Text) {
  // A comment is no corner word, and a corner word may stand first on its line.
  CutComment(Text, nullptr);
  CutSemicolonTail(Text);
  Text.insert(Text.begin(), ' ');
}

bool InterpretRun::ApplyCorners() {
  std::string& T = PreviousElementWords();
  if (FindText(T, " R") != npos || FindText(T, " C") != npos) {
    std::size_t pos = FindText(T, " RDM");
    if (pos != npos) ConsumeWordAt(T, pos, 4);
    pos = FindWholeWord(T, " RD");
    if (pos != npos) {
      const double v = WordValueAt(T, pos, " RD");
      if (!Given(v)) return false;
      ConsumeWordAt(T, pos, 3);
      Pen.RoundValue = v;
      Pen.ChamferValue = Pen.ModalChamferValue = NoValue;
    }
    pos = FindText(T, " CFM");
    if (pos != npos) ConsumeWordAt(T, pos, 4);
    pos = FindWholeWord(T, " CF");
    if (pos != npos) {
      const double v = WordValueAt(T, pos, " CF");
      if (!Given(v)) return false;
      ConsumeWordAt(T, pos, 3);
      Pen.ChamferValue = v;
      Pen.RoundValue = Pen.ModalRoundValue = NoValue;
    }
    pos = FindWholeWord(T, " C");  // not CC, CF or CFM
    if (pos != npos) {
      const double v = WordValueAt(T, pos, " C");
      if (!Given(v)) return false;
      ConsumeWordAt(T, pos, 2);
      if (v > 0) Pen.RoundValue = v;
      if (v < 0) Pen.ChamferValue = v;
    }
  }
  if (Pen.ModalRoundValue != NoValue && Pen.ModalRoundValue != 0) {
    Pen.ModalChamferValue = NoValue;
    if (Pen.RoundValue == NoValue) {
      Pen.RoundValue = Pen.ModalRoundValue;
    } else if (Pen.RoundValue == 0) {
      Pen.RoundValue = NoValue;  // an explicit 0 spares this one corner
    }
  }
  if (Pen.ModalChamferValue != NoValue && Pen.ModalChamferValue != 0) {
    if (Pen.ChamferValue == NoValue) {
      Pen.ChamferValue = Pen.ModalChamferValue;
    } else if (Pen.ChamferValue == 0) {
      Pen.ChamferValue = NoValue;
    }
  }
  if (Pen.RoundValue != NoValue && Pen.RoundValue != 0) {
    if (!RoundCorner()) return false;
    Pen.RoundValue = Pen.ChamferValue = NoValue;
  }
  if (Pen.ChamferValue != NoValue && Pen.ChamferValue != 0) {
    if (!ChamferCorner()) return false;
    Pen.RoundValue = Pen.ChamferValue = NoValue;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Routines of the run

bool InterpretRun::ConsumeWord(std::string& Line, std::string_view Word) {
  const std::size_t pos = FindText(Line, Word);
  if (pos == npos) return false;
  ConsumeWordAt(Line, pos, Word.size());
  return true;
}

void InterpretRun::ConsumeWordAt(std::string& Line, std::size_t Pos, std::size_t Length) {
  if (Pos >= Line.size()) return;
  const std::size_t end = std::min(Line.size(), Pos + Length);
  for (std::size_t k = Pos; k < end; ++k) Line[k] = ' ';
  if (end < Line.size()) Line[end] = '_';
}

bool InterpretRun::ReadHashParams(const std::string& Line) {
  // The numbers n whose "#n=" stands in the line, read in rising n as the language wants.
  std::bitset<TFormaGeom::MaxGeomNumber + 1> present;
  int lowest = TFormaGeom::MaxGeomNumber + 1, highest = 0;  // the span to walk in rising n
  for (std::size_t p = Line.find('#'); p != npos; p = Line.find('#', p + 1)) {
    std::size_t q = p + 1;
    int n = 0;
    if (q >= Line.size() || Line[q] < '1' || Line[q] > '9') continue;  // "#01=" is no "#1="
    while (q < Line.size() && Line[q] >= '0' && Line[q] <= '9') {
      if (n <= TFormaGeom::MaxGeomNumber) n = n * 10 + (Line[q] - '0');
      ++q;
    }
    if (q < Line.size() && Line[q] == '=' && n >= 1 && n <= TFormaGeom::MaxGeomNumber) {
      present.set(static_cast<std::size_t>(n));
      lowest = std::min(lowest, n);
      highest = std::max(highest, n);
    }
  }
  for (int n = lowest; n <= highest; ++n) {
    if (!present.test(static_cast<std::size_t>(n))) continue;
    char word[8] = {'#'};
    char* end = std::to_chars(word + 1, word + sizeof word - 1, n).ptr;
    *end++ = '=';
    const double v = Daten.GetWordValue(Line, std::string_view(word, end - word));
    if (v == NoValue) continue;
    if (!std::isfinite(v)) return false;
    Daten.Vars(n) = v;
  }
  return true;
}

void InterpretRun::StampElement() {
  TFormaGeom::GeomT* e = Geom.CurElement();
  if (!e) return;
  if (Block.BlockNumber == 0) Block.BlockNumber = 1;
  e->GeomNo = Block.BlockNumber;
  if (Block.FeedValue != 0) e->Feed = Block.FeedValue;
  if (Block.RapidMark != 0 && e->Kind == 1) e->Feed = NoValue;
  if (Block.SideOverride != -1) e->Side = static_cast<std::uint8_t>(Block.SideOverride);
  Block.RapidMark = 0;
}

bool InterpretRun::AddPoint(double X, double Y) {
  if (!std::isfinite(X) || !std::isfinite(Y) || !Geom.NewElement()) return false;
  StampElement();  // before Kind is set, so a point is never rapid
  TFormaGeom::GeomT& e = *Geom.CurElement();
  e.Kind = 1;
  e.V1 = e.V3 = X;
  e.V2 = e.V4 = Y;
  return true;
}

bool InterpretRun::AddSegment(int Kind, double P1, double P2, double P3, double P4, double P5) {
  if (Kind == 1 && P1 == P3 && P2 == P4) return true;
  if (Kind == 2 && P3 == 0) return true;
  // Number and side come from the stamp.
  if (!Geom.AppendShape(0, 0, Kind, P1, P2, P3, P4, P5)) return false;
  StampElement();
  return true;
}

void InterpretRun::KeepEndPoint() { Pen.PreviousPoint = Pen.CurrentPoint; }

void InterpretRun::TakeEndPoint() {
  const int last = Geom.ElementCount();
  if (last == 0) return;
  const TFormaGeom::GeomT* e = Geom.Elements(last);
  if (!e) return;
  Geom.SetCurElement(last);
  double x1 = 0, y1 = 0, x2 = Pen.CurrentPoint.X, y2 = Pen.CurrentPoint.Y;
  TFormaDaten::ElementEndPoints(e->Kind, e->V1, e->V2, e->V3, e->V4, e->V5, x1, y1, x2, y2);
  Pen.CurrentPoint = {x2, y2};
  Pen.PreviousPoint = Pen.CurrentPoint;
}

bool InterpretRun::CloseBlock() {
  bool made = true;
  if (Block.BlockNumber >= 1 && Block.BlockNumber <= TFormaGeom::MaxGeomNumber) {
    if (FullySet(Pen.CurrentPoint) && Geom.ElementCount() == Block.BlockStartCount)
      made = AddPoint(Pen.CurrentPoint.X, Pen.CurrentPoint.Y);  // a block that names only a point
    if (made) {
      if (!Block.BlockName.empty()) Geom.SetGeomName(Block.BlockNumber, Block.BlockName);
      if (Block.BlockSide != 0 && Block.SideOverride == -1)
        Geom.SetGeomCorrection(Block.BlockNumber, Block.BlockSide);
      Geom.GeomClosed(Block.BlockNumber) = 1;
    }
  }
  ResetBlockState();
  return made;
}

void InterpretRun::ResetBlockState() {
  Pen = {};
  Block = {};
  Block.BlockStartCount = Geom.ElementCount();
}

void InterpretRun::SetArcRadius(double Radius, bool Large) {
  Pen.SmallArcRadius = Large ? 0 : Radius;
  Pen.LargeArcRadius = Large ? Radius : 0;
}

// ---------------------------------------------------------------------------------------------
// Word search

std::size_t InterpretRun::FindWord(const std::string& Line, std::string_view Word) const {
  if (&Line == &line_ && Word.size() >= 2 && Word[0] == ' ' &&
      !afterBlank_.test(static_cast<unsigned char>(Word[1])))
    return npos;
  return FindText(Line, Word);
}

std::size_t InterpretRun::FindWholeWord(const std::string& Line, std::string_view Word) const {
  for (std::size_t p = FindWord(Line, Word); p != npos; p = FindText(Line, Word, p + 1)) {
    const std::size_t end = p + Word.size();
    if (end >= Line.size() || !Letter(Line[end])) return p;
  }
  return npos;
}

double InterpretRun::WordValueAt(const std::string& Line, std::size_t Pos, std::string_view Word) {
  if (Pos >= Line.size()) return NoValue;
  // From the occurrence on, so that the parser finds this one first.
  return Daten.GetWordValue(std::string_view(Line).substr(Pos), Word);
}

bool InterpretRun::TakeWholeWord(std::string& Line, std::string_view Word, double& Value,
                                 bool& Missing) {
  const std::size_t pos = FindWholeWord(Line, Word);
  if (pos == npos) return false;
  const double v = WordValueAt(Line, pos, Word);
  Missing = !Given(v);
  if (Missing) return true;
  ConsumeWordAt(Line, pos, Word.size());
  Value = v;
  return true;
}

}  // namespace movra
