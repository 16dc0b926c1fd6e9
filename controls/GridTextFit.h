// Fitting a cell's text into its width: the text itself when it fits, else
// its longest prefix that fits followed by "...". Portable; the grid passes
// a measure that asks the device context for text extents.
#pragma once

#include <functional>

// Size of the grid's text buffers, terminator included.
constexpr int kGridTextBufferSize = 260;

// Width in pixels of the first `length` characters of `text`.
using TextMeasure = std::function<int(const wchar_t* text, int length)>;

// Returns `text` when extent + offset < width; otherwise writes the shortened
// text into `shortened` (kGridTextBufferSize characters) and returns it. At
// least one character stays before the "...".
const wchar_t* ShortenText(const wchar_t* text, wchar_t* shortened, int width, int offset, const TextMeasure& measure);

// Where a cell's text sits: a text drawn whole keeps its column's alignment,
// a shortened one is always left-aligned so that its start stays in view.
enum class GridTextAlign { Left, Centre, Right };
GridTextAlign CellTextAlign(bool shortened, GridTextAlign columnAlign);
