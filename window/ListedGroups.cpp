// CListedGroups: bookkeeping and reconciliation of the pages' group lists.
#include "window/ListedGroups.h"

#include <algorithm>

void CListedGroups::Add(int id, const CString& name) { m_entries.push_back({id, name}); }

void CListedGroups::Remove(int id)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
    if (found != m_entries.end()) m_entries.erase(found);
}

std::vector<CListedGroups::Change> CListedGroups::Reconcile(const std::vector<Entry>& groups) const
{
    auto listedOf = [this](int id) {
        std::vector<const Entry*> listed;
        for (const Entry& e : m_entries) {
            if (e.id == id) listed.push_back(&e);
        }
        return listed;
    };
    auto wantedOf = [&groups](int id) {
        std::vector<const Entry*> wanted;
        for (const Entry& g : groups) {
            if (g.id == id) wanted.push_back(&g);
        }
        return wanted;
    };
    // An id is left alone when it is listed exactly as wanted: once, under the same name.
    auto isSettled = [&](int id) {
        const auto listed = listedOf(id);
        const auto wanted = wantedOf(id);
        return listed.size() == 1 && wanted.size() == 1 && listed[0]->name == wanted[0]->name;
    };

    std::vector<Change> changes;
    std::vector<int> cleared;
    for (const Entry& e : m_entries) {
        if (isSettled(e.id) || std::find(cleared.begin(), cleared.end(), e.id) != cleared.end()) continue;
        cleared.push_back(e.id);
        // A removal takes the first entry of the id, so one per entry empties it.
        for (std::size_t n = listedOf(e.id).size(); n > 0; --n) changes.push_back({e.id, CString(), true});
    }
    std::vector<int> added;
    for (const Entry& g : groups) {
        if (isSettled(g.id) || std::find(added.begin(), added.end(), g.id) != added.end()) continue;
        added.push_back(g.id);
        for (const Entry* wanted : wantedOf(g.id)) changes.push_back({wanted->id, wanted->name, false});
    }
    return changes;
}
