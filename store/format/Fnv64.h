// The 64-bit FNV-1a hash, for the sync's hashes of notes and groups and the
// export's prints of file bytes. Portable.
#pragma once

#include "framework/CString.h"

class CFnv64 {
public:
    CFnv64() = default;
    // Goes on from a value an earlier hasher reached.
    explicit CFnv64(unsigned long long value) : m_value(value) {}
    CFnv64& AddByte(unsigned char byte)
    {
        m_value = (m_value ^ byte) * kPrime;
        return *this;
    }
    unsigned long long Value() const { return m_value; }

    static constexpr unsigned long long kPrime = 1099511628211ull;
    static constexpr unsigned long long kOffsetBasis = 14695981039346656037ull;

private:
    unsigned long long m_value = kOffsetBasis;
};

// 64-bit FNV-1a over the characters, each as four bytes, so the hash does
// not depend on how wide wchar_t is for characters of the BMP.
class CTextFnv {
public:
    CTextFnv& Add(const CString& text)
    {
        // A character below 0x10000 has two zero bytes on top: their two
        // steps are one multiplication by the prime's cube, the same value.
        unsigned long long value = m_value;
        for (wchar_t ch : text.str()) {
            const unsigned long unit = static_cast<unsigned long>(ch);
            if (unit > 0xFFFF) {
                m_value = value;
                AddUnit(unit);
                value = m_value;
                continue;
            }
            value = ((value ^ (unit & 0xFF)) * kPrime ^ (unit >> 8)) * kPrimeCubed;
        }
        m_value = value;
        return AddUnit(0xFFFFFFFFul);  // no character: ends the text, so ("ab","c") and ("a","bc") differ
    }
    CTextFnv& AddUnit(unsigned long unit)
    {
        CFnv64 bytes(m_value);
        for (int i = 0; i < 4; ++i) bytes.AddByte(static_cast<unsigned char>((unit >> (8 * i)) & 0xFF));
        m_value = bytes.Value();
        return *this;
    }
    unsigned long long Value() const { return m_value; }

private:
    static constexpr unsigned long long kPrime = CFnv64::kPrime;
    static constexpr unsigned long long kPrimeCubed = kPrime * kPrime * kPrime;
    unsigned long long m_value = CFnv64::kOffsetBasis;
};
