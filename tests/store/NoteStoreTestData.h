// Texts that the note store must keep exactly, shared by the Wine test that
// writes them through the store and the native check that reads the files
// back with SQLite.
#pragma once

#include <string>

namespace notestore_test {

// A note of the exchange file: its row, exactly as stored.
struct TrickyNote {
    int id;
    int groupId;
    const char16_t* name;
    const char16_t* comments;
    const char16_t* query;
};

// Group 1 of the exchange file; group 2 is named kSecondGroupName and has no notes.
inline const char16_t* const kFirstGroupName = u"Sales's \"best\" \\ 100% _all_";
inline const char16_t* const kFirstGroupDescription = u"Line one\r\nLine two\twith tab\n\u00e9\u00c9 \u4e2d\u6587 \U0001F600";
inline const char16_t* const kSecondGroupName = u"\u0417\u0430\u043c\u0435\u0442\u043a\u0438";

inline const TrickyNote kTrickyNotes[] = {
    {0, 0, u"today's query", u"", u"SELECT 'it''s' FROM t"},
    {1, 1, u"Quotes \"double\" and 'single'", u"back\\slash \\\\ two", u"SELECT * FROM t WHERE a LIKE '%_x\\%'"},
    {2, 1, u"Tabs\tand\r\nline breaks", u"first\nsecond\r\nthird", u"SELECT 1\r\nFROM dual\r\n\tWHERE x = 'a\tb'"},
    {3, 0, u"\u65e5\u672c\u8a9e\u306e\u30e1\u30e2 \u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac \u05e2\u05d1\u05e8\u05d9\u05ea", u"\u00c9t\u00e9 \u00e0 Z\u00fcrich",
     u"SELECT '\U0001F600\U0001D11E\U00010400' AS smile"},
    {4, 1, u"%_ percent underscore _%", u"100% sure_", u"SELECT '%' || '_'"},
    {6, 0, u"a|b", u"[dbo].[t] #temp * ? |", u"SELECT a || b FROM [dbo].[t] WHERE c LIKE '*?#'"},
};

// The 1 MB query of note 5 (group 0): about a million UTF-16 code units of
// numbered lines with letters outside ASCII and outside the BMP.
inline std::u16string MakeLongQuery()
{
    std::u16string text;
    text.reserve(1 << 20);
    for (int line = 0; text.size() < (1u << 20) - 64; ++line) {
        text += u"SELECT '\u00e4\u00f6\u00fc \U0001F600' AS c";
        for (char16_t digit : std::to_string(line)) text += digit;
        text += u" FROM t WHERE x='y''s'\r\n";
    }
    return text;
}
inline constexpr int kLongQueryNoteId = 5;

} // namespace notestore_test
