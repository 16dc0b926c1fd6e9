// Composing and parsing note files and group description files.
#include "store/format/NoteFile.h"

#include "store/format/Fnv64.h"

#include "store/format/Utf8Text.h"

#include <cwchar>

namespace {

const wchar_t kNoteMarker[] = L"-- Quillbox note";
const wchar_t kNotePrefix[] = L"-- ";
const wchar_t kGroupMarker[] = L"<!-- Quillbox group -->";
const wchar_t kGroupPrefix[] = L"<!-- ";
const wchar_t kGroupSuffix[] = L" -->";

// Characters a reader or an editor could take for a line break, or that do
// not print: written as \uXXXX.
bool NeedsUnicodeEscape(wchar_t ch)
{
    return ch < 0x20 || ch == 0x7F || ch == 0x85 || ch == 0x2028 || ch == 0x2029 || ch == L'>';
}

void AppendHex4(std::wstring& out, unsigned value)
{
    wchar_t buffer[8];
    std::swprintf(buffer, 8, L"\\u%04x", value & 0xFFFF);
    out += buffer;
}

// A surrogate without its partner, where wchar_t holds UTF-16: UTF-8 cannot
// carry it, the escape can.
bool IsLoneSurrogate(const std::wstring& text, size_t i)
{
    if (sizeof(wchar_t) != 2) return false;
    const wchar_t ch = text[i];
    if (ch >= 0xD800 && ch <= 0xDBFF) return i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF;
    if (ch >= 0xDC00 && ch <= 0xDFFF) return i == 0 || text[i - 1] < 0xD800 || text[i - 1] > 0xDBFF;
    return false;
}

int HexDigit(wchar_t ch)
{
    if (ch >= L'0' && ch <= L'9') return ch - L'0';
    if (ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
    return -1;
}

bool ReadHex4(const std::wstring& text, size_t at, unsigned& code)
{
    if (at + 4 > text.size()) return false;
    code = 0;
    for (size_t k = 0; k < 4; ++k) {
        const int digit = HexDigit(text[at + k]);
        if (digit < 0) return false;
        code = code * 16 + static_cast<unsigned>(digit);
    }
    return true;
}

// Splits off one line (without its "\n" or "\r\n"); false at the end of the text.
bool NextLine(const std::wstring& text, size_t& pos, std::wstring& line)
{
    if (pos >= text.size()) return false;
    size_t end = text.find(L'\n', pos);
    const size_t next = end == std::wstring::npos ? text.size() : end + 1;
    if (end == std::wstring::npos) end = text.size();
    if (end > pos && text[end - 1] == L'\r') --end;
    line = text.substr(pos, end - pos);
    pos = next;
    return true;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

// One "key: value" line of a file's header.
struct HeaderField {
    std::wstring key;
    bool isNull = false;
    CString value;  // empty when null
};

// "key: value" into its parts; the value is a JSON string or null.
bool ParseField(const std::wstring& body, HeaderField& field)
{
    const size_t colon = body.find(L": ");
    if (colon == std::wstring::npos || colon == 0) return false;
    field.key = body.substr(0, colon);
    const std::wstring literal = body.substr(colon + 2);
    field.isNull = literal == L"null";
    if (field.isNull) { field.value = CString(); return true; }
    return UnquoteFieldValue(CString(literal), field.value);
}

// Skips a byte order mark and reads the first line: true when it is `marker`;
// `pos` is then where the header's fields begin.
bool ReadMarkerLine(const std::wstring& text, const wchar_t* marker, size_t& pos)
{
    pos = text.compare(0, 1, L"\xFEFF") == 0 ? 1 : 0;
    std::wstring line;
    return NextLine(text, pos, line) && line == marker;
}

std::wstring Field(const wchar_t* prefix, const wchar_t* key, const CString& value, const wchar_t* suffix,
                   const wchar_t* lineEnd = L"\n")
{
    return std::wstring(prefix) + key + L": " + QuoteFieldValue(value).str() + suffix + lineEnd;
}

std::wstring NullableField(const wchar_t* prefix, const wchar_t* key, bool present, const CString& value,
                           const wchar_t* suffix, const wchar_t* lineEnd = L"\n")
{
    if (present) return Field(prefix, key, value, suffix, lineEnd);
    return std::wstring(prefix) + key + L": null" + suffix + lineEnd;
}

// The text with every CRLF and lone CR made LF: the rendered part of a group file.
std::wstring WithLfLineEnds(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\r') out += text[i];
        else if (i + 1 == text.size() || text[i + 1] != L'\n') out += L'\n';
    }
    return out;
}

// Where text[begin..] ends without one final line end (CRLF or LF): the
// query of a note file's body.
size_t EndWithoutFinalLineEnd(const std::wstring& text, size_t begin)
{
    const size_t end = text.size();
    if (end >= begin + 2 && text.compare(end - 2, 2, L"\r\n") == 0) return end - 2;
    if (end > begin && text[end - 1] == L'\n') return end - 1;
    return end;
}

} // namespace

CString QuoteFieldValue(const CString& value)
{
    const std::wstring& in = value.str();
    std::wstring out = L"\"";
    for (size_t i = 0; i < in.size(); ++i) {
        const wchar_t ch = in[i];
        switch (ch) {
        case L'"': out += L"\\\""; break;
        case L'\\': out += L"\\\\"; break;
        case L'\n': out += L"\\n"; break;
        case L'\r': out += L"\\r"; break;
        case L'\t': out += L"\\t"; break;
        default:
            if (NeedsUnicodeEscape(ch) || IsLoneSurrogate(in, i)) AppendHex4(out, static_cast<unsigned>(ch));
            else out += ch;
        }
    }
    out += L'"';
    return CString(std::move(out));
}

bool UnquoteFieldValue(const CString& literal, CString& value)
{
    const std::wstring& quoted = literal.str();
    if (quoted.size() < 2 || quoted.front() != L'"' || quoted.back() != L'"') return false;
    const std::wstring in = quoted.substr(1, quoted.size() - 2);
    std::wstring out;
    for (size_t i = 0; i < in.size(); ++i) {
        const wchar_t ch = in[i];
        if (ch == L'"') return false;
        if (ch != L'\\') { out += ch; continue; }
        if (++i == in.size()) return false;
        switch (in[i]) {
        case L'"': out += L'"'; break;
        case L'\\': out += L'\\'; break;
        case L'/': out += L'/'; break;
        case L'n': out += L'\n'; break;
        case L'r': out += L'\r'; break;
        case L't': out += L'\t'; break;
        case L'b': out += L'\b'; break;
        case L'f': out += L'\f'; break;
        case L'u': {
            unsigned code = 0;
            if (!ReadHex4(in, i + 1, code)) return false;
            i += 4;
            unsigned low = 0;
            // An escaped surrogate pair is one character where wchar_t is 32 bits wide.
            if (sizeof(wchar_t) == 4 && code >= 0xD800 && code <= 0xDBFF && i + 6 < in.size() &&
                in[i + 1] == L'\\' && in[i + 2] == L'u' && ReadHex4(in, i + 3, low) && low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                i += 6;
            }
            out += static_cast<wchar_t>(code);
            break;
        }
        default: return false;
        }
    }
    value = CString(std::move(out));
    return true;
}

std::string ComposeNoteFile(const NoteFileFields& note)
{
    const wchar_t* const end = LineEndOf(note.query);
    std::wstring header = std::wstring(kNoteMarker) + end;
    header += Field(kNotePrefix, L"title", note.title, L"", end);
    header += Field(kNotePrefix, L"group", note.group, L"", end);
    header += NullableField(kNotePrefix, L"comments", note.hasComments, note.comments, L"", end);
    header += end;
    return ToUtf8(CString(std::move(header))) + ToUtf8(note.query) + ToUtf8(CString(end));
}

std::string ComposeGroupFile(const GroupFileFields& group)
{
    std::wstring text = std::wstring(kGroupMarker) + L"\n";
    text += Field(kGroupPrefix, L"name", group.name, kGroupSuffix);
    text += NullableField(kGroupPrefix, L"description", group.hasDescription, group.description, kGroupSuffix);
    // What a git host shows; the comments above are what an import reads.
    text += L"\n# " + WithLfLineEnds(group.name.str()) + L"\n";
    if (group.hasDescription && !group.description.IsEmpty()) text += L"\n" + WithLfLineEnds(group.description.str()) + L"\n";
    return ToUtf8(CString(std::move(text)));
}

namespace {

CString LineDamage(int number, const std::wstring& line)
{
    wchar_t prefix[32];
    std::swprintf(prefix, 32, L"line %d: ", number);
    return CString(prefix) + CString(line);
}

// A file whose marker line was lost or mangled but whose first lines still
// show `fieldPrefix`: its header is damaged at line 1.
bool LooksLikeHeader(const std::wstring& text, const wchar_t* markerStart, const wchar_t* fieldPrefix)
{
    size_t pos = text.compare(0, 1, L"\xFEFF") == 0 ? 1 : 0;
    std::wstring line;
    for (int n = 0; n < 4 && NextLine(text, pos, line); ++n) {
        if (n == 0 && StartsWith(line, markerStart)) return true;
        if (StartsWith(line, fieldPrefix)) return true;
    }
    return false;
}

HeaderRead Damaged(CString& damage, const CString& why)
{
    damage = why;
    return HeaderRead::Damaged;
}

// A file without its marker line: no header at all (a plain file), or one
// that looks like ours with its first line damaged.
HeaderRead MissingMarker(const std::wstring& all, const wchar_t* start, const wchar_t* field, const wchar_t* expected, CString& damage)
{
    if (!LooksLikeHeader(all, start, field)) return HeaderRead::None;
    size_t first = all.compare(0, 1, L"\xFEFF") == 0 ? 1 : 0;
    std::wstring line;
    NextLine(all, first, line);
    return Damaged(damage, LineDamage(1, line) + expected);
}

} // namespace

HeaderRead ReadNoteFile(const CString& text, NoteFileFields& note, CString& damage)
{
    const std::wstring& all = text.str();
    size_t pos = 0;
    if (!ReadMarkerLine(all, kNoteMarker, pos))
        return MissingMarker(all, L"-- Quillbox", L"-- title: ", L" (not \"-- Quillbox note\")", damage);
    NoteFileFields fields;
    bool haveTitle = false, haveGroup = false;
    std::wstring line;
    for (int number = 2; NextLine(all, pos, line); ++number) {
        if (line.empty()) {
            if (!haveTitle) return Damaged(damage, L"the header has no title line");
            if (!haveGroup) return Damaged(damage, L"the header has no group line");
            // The body, copied once, is the query.
            fields.query = CString(all.substr(pos, EndWithoutFinalLineEnd(all, pos) - pos));
            note = std::move(fields);
            return HeaderRead::Whole;
        }
        HeaderField field;
        if (!StartsWith(line, kNotePrefix) || !ParseField(line.substr(3), field)) return Damaged(damage, LineDamage(number, line));
        if (field.key == L"title" && !field.isNull) { fields.title = field.value; haveTitle = true; }
        else if (field.key == L"group" && !field.isNull) { fields.group = field.value; haveGroup = true; }
        else if (field.key == L"comments") { fields.hasComments = !field.isNull; fields.comments = field.value; }
        else if (field.key == L"title" || field.key == L"group") return Damaged(damage, LineDamage(number, line));
        // Other keys are left for later versions.
    }
    return Damaged(damage, L"the header has no empty line after it");
}

HeaderRead ReadGroupFile(const CString& text, GroupFileFields& group, CString& damage)
{
    const std::wstring& all = text.str();
    size_t pos = 0;
    if (!ReadMarkerLine(all, kGroupMarker, pos))
        return MissingMarker(all, L"<!-- Quillbox", L"<!-- name: ", L" (not \"<!-- Quillbox group -->\")", damage);
    GroupFileFields fields;
    bool haveName = false;
    std::wstring line;
    for (int number = 2; NextLine(all, pos, line) && StartsWith(line, kGroupPrefix); ++number) {
        const size_t prefix = std::wcslen(kGroupPrefix), suffix = std::wcslen(kGroupSuffix);
        HeaderField field;
        if (line.size() < prefix + suffix || line.compare(line.size() - suffix, suffix, kGroupSuffix) != 0 ||
            !ParseField(line.substr(prefix, line.size() - prefix - suffix), field))
            return Damaged(damage, LineDamage(number, line));
        if (field.key == L"name" && !field.isNull) { fields.name = field.value; haveName = true; }
        else if (field.key == L"description") { fields.hasDescription = !field.isNull; fields.description = field.value; }
    }
    if (!haveName) return Damaged(damage, L"the header has no name line");
    group = fields;
    return HeaderRead::Whole;
}

bool ParseNoteFile(const CString& text, NoteFileFields& note)
{
    CString damage;
    return ReadNoteFile(text, note, damage) == HeaderRead::Whole;
}

bool ParseGroupFile(const CString& text, GroupFileFields& group)
{
    CString damage;
    return ReadGroupFile(text, group, damage) == HeaderRead::Whole;
}

bool IsNoneGroupFile(const CString& name)
{
    CString lower = name;
    lower.MakeLower();
    return lower == kNoneGroupFileName;
}

const wchar_t* LineEndOf(const CString& query)
{
    return query.str().find(L"\r\n") != std::wstring::npos ? L"\r\n" : L"\n";
}

CString QueryOfFileBody(const CString& body)
{
    const std::wstring& text = body.str();
    const size_t end = EndWithoutFinalLineEnd(text, 0);
    return end == text.size() ? body : CString(text.substr(0, end));
}

bool SameQueryText(const CString& a, const CString& b)
{
    if (a == b || QueryOfFileBody(a) == b || a == QueryOfFileBody(b)) return true;
    const CString x = WithLfLineEnds(a), y = WithLfLineEnds(b);
    return x == y || QueryOfFileBody(x) == y || x == QueryOfFileBody(y);
}

CString WithLfLineEnds(const CString& text)
{
    if (text.str().find(L'\r') == std::wstring::npos) return text;
    return CString(WithLfLineEnds(text.str()));
}

CString TitleOfPlainFile(const CString& fileName)
{
    const int dot = fileName.ReverseFind(L'.');
    return dot < 0 ? fileName : fileName.Left(dot);
}

bool HasMergeConflict(const CString& text)
{
    const std::wstring& all = text.str();
    // Most texts hold no marker at all: one search settles them.
    if (all.find(L"<<<<<<< ") == std::wstring::npos) return false;
    int stage = 0;  // 0: looking for "<<<<<<< ", 1: for "=======", 2: for ">>>>>>> "
    size_t pos = 0;
    std::wstring line;
    while (NextLine(all, pos, line)) {
        if (stage == 0 && StartsWith(line, L"<<<<<<< ")) stage = 1;
        else if (stage == 1 && line.compare(0, 7, L"=======") == 0 && line.find_first_not_of(L'=') == std::wstring::npos) stage = 2;
        else if (stage == 2 && StartsWith(line, L">>>>>>> ")) return true;
    }
    return false;
}

void SplitMergeConflict(const CString& text, CString& ours, CString& theirs)
{
    const std::wstring& all = text.str();
    std::wstring a, b;
    int stage = 0;  // 0: both, 1: ours, 2: the base (neither), 3: theirs
    size_t pos = 0;
    while (pos < all.size()) {
        const size_t start = pos;
        std::wstring line;
        NextLine(all, pos, line);
        const std::wstring whole = all.substr(start, pos - start);
        if (stage == 0 && StartsWith(line, L"<<<<<<< ")) stage = 1;
        else if (stage == 1 && StartsWith(line, L"||||||| ")) stage = 2;
        else if ((stage == 1 || stage == 2) && line.compare(0, 7, L"=======") == 0 && line.find_first_not_of(L'=') == std::wstring::npos) stage = 3;
        else if (stage == 3 && StartsWith(line, L">>>>>>> ")) stage = 0;
        else {
            if (stage == 0 || stage == 1) a += whole;
            if (stage == 0 || stage == 3) b += whole;
        }
    }
    ours = CString(std::move(a));
    theirs = CString(std::move(b));
}

unsigned long long HashNoteTexts(const NoteFileFields& note)
{
    CTextFnv hash;
    hash.AddUnit(note.hasComments ? 1 : 0).Add(note.comments);
    // A query without a CR is its own LF form: hashed in place, not copied.
    if (note.query.str().find(L'\r') == std::wstring::npos) return hash.Add(note.query).Value();
    return hash.Add(WithLfLineEnds(note.query)).Value();
}
