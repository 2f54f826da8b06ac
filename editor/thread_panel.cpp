// The thread block from the panel's texts.
#include "editor/thread_panel.h"

#include <cmath>
#include <utility>

#include "geometry/word_support.h"

namespace movra {
namespace {

using words::Given;
using words::OrZero;

std::string Upper(std::string_view Text) {
  std::string out(Text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string_view Trim(std::string_view Text) {
  while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t')) Text.remove_prefix(1);
  while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t' || Text.back() == '\r'))
    Text.remove_suffix(1);
  return Text;
}

std::string Number(double Value) { return TFormaDaten::FormatReal(Value, ThreadDecimals); }

std::vector<std::string> Steps(const std::string& Word, double From, double To, double Step) {
  std::vector<std::string> items;
  const int count = static_cast<int>(std::lround((To - From) / Step));
  for (int i = 0; i <= count; ++i)
    items.push_back(Word + TFormaDaten::FormatReal(From + i * Step, 1));
  return items;
}

}  // namespace

std::vector<std::string> ThreadComboItems::P() {
  std::vector<std::string> items = Steps("p", 1, 19, 1);
  items.push_back("p10");  // the list ends with a second "p10"
  return items;
}
std::vector<std::string> ThreadComboItems::V() { return Steps("v", 5, 100, 5); }
std::vector<std::string> ThreadComboItems::W() { return Steps("w", 5, 100, 5); }
std::vector<std::string> ThreadComboItems::L(int Which) {
  return Steps("l" + std::to_string(Which) + "=", 0, 30, 1);
}
std::vector<std::string> ThreadComboItems::E(int Which) {
  std::vector<std::string> items = Steps("e" + std::to_string(Which) + "=", 0, 5, 0.2);
  if (Which == 2) items.emplace_back();
  return items;
}

std::vector<std::string> GenerateThread(TFormaDaten& Daten, const ThreadPanelTexts& Texts) {
  // Thread start and end; the w values are diameters.
  const std::string value = Upper(Texts.Value);
  double x1 = Daten.GetWordValue(value, "V1=");
  double y1 = Daten.GetWordValue(value, "W1=");
  double x2 = Daten.GetWordValue(value, "V2=");
  double y2 = Daten.GetWordValue(value, "W2=");
  if (!Given(x1) || !Given(y1) || !Given(x2) || !Given(y2)) return {};
  y1 /= 2;
  y2 /= 2;
  if (!(std::hypot(x2 - x1, y2 - y1) >= MinThreadLength)) return {};
  if (Texts.Norm) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }

  const auto word = [&Daten](const std::string& Text, std::string_view Word) {
    return Daten.GetWordValue(Upper(Text), Word);
  };
  const double F = std::fabs(word(Texts.F, "F"));  // a missing F stays NoValue and fails
  double H = std::fabs(OrZero(word(Texts.H, "H")));
  const double P = std::fabs(OrZero(word(Texts.P, "P")));
  const double E1 = OrZero(word(Texts.E1, "E1="));
  const double E2 = OrZero(word(Texts.E2, "E2="));
  const double L1 = OrZero(word(Texts.L1, "L1="));
  const double L2 = OrZero(word(Texts.L2, "L2="));
  const double V = word(Texts.V, "V");
  const double W = word(Texts.W, "W");
  if (Texts.Kind == ThreadExternal) H = -H;
  // Without a safe point the block would start with a rapid onto the axis.
  if (!Given(V) || !Given(W)) return {};
  x1 += E1;
  x2 += E1;
  y1 += E2;
  y2 += E2;

  if (!(F >= MinThreadPitch && F <= MaxThreadPitch)) return {};
  if (!(P >= MinThreadPasses && P <= MaxThreadPasses)) return {};
  if (!(std::fabs(H) >= MinThreadDepth && std::fabs(H) <= MaxThreadDepth)) return {};
  // Every number written must be a number the interpreter reads back.
  for (const double v : {x1, x2, 2 * y1, 2 * y2, E1, E2, L1, L2, V, 2 * W})
    if (!std::isfinite(v)) return {};

  const std::string safe = "v" + Number(V) + " w" + Number(2 * W) + " max";
  return {
      safe,
      "v" + Number(x1) + " w" + Number(2 * y1) + " max",
      "v" + Number(x2) + " w" + Number(2 * y2) + " g233 h" + Number(H) + " p" + Number(P) +
          " l1=" + Number(L1) + " l2=" + Number(L2) + " f" + Number(F),
      safe,
  };
}

std::vector<std::string> ThreadTableRows(std::string_view FileText) {
  std::vector<std::string> rows;
  while (!FileText.empty()) {
    const std::size_t end = FileText.find('\n');
    rows.emplace_back(Trim(FileText.substr(0, end)));
    if (end == std::string_view::npos) break;
    FileText.remove_prefix(end + 1);
  }
  return rows;
}

bool ThreadRowFields(std::string_view Row, int Kind, std::string& F, std::string& H) {
  const std::string row = Upper(Row);
  const std::size_t first = row.find('X');
  if (first == std::string::npos) return false;
  const std::size_t second = row.find('X', first + 1);
  if (second == std::string::npos) return false;
  const std::string_view text(row);
  F = "f" + std::string(Trim(text.substr(first + 1, second - first - 1)));
  H = (Kind == ThreadInternal ? "h-" : "h") + std::string(Trim(text.substr(second + 1)));
  return true;
}

}  // namespace movra
