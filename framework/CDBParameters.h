// CDBParameters: the values of a statement's '?' markers, in marker order:
// texts (NULL or not) and whole numbers. A statement keeps its text constant
// and its values travel beside it, so no value is ever read as SQL and no
// text length limits the statement. Portable: the store composes statements
// and their values natively; CDatabase::ExecuteSQL and CRecordset::Open bind them.
#pragma once

#include "CString.h"

#include <vector>

class CDBParameters {
public:
    enum class Kind { Text, Integer, Null };
    struct Value {
        Kind kind;
        CString text;
        int integer;
    };

    CDBParameters& Text(const CString& text)
    {
        m_values.push_back({Kind::Text, text, 0});
        return *this;
    }
    // The text, or NULL when it is not `present`.
    CDBParameters& NullableText(bool present, const CString& text)
    {
        m_values.push_back({present ? Kind::Text : Kind::Null, present ? text : CString(), 0});
        return *this;
    }
    CDBParameters& Integer(int value)
    {
        m_values.push_back({Kind::Integer, CString(), value});
        return *this;
    }

    const std::vector<Value>& Values() const { return m_values; }
    bool IsEmpty() const { return m_values.empty(); }
    int GetCount() const { return static_cast<int>(m_values.size()); }

private:
    std::vector<Value> m_values;
};
