// CGridTreeItem: release of a node's subtree. The walk keeps its own stack,
// so a deep chain of nodes cannot exhaust the thread's stack.
#include "controls/CGridTreeItem.h"

#include "controls/CItemInfo.h"

#include <vector>

CGridTreeItem::~CGridTreeItem()
{
    // Each node taken from the work list is emptied before it is deleted, so
    // its destructor finds no children and the release never recurses.
    std::vector<CGridTreeItem*> pending;
    while (!m_children.IsEmpty()) pending.push_back(m_children.RemoveTail());
    while (!pending.empty()) {
        CGridTreeItem* node = pending.back();
        pending.pop_back();
        std::vector<CGridTreeItem*> grandChildren;
        while (!node->m_children.IsEmpty()) grandChildren.push_back(node->m_children.RemoveTail());
        pending.insert(pending.end(), grandChildren.begin(), grandChildren.end());
        delete node->m_info;
        node->m_info = nullptr;
        delete node;
    }
}
