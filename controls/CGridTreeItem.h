// CGridTreeItem: one node of the tree grid (the grid calls it CTreeItem): its
// children in display order, its parent, its record, its collapsed state and
// the row it occupies while visible. A node owns its children and their
// records. Portable.
#pragma once

#include "framework/CList.h"
#include "framework/CObject.h"

class CItemInfo;

class CGridTreeItem : public CObject {
public:
    CGridTreeItem() = default;
    // Destroys, for each child, first the child's record and then the child
    // (and so its whole subtree), then empties the child list. The node's own
    // record belongs to whoever destroys the node.
    ~CGridTreeItem() override;

    CList<CGridTreeItem*, CGridTreeItem*> m_children;  // owned, display order
    CGridTreeItem* m_parent = nullptr;                  // null for a root
    CItemInfo* m_info = nullptr;                        // the row's record
    bool m_collapsed = false;                           // children hidden
    int m_row = -1;                                     // row while visible
    int m_indent = -1;                                  // 1 for a root, parent's + 1 below
    int m_childMark = -1;                               // not -1: counts as having children
};
