#include "platform/core/tree_text.h"

namespace movra::platform {
namespace {

// A message quotes at most this many bytes of the line.
constexpr std::size_t MessageTextBytes = 80;

bool IsIndent(char c) { return c == ' ' || c == '\t'; }

// Text cut to at most Bytes bytes, backing off to the start of a UTF-8 character.
std::string CutText(std::string_view Text, std::size_t Bytes) {
  if (Text.size() <= Bytes) return std::string(Text);
  std::size_t end = Bytes;
  while (end > 0 && (static_cast<unsigned char>(Text[end]) & 0xC0) == 0x80) --end;
  return std::string(Text.substr(0, end)) + "...";
}

}  // namespace

std::size_t TreeTextLevel(std::string_view Line) {
  std::size_t level = 0;
  while (level < Line.size() && IsIndent(Line[level])) ++level;
  return level;
}

TreeText ReadTreeText(const std::vector<std::string>& Lines) {
  TreeText tree;
  // The path from the top to the last node lies on consecutive levels, so the level of its
  // top-level node places every ancestor: the ancestor at level L sits at depth L - topLevel.
  std::size_t topLevel = 0;
  std::size_t lastLevel = 0;
  bool textSeen = false;
  for (std::size_t i = 0; i < Lines.size(); ++i) {
    const std::string_view line = Lines[i];
    std::size_t level = TreeTextLevel(line);
    const std::string_view text = line.substr(level);
    if (i == 0 || (!textSeen && !text.empty())) {
      topLevel = level;  // the first line, or the first with text after blank ones
    } else if (text.empty()) {
      // A line of blanks alone (an empty line typed between templates) must not break the
      // chain of levels for the line after it: unless it fits as a sibling or a child, it
      // stands beside the line before.
      if (level > lastLevel + 1 || level < lastLevel) level = lastLevel;
    } else if (level < topLevel) {
      topLevel = level;  // no ancestor at this level: a top-level node
    } else if (level > lastLevel + 1) {
      tree.Error = TreeTextError{TreeTextError::Kind::TooDeep, i + 1, level, std::string(text)};
      return tree;
    }
    if (!text.empty()) textSeen = true;
    const std::size_t depth = level - topLevel;
    if (depth >= MaxTreeTextDepth) {
      tree.Error = TreeTextError{TreeTextError::Kind::DepthLimit, i + 1, level,
                                 std::string(text)};
      return tree;
    }
    tree.Nodes.push_back({depth, std::string(text)});
    lastLevel = level;
  }
  return tree;
}

std::string TreeTextErrorMessage(const TreeTextError& Error) {
  const std::string where = "Line " + std::to_string(Error.Line) + ": ";
  const std::string item = " for item \"" + CutText(Error.Text, MessageTextBytes) + "\"";
  if (Error.Reason == TreeTextError::Kind::DepthLimit)
    return where + "level " + std::to_string(Error.Level) + " nests deeper than " +
           std::to_string(MaxTreeTextDepth) + " levels" + item;
  return where + "invalid level " + std::to_string(Error.Level) + item;
}

}  // namespace movra::platform
