#include "platform/qt/tree_text.h"

#include <gtest/gtest.h>

#include <QTreeWidget>
#include <string>

#include "platform/core/text_file.h"

namespace movra::platform {
namespace {

// The items as "depth|text" lines in tree order.
std::string Items(QTreeWidget& Tree) {
  std::string out;
  for (QTreeWidgetItemIterator it(&Tree); *it; ++it) {
    int depth = 0;
    for (const QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent()) ++depth;
    out += std::to_string(depth) + "|" + (*it)->text(0).toStdString() + "\n";
  }
  return out;
}

TEST(FillTree, BuildsTheTreeReadAndReplacesTheOldOne) {
  QTreeWidget tree;
  FillTree(tree, ReadTreeText(SplitLines("old\n\tnode\n")).Nodes);
  const TreeText read =
      ReadTreeText(SplitLines("\tDrehen\n\t\tKontur:\n\t\t\tg40 \n\t\tНаладка~\nFräsen\n\ta\n"));
  FillTree(tree, read.Nodes);
  EXPECT_EQ(Items(tree), "0|Drehen\n1|Kontur:\n2|g40 \n1|Наладка~\n0|Fräsen\n1|a\n");
  FillTree(tree, {});
  EXPECT_EQ(tree.topLevelItemCount(), 0);
}

// The deepest tree the reader lets through is built and freed without trouble.
TEST(FillTree, DeepestTree) {
  std::vector<std::string> lines;
  for (std::size_t level = 0; level < 10000; ++level) lines.push_back(std::string(level, '\t') + "n");
  QTreeWidget tree;
  FillTree(tree, ReadTreeText(lines).Nodes);
  std::size_t levels = 0;
  for (const QTreeWidgetItem* item = tree.topLevelItem(0); item != nullptr;
       item = item->childCount() > 0 ? item->child(0) : nullptr)
    ++levels;
  EXPECT_EQ(levels, MaxTreeTextDepth);
  tree.expandAll();
  tree.clear();
}

}  // namespace
}  // namespace movra::platform
