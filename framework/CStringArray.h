// CStringArray: the framework's growable array of strings. Reading or
// writing outside the array raises the framework's invalid-argument
// exception. Portable.
#pragma once

#include "CException.h"
#include "CObject.h"
#include "CString.h"

#include <cstddef>
#include <utility>
#include <vector>

class CStringArray : public CObject {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }
    void SetSize(int size) { m_items.resize(size > 0 ? static_cast<std::size_t>(size) : 0); }

    const CString& GetAt(int index) const { return m_items[Checked(index)]; }
    void SetAt(int index, const CString& text) { m_items[Checked(index)] = text; }
    CString& ElementAt(int index) { return m_items[Checked(index)]; }
    const CString& operator[](int index) const { return GetAt(index); }
    CString& operator[](int index) { return ElementAt(index); }

    // Sets element index, growing the array with empty strings when needed.
    void SetAtGrow(int index, const CString& text)
    {
        if (index < 0) AfxThrowInvalidArgException();
        if (index >= GetSize()) SetSize(index + 1);
        m_items[static_cast<std::size_t>(index)] = text;
    }
    int Add(const CString& text)
    {
        m_items.push_back(text);
        return GetUpperBound();
    }
    int Add(CString&& text)
    {
        m_items.push_back(std::move(text));
        return GetUpperBound();
    }
    void InsertAt(int index, const CString& text)
    {
        if (index < 0 || index > GetSize()) AfxThrowInvalidArgException();
        m_items.insert(m_items.begin() + index, text);
    }
    void RemoveAt(int index, int count = 1)
    {
        if (index < 0 || count < 0 || index + count > GetSize()) AfxThrowInvalidArgException();
        m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    }
    void RemoveAll() { m_items.clear(); }

private:
    std::size_t Checked(int index) const
    {
        if (index < 0 || index >= GetSize()) AfxThrowInvalidArgException();
        return static_cast<std::size_t>(index);
    }

    std::vector<CString> m_items;
};
