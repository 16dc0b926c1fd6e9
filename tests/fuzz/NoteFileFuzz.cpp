// Fuzzes the reading of an import file: its bytes decoded as text (UTF-8
// with or without BOM, UTF-16 with BOM, else a single-byte code page), then
// read as a note file and as a group file. Whatever the bytes, decoding
// gives text without NUL or nothing; well-formed UTF-8 reads back to the
// same bytes; a file that reads as a note or a group, written again and read
// again, gives the same fields; and a field value quoted and unquoted is
// itself.
#include "store/format/NoteFile.h"
#include "store/format/NoteFileText.h"
#include "store/format/Utf8Text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Require(bool ok, const char* what)
{
    if (ok) return;
    std::fprintf(stderr, "NoteFileFuzz: %s\n", what);
    std::abort();
}

// A single-byte code page as the platform's would read it: Latin-1, with
// the five bytes that Windows-1252 leaves undefined refused.
CString Latin1(const std::string& bytes)
{
    std::wstring wide;
    for (unsigned char c : bytes) {
        if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) return CString();
        wide += static_cast<wchar_t>(c);
    }
    return CString(std::move(wide));
}

// UTF-8 cannot carry a surrogate code point: such a value is written as
// U+FFFD, so it cannot come back the same.
bool CarriesSurrogate(const CString& text)
{
    if (sizeof(wchar_t) == 2) return false;
    for (wchar_t c : text.str())
        if (c >= 0xD800 && c <= 0xDFFF) return true;
    return false;
}

void CheckQuoting(const CString& value)
{
    CString back;
    Require(UnquoteFieldValue(QuoteFieldValue(value), back), "a quoted value does not unquote");
    Require(back == value, "a quoted value unquotes to another");
    const std::wstring& quoted = QuoteFieldValue(value).str();
    Require(quoted.find(L'\n') == std::wstring::npos && quoted.find(L'\r') == std::wstring::npos,
            "a quoted value spans lines");
    Require(quoted.find(L'>') == std::wstring::npos, "a quoted value holds '>'");
}

void CheckNote(const NoteFileFields& note)
{
    CheckQuoting(note.title);
    CheckQuoting(note.group);
    CheckQuoting(note.comments);
    if (CarriesSurrogate(note.title) || CarriesSurrogate(note.group) || CarriesSurrogate(note.comments) ||
        CarriesSurrogate(note.query))
        return;
    CString text;
    Require(FromUtf8(ComposeNoteFile(note), text), "a written note file is not UTF-8");
    NoteFileFields again;
    Require(ParseNoteFile(text, again), "a written note file does not read back");
    Require(again.title == note.title && again.group == note.group && again.query == note.query,
            "a written note file reads back different");
    Require(again.hasComments == note.hasComments && (!note.hasComments || again.comments == note.comments),
            "a written note file's comments read back different");
}

void CheckGroup(const GroupFileFields& group)
{
    if (CarriesSurrogate(group.name) || CarriesSurrogate(group.description)) return;
    CString text;
    Require(FromUtf8(ComposeGroupFile(group), text), "a written group file is not UTF-8");
    GroupFileFields again;
    Require(ParseGroupFile(text, again), "a written group file does not read back");
    Require(again.name == group.name && again.hasDescription == group.hasDescription &&
                (!group.hasDescription || again.description == group.description),
            "a written group file reads back different");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 16384) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    CString utf8;
    if (FromUtf8(bytes, utf8)) Require(ToUtf8(utf8) == bytes, "well-formed UTF-8 reads back to other bytes");

    CString text;
    const TextDecodeResult result = DecodeFileText(bytes, Latin1, text);
    if (result == TextDecodeResult::NotText) {
        Require(text.IsEmpty(), "a file that is not text gave text");
        return 0;
    }
    Require(text.str().find(L'\0') == std::wstring::npos, "decoded text holds a NUL");

    NoteFileFields note;
    if (ParseNoteFile(text, note)) CheckNote(note);
    GroupFileFields group;
    if (ParseGroupFile(text, group)) CheckGroup(group);
    return 0;
}
