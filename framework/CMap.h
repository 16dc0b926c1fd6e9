// CMap: the framework's map template from keys to values. Iteration with
// GetStartPosition/GetNextAssoc visits the entries in insertion order.
// Portable.
#pragma once

#include "CObject.h"
#include "NodeChain.h"
#include "Position.h"

#include <map>

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
    CMap() = default;
    ~CMap() override { RemoveAll(); }

    int GetCount() const { return static_cast<int>(m_index.size()); }
    int GetSize() const { return GetCount(); }
    bool IsEmpty() const { return m_index.empty(); }

    bool Lookup(ARG_KEY key, VALUE& value) const
    {
        auto it = m_index.find(key);
        if (it == m_index.end()) return false;
        value = it->second->value;
        return true;
    }
    // The value of key, added with a default value when absent.
    VALUE& operator[](ARG_KEY key)
    {
        auto it = m_index.find(key);
        if (it != m_index.end()) return it->second->value;
        Assoc* assoc = new Assoc{KEY(key), VALUE(), m_tail, nullptr};
        LinkNode(assoc, m_head, m_tail);
        m_index.emplace(assoc->key, assoc);
        return assoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }

    bool RemoveKey(ARG_KEY key)
    {
        auto it = m_index.find(key);
        if (it == m_index.end()) return false;
        Assoc* assoc = it->second;
        m_index.erase(it);
        UnlinkNode(assoc, m_head, m_tail);
        delete assoc;
        return true;
    }
    void RemoveAll()
    {
        DeleteChain(m_head, m_tail);
        m_index.clear();
    }

    POSITION GetStartPosition() const { return reinterpret_cast<POSITION>(m_head); }
    // Reads the entry at pos and moves pos to the next one (null after the last).
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        const Assoc* assoc = reinterpret_cast<const Assoc*>(pos);
        key = assoc->key;
        value = assoc->value;
        pos = reinterpret_cast<POSITION>(assoc->next);
    }

private:
    struct Assoc {
        KEY key;
        VALUE value;
        Assoc* prev;
        Assoc* next;
    };

    Assoc* m_head = nullptr;
    Assoc* m_tail = nullptr;
    std::map<KEY, Assoc*> m_index;
};
