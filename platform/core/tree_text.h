#pragma once
// A tree written as indented text: one node per line, its level the number of leading blanks
// and TABs (each counts one), its text the rest of the line with trailing blanks kept. Template
// files and the syntax reference are read this way.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace movra::platform {

// One node in tree order. Depth is its place in the tree (0 top-level, a child one more than
// its parent), which differs from the indentation when the first line is indented.
struct TreeTextNode {
  std::size_t Depth = 0;
  std::string Text;
};

// Why reading stopped before the end: the line (counted from 1), its level and its text.
struct TreeTextError {
  enum class Kind {
    TooDeep,    // more than one level deeper than the line before
    DepthLimit  // the tree would nest deeper than MaxTreeTextDepth
  };
  Kind Reason = Kind::TooDeep;
  std::size_t Line = 0;
  std::size_t Level = 0;
  std::string Text;
};

struct TreeText {
  std::vector<TreeTextNode> Nodes;   // every node read before a stop
  std::optional<TreeTextError> Error;
};

// Trees of the toolkit free their items recursively; a bound keeps a hostile file from
// exhausting the stack. No template or reference comes near it.
inline constexpr std::size_t MaxTreeTextDepth = 256;

// The level of a line: its leading blanks and TABs.
std::size_t TreeTextLevel(std::string_view Line);

// The nodes of Lines. The first line is top-level whatever its level. A further line, against
// the line before it: the same level makes a sibling, one deeper a child, shallower a sibling
// of the ancestor at its level, or a top-level node when no ancestor stands at that level. A
// line more than one level deeper stops the reading; so does a line that would pass
// MaxTreeTextDepth. A line of blanks alone never stops it, nor the line after it: unless it
// is a sibling or a child of the line before, it becomes an empty node beside that line; and
// the first line with text after only blank ones is top-level too.
TreeText ReadTreeText(const std::vector<std::string>& Lines);

// The message for a stop, naming line, level and text (a long text cut, never inside a
// character).
std::string TreeTextErrorMessage(const TreeTextError& Error);

}  // namespace movra::platform
