#include "platform/core/tree_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/text_file.h"

namespace movra::platform {
namespace {

// The nodes as "depth|text" lines, then the stop message when there is one.
std::string Outline(const TreeText& Tree) {
  std::string out;
  for (const TreeTextNode& node : Tree.Nodes)
    out += std::to_string(node.Depth) + "|" + node.Text + "\n";
  if (Tree.Error) out += "! " + TreeTextErrorMessage(*Tree.Error) + "\n";
  return out;
}

std::string Read(const std::string& Text) { return Outline(ReadTreeText(SplitLines(Text))); }

struct TreeCase {
  const char* name;
  std::string text;
  std::string outline;
};

TEST(ReadTreeText, LevelsMakeSiblingsChildrenAndAncestors) {
  const TreeCase cases[] = {
      {"empty file", "", ""},
      {"siblings, child, back to the top",
       "Turning\n\tContour:\n\t\tg40\n\t\tx10 y0\n\tComment~\nPockets\n",
       "0|Turning\n1|Contour:\n2|g40\n2|x10 y0\n1|Comment~\n0|Pockets\n"},
      {"blanks and TABs count one level each", "a\n b\n \tc\n\t d\n\te\n",
       "0|a\n1|b\n2|c\n2|d\n1|e\n"},
      {"back up two levels at once", "a\n\tb\n\t\tc\n\t\t\td\n\te\n",
       "0|a\n1|b\n2|c\n3|d\n1|e\n"},
      {"trailing blanks stay, inner blanks too", "\"LL\" \n\tll x1  y1\n",
       "0|\"LL\" \n1|ll x1  y1\n"},
      {"indented first line is top-level", "\t\ta\n\t\t\tb\n\t\tc\n",
       "0|a\n1|b\n0|c\n"},
      {"shallower than every ancestor: a top-level sibling", "\t\ta\n\t\t\tb\n\tc\n\t\td\nе\n",
       "0|a\n1|b\n0|c\n1|d\n0|е\n"},
      {"too deep stops with line, level and text; the nodes before stay",
       "a\n\tb\n\t\t\tc d\n\te\n", "0|a\n1|b\n! Line 3: invalid level 3 for item \"c d\"\n"},
      {"second line too deep after an indented first", "\ta\n\t\t\tb\n",
       "0|a\n! Line 2: invalid level 3 for item \"b\"\n"},
      {"an empty line stands beside the line before", "a\n\tb\n\n\tc\n", "0|a\n1|b\n1|\n1|c\n"},
      {"an empty line inside an indented template does not stop the load",
       "a\n\tb:\n\t\tx1\n\n\t\tx2\n\tc:\n", "0|a\n1|b:\n2|x1\n2|\n2|x2\n1|c:\n"},
      {"a shallower line of blanks stands beside the line before", "a\n\tb\n\t\tc\n \n\t\td\n",
       "0|a\n1|b\n2|c\n2|\n2|d\n"},
      {"the first line with text after empty ones is top-level", "\n\t\ta\n\t\t\tb\n",
       "0|\n0|a\n1|b\n"},
      {"a line of blanks alone never stops the load", "a\n\tb\n\t\t\t\t\n\tc\n",
       "0|a\n1|b\n1|\n1|c\n"},
      {"a line of blanks alone one level deeper is a child", "a\n\t\n", "0|a\n1|\n"},
      {"CR line ends", "a\r\tb\r\t\tc\r", "0|a\n1|b\n2|c\n"},
  };
  for (const TreeCase& c : cases) EXPECT_EQ(Read(c.text), c.outline) << c.name;
}

TEST(ReadTreeText, DepthIsBounded) {
  std::vector<std::string> lines;
  for (std::size_t level = 0; level < 10000; ++level) lines.push_back(std::string(level, ' ') + "n");
  const TreeText tree = ReadTreeText(lines);
  ASSERT_EQ(tree.Nodes.size(), MaxTreeTextDepth);
  EXPECT_EQ(tree.Nodes.back().Depth, MaxTreeTextDepth - 1);
  ASSERT_TRUE(tree.Error);
  EXPECT_EQ(tree.Error->Reason, TreeTextError::Kind::DepthLimit);
  EXPECT_EQ(TreeTextErrorMessage(*tree.Error),
            "Line 257: level 256 nests deeper than 256 levels for item \"n\"");
}

TEST(ReadTreeText, MessageCutsALongTextBetweenCharacters) {
  std::string cyrillic;
  for (int i = 0; i < 1000; ++i) cyrillic += "\xD0\x96";  // Ж, two bytes
  const TreeText tree = ReadTreeText({"a", "\t\t" + cyrillic});
  ASSERT_TRUE(tree.Error);
  EXPECT_EQ(tree.Error->Text.size(), cyrillic.size());
  const std::string message = TreeTextErrorMessage(*tree.Error);
  EXPECT_EQ(message, "Line 2: invalid level 2 for item \"" + cyrillic.substr(0, 80) + "...\"");
}

}  // namespace
}  // namespace movra::platform
