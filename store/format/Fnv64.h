// The 64-bit FNV-1a hash, for the sync's hashes of notes and groups and the
// export's prints of file bytes. Portable.
#pragma once

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
