#include "platform/qt/tree_text.h"

#include <QList>
#include <algorithm>
#include <QTreeWidget>

namespace movra::platform {

void FillTree(QTreeWidget& Tree, const std::vector<TreeTextNode>& Nodes,
              const TreeItemStyle& Style) {
  Tree.clear();
  QList<QTreeWidgetItem*> top;
  std::vector<QTreeWidgetItem*> path;  // the last item at each depth
  for (const TreeTextNode& node : Nodes) {
    // Guards a caller that did not read through ReadTreeText.
    const std::size_t depth = std::min(node.Depth, path.size());
    path.resize(depth);
    auto* item = depth == 0 ? new QTreeWidgetItem() : new QTreeWidgetItem(path.back());
    item->setText(0, QString::fromStdString(node.Text));
    if (Style) Style(*item, node);
    if (depth == 0) top.append(item);
    path.push_back(item);
  }
  Tree.addTopLevelItems(top);
}

}  // namespace movra::platform
