#pragma once
// A tree view filled from indented text (see platform/core/tree_text.h).
#include <functional>
#include <vector>

#include "platform/core/tree_text.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace movra::platform {

// Replaces every item of Tree by Nodes, in order. The items are built apart and handed to the
// view at once, so that a long file does not redraw the view item by item. Nodes must come
// from ReadTreeText: the first at depth 0, each next at most one deeper than the one before.
// Style, when given, dresses each item before the view sees it (one change per item in the
// view would cost a redraw check each).
using TreeItemStyle = std::function<void(QTreeWidgetItem& Item, const TreeTextNode& Node)>;
void FillTree(QTreeWidget& Tree, const std::vector<TreeTextNode>& Nodes,
              const TreeItemStyle& Style = {});

}  // namespace movra::platform
