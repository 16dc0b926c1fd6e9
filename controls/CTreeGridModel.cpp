// CTreeGridModel: the tree grid's nodes and the operations that keep the rows
// of the list in step with the visible part of the tree.
#include "controls/CTreeGridModel.h"

#include "framework/CException.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

namespace {

const CString& TextOf(const CGridTreeItem* node)
{
    static const CString empty;
    return node->m_info ? node->m_info->m_text : empty;
}

int ImageOf(const CGridTreeItem* node)
{
    return node->m_info ? node->m_info->m_image : -1;
}

}  // namespace

CTreeGridModel::CTreeGridModel(IGridRowList& rows) : m_rows(rows) {}

CTreeGridModel::~CTreeGridModel()
{
    while (!m_roots.IsEmpty()) DestroyNode(m_roots.RemoveHead());
}

void CTreeGridModel::DestroyNode(CTreeItem* node)
{
    delete node->m_info;
    node->m_info = nullptr;
    delete node;
}

bool CTreeGridModel::HasChildren(const CTreeItem* node) const
{
    return node->m_childMark != -1 || !node->m_children.IsEmpty();
}

CTreeGridModel::CTreeItem* CTreeGridModel::GetNextChild(const CTreeItem* node, POSITION& pos) const
{
    if (!pos) AfxThrowInvalidArgException();
    return node->m_children.GetNext(pos);
}

int CTreeGridModel::RootPosition(const CTreeItem* node) const
{
    int index = 0;
    for (POSITION pos = m_roots.GetHeadPosition(); pos; ++index) {
        if (m_roots.GetNext(pos) == node) return index;
    }
    return -1;
}

bool CTreeGridModel::IsDescendantOrSelf(const CTreeItem* ancestor, const CTreeItem* node) const
{
    if (!ancestor) return false;
    for (const CTreeItem* n = node; n; n = n->m_parent) {
        if (n == ancestor) return true;
    }
    return false;
}

int CTreeGridModel::KnownRow(const CTreeItem* node) const
{
    const int row = node->m_row;
    if (row < 0 || static_cast<size_t>(row) >= m_rowNodes.size()) return -1;
    return m_rowNodes[static_cast<size_t>(row)] == node ? row : -1;
}

bool CTreeGridModel::IsVisible(const CTreeItem* node) const
{
    const CTreeItem* top = node;
    for (; top->m_parent; top = top->m_parent) {
        if (top->m_parent->m_collapsed) return false;
    }
    // Every root has a row, so a top node on a row is one of the roots.
    return KnownRow(top) != -1 || IsRootNode(top);
}

const CTreeGridModel::CTreeItem* CTreeGridModel::VisiblePredecessor(const CTreeItem* node) const
{
    const CList<CTreeItem*, CTreeItem*>& siblings = node->m_parent ? node->m_parent->m_children : m_roots;
    // New nodes are usually the last child, so search from the tail.
    POSITION pos = siblings.GetTailPosition();
    while (pos && siblings.GetAt(pos) != node) siblings.GetPrev(pos);
    if (!pos) return nullptr;
    siblings.GetPrev(pos);
    if (!pos) return node->m_parent;
    const CTreeItem* last = siblings.GetAt(pos);
    while (!last->m_collapsed && !last->m_children.IsEmpty()) last = last->m_children.GetTail();
    return last;
}

int CTreeGridModel::RowOfNode(const CTreeItem* node) const
{
    if (!node) return -1;
    const int known = KnownRow(node);
    if (known != -1) return known;
    if (!IsVisible(node)) return -1;
    // A visible node without a row yet (one being added) comes right after
    // its predecessor; when that one is not on a known row either, count.
    const CTreeItem* before = VisiblePredecessor(node);
    if (!before) {
        if (m_roots.IsEmpty() || m_roots.GetHead() != node) return WalkRowOfNode(node);
        return 0;
    }
    const int beforeRow = KnownRow(before);
    return beforeRow != -1 ? beforeRow + 1 : WalkRowOfNode(node);
}

int CTreeGridModel::WalkRowOfNode(const CTreeItem* node) const
{
    if (m_roots.IsEmpty()) return -1;
    const CTreeItem* firstRoot = m_roots.GetHead();
    int counter = 0;
    bool found = false;
    // Counts the visible nodes before `node` in pre-order; -1 when it is not met.
    std::function<int(const CTreeItem*)> walk = [&](const CTreeItem* start) -> int {
        if (!start->m_parent && start != firstRoot) ++counter;
        if (start == node) found = true;
        if (!start->m_collapsed) {
            for (POSITION pos = start->m_children.GetHeadPosition(); pos;) {
                if (found) return counter;
                walk(start->m_children.GetNext(pos));
                ++counter;
            }
        }
        return found ? counter : -1;
    };
    for (POSITION pos = m_roots.GetHeadPosition(); pos;) {
        found = false;
        const int row = walk(m_roots.GetNext(pos));
        if (row != -1) return row;
    }
    return -1;
}

void CTreeGridModel::RenumberRows()
{
    const int count = m_rows.GetRowCount();
    m_rowNodes.assign(static_cast<size_t>(std::max(count, 0)), nullptr);
    for (int row = 0; row < count; ++row) {
        CTreeItem* node = m_rows.GetRowNode(row);
        m_rowNodes[static_cast<size_t>(row)] = node;
        if (node) node->m_row = row;
    }
}

void CTreeGridModel::RenumberFrom(int first)
{
    for (size_t row = static_cast<size_t>(std::max(first, 0)); row < m_rowNodes.size(); ++row) {
        if (m_rowNodes[row]) m_rowNodes[row]->m_row = static_cast<int>(row);
    }
}

int CTreeGridModel::InsertNodeRow(int index, CTreeItem* node, int indent)
{
    int row = m_rows.InsertRow(index, TextOf(node), node, indent, ImageOf(node));
    if (row < 0) return -1;
    row = std::min(row, static_cast<int>(m_rowNodes.size()));
    m_rowNodes.insert(m_rowNodes.begin() + row, node);
    node->m_row = row;
    return row;
}

void CTreeGridModel::SetRowSubTexts(int row, const CItemInfo* info)
{
    if (!info) return;
    for (int k = 0; k < info->m_subTexts.GetSize(); ++k) m_rows.SetRowText(row, k + 1, info->m_subTexts[k]);
}

CTreeGridModel::CTreeItem* CTreeGridModel::AddRootNode(CItemInfo* info)
{
    std::unique_ptr<CItemInfo> record(info ? info : new CItemInfo);
    CTreeItem* node = new CTreeItem;
    node->m_indent = 1;
    node->m_info = record.release();
    m_roots.AddTail(node);
    // The new row is the last one, so no other row changes its number. The
    // model knows the row count: its rows are the list's rows.
    const int row = InsertNodeRow(static_cast<int>(m_rowNodes.size()), node, 1);
    if (row >= 0) SetRowSubTexts(row, node->m_info);
    return node;
}

CTreeGridModel::CTreeItem* CTreeGridModel::AddChildNode(CTreeItem* parent, CItemInfo* info, bool show)
{
    if (!parent) return nullptr;
    std::unique_ptr<CItemInfo> record(info ? info : new CItemInfo);
    CTreeItem* node = new CTreeItem;
    node->m_info = record.release();
    node->m_indent = parent->m_indent + 1;
    node->m_parent = parent;

    if (!show) {
        // A hidden child makes its parent collapsed. Children the parent
        // showed before lose their rows with it, so no row stays under a
        // collapsed parent.
        if (!parent->m_collapsed && !parent->m_children.IsEmpty()) {
            const int parentRow = KnownRow(parent);
            if (parentRow != -1) {
                HideSubtreeRows(parent, true, parentRow + 1);
                RenumberFrom(parentRow + 1);
            }
        }
        parent->m_children.AddTail(node);
        parent->m_collapsed = true;
        return node;
    }
    parent->m_children.AddTail(node);
    const int row = RowOfNode(node);
    if (row < 0) {
        // Under a hidden or collapsed parent the child cannot have a row.
        parent->m_collapsed = true;
        return node;
    }
    const int inserted = InsertNodeRow(row, node, node->m_indent);
    if (inserted < 0) return node;
    if (node->m_info->m_check) m_rows.SetRowCheck(inserted, true);
    SetRowSubTexts(inserted, node->m_info);
    RenumberFrom(inserted + 1);
    return node;
}

void CTreeGridModel::DeleteAllNodes()
{
    if (m_roots.IsEmpty()) return;
    m_rows.SetRedraw(false);
    m_rows.DeleteAllRows();
    m_rowNodes.clear();
    while (!m_roots.IsEmpty()) DestroyNode(m_roots.RemoveHead());
    m_rows.SetRedraw(true);
    m_rows.Repaint();
}

void CTreeGridModel::CollectVisibleDescendants(CTreeItem* node, bool collapse, std::vector<CTreeItem*>& out)
{
    if (node->m_collapsed || !HasChildren(node)) return;
    node->m_collapsed = collapse;
    for (POSITION pos = node->m_children.GetHeadPosition(); pos;) {
        CTreeItem* child = node->m_children.GetNext(pos);
        out.push_back(child);
        CollectVisibleDescendants(child, collapse, out);
    }
}

void CTreeGridModel::DeleteNodeRows(int first, const std::vector<CTreeItem*>& nodes)
{
    if (nodes.empty()) return;
    const size_t count = nodes.size();
    bool inPlace = first >= 0 && static_cast<size_t>(first) + count <= m_rowNodes.size();
    for (size_t i = 0; inPlace && i < count; ++i) inPlace = m_rowNodes[static_cast<size_t>(first) + i] == nodes[i];
    // Rows are deleted one by one: with drawing on, each would repaint.
    m_rows.SetRedraw(false);
    if (inPlace) {
        m_rows.DeleteRows(first, static_cast<int>(count));
        m_rowNodes.erase(m_rowNodes.begin() + first, m_rowNodes.begin() + first + static_cast<int>(count));
        m_rows.SetRedraw(true);
        return;
    }
    // The rows are not where the caller said: delete each node's own row, if
    // it has one, and never another node's.
    const std::unordered_set<const CTreeItem*> wanted(nodes.begin(), nodes.end());
    for (size_t row = m_rowNodes.size(); row-- > 0;) {
        if (wanted.count(m_rowNodes[row]) == 0) continue;
        m_rows.DeleteRows(static_cast<int>(row), 1);
        m_rowNodes.erase(m_rowNodes.begin() + static_cast<std::ptrdiff_t>(row));
    }
    m_rows.SetRedraw(true);
}

void CTreeGridModel::HideSubtreeRows(CTreeItem* node, bool collapse, int firstRow)
{
    if (!node) return;
    std::vector<CTreeItem*> descendants;
    CollectVisibleDescendants(node, collapse, descendants);
    DeleteNodeRows(firstRow, descendants);
}

int CTreeGridModel::DeleteSubtreeRows(CTreeItem* node)
{
    if (!node) return -1;
    const int row = RowOfNode(node);
    std::vector<CTreeItem*> doomed{node};
    CollectVisibleDescendants(node, true, doomed);
    if (row >= 0) DeleteNodeRows(row, doomed);
    return row;
}

void CTreeGridModel::RemoveNode(CTreeItem* node, int row)
{
    if (!node) return;
    m_rows.SetRedraw(false);
    // The row must be the node's own; otherwise use the row it really has
    // (none when it is hidden), so no other node loses its row.
    if (KnownRow(node) != row) row = RowOfNode(node);
    std::vector<CTreeItem*> doomed{node};
    CollectVisibleDescendants(node, true, doomed);
    if (row >= 0) DeleteNodeRows(row, doomed);

    if (!node->m_parent) {
        POSITION pos = m_roots.Find(node);
        if (pos) {
            m_roots.RemoveAt(pos);
            DestroyNode(node);
        }
    } else {
        DetachNode(node);
    }
    RenumberFrom(row);

    if (row - 1 >= 0 && !m_rows.SelectRow(row)) m_rows.SelectRow(row - 1);
    m_rows.SetRedraw(true);
    m_rows.Repaint();
}

bool CTreeGridModel::DetachUnder(CTreeItem* parent, CTreeItem* node)
{
    for (POSITION pos = parent->m_children.GetHeadPosition(); pos;) {
        const POSITION here = pos;
        CTreeItem* child = parent->m_children.GetNext(pos);
        if (child == node) {
            parent->m_children.RemoveAt(here);
            DestroyNode(child);
            return true;
        }
        if (DetachUnder(child, node)) return true;
    }
    return false;
}

bool CTreeGridModel::DetachNode(CTreeItem* node)
{
    if (!node) return false;
    // Usually the parent link leads straight to the node's place.
    if (CTreeItem* parent = node->m_parent) {
        const CTreeItem* top = parent;
        while (top->m_parent) top = top->m_parent;
        if (KnownRow(top) != -1 || IsRootNode(top)) {
            const POSITION pos = parent->m_children.Find(node);
            if (pos) {
                parent->m_children.RemoveAt(pos);
                DestroyNode(node);
                return true;
            }
        }
    }
    for (POSITION pos = m_roots.GetHeadPosition(); pos;) {
        if (DetachUnder(m_roots.GetNext(pos), node)) return true;
    }
    return false;
}

bool CTreeGridModel::CopyNodeUnder(CTreeItem* target, CTreeItem* source)
{
    return CopyNodeUnder(target, source, [this](CItemInfo* info) { return m_clone ? m_clone(info) : nullptr; });
}

bool CTreeGridModel::CopyNodeUnder(CTreeItem* target, CTreeItem* source,
                                   const std::function<CItemInfo*(CItemInfo*)>& clone)
{
    if (!target || !source) return false;
    // Plan the whole source subtree in pre-order first, so a copy made inside
    // that subtree (target under source) is not copied again.
    struct Step {
        CTreeItem* source;
        int parentStep;  // index in plan of the step that copies the parent
    };
    std::vector<Step> plan;
    std::vector<Step> pending{{source, -1}};
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        const int index = static_cast<int>(plan.size());
        plan.push_back(step);
        const size_t mark = pending.size();
        for (POSITION pos = step.source->m_children.GetHeadPosition(); pos;) {
            pending.push_back({step.source->m_children.GetNext(pos), index});
        }
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(mark), pending.end());
    }
    std::vector<CTreeItem*> copies(plan.size(), nullptr);
    for (size_t i = 0; i < plan.size(); ++i) {
        CItemInfo* record = clone(plan[i].source->m_info);
        copies[i] = i == 0 ? AddChildNode(target, record, !target->m_collapsed)
                           : AddChildNode(copies[static_cast<size_t>(plan[i].parentStep)], record, false);
    }
    return true;
}

int CTreeGridModel::ExpandNode(CTreeItem* node, int row)
{
    if (!node) return row;
    if (row < 0 || KnownRow(node) != row) {
        // Children go below the node's own row; a hidden node shows nothing.
        const int actual = RowOfNode(node);
        if (actual < 0) return row;
        row = actual;
    }
    int shown = 0;
    if (HasChildren(node) && node->m_collapsed) {
        m_rows.SetRedraw(false);
        m_rows.SetRowIndent(row, node->m_indent);
        node->m_collapsed = false;
        for (POSITION pos = node->m_children.GetHeadPosition(); pos;) {
            CTreeItem* child = node->m_children.GetNext(pos);
            const int childRow = InsertNodeRow(row + 1 + shown, child, node->m_indent + 1);
            if (childRow < 0) continue;
            if (child->m_info && child->m_info->m_check) m_rows.SetRowCheck(childRow, true);
            SetRowSubTexts(childRow, child->m_info);
            ++shown;
        }
        m_rows.SetRedraw(true);
    }
    RenumberFrom(row + 1);
    return row + shown;
}

void CTreeGridModel::CollapseNode(CTreeItem* node)
{
    if (!node || !HasChildren(node)) return;
    m_rows.SetRedraw(false);
    const int row = RowOfNode(node);
    HideSubtreeRows(node, true, row + 1);
    RenumberFrom(row + 1);
    m_rows.SetRedraw(true);
}

void CTreeGridModel::ExpandSubtree(CTreeItem* node, int& lastRow)
{
    if (!node) return;
    if (!node->m_children.IsEmpty()) lastRow = ExpandNode(node, RowOfNode(node));
    for (POSITION pos = node->m_children.GetHeadPosition(); pos;) ExpandSubtree(node->m_children.GetNext(pos), lastRow);
}

void CTreeGridModel::StoreCellText(CTreeItem* node, int row, int column, const CString& text)
{
    if (column < 0) return;
    const CString copy = text;
    if (node && node->m_info) {
        if (column == 0) node->m_info->m_text = copy;
        else node->m_info->m_subTexts.SetAtGrow(column - 1, copy);
    }
    m_rows.SetRowText(row, column, copy);
}
