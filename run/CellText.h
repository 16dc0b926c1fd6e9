// How a cell of a result reads: in the list (one line, its beginning), in
// its tooltip (whole), and when copied. NULL reads as a marker in the list
// (drawn apart from text) and as nothing when copied.
#pragma once

#include <cstddef>
#include <string>

#include "run/ResultRows.h"

// The list's marker for NULL; the list also draws it in grey, so that a
// text "<NULL>" and the value NULL never look alike.
extern const wchar_t kNullMarker[];

// At most `maxChars` characters (an ellipsis ends a text cut short), line
// breaks and tabs as spaces, binary values as 0x and hexadecimal digits.
std::wstring CellDisplayText(const CellView& cell, std::size_t maxChars);
// The whole value: text as it is, binary as hexadecimal, NULL as the marker.
std::wstring CellWholeText(const CellView& cell);
// The value as copied: as CellWholeText, NULL empty.
std::wstring CellCopyText(const CellView& cell);
