#pragma once
// Whole programs in, one line per element out: "L x1 y1 x2 y2 #n F.. S.." for a line,
// "A cx cy r a1 a2 #n F.. S.." for an arc (angles in degrees), F0 no feed, FMAX rapid.
// The same line form (without number, feed and side) serves the turning and pocket lists,
// and the Editor fixture puts a program, or raw elements, into a store for all of them.
#include <charconv>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"

namespace movra::transcript {

constexpr double Tolerance = 1e-4;  // the transcripts give four decimals

inline std::string Num(double v) {
  if (std::fabs(v) < 5e-5) return "0";
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
  std::string s(buf, r.ptr);
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

// One line or arc of any record that carries Kind and V1..V5.
template <class Element>
std::string ElementLine(const Element& e) {
  const double deg = 180.0 / std::numbers::pi;
  if (e.Kind == 2) {
    return "A " + Num(e.V1) + " " + Num(e.V2) + " " + Num(e.V3) + " " + Num(e.V4 * deg) + " " +
           Num(e.V5 * deg);
  }
  std::string out = "L " + Num(e.V1) + " " + Num(e.V2) + " " + Num(e.V3) + " " + Num(e.V4);
  if (e.V5 != 0) out += " z" + Num(e.V5);
  return out;
}

// A 1-based record list (the turning and pocket lists), one ElementLine per record.
template <class List>
std::string ListTranscript(const List& list) {
  std::string out;
  for (int i = 1; i <= list.Count(); ++i) {
    const auto* r = list(i);
    out += r ? ElementLine(*r) + "\n" : std::string("(no record)\n");
  }
  return out;
}

inline std::string Transcript(const TFormaGeom& geom) {
  std::string out;
  for (int slot = 1; slot <= geom.ElementCount(); ++slot) {
    const TFormaGeom::GeomT* e = geom.Elements(slot);
    if (!e) {
      out += "(empty slot)\n";
      continue;
    }
    out += ElementLine(*e);
    out += " #" + std::to_string(e->GeomNo);
    out += e->Feed == NoValue ? std::string(" FMAX") : " F" + Num(e->Feed);
    out += " S" + std::to_string(e->Side) + "\n";
  }
  return out;
}

inline std::vector<std::string> Tokens(const std::string& s) {
  std::vector<std::string> t;
  std::istringstream in(s);
  for (std::string w; in >> w;) t.push_back(w);
  return t;
}

inline bool AsNumber(const std::string& s, std::size_t skip, double& v) {
  if (s.size() <= skip) return false;
  const char* end = s.data() + s.size();
  const auto r = std::from_chars(s.data() + skip, end, v);
  return r.ec == std::errc() && r.ptr == end;
}

// Same words, numbers equal within the tolerance (also after a one-letter prefix: F200).
inline bool SameTranscript(const std::string& want, const std::string& got) {
  const auto a = Tokens(want), b = Tokens(got);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    double x = 0, y = 0;
    const std::size_t skip = (a[i][0] == 'F' && b[i][0] == 'F') ? 1 : 0;
    if (!AsNumber(a[i], skip, x) || !AsNumber(b[i], skip, y) || std::fabs(x - y) > Tolerance)
      return false;
  }
  return true;
}

inline std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

struct Editor {
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  std::string error = "untouched";
  Editor() { geom.FromEditor = 1; }
  void Run(const std::vector<std::string>& lines) { geom.InterpretProgram(lines, error); }
  void Run(const std::string& text) { Run(SplitLines(text)); }
  // Program in: the test fails unless the text reads without error.
  void Load(const std::vector<std::string>& lines) {
    Run(lines);
    ASSERT_EQ(error, "");
  }
  void Load(const std::string& text) { Load(SplitLines(text)); }
  // An element put straight into the store, for what program text cannot say.
  TFormaGeom::GeomT& Put(int number, double kind, double v1, double v2, double v3, double v4,
                         double v5 = 0.0) {
    EXPECT_TRUE(geom.NewElement());
    TFormaGeom::GeomT& e = *geom.CurElement();
    e.GeomNo = number;
    e.Kind = kind;
    e.V1 = v1;
    e.V2 = v2;
    e.V3 = v3;
    e.V4 = v4;
    e.V5 = v5;
    return e;
  }
};

// A program, the error text it must end with ("" for a valid one) and its elements.
struct ProgramCase {
  const char* name;
  const char* program;   // lines separated by "\n"
  const char* error;     // expected error text, "" for a valid program
  const char* elements;  // expected transcript
};

// Runs the case in the editor's way and checks its error text and its elements.
inline void ExpectProgramReads(const ProgramCase& c) {
  Editor ed;
  ed.Run(std::string(c.program));
  EXPECT_EQ(ed.error, c.error) << "program:\n" << c.program;
  const std::string got = Transcript(ed.geom);
  EXPECT_TRUE(SameTranscript(c.elements, got))
      << "program:\n" << c.program << "\nexpected:\n" << c.elements << "\ngot:\n" << got;
  EXPECT_EQ(ed.geom.Busy, 0);
}

// Test names from the cases' names.
inline std::string CaseName(const ::testing::TestParamInfo<ProgramCase>& p) {
  return p.param.name;
}

}  // namespace movra::transcript
