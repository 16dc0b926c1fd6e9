// Deterministic note texts for the crash-safety runs.
#include "tests/crash/CrashNote.h"

#include <random>

namespace {

// Pieces the texts are built from: plain SQL, the characters that break
// naive quoting, line breaks and tabs, and text outside Latin and the BMP.
const wchar_t* const kPieces[] = {
    // One-line pieces first: titles take only these.
    L"SELECT ", L"FROM ", L"orders ", L"name = 'O''Brien' ", L"\"quoted\" ", L"100% ", L"a_b ", L"\\path\\ ",
    L"\x0416\x0443\x0440\x043D\x0430\x043B ", L"\x8A18\x9332 ", L"\xD83D\xDCDA ", L"[bracket] ",
    L"\r\n", L"\t", L"; ", L"-- comment\r\n", L"#2026-12-07# ", L"WHERE ", L"AND ", L"OR ", L"* ",
};
constexpr size_t kPieceCount = sizeof kPieces / sizeof kPieces[0];
// A title is one line: the pieces before the first line break.
constexpr size_t kTitlePieceCount = 12;

// Appends pieces (of the first `pieces`) until `text` holds about `length`
// characters, never more than `limit`; pieces are whole, so no surrogate
// pair is ever cut.
void Fill(std::wstring& text, size_t length, size_t limit, size_t pieces, std::mt19937& random)
{
    while (text.size() < length) {
        const std::wstring piece = kPieces[random() % pieces];
        if (text.size() + piece.size() > limit) break;
        text += piece;
    }
}

// The Edit page trims titles and queries as it saves them; the notes are
// made trimmed, so what is typed is exactly what must be stored.
void Trim(std::wstring& text)
{
    const wchar_t* const blanks = L" \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    text = first == std::wstring::npos ? std::wstring() : text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

CrashNote MakeCrashNote(unsigned seed, int index)
{
    std::mt19937 random(seed * 100003u + static_cast<unsigned>(index));
    CrashNote note;
    note.title = L"crash " + std::to_wstring(seed) + L"-" + std::to_wstring(index) + L" ";
    Fill(note.title, note.title.size() + random() % 120, 255, kTitlePieceCount, random);
    Trim(note.title);
    Fill(note.comments, random() % 200, 255, kPieceCount, random);
    // Most queries are a few hundred characters; one in twenty-five is near
    // 64,000, written over many pages of the file.
    const size_t queryLength = random() % 25 == 0 ? 64000 : 50 + random() % 2000;
    note.query.reserve(queryLength + 32);
    Fill(note.query, queryLength, queryLength + 32, kPieceCount, random);
    Trim(note.query);
    return note;
}
