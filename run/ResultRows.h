// ResultRows: the rows of one result, kept compactly: each row's cells lie
// one after another in large blocks of memory (a short header and the value,
// text as UTF-8), found through one 32-bit locator per row. A fetcher adds
// cells row by row; a block of rows read elsewhere can be moved in whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class CellKind : unsigned char { Text = 0, Number = 1, Binary = 2, Null = 3 };

// One cell as stored: text and numbers as UTF-8, binary values as bytes.
struct CellView {
    CellKind kind = CellKind::Null;
    const char* data = nullptr;
    std::size_t size = 0;
};

class ResultRows {
public:
    explicit ResultRows(std::size_t columns);
    ResultRows(ResultRows&&) = default;
    ResultRows& operator=(ResultRows&&) = default;
    ResultRows(const ResultRows&) = delete;
    ResultRows& operator=(const ResultRows&) = delete;

    std::size_t ColumnCount() const { return m_columns; }
    std::size_t RowCount() const { return m_rows.size(); }

    // The cells of a row, left to right; the row is complete, and counted,
    // with its last column's cell.
    void AddText(const wchar_t* text, std::size_t length, CellKind kind = CellKind::Text);
    void AddBytes(const void* bytes, std::size_t size, CellKind kind = CellKind::Binary);
    void AddNull();

    CellView Cell(std::size_t row, std::size_t column) const;
    std::wstring WideText(std::size_t row, std::size_t column) const;

    // Moves every row of `block` (same column count, no row half added) to
    // the end of these rows; `block` is left empty.
    void Append(ResultRows&& block);
    // The memory the rows take, for the status and the bench.
    std::size_t BytesHeld() const;

private:
    struct Chunk {
        std::unique_ptr<char[]> bytes;
        std::size_t used = 0;
        std::size_t capacity = 0;
    };
    void AddHeader(CellKind kind, std::size_t size);
    void CellAdded();
    void StoreRow();

    std::size_t m_columns;
    std::vector<Chunk> m_chunks;
    std::vector<std::uint32_t> m_rows;  // chunk index in the high bits, offset in the low ones
    std::string m_pending;              // the row being added
    std::size_t m_pendingCells = 0;
    std::string m_scratch;              // a text cell being encoded
};
