// ResultRows: rows in blocks of memory, each cell a varint header (size and
// kind) followed by its bytes.
#include "run/ResultRows.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "run/Utf8.h"

namespace {

constexpr unsigned kOffsetBits = 18;
constexpr std::size_t kChunkBytes = std::size_t(1) << kOffsetBits;  // 256 KB
constexpr std::size_t kMaxChunks = std::size_t(1) << (32 - kOffsetBits);

// Reads a varint at `p`, moving `p` past it.
std::size_t ReadVarint(const unsigned char*& p)
{
    std::size_t value = 0;
    for (unsigned shift = 0;; shift += 7) {
        const unsigned char byte = *p++;
        value |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80)) return value;
    }
}

} // namespace

ResultRows::ResultRows(std::size_t columns) : m_columns(columns) {}

void ResultRows::AddHeader(CellKind kind, std::size_t size)
{
    std::size_t value = (size << 2) | static_cast<std::size_t>(kind);
    while (value >= 0x80) {
        m_pending.push_back(static_cast<char>(0x80 | (value & 0x7F)));
        value >>= 7;
    }
    m_pending.push_back(static_cast<char>(value));
}

void ResultRows::AddText(const wchar_t* text, std::size_t length, CellKind kind)
{
    // The header holds the size in bytes, known only after encoding.
    m_scratch.clear();
    AppendUtf8(m_scratch, text, length);
    AddHeader(kind, m_scratch.size());
    m_pending.append(m_scratch);
    CellAdded();
}

void ResultRows::AddBytes(const void* bytes, std::size_t size, CellKind kind)
{
    AddHeader(kind, size);
    m_pending.append(static_cast<const char*>(bytes), size);
    CellAdded();
}

void ResultRows::AddNull()
{
    AddHeader(CellKind::Null, 0);
    CellAdded();
}

void ResultRows::CellAdded()
{
    if (++m_pendingCells < m_columns) return;
    StoreRow();
    m_pending.clear();
    m_pendingCells = 0;
}

void ResultRows::StoreRow()
{
    const std::size_t size = m_pending.size();
    if (m_chunks.empty() || m_chunks.back().capacity - m_chunks.back().used < size) {
        if (m_chunks.size() >= kMaxChunks) throw std::length_error("too many rows to keep");
        // A row larger than a block gets a block of its own.
        const std::size_t capacity = size > kChunkBytes ? size : kChunkBytes;
        m_chunks.push_back(Chunk{std::unique_ptr<char[]>(new char[capacity]), 0, capacity});
    }
    Chunk& chunk = m_chunks.back();
    m_rows.push_back(static_cast<std::uint32_t>(((m_chunks.size() - 1) << kOffsetBits) | chunk.used));
    std::memcpy(chunk.bytes.get() + chunk.used, m_pending.data(), size);
    chunk.used += size;
}

CellView ResultRows::Cell(std::size_t row, std::size_t column) const
{
    const std::uint32_t locator = m_rows.at(row);
    const Chunk& chunk = m_chunks[locator >> kOffsetBits];
    const auto* p = reinterpret_cast<const unsigned char*>(chunk.bytes.get()) + (locator & (kChunkBytes - 1));
    for (std::size_t c = 0;; ++c) {
        const std::size_t header = ReadVarint(p);
        const std::size_t size = header >> 2;
        if (c == column) return CellView{static_cast<CellKind>(header & 3), reinterpret_cast<const char*>(p), size};
        p += size;
    }
}

std::wstring ResultRows::WideText(std::size_t row, std::size_t column) const
{
    const CellView cell = Cell(row, column);
    std::wstring text;
    if (cell.kind == CellKind::Text || cell.kind == CellKind::Number) AppendWide(text, cell.data, cell.size);
    return text;
}

void ResultRows::Append(ResultRows&& block)
{
    if (block.m_columns != m_columns || block.m_pendingCells != 0) throw std::invalid_argument("rows of another shape");
    const std::size_t base = m_chunks.size();
    if (base + block.m_chunks.size() > kMaxChunks) throw std::length_error("too many rows to keep");
    // Grown by half at least, so that many blocks cost no copying to speak of.
    const std::size_t needed = m_rows.size() + block.m_rows.size();
    if (m_rows.capacity() < needed) m_rows.reserve(std::max(needed, m_rows.capacity() + m_rows.capacity() / 2));
    for (std::uint32_t locator : block.m_rows) m_rows.push_back(locator + static_cast<std::uint32_t>(base << kOffsetBits));
    for (Chunk& chunk : block.m_chunks) m_chunks.push_back(std::move(chunk));
    block.m_chunks.clear();
    block.m_rows.clear();
}

std::size_t ResultRows::BytesHeld() const
{
    std::size_t bytes = m_rows.capacity() * sizeof(std::uint32_t) + m_pending.capacity();
    for (const Chunk& chunk : m_chunks) bytes += chunk.capacity;
    return bytes;
}
