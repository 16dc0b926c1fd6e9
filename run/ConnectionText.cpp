// Connection strings split into their KEY=value attributes; a value in
// braces may hold ';'.
#include "run/ConnectionText.h"

#include <cwctype>
#include <vector>

namespace {

struct Attribute {
    std::wstring key;    // as written, without the '='
    std::wstring value;  // as written, braces included
    bool hasEquals = false;
};

std::vector<Attribute> SplitAttributes(const std::wstring& text)
{
    std::vector<Attribute> attributes;
    Attribute current;
    bool inValue = false;
    bool inBraces = false;
    auto finish = [&] {
        if (!current.key.empty() || current.hasEquals) attributes.push_back(current);
        current = Attribute();
        inValue = false;
    };
    for (wchar_t c : text) {
        if (inBraces) {
            current.value.push_back(c);
            if (c == L'}') inBraces = false;
        } else if (c == L';') {
            finish();
        } else if (!inValue && c == L'=') {
            inValue = true;
            current.hasEquals = true;
        } else if (inValue) {
            if (c == L'{' && current.value.find_first_not_of(L" ") == std::wstring::npos) inBraces = true;
            current.value.push_back(c);
        } else {
            current.key.push_back(c);
        }
    }
    finish();
    return attributes;
}

std::wstring Trimmed(const std::wstring& text)
{
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return std::wstring();
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

bool IsPasswordKey(const std::wstring& key)
{
    std::wstring upper;
    for (wchar_t c : Trimmed(key)) upper.push_back(static_cast<wchar_t>(std::towupper(c)));
    return upper == L"PWD" || upper == L"PASSWORD";
}

std::wstring Joined(const std::vector<Attribute>& attributes)
{
    std::wstring text;
    for (const Attribute& a : attributes) text += a.key + (a.hasEquals ? L"=" : L"") + a.value + L";";
    return text;
}

std::wstring Unbraced(const std::wstring& value)
{
    const std::wstring trimmed = Trimmed(value);
    if (trimmed.size() >= 2 && trimmed.front() == L'{' && trimmed.back() == L'}') return trimmed.substr(1, trimmed.size() - 2);
    return trimmed;
}

bool IsConnectionString(const std::wstring& choice) { return choice.find(L'=') != std::wstring::npos; }

} // namespace

std::wstring ConnectionStringOf(const std::wstring& choice)
{
    if (IsConnectionString(choice)) return choice;
    return L"DSN=" + Trimmed(choice) + L";";
}

std::wstring WithoutPassword(const std::wstring& choice)
{
    if (!IsConnectionString(choice)) return choice;
    std::vector<Attribute> attributes = SplitAttributes(choice);
    for (Attribute& a : attributes) {
        if (IsPasswordKey(a.key)) a.value.clear();
    }
    return Joined(attributes);
}

std::wstring PasswordIn(const std::wstring& choice)
{
    if (!IsConnectionString(choice)) return std::wstring();
    for (const Attribute& a : SplitAttributes(choice)) {
        if (IsPasswordKey(a.key) && !Unbraced(a.value).empty()) return Unbraced(a.value);
    }
    return std::wstring();
}

bool NeedsPassword(const std::wstring& choice)
{
    if (!IsConnectionString(choice)) return false;
    for (const Attribute& a : SplitAttributes(choice)) {
        if (IsPasswordKey(a.key) && Unbraced(a.value).empty()) return true;
    }
    return false;
}

std::wstring WithPassword(const std::wstring& choice, const std::wstring& password)
{
    if (!IsConnectionString(choice)) return choice;
    std::vector<Attribute> attributes = SplitAttributes(choice);
    const bool braces = password.find_first_of(L";{}") != std::wstring::npos || Trimmed(password) != password;
    for (Attribute& a : attributes) {
        if (IsPasswordKey(a.key)) a.value = braces ? L"{" + password + L"}" : password;
    }
    return Joined(attributes);
}
