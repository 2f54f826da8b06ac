// The reader of indented tree text (templates, syntax reference) on any bytes, decoded as a
// template file is. It must not crash; the nodes form a tree (the first top-level, each next
// at most one deeper than the one before, none past the bound), a stop names a line of the
// file, and the nodes come from the lines before it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/text_encoding.h"
#include "platform/core/text_file.h"
#include "platform/core/tree_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace movra::platform;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const bool russian = size > 0 && (data[0] & 1) != 0;
  const std::vector<std::string> lines = SplitLines(DecodeSingleByteText(bytes, russian));
  const TreeText tree = ReadTreeText(lines);

  if (tree.Nodes.size() > lines.size()) std::abort();
  for (std::size_t i = 0; i < tree.Nodes.size(); ++i) {
    const std::size_t depth = tree.Nodes[i].Depth;
    if (depth >= MaxTreeTextDepth) std::abort();
    if (i == 0 ? depth != 0 : depth > tree.Nodes[i - 1].Depth + 1) std::abort();
    if (!IsValidUtf8(tree.Nodes[i].Text)) std::abort();
    if (tree.Nodes[i].Text.size() > lines[i].size()) std::abort();
  }
  if (tree.Error) {
    if (tree.Error->Line != tree.Nodes.size() + 1 || tree.Error->Line > lines.size()) std::abort();
    if (!IsValidUtf8(TreeTextErrorMessage(*tree.Error))) std::abort();
  } else if (tree.Nodes.size() != lines.size()) {
    std::abort();
  }
  return 0;
}
