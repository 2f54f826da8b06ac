#include "shell/core/template_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/text_file.h"
#include "platform/core/tree_text.h"

namespace movra {
namespace {

// A template text read as the browser reads it: one line per node, indented by depth, then
// its kinds in brackets (S section, H header, C comment), "body" when Edit on it shows a
// template body, "edit" when Backspace lets the user change it.
std::string Browse(const std::string& Text) {
  const platform::TreeText tree = platform::ReadTreeText(platform::SplitLines(Text));
  std::vector<const std::string*> path;  // the texts of the last node at each depth
  std::string out;
  for (const platform::TreeTextNode& node : tree.Nodes) {
    path.resize(node.Depth);
    const TemplateNodeStyle style = TemplateStyle(node.Text, node.Depth);
    const bool body = ShowsTemplateBody(node.Text) && !path.empty() &&
                      IsTemplateParent(*path.back());
    out += std::string(node.Depth, ' ') + node.Text + " [" + (style.Section ? "S" : "") +
           (style.Header ? "H" : "") + (style.Comment ? "C" : "") + (body ? " body" : "") +
           (IsEditableTemplateLine(node.Text) ? " edit" : "") + "]\n";
    path.push_back(&node.Text);
  }
  if (tree.Error) out += "! " + platform::TreeTextErrorMessage(*tree.Error) + "\n";
  return out;
}

TEST(TemplateBrowser, KindsBodiesAndEditableLines) {
  struct Case {
    const char* name;
    std::string text;
    std::string browsed;
  };
  const Case cases[] = {
      {"a header with three lines and a comment: every child shows the body but the comment",
       "Turning\n\tShaft:\n\t\tg1 x0\n\t\tx10\n\t\ty5\n\t\tfinish~\n",
       "Turning [S edit]\n Shaft: [H]\n  g1 x0 [ body edit]\n  x10 [ body edit]\n"
       "  y5 [ body edit]\n  finish~ [C]\n"},
      {"a:b: is drawn as a header but neither refused when selected nor a template parent",
       "S\n\ta:b:\n\t\tx1\n\tc:\n\t\ta:b:\n",
       "S [S edit]\n a:b: [H]\n  x1 [ edit]\n c: [H]\n  a:b: [H body]\n"},
      {"a blank after the colon is drawn as a header, its lines show no body",
       "S\n\tHead: \n\t\tx1\n", "S [S edit]\n Head:  [H]\n  x1 [ edit]\n"},
      {"an empty parent counts as a header and gets no style", "S\n\t\n\t\tx1\n",
       "S [S edit]\n  []\n  x1 [ body edit]\n"},
      {"a top-level header adds bold; its lines show the body", "Head:\n\tx1\n\tnote~\n",
       "Head: [SH]\n x1 [ body edit]\n note~ [C]\n"},
      {"a top-level line has no parent to show", "x1\n", "x1 [S edit]\n"},
      {"kinds are decided on the text without its trailing blanks",
       "S\n\tHead:  \n\t\tx1  \n\t\tnote~ \n",
       "S [S edit]\n Head:   [H]\n  x1   [ edit]\n  note~  [C]\n"},
      {"a tilde inside a line is no comment", "H:\n\ta~b\n", "H: [SH]\n a~b [ body edit]\n"},
      {"a line too deep keeps the nodes before it", "S\n\tH:\n\t\t\t\tx1\n\t\tx2\n",
       "S [S edit]\n H: [H]\n! Line 3: invalid level 4 for item \"x1\"\n"},
      {"an empty line between lines of a template keeps the load going",
       "S\n\tH:\n\t\tx1\n\n\t\tx2\n", "S [S edit]\n H: [H]\n  x1 [ body edit]\n   []\n"
       "  x2 [ body edit]\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Browse(c.text), c.browsed) << c.name;
}

TEST(TemplateBrowser, BodyIsTrimmedAsOneText) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> body;
  };
  const Case cases[] = {
      {"nothing to trim", {"g1 x0", "x10"}, {"g1 x0", "x10"}},
      {"empty and blank lines at both ends go, inner ones stay",
       {"", "  \t", "  g1 x0", "", "  x10  ", " ", ""},
       {"g1 x0", "", "  x10"}},
      {"only blanks", {" ", "", "\t"}, {}},
      {"nothing", {}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(TrimTemplateBody(c.lines), c.body) << c.name;
}

TEST(TemplateBrowser, AddPutsTheBodyAfterTheLastLineAndOneEmptyLine) {
  EXPECT_EQ(TemplateBodyToAppend(false, {"g1 x0", "x10"}), "g1 x0\nx10\n");
  EXPECT_EQ(TemplateBodyToAppend(true, {"g1 x0", "x10"}), "\ng1 x0\nx10\n");
  EXPECT_EQ(TemplateBodyToAppend(true, {}), "\n");
  EXPECT_EQ(TemplateBodyToAppend(false, {}), "");
}

}  // namespace
}  // namespace movra
