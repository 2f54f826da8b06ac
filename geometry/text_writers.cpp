// Contour text and subprograms written from the element store.
#include "geometry/text_writers.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

#include "geometry/forma_daten.h"
#include "geometry/tolerances.h"

namespace movra {
namespace {

using GeomT = TFormaGeom::GeomT;

// Two coordinates of contour text closer than this are the same coordinate.
constexpr double SameCoordinate = Same;
// Arcs of a smaller radius are no arcs: they are not written.
constexpr double ZeroRadius = Same;
// End points closer than this count as joined: the contour text lifts the pen only beyond.
constexpr double JoinDistance = JoinGap;
// Subprogram coordinates within this of the last one are not written again.
constexpr double SameAxisValue = JoinGap;

// Side words of the contour text by GeomT::Side.
constexpr std::array<const char*, 4> SideWords{"g40", "g41", "g42", "g81"};

constexpr double Arc = 2.0;

struct Ends {
  double X1 = 0.0, Y1 = 0.0, X2 = 0.0, Y2 = 0.0;
};

Ends EndsOf(const GeomT& e) {
  Ends p;
  TFormaDaten::ElementEndPoints(e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5, p.X1, p.Y1, p.X2, p.Y2);
  return p;
}

bool IsZeroArc(const GeomT& e) { return e.Kind == Arc && std::fabs(e.V3) < ZeroRadius; }

bool HasElements(const TFormaGeom& Geom) {
  for (int slot = 1; slot <= Geom.ElementCount(); ++slot)
    if (Geom.Elements(slot)) return true;
  return false;
}

std::string Trimmed(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return std::string(s.substr(b, e - b));
}

std::string Text(double Value) { return TFormaDaten::FormatReal(Value, ContourTextDecimals); }

// "x.. y..": word and number together, one blank between the words.
std::string PointLine(double X, double Y) { return "x" + Text(X) + " y" + Text(Y); }

// The end line of an element: the coordinates that change and the arc words.
std::string EndLine(const GeomT& e, const Ends& p) {
  std::string line;
  auto add = [&line](const std::string& word) {
    if (!line.empty()) line += ' ';
    line += word;
  };
  if (std::fabs(p.X1 - p.X2) > SameCoordinate) add("x" + Text(p.X2));
  if (std::fabs(p.Y1 - p.Y2) > SameCoordinate) add("y" + Text(p.Y2));
  if (e.Kind == Arc) {
    add("b" + Text(e.V3));
    if (std::fabs(TFormaDaten::ArcSweep(e.V3, e.V4, e.V5)) > std::numbers::pi) add("2");
  }
  return line;
}

}  // namespace

bool GeometryToText(const TFormaGeom& Geom, int Number, int Mode, std::string_view Comment,
                    std::string_view DText, std::vector<std::string>& List) {
  if (!HasElements(Geom)) return false;
  List.clear();
  if (Mode != TextModeCoordinates) return false;

  bool started = false;
  // End of the element of this number in the slot just before, for the gap test.
  bool previousInSlotBefore = false;
  double previousX = 0.0, previousY = 0.0;
  for (int slot = 1; slot <= Geom.ElementCount(); ++slot) {
    const GeomT* e = Geom.Elements(slot);
    if (!e || e->GeomNo != Number) {
      previousInSlotBefore = false;
      continue;
    }
    // An arc without radius is no element of the contour: it writes nothing and the elements
    // on either side of it are compared with each other, so it cannot lift the pen.
    if (IsZeroArc(*e)) continue;
    const Ends p = EndsOf(*e);

    if (started && previousInSlotBefore &&
        std::hypot(p.X1 - previousX, p.Y1 - previousY) >= JoinDistance) {
      List.emplace_back("|");
      // Blanks around both words: the reader trims and splits on blanks.
      List.push_back(" x" + Text(p.X1) + "  y" + Text(p.Y1) + " ");
    }
    previousInSlotBefore = true;
    previousX = p.X2;
    previousY = p.Y2;

    if (TFormaDaten::Dist(p.X1, p.Y1, p.X2, p.Y2) == 0.0 && started) continue;
    if (!started) {
      started = true;
      if (e->Side < SideWords.size()) List.emplace_back(SideWords[e->Side]);
      if (!Trimmed(DText).empty()) List.push_back("d" + std::string(DText));
      List.push_back(PointLine(p.X1, p.Y1));
    }
    std::string end = EndLine(*e, p);
    if (!end.empty()) List.push_back(std::move(end));
  }

  if (List.empty()) return false;
  std::string name;
  for (char c : Comment)
    if (c != '%') name += c;
  List.insert(List.begin(), "(" + Trimmed(name) + ")");
  return true;
}

namespace {

// Axis and centre words of one plane; the second axis is multiplied by Factor.
struct PlaneWords {
  const char* First;
  const char* Second;
  const char* FirstCentre;
  const char* SecondCentre;
  double Factor;
};

PlaneWords WordsOfPlane(double Plane) {
  if (Plane == 18) return {" Z", " X", " K", " I", 2.0};  // X written as a diameter
  if (Plane == 19) return {" Y", " Z", " J", " K", 1.0};
  return {" X", " Y", " I", " J", 1.0};
}

std::string Sub(double Value) { return TFormaDaten::FormatReal(Value, SubprogramDecimals); }

// One run of the subprogram writer over the store.
class SubprogramWriter {
 public:
  SubprogramWriter(std::vector<std::string>& List, double Plane)
      : list_(List), words_(WordsOfPlane(Plane)) {}

  void Write(const GeomT& e) {
    if (!e.Name.empty()) name_ = e.Name;
    if (e.Feed > 0 && e.Feed < NoValue && e.Feed != feed_) {
      feed_ = e.Feed;
      feedText_ = "F" + Sub(e.Feed);
    }
    const Ends p = EndsOf(e);

    // A chain that does not start where the last one ended is reached by its own start
    // line, as the first chain is; otherwise its first move would be made from the wrong
    // point (and of several drilling points only the first would be written).
    // An arc without radius goes nowhere and starts no chain of its own.
    if (!IsZeroArc(e)) {
      if (started_ && (std::fabs(p.X1 - lastX_) > SameAxisValue ||
                       std::fabs(p.Y1 - lastY_) > SameAxisValue))
        WriteStart(e, p);
      lastX_ = p.X2;
      lastY_ = p.Y2;
    }

    if ((e.Side == 1 || e.Side == 2) && corrLine_ == 0) {
      corrLine_ = list_.empty() ? 1 : static_cast<int>(list_.size());
      if (e.Side == 2) corrLine_ = -corrLine_;
    }
    if (e.Side == 0 && corrLine_ != 0 && g40Line_ == 0) g40Line_ = static_cast<int>(list_.size());

    // A drilling element goes on to its end as well: a chain of drilling moves would
    // otherwise lose its second point, and the axis words after it would be off.
    if (!started_) {
      started_ = true;
      WriteStart(e, p);
    }

    const std::string a =
        std::fabs(p.X1 - p.X2) <= SameAxisValue ? std::string() : words_.First + Sub(p.X2);
    const std::string b = std::fabs(p.Y1 - p.Y2) <= SameAxisValue
                              ? std::string()
                              : words_.Second + Sub(words_.Factor * p.Y2);
    if (a.empty() && b.empty()) return;
    if (e.Side == 3) {
      list_.push_back(Trimmed(a + b));
      return;
    }
    if (e.Kind == Arc) {
      list_.push_back((e.V3 > 0 ? "G3" : "G2") + a + b + words_.FirstCentre + Sub(e.V1 - p.X1) +
                      words_.SecondCentre + Sub(e.V2 - p.Y1));
    } else {
      list_.push_back(Move(e) + a + b);
    }

    if (list_.size() > 1 && feedText_ != lastFeedText_) {
      lastFeedText_ = feedText_;
      list_.back() += " " + feedText_;
    }
  }

  // Correction marks, header and end code.
  void Finish(double Number, bool All) {
    const int last = static_cast<int>(list_.size()) - 1;
    // A mark whose element and everything after it wrote no line has no line to stand on:
    // with no corrected move written there is nothing to switch on; a G40 after the last
    // line stands on the last line.
    if (last >= 1 && corrLine_ != 0 && std::abs(corrLine_) <= last) {
      list_[static_cast<std::size_t>(std::abs(corrLine_))] += corrLine_ > 0 ? " g41" : " g42";
      if (g40Line_ == 0 || g40Line_ > last) g40Line_ = last;
      list_[static_cast<std::size_t>(g40Line_)] += " G40";
    }
    if (!name_.empty()) list_.insert(list_.begin(), "(" + name_ + ")");
    list_.insert(list_.begin(), "SPF" + std::to_string(All ? 0L : std::lround(Number)));
    list_.insert(list_.begin(), "%");
    list_.emplace_back("M17");
  }

 private:
  static std::string Move(const GeomT& e) { return e.Feed >= NoValue ? "G0" : "G1"; }

  void WriteStart(const GeomT& e, const Ends& p) {
    const std::string ab = words_.First + Sub(p.X1) + words_.Second + Sub(words_.Factor * p.Y1);
    list_.push_back(e.Side == 3 ? Trimmed(ab) : Move(e) + ab);
  }

  std::vector<std::string>& list_;
  const PlaneWords words_;
  bool started_ = false;
  std::string name_;
  double feed_ = 0.0;  // the feed that feedText_ was made from
  std::string feedText_;
  std::string lastFeedText_;
  int corrLine_ = 0;  // index of the line that gets g41 (> 0) or g42 (< 0); 0 none
  int g40Line_ = 0;   // index of the line that gets G40; 0 the last line
  double lastX_ = 0.0, lastY_ = 0.0;
};

}  // namespace

bool GeometryToSubprogram(const TFormaGeom& Geom, std::vector<std::string>& List, double Number,
                          double Plane) {
  List.clear();
  if (!(Number >= 0) || !HasElements(Geom)) return false;
  const bool all = Number == 0 || Number > TFormaGeom::MaxGeomNumber;
  SubprogramWriter writer(List, Plane);
  for (int slot = 1; slot <= Geom.ElementCount(); ++slot) {
    const GeomT* e = Geom.Elements(slot);
    if (e && (all || e->GeomNo == Number)) writer.Write(*e);
  }
  writer.Finish(Number, all);
  return true;
}

}  // namespace movra
