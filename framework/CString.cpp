// CString: formatting, comparison and editing helpers.
#include "CString.h"

#include "CaseFold.h"

#include <algorithm>
#include <cwctype>

namespace {

bool IsSpace(wchar_t ch) { return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n' || ch == L'\v' || ch == L'\f'; }

wchar_t FoldCase(wchar_t ch) { return static_cast<wchar_t>(FoldToLower(static_cast<unsigned long>(ch))); }

void AppendPadded(std::wstring& out, const std::wstring& body, int width, bool leftAlign, wchar_t pad)
{
    const int fill = width - static_cast<int>(body.size());
    if (fill <= 0) { out += body; return; }
    if (leftAlign) { out += body; out.append(static_cast<size_t>(fill), L' '); return; }
    if (pad == L'0' && !body.empty() && body[0] == L'-') {
        out += L'-';
        out.append(static_cast<size_t>(fill), L'0');
        out.append(body, 1, std::wstring::npos);
        return;
    }
    out.append(static_cast<size_t>(fill), pad);
    out += body;
}

std::wstring Digits(unsigned long long value, unsigned base, bool upper)
{
    const wchar_t* digits = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    std::wstring text;
    do { text += digits[value % base]; value /= base; } while (value);
    std::reverse(text.begin(), text.end());
    return text;
}

} // namespace

void CString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* format, ...)
{
    CString tail;
    va_list args;
    va_start(args, format);
    tail.FormatV(format, args);
    va_end(args);
    m_text += tail.m_text;
}

void CString::FormatV(const wchar_t* format, va_list args)
{
    std::wstring out;
    for (const wchar_t* p = format ? format : L""; *p; ++p) {
        if (*p != L'%') { out += *p; continue; }
        ++p;
        bool leftAlign = false;
        wchar_t pad = L' ';
        for (; *p == L'-' || *p == L'0'; ++p) {
            if (*p == L'-') leftAlign = true; else pad = L'0';
        }
        int width = 0;
        for (; *p >= L'0' && *p <= L'9'; ++p) width = width * 10 + (*p - L'0');
        int longs = 0;
        for (; *p == L'l'; ++p) ++longs;
        std::wstring body;
        switch (*p) {
        case L'd': case L'i': {
            const long long v = longs >= 2 ? va_arg(args, long long) : longs == 1 ? va_arg(args, long) : va_arg(args, int);
            body = v < 0 ? L"-" + Digits(0ULL - static_cast<unsigned long long>(v), 10, false) : Digits(static_cast<unsigned long long>(v), 10, false);
            break;
        }
        case L'u': case L'x': case L'X': {
            const unsigned long long v = longs >= 2 ? va_arg(args, unsigned long long) : longs == 1 ? va_arg(args, unsigned long) : va_arg(args, unsigned);
            body = Digits(v, *p == L'u' ? 10 : 16, *p == L'X');
            break;
        }
        case L's': {
            const wchar_t* s = va_arg(args, const wchar_t*);
            body = s ? s : L"(null)";
            break;
        }
        case L'c': body = static_cast<wchar_t>(va_arg(args, int)); break;
        case L'%': body = L"%"; break;
        case 0: --p; continue;
        default: body = std::wstring(L"%") + *p; break;
        }
        AppendPadded(out, body, width, leftAlign, pad);
    }
    m_text = std::move(out);
}

int CString::Compare(const wchar_t* other) const { return m_text.compare(other ? other : L""); }

int CString::CompareNoCase(const wchar_t* other) const
{
    const wchar_t* a = m_text.c_str();
    const wchar_t* b = other ? other : L"";
    for (;; ++a, ++b) {
        const wchar_t ca = FoldCase(*a), cb = FoldCase(*b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (!ca) return 0;
    }
}

int CString::Find(wchar_t ch, int start) const
{
    if (start < 0 || start >= GetLength()) return -1;
    const size_t at = m_text.find(ch, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const wchar_t* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength()) return -1;
    const size_t at = m_text.find(sub, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(wchar_t ch) const
{
    const size_t at = m_text.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText)
{
    const std::wstring from = oldText ? oldText : L"";
    const std::wstring to = newText ? newText : L"";
    if (from.empty()) return 0;
    int count = 0;
    std::wstring out;
    size_t pos = 0;
    for (size_t hit; (hit = m_text.find(from, pos)) != std::wstring::npos; pos = hit + from.size(), ++count) {
        out.append(m_text, pos, hit - pos);
        out += to;
    }
    out.append(m_text, pos, std::wstring::npos);
    m_text = std::move(out);
    return count;
}

int CString::Replace(wchar_t oldCh, wchar_t newCh)
{
    int count = 0;
    for (auto& ch : m_text) {
        if (ch == oldCh) { ch = newCh; ++count; }
    }
    return count;
}

CString CString::Left(int count) const { return CString(m_text.substr(0, static_cast<size_t>(std::clamp(count, 0, GetLength())))); }

CString CString::Right(int count) const
{
    const int n = std::clamp(count, 0, GetLength());
    return CString(m_text.substr(static_cast<size_t>(GetLength() - n)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_text.size() && IsSpace(m_text[n])) ++n;
    m_text.erase(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_text.empty() && IsSpace(m_text.back())) m_text.pop_back();
    return *this;
}

CString& CString::MakeUpper()
{
    for (auto& ch : m_text) ch = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch)));
    return *this;
}

CString& CString::MakeLower()
{
    for (auto& ch : m_text) ch = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(ch)));
    return *this;
}

wchar_t* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength()) m_text.resize(static_cast<size_t>(minLength));
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0) {
        const size_t nul = m_text.find(L'\0');
        if (nul != std::wstring::npos) m_text.resize(nul);
    } else {
        m_text.resize(static_cast<size_t>(newLength));
    }
}
