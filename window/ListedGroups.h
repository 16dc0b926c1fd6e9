// CListedGroups: the groups that the dialog has put into the pages' group
// lists since those lists were last emptied. A catalogue reload compares them
// with the groups the database holds now, so that each list ends up holding
// every group once: entries still right are kept (and with them a page's
// selection), entries that are gone or renamed are removed, new ones added.
#pragma once

#include "framework/CString.h"

#include <vector>

class CListedGroups {
public:
    struct Entry {
        int id = 0;
        CString name;
    };
    // One change to pass on to the group lists, as NotifyGroupChanged takes it.
    struct Change {
        int id = 0;
        CString name;  // empty for a removal
        bool removed = false;
    };

    // The lists were emptied.
    void Clear() { m_entries.clear(); }
    // A group was added to the lists.
    void Add(int id, const CString& name);
    // The first entry of `id` was removed from the lists (none: nothing happens).
    void Remove(int id);
    const std::vector<Entry>& Entries() const { return m_entries; }

    // The changes that turn the lists into exactly `groups` (the groups in the
    // order the database gave them): first the removals (every entry of an id
    // that is gone, renamed or listed more than once), then the additions, in
    // the order of `groups`. Applying them is left to the caller, which
    // reports each one back through Add and Remove.
    std::vector<Change> Reconcile(const std::vector<Entry>& groups) const;

private:
    std::vector<Entry> m_entries;
};
