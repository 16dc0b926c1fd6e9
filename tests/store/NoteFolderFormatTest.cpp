// The note folder format: a note or group survives the trip through its file
// with any character; names are safe, unique without regard to case, short
// and stable; an export plan keeps names, touches only export files and
// does not depend on note numbers; an import plan matches, adds and refuses;
// a sync plan says what each side writes, and its state stays readable;
// a file is taken unread only while its listing entry has not moved.
#include "store/format/ExportNames.h"
#include "store/exchange/ExportPlan.h"
#include "store/exchange/ImportPlan.h"
#include "store/format/NoteFile.h"
#include "store/format/NoteFileText.h"
#include "store/sync/SyncPlan.h"
#include "store/sync/SyncSummary.h"
#include "store/format/Utf8Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

std::wstring S(const CString& s) { return s.str(); }

// Texts that break naive formats: line breaks of each kind, comment markers,
// quotes, tabs, characters outside the BMP, leading and trailing spaces.
const wchar_t* const kAwkward[] = {
    L"  leading and trailing  ",
    L"line\nbreak\r\nand\rreturn",
    L"-- not a comment */ /* nor this",
    L"quotes ' \" and \\ backslash\tand tab",
    L"non-BMP \U0001F600 \U00010437 and \u00E9\u0394\u0416",
    L"separators \u2028 \u2029 \u0085 and > and -->",
    L"",
};

NoteFileFields Note(const CString& title, const CString& group, const CString& comments, const CString& query, bool hasComments = true)
{
    return NoteFileFields{title, group, hasComments, comments, query};
}

CString Decode(const std::string& bytes)
{
    CString text;
    EXPECT_TRUE(FromUtf8(bytes, text));
    return text;
}

TEST(NoteFileFormat, EveryFieldSurvivesTheFileWithAnyCharacter)
{
    for (const wchar_t* a : kAwkward) {
        for (const wchar_t* b : kAwkward) {
            const NoteFileFields note = Note(CString(L"t") + a, b, a, CString(b) + L"\nSELECT 1; -- end " + a);
            const std::string bytes = ComposeNoteFile(note);
            // Each header line ends as the query's lines do; the query follows the first empty line whole, then one line end.
            const std::string end = ToUtf8(LineEndOf(note.query));
            const size_t body = bytes.find(end + end);
            ASSERT_NE(std::string::npos, body);
            EXPECT_EQ(ToUtf8(note.query) + end, bytes.substr(body + 2 * end.size())) << "query not byte for byte";
            std::string header = bytes.substr(0, body);
            for (size_t at; (at = header.find(end)) != std::string::npos;) header.erase(at, end.size());
            EXPECT_EQ(std::string::npos, header.find_first_of("\r\n")) << "another line end in the header: " << bytes;
            NoteFileFields back;
            ASSERT_TRUE(ParseNoteFile(Decode(bytes), back)) << bytes;
            EXPECT_EQ(S(note.title), S(back.title));
            EXPECT_EQ(S(note.group), S(back.group));
            EXPECT_TRUE(back.hasComments);
            EXPECT_EQ(S(note.comments), S(back.comments));
            EXPECT_EQ(S(note.query), S(back.query));
        }
    }
}

TEST(NoteFileFormat, HeaderIsPlainSqlCommentsAndNullCommentsStayNull)
{
    const std::string bytes = ComposeNoteFile(Note(L"Monthly totals", L"Orders", L"", L"SELECT 1;", false));
    EXPECT_EQ("-- Quillbox note\n-- title: \"Monthly totals\"\n-- group: \"Orders\"\n-- comments: null\n\nSELECT 1;\n", bytes);
    EXPECT_EQ("-- Quillbox note\r\n-- title: \"W\"\r\n-- group: \"G\"\r\n-- comments: null\r\n\r\nSELECT\r\n1;\r\n",
              ComposeNoteFile(Note(L"W", L"G", L"", L"SELECT\r\n1;", false)));
    NoteFileFields back;
    ASSERT_TRUE(ParseNoteFile(Decode(bytes), back));
    EXPECT_FALSE(back.hasComments);
    // An editor that rewrote the line ends keeps the file readable; a BOM too.
    std::string crlf = "\xEF\xBB\xBF-- Quillbox note\r\n-- title: \"A\"\r\n-- group: \"G\"\r\n-- comments: \"c\"\r\n\r\nQ\r\n";
    CString text;
    ASSERT_EQ(TextDecodeResult::Text, DecodeFileText(crlf, nullptr, text));
    ASSERT_TRUE(ParseNoteFile(text, back));
    EXPECT_EQ(L"A", S(back.title));
    EXPECT_EQ(L"Q", S(back.query)) << "the final line end is the file's";
    // Without a final line end (an older export) the query is the same.
    ASSERT_TRUE(ParseNoteFile(L"-- Quillbox note\n-- title: \"A\"\n-- group: \"G\"\n-- comments: null\n\nQ\n\n", back));
    EXPECT_EQ(L"Q\n", S(back.query));
    EXPECT_TRUE(SameQueryText(L"Q", L"Q\r\n"));
    EXPECT_FALSE(SameQueryText(L"Q", L"Q\n\n"));
}

TEST(NoteFileFormat, GitsConflictMarkersAreAMergeConflictOnlyWhenAllThreeAreThereInOrder)
{
    EXPECT_TRUE(HasMergeConflict(L"x\r\n<<<<<<< HEAD\r\nSELECT 1;\r\n=======\r\nSELECT 2;\r\n>>>>>>> theirs\r\n"));
    EXPECT_FALSE(HasMergeConflict(L"<<<<<<< a\n>>>>>>> b\n=======\n"));
    EXPECT_FALSE(HasMergeConflict(L"SELECT '<<<<<<< a\n=======\n>>>>>>> b'"));
}

TEST(NoteFileFormat, FilesWithoutTheHeaderOrWithABrokenOneAreNotOurs)
{
    NoteFileFields note;
    for (const wchar_t* text : {L"SELECT 1;", L"-- Quillbox note\n-- title: \"A\"\n\nQ" /* no group */,
                                L"-- Quillbox note\n-- title: \"A\n-- group: \"G\"\n\nQ", L"-- Quillbox note\n-- title: \"\\x\"\n-- group: \"G\"\n\nQ",
                                L"-- Quillbox note\n-- title: \"A\"\n-- group: \"G\"" /* no end of header */, L""})
        EXPECT_FALSE(ParseNoteFile(text, note)) << text;

    // A header that starts as ours and then breaks is damaged, never a plain file; the wrong line is named.
    CString damage;
    EXPECT_EQ(HeaderRead::Damaged, ReadNoteFile(L"-- Quillbox note\r\n-- title: \"A\r\n-- group: \"G\"\r\n\r\nQ", note, damage));
    EXPECT_EQ(L"line 2: -- title: \"A", S(damage));
    EXPECT_EQ(HeaderRead::Damaged, ReadNoteFile(L"-- Quillbox nte\n-- title: \"A\"\n-- group: \"G\"\n\nQ", note, damage));
    EXPECT_EQ(HeaderRead::None, ReadNoteFile(L"-- a plain file\nSELECT 1;", note, damage));
    GroupFileFields group;
    EXPECT_EQ(HeaderRead::Damaged, ReadGroupFile(L"<!-- Quillbox group -->\n<!-- name: \"G -->\n", group, damage));
    EXPECT_EQ(HeaderRead::None, ReadGroupFile(L"# Our repository\n", group, damage));

    // Each side of git's merge, with or without a base section.
    CString ours, theirs;
    SplitMergeConflict(L"a\n<<<<<<< HEAD\nb\n||||||| base\nc\n=======\nd\n>>>>>>> x\ne\n", ours, theirs);
    EXPECT_EQ(L"a\nb\ne\n", S(ours));
    EXPECT_EQ(L"a\nd\ne\n", S(theirs));
}

TEST(NoteFileFormat, GroupFileKeepsNameAndDescriptionAndRendersAHeading)
{
    for (const wchar_t* a : kAwkward) {
        GroupFileFields group{CString(L"g") + a, true, CString(a) + L"\n# not a heading -->"};
        const std::string bytes = ComposeGroupFile(group);
        EXPECT_NE(std::string::npos, bytes.find("\n# g")) << "a heading for git hosts";
        GroupFileFields back;
        ASSERT_TRUE(ParseGroupFile(Decode(bytes), back)) << bytes;
        EXPECT_EQ(S(group.name), S(back.name));
        EXPECT_TRUE(back.hasDescription);
        EXPECT_EQ(S(group.description), S(back.description));
        // Nothing inside an HTML comment may close it early.
        const size_t rendered = bytes.find("\n\n");
        EXPECT_EQ(std::string::npos, bytes.substr(0, rendered).find("--> ")) << bytes;
    }
    GroupFileFields none;
    ASSERT_TRUE(ParseGroupFile(Decode(ComposeGroupFile({L"None", false, L""})), none));
    EXPECT_FALSE(none.hasDescription);
}

TEST(NoteFileText, DecodesUtf8Utf16AndAnsiAndRefusesWhatIsNotText)
{
    CString text;
    EXPECT_EQ(TextDecodeResult::Text, DecodeFileText("caf\xC3\xA9", nullptr, text));
    EXPECT_EQ(L"caf\u00E9", S(text));
    EXPECT_EQ(TextDecodeResult::Text, DecodeFileText(std::string("\xFF\xFE" "a\0\x3D\xD8\x00\xDE", 8), nullptr, text));
    EXPECT_EQ(L"a\U0001F600", S(text));
    EXPECT_EQ(TextDecodeResult::Text, DecodeFileText(std::string("\xFE\xFF\0b", 4), nullptr, text));
    EXPECT_EQ(L"b", S(text));
    // Not UTF-8: the system's code page reads it.
    const AnsiDecoder latin1 = [](const std::string& bytes) {
        std::wstring wide;
        for (unsigned char c : bytes) wide += static_cast<wchar_t>(c);
        return CString(wide);
    };
    EXPECT_EQ(TextDecodeResult::Text, DecodeFileText("caf\xE9", latin1, text));
    EXPECT_EQ(L"caf\u00E9", S(text));
    EXPECT_EQ(TextDecodeResult::NotText, DecodeFileText(std::string("a\0b", 3), latin1, text));
    EXPECT_EQ(TextDecodeResult::NotText, DecodeFileText(std::string("\xFF\xFE" "a", 3), latin1, text));
    EXPECT_EQ(TextDecodeResult::NotText, DecodeFileText("\xEF\xBB\xBF\xC3", latin1, text));
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82"})
        EXPECT_FALSE(FromUtf8(bad, text)) << bad;
}

TEST(ExportNames, SafeOnWindowsAndLinuxAndShortWithoutSplittingACharacter)
{
    EXPECT_EQ(L"a_b_c_d_e_f_g_h_i_j_", S(SafeFileStem(L"a\\b/c:d*e?f\"g<h>i|j\t", 80)));
    EXPECT_EQ(L"trailing dot_", S(SafeFileStem(L"trailing dot.", 80)));
    EXPECT_EQ(L"trailing space_", S(SafeFileStem(L"trailing space ", 80)));
    EXPECT_EQ(L"_", S(SafeFileStem(L"", 80)));
    EXPECT_EQ(L"_", S(SafeFileStem(L".", 80)));
    EXPECT_EQ(L"_git", S(SafeFileStem(L".git", 64))) << "a name with a leading dot is one that exports and imports skip";
    EXPECT_EQ(L"_._", S(SafeFileStem(L"...", 80)));
    for (const wchar_t* device : {L"CON", L"nul", L"Com1", L"LPT9", L"aux.backup", L"PRN "})
        EXPECT_EQ(L'_', SafeFileStem(device, 80).str()[0]) << device;
    EXPECT_EQ(L"COM0", S(SafeFileStem(L"COM0", 80)));
    EXPECT_EQ(L"Console", S(SafeFileStem(L"Console", 80)));
    // 79 letters and a character outside the BMP: the pair would pass the limit, so it goes.
    const CString stem = SafeFileStem(CString(L'x', 79) + L"\U0001F600", 80);
    EXPECT_EQ(79, Utf16Length(stem));
    EXPECT_EQ(80, Utf16Length(SafeFileStem(CString(L'x', 78) + L"\U0001F600tail", 80)));
}

TEST(ExportNames, UniqueWithoutRegardToCase)
{
    FolderNames names;
    names.Take(L"notes.txt");
    EXPECT_EQ(L"Report.sql", S(names.TakeFree(L"Report", L".sql")));
    EXPECT_EQ(L"report (2).sql", S(names.TakeFree(L"report", L".sql")));
    EXPECT_EQ(L"\u00C9t\u00E9 (2).sql", S((names.Take(L"\u00E9t\u00E9.sql"), names.TakeFree(L"\u00C9t\u00E9", L".sql"))));
    EXPECT_EQ(L"Notes (2).txt", S(names.TakeFree(L"Notes", L".txt")));

    // A new note's name is its title's alone: two titles never share one, even without regard to case.
    EXPECT_EQ(L"Big orders", S(NoteFileStem(L"Big orders")));
    std::set<std::wstring> keys;
    for (const wchar_t* title : {L"a/b", L"a:b", L"a_b", L"Daily", L"daily", L"DAILY", L"\u00C9t\u00E9", L"\u00E9t\u00E9", L"CON", L"_CON"}) {
        EXPECT_TRUE(keys.insert(FileNameKey(NoteFileStem(title))).second) << ToUtf8(title);
        EXPECT_EQ(S(SafeFileStem(title, 80)), S(TitleOfNoteFileName(NoteFileStem(title) + L".sql"))) << "the mark comes off again";
    }
    EXPECT_EQ(L"Twin", S(TitleOfNoteFileName(TwinNoteFileStem(L"Twin", 1) + L".sql")));
    EXPECT_EQ(L"Report", S(TitleOfNoteFileName(L"Report (2).sql")));
}

// A small database for the plans.
struct Library {
    std::vector<ExportGroup> groups{{0, {L"None", false, L""}}};
    std::vector<ExportNote> notes;

    void Group(int id, const CString& name, const CString& description)
    {
        groups.push_back({id, {name, true, description}});
    }
    void Add(int groupId, const CString& title, const CString& query, const CString& comments = L"c")
    {
        ExportNote note;
        note.groupId = groupId;
        note.fields = Note(title, L"", comments, query);
        notes.push_back(note);
    }
};

// What a folder holds after the plan ran: "folder\name" -> bytes, foreign files included.
using Folder = std::map<std::wstring, std::string>;

std::vector<std::wstring> Names(const Folder& folder)
{
    std::vector<std::wstring> names;
    for (const auto& entry : folder) names.push_back(entry.first);
    return names;
}

std::vector<ExistingEntry> Scan(const Folder& folder)
{
    std::vector<ExistingEntry> entries;
    std::map<std::wstring, bool> folders;
    for (const auto& file : folder) {
        ExistingEntry entry;
        const size_t slash = file.first.find(L'\\');
        if (slash != std::wstring::npos) {
            entry.folder = file.first.substr(0, slash);
            folders[entry.folder.str()] = true;
        }
        entry.name = slash == std::wstring::npos ? file.first : file.first.substr(slash + 1);
        ClassifyExistingFile(Decode(file.second), entry);
        entries.push_back(entry);
    }
    for (const auto& name : folders) {
        ExistingEntry entry;
        entry.name = name.first;
        entry.isFolder = true;
        entries.push_back(entry);
    }
    return entries;
}

// Runs a plan the way the export does; returns the names it wrote or renamed.
std::vector<std::wstring> Apply(const ExportPlan& plan, Folder& folder)
{
    std::vector<std::wstring> written;
    for (const PlannedFile& file : plan.files) {
        const std::wstring prefix = file.folder.IsEmpty() ? L"" : file.folder.str() + L"\\";
        const std::wstring path = prefix + file.name.str();
        if (!file.existingName.IsEmpty()) folder.erase(prefix + file.existingName.str());
        if (folder.count(path) && folder[path] == file.bytes) continue;
        folder[path] = file.bytes;
        written.push_back(path);
    }
    for (const StaleEntry& stale : plan.staleFiles) {
        folder.erase((stale.folder.IsEmpty() ? L"" : stale.folder.str() + L"\\") + stale.name.str());
        written.push_back(L"-" + stale.name.str());
    }
    return written;
}

TEST(ExportPlanStory, NamesAreKeptAcrossExportsAndOnlyWhatChangedIsWritten)
{
    Library db;
    db.Group(1, L"Orders", L"Order queries");
    db.Group(2, L"Empty: group", L"");
    db.Add(0, L"Top level", L"SELECT 0;");
    db.Add(1, L"Report", L"SELECT 1;");
    db.Add(1, L"report", L"SELECT 2;");
    db.Add(1, L"Totals", L"SELECT 3;");
    Folder folder{{L"notes.txt", "mine"}, {L"Top level.sql", "a file of my own"}};

    const std::vector<std::wstring> first = Apply(PlanExport(db.groups, db.notes, Scan(folder)), folder);
    EXPECT_EQ(6u, first.size());
    EXPECT_EQ("mine", folder[L"notes.txt"]);
    EXPECT_EQ("a file of my own", folder[L"Top level.sql"]) << "a foreign file is never overwritten";
    // The foreign file holds the title's name: the note takes its twin's, made from its texts.
    EXPECT_TRUE(folder.count(TwinNoteFileStem(L"Top level", HashNoteTexts(db.notes[0].fields)).str() + L".sql"));
    EXPECT_TRUE(folder.count(L"Orders\\README.md"));
    EXPECT_TRUE(folder.count(L"Empty_ group\\README.md")) << "a group without notes still has its folder";
    EXPECT_TRUE(folder.count(L"Orders\\Report.sql"));
    // Two titles one case apart never share a name, whichever is written first.
    const std::wstring lowerReport = L"Orders\\" + NoteFileStem(L"report").str() + L".sql";
    EXPECT_TRUE(folder.count(lowerReport));
    EXPECT_FALSE(folder.count(L"README.md")) << "group 0 as created needs no file";

    EXPECT_TRUE(Apply(PlanExport(db.groups, db.notes, Scan(folder)), folder).empty()) << "an unchanged database rewrites nothing";

    db.notes[3].fields.query = L"SELECT 33;";  // Totals changed
    db.notes[1].fields.title = L"Report by month";  // Report renamed
    db.notes.erase(db.notes.begin() + 2);  // report deleted
    const std::vector<std::wstring> changed = Apply(PlanExport(db.groups, db.notes, Scan(folder)), folder);
    const std::vector<std::wstring> expected{L"Orders\\Report by month.sql", L"Orders\\Totals.sql", L"-Report.sql",
                                             L"-" + NoteFileStem(L"report").str() + L".sql"};
    std::vector<std::wstring> sorted = changed;
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::wstring> expectedSorted = expected;
    std::sort(expectedSorted.begin(), expectedSorted.end());
    EXPECT_EQ(expectedSorted, sorted);
    EXPECT_EQ("a file of my own", folder[L"Top level.sql"]);

    db.groups.pop_back();  // "Empty: group" deleted
    const ExportPlan plan = PlanExport(db.groups, db.notes, Scan(folder));
    ASSERT_EQ(1u, plan.staleFolders.size());
    EXPECT_EQ(L"Empty_ group", S(plan.staleFolders[0]));
}

TEST(ExportPlanStory, SameNotesGiveTheSameFolderWhateverTheirNumbers)
{
    Library a, b;
    a.Group(1, L"G", L"d");
    b.Group(7, L"G", L"d");
    for (int i = 0; i < 5; ++i) {
        a.Add(1, L"Same", CString(L"SELECT ") + CString(static_cast<wchar_t>(L'a' + i)));
        b.Add(7, L"Same", CString(L"SELECT ") + CString(static_cast<wchar_t>(L'e' - i)));
    }
    Folder fa, fb;
    Apply(PlanExport(a.groups, a.notes, Scan(fa)), fa);
    Apply(PlanExport(b.groups, b.notes, Scan(fb)), fb);
    EXPECT_EQ(fa, fb);
}

TEST(ExportPlanStory, CaseOnlyRenameRenamesTheFileInsteadOfLosingIt)
{
    // A folder an older version wrote names the note "report.sql".
    Library db;
    db.Add(0, L"Report", L"Q");
    Folder folder{{L"report.sql", ComposeNoteFile(Note(L"report", L"None", L"", L"Q"))}};
    const ExportPlan plan = PlanExport(db.groups, db.notes, Scan(folder));
    ASSERT_EQ(1u, plan.files.size());
    EXPECT_EQ(L"Report.sql", S(plan.files[0].name));
    EXPECT_EQ(L"report.sql", S(plan.files[0].existingName));
    EXPECT_TRUE(plan.staleFiles.empty()) << "removing report.sql would remove Report.sql on Windows";

    // Today's names: the rename takes the title's own name, no "(2)".
    Folder fresh;
    db.notes[0].fields.title = L"report";
    Apply(PlanExport(db.groups, db.notes, Scan(fresh)), fresh);
    db.notes[0].fields.title = L"Report";
    Apply(PlanExport(db.groups, db.notes, Scan(fresh)), fresh);
    EXPECT_EQ((std::vector<std::wstring>{L"Report.sql"}), Names(fresh));
}

// A plain file and a plain folder an import took in are the note's and the
// group's from then on; a plain file whose text differs, and names with a dot, are left alone.
TEST(ExportPlanStory, PlainFilesImportTookInAreRewrittenWithTheHeaderInPlace)
{
    Library db;
    db.Group(1, L"Plain", L"");
    db.groups.back().fields.hasDescription = false;
    db.Add(0, L"new", L"SELECT 1;", L"");
    db.Add(1, L"p", L"SELECT p;\r\nFROM t", L"");
    db.Add(1, L"edited", L"SELECT 3;", L"");
    for (ExportNote& note : db.notes) note.fields.hasComments = false;
    Folder folder{{L"new.sql", "SELECT 1;\n"}, {L"Plain\\p.sql", "SELECT p;\r\nFROM t\r\n"}, {L"Plain\\edited.sql", "SELECT 2;"},
                  {L".git\\config", "[core]"}, {L".gitignore", "*.mdb\n"}};
    std::vector<std::wstring> written = Apply(PlanExport(db.groups, db.notes, Scan(folder)), folder);
    std::sort(written.begin(), written.end());
    EXPECT_EQ((std::vector<std::wstring>{L"Plain\\README.md", L"Plain\\" + NoteFileStem(L"edited").str() + L".sql", L"Plain\\p.sql", L"new.sql"}),
              written);
    EXPECT_EQ("-- Quillbox note\n-- title: \"new\"\n-- group: \"None\"\n-- comments: null\n\nSELECT 1;\n", folder[L"new.sql"]);
    EXPECT_EQ("SELECT 2;", folder[L"Plain\\edited.sql"]) << "a plain file that differs from the note is never overwritten";
    EXPECT_EQ("[core]", folder[L".git\\config"]);
    EXPECT_TRUE(Apply(PlanExport(db.groups, db.notes, Scan(folder)), folder).empty()) << "the next export rewrites nothing";
}

// The import side of the same small database.
struct Database {
    std::vector<DatabaseGroup> groups{{0, {L"None", false, L""}}};
    std::vector<DatabaseNote> notes;
};

ImportFile File(const CString& folder, const CString& name, const std::string& bytes)
{
    ImportFile file;
    file.folder = folder;
    file.name = name;
    file.isText = DecodeFileText(bytes, nullptr, file.text) == TextDecodeResult::Text;
    return file;
}

// An export stopped between making a group's folder and writing into it
// leaves the folder empty: the next export takes it, while a folder that
// holds anything it did not write keeps its name to itself.
TEST(ExportPlanStory, AnEmptyFolderIsTakenAndAFolderOfOtherFilesIsNot)
{
    Library db;
    db.Group(1, L"Orders", L"");
    db.Group(2, L"Mine", L"");
    std::vector<ExistingEntry> entries(3);
    entries[0].name = L"Orders";
    entries[0].isFolder = true;
    entries[1].name = L"Mine";
    entries[1].isFolder = true;
    entries[2].folder = L"Mine";
    entries[2].name = L"mine.txt";
    const ExportPlan plan = PlanExport(db.groups, db.notes, entries);
    std::vector<std::wstring> folders;
    for (const PlannedFolder& folder : plan.folders) folders.push_back(folder.name.str() + L"|" + folder.existingName.str());
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ((std::vector<std::wstring>{L"Mine (2)|", L"Orders|"}), folders);
    EXPECT_TRUE(plan.staleFolders.empty()) << "neither folder is removed";
}

TEST(ImportPlanStory, MatchesByGroupAndTitleAddsTheRestAndRefusesWhatItCannotTake)
{
    Database db;
    db.groups.push_back({1, {L"Orders", true, L"old description"}});
    db.groups.push_back({2, {L"orders", false, L""}});
    db.notes.push_back({1, 1, Note(L"Report", L"", L"c", L"SELECT 1;")});
    db.notes.push_back({2, 1, Note(L"Twice", L"", L"c", L"A")});
    db.notes.push_back({3, 1, Note(L"Twice", L"", L"c", L"B")});
    db.notes.push_back({5, 0, Note(L"Loose", L"", L"c", L"L")});

    const std::vector<ImportFile> files{
        File(L"Orders", L"README.md", ComposeGroupFile({L"Orders", true, L"new description"})),
        File(L"Orders", L"Report.sql", ComposeNoteFile(Note(L"Report", L"Orders", L"c", L"SELECT 11;"))),
        File(L"Orders", L"Twice.sql", ComposeNoteFile(Note(L"Twice", L"Orders", L"other comments", L"B"))),
        File(L"Orders", L"Twice (2).sql", ComposeNoteFile(Note(L"Twice", L"Orders", L"c", L"C"))),
        File(L"Orders", L"plain.sql", "SELECT plain;\r\n"),
        File(L"Orders", L"merged.sql", "<<<<<<< HEAD\nSELECT 1;\n=======\nSELECT 2;\n>>>>>>> b\n"),
        File(L"Orders", L"notes.txt", "not a note"),
        File(L"", L"Loose.sql", ComposeNoteFile(Note(L"Loose", L"None", L"c", L"L"))),
        File(L"New group", L"x.SQL", "SELECT x;"),
        File(L"Orders", L"long.sql", ComposeNoteFile(Note(L"long", L"Orders", CString(L'c', 256), L"Q"))),
        File(L"Orders", L"binary.sql", std::string("\0\1\2", 3)),
        File(L"Orders", L"torn.sql", "-- Quillbox note\n-- title: \"torn\n-- group: \"Orders\"\n\nSELECT 1;\n"),
        File(L"", L"CONTRIBUTING.md", "<<<<<<< HEAD\nours\n=======\ntheirs\n>>>>>>> b\n"),
    };
    const ImportPlan plan = PlanImport(db.groups, db.notes, files);

    std::map<std::wstring, std::pair<ImportAction, int>> steps;
    std::map<std::wstring, std::wstring> queries;
    for (const ImportNoteStep& step : plan.notes) {
        steps[step.source.str()] = {step.action, step.id};
        queries[step.source.str()] = step.fields.query.str();
    }
    EXPECT_EQ(ImportAction::Change, steps[L"Orders\\Report.sql"].first);
    EXPECT_EQ(1, steps[L"Orders\\Report.sql"].second);
    EXPECT_EQ(ImportAction::Unchanged, steps[L"Orders\\Twice.sql"].first) << "among several, an equal query changes nothing";
    EXPECT_EQ(ImportAction::Add, steps[L"Orders\\Twice (2).sql"].first);
    EXPECT_EQ(ImportAction::Add, steps[L"Orders\\plain.sql"].first);
    EXPECT_EQ(L"SELECT plain;", queries[L"Orders\\plain.sql"]) << "a plain file's final line end is not the query's";
    EXPECT_EQ(ImportAction::Unchanged, steps[L"Loose.sql"].first);
    EXPECT_EQ(ImportAction::Add, steps[L"New group\\x.SQL"].first);
    EXPECT_EQ(4, plan.Count(ImportAction::Add) + plan.Count(ImportAction::Change));
    // New notes are numbered after the largest number, in a fixed order.
    EXPECT_EQ(6, steps[L"New group\\x.SQL"].second);

    // A repository's own file with markers is not ours to name; each refusal says which note it may hide.
    ASSERT_EQ(4u, plan.refusals.size());
    EXPECT_EQ(L"Orders\\binary.sql", S(plan.refusals[0].source));
    EXPECT_EQ(L"not text", S(plan.refusals[0].reason));
    EXPECT_EQ(L"comments over 255 characters", S(plan.refusals[1].reason));
    ASSERT_EQ(1u, plan.refusals[1].notes.size());
    EXPECT_EQ(L"long", S(plan.refusals[1].notes[0].title));
    EXPECT_EQ(L"an unresolved merge conflict", S(plan.refusals[2].reason));
    EXPECT_EQ(L"Orders", S(plan.refusals[2].notes[0].group));
    EXPECT_EQ(L"merged", S(plan.refusals[2].notes[0].title)) << "no header on either side: the note named after the file";
    EXPECT_EQ(L"a damaged header: line 2: -- title: \"torn", S(plan.refusals[3].reason));

    // "Orders" is matched exactly ("orders" is another group); "New group" is added.
    ASSERT_EQ(2u, plan.groups.size());
    EXPECT_EQ(ImportAction::Change, plan.groups[0].action);
    EXPECT_EQ(L"new description", S(plan.groups[0].fields.description));
    EXPECT_EQ(ImportAction::Add, plan.groups[1].action);
    EXPECT_EQ(3, plan.groups[1].id);
    EXPECT_EQ(L"New group", S(plan.groups[1].fields.name));

    // A description file in the chosen folder renames group 0: a folder of its
    // old name is a new group, a folder of its new name leads back to it.
    const ImportPlan renamed = PlanImport(db.groups, db.notes, {
        File(L"", L"README.md", ComposeGroupFile({L"Loose ends", false, L""})),
        File(L"None", L"a.sql", "SELECT a;"),
        File(L"Loose ends", L"b.sql", "SELECT b;"),
        File(L"orders", L"c.sql", "SELECT c;"),
    });
    std::map<std::wstring, int> groupOf;
    for (const ImportNoteStep& step : renamed.notes) groupOf[step.source.str()] = step.groupId;
    ASSERT_EQ(2u, renamed.groups.size());
    EXPECT_EQ(ImportAction::Change, renamed.groups[0].action);
    EXPECT_EQ(0, renamed.groups[0].id);
    EXPECT_EQ(ImportAction::Add, renamed.groups[1].action);
    EXPECT_EQ(3, renamed.groups[1].id);
    EXPECT_EQ(3, groupOf[L"None\\a.sql"]);
    EXPECT_EQ(0, groupOf[L"Loose ends\\b.sql"]);
    EXPECT_EQ(2, groupOf[L"orders\\c.sql"]);
}

TEST(ImportPlanStory, AnExportOfTheDatabaseImportsAsNoChangeAndIntoAnEmptyOneAsAll)
{
    Library a;
    a.Group(1, L"Orders", L"desc");
    a.Group(4, L"Empty", L"");
    for (const wchar_t* text : kAwkward) a.Add(1, CString(L"T") + text, CString(text) + L";");
    a.Add(1, L"Dup", L"Q");
    a.Add(1, L"Dup", L"Q");
    a.Add(0, L"Top", L"SELECT 0;", L"");
    a.notes.back().fields.hasComments = false;
    Folder folder;
    Apply(PlanExport(a.groups, a.notes, Scan(folder)), folder);
    std::vector<ImportFile> files;
    for (const auto& file : folder) {
        const size_t slash = file.first.find(L'\\');
        files.push_back(File(slash == std::wstring::npos ? L"" : file.first.substr(0, slash),
                             slash == std::wstring::npos ? file.first : file.first.substr(slash + 1), file.second));
    }

    Database same;
    for (const ExportGroup& group : a.groups) if (group.id) same.groups.push_back({group.id, group.fields});
    int id = 1;
    for (const ExportNote& note : a.notes) same.notes.push_back({id++, note.groupId, note.fields});
    const ImportPlan again = PlanImport(same.groups, same.notes, files);
    EXPECT_TRUE(again.ChangesNothing()) << again.Count(ImportAction::Add) << " added, " << again.Count(ImportAction::Change) << " changed";
    EXPECT_TRUE(again.refusals.empty());

    const ImportPlan fresh = PlanImport(Database().groups, {}, files);
    EXPECT_EQ(static_cast<int>(a.notes.size()), fresh.Count(ImportAction::Add));
    EXPECT_EQ(2, fresh.CountGroups(ImportAction::Add));
    for (const ImportGroupStep& group : fresh.groups) {
        if (group.fields.name == L"Empty") {
            EXPECT_TRUE(group.fields.hasDescription);
        }
    }
    for (const ImportNoteStep& note : fresh.notes) {
        if (note.fields.title == L"Top") {
            EXPECT_FALSE(note.fields.hasComments) << "NULL comments stay NULL";
        }
    }
}

// A sync's notes by place; texts stand for a note's comments and query.
SyncNoteEntry Entry(const wchar_t* group, const wchar_t* title, const wchar_t* texts, size_t index)
{
    const NoteFileFields note = Note(title, group, L"", texts);
    return {group, title, HashNoteTexts(note), index, HashNoteTextsAsStored(note)};
}

int CountFiles(const SyncPlan& plan, SyncAction action)
{
    return static_cast<int>(std::count_if(plan.files.begin(), plan.files.end(), [&](const SyncFileStep& s) { return s.action == action; }));
}

TEST(SyncPlanStory, EachSideWritesOnlyWhatTheOtherChangedAndAConflictKeepsBoth)
{
    const std::vector<SyncGroupEntry> groups{{L"", {L"None", false, L""}}, {L"Sales", {L"Sales", false, L""}}};
    const std::vector<SyncNoteEntry> before{Entry(L"", L"kept", L"1", 0), Entry(L"", L"dbEdit", L"1", 1), Entry(L"", L"fileEdit", L"1", 2),
                                            Entry(L"Sales", L"dbGone", L"1", 3), Entry(L"", L"both", L"1", 4), Entry(L"", L"hidden", L"1", 5)};
    SyncState base = PlanSync(nullptr, before, before, groups, groups).state;
    ASSERT_EQ(6u, base.notes.size());

    const std::vector<SyncNoteEntry> database{Entry(L"", L"kept", L"1", 0), Entry(L"", L"dbEdit", L"2", 1), Entry(L"", L"fileEdit", L"1", 2),
                                              Entry(L"", L"both", L"db", 3), Entry(L"", L"hidden", L"1", 4), Entry(L"Sales", L"new", L"n", 5)};
    // The folder lost "hidden" to a file it could not read: the note stays and nothing is written for it.
    const std::vector<SyncNoteEntry> folder{Entry(L"", L"kept", L"1", 0), Entry(L"", L"dbEdit", L"1", 1), Entry(L"", L"fileEdit", L"3", 2),
                                            Entry(L"Sales", L"dbGone", L"1", 3), Entry(L"", L"both", L"file", 4)};
    SyncHeldBack held;
    held.notes.push_back({L"", L"hidden", L""});
    const SyncPlan plan = PlanSync(&base, database, folder, groups, groups, held);
    ASSERT_EQ(1u, plan.heldBack.size());
    EXPECT_EQ(L"hidden", S(plan.heldBack[0]));
    EXPECT_EQ(4, plan.folderNotes.Total() - plan.folderNotes.deleted) << "dbEdit, both, new and the copy";
    ASSERT_EQ(1u, plan.conflicts.size());
    EXPECT_EQ(L"both (conflict 1)", S(plan.conflicts[0].copy));
    EXPECT_EQ(2, CountFiles(plan, SyncAction::Add));
    EXPECT_EQ(2, CountFiles(plan, SyncAction::Change));
    EXPECT_EQ(1, CountFiles(plan, SyncAction::Delete));
    for (const SyncFileStep& step : plan.files) {
        if (step.action == SyncAction::Delete) {
            EXPECT_EQ(3u, step.folderIndex) << "dbGone's own file goes";
        }
        if (step.action == SyncAction::Change) {
            EXPECT_TRUE(step.fromDatabase && (step.folderIndex == 1 || step.folderIndex == 4));
        }
        if (step.title == L"both (conflict 1)") {
            EXPECT_TRUE(!step.fromDatabase && step.textsIndex == 4) << "the folder's version, kept as the copy";
        }
        if (step.title == L"new") {
            EXPECT_TRUE(step.fromDatabase && step.group == L"Sales" && step.textsIndex == 5);
        }
    }
    ASSERT_EQ(2u, plan.notes.size()) << "fileEdit changed, the copy added";
    EXPECT_TRUE(plan.groupFolders.empty());

    // A group the database let go, with no note left, goes from the folder; a new description reaches it.
    const std::vector<SyncGroupEntry> renamed{{L"", {L"None", true, L"root"}}};
    const SyncPlan groupsPlan = PlanSync(&base, {}, {Entry(L"", L"kept", L"1", 0)}, renamed, groups);
    ASSERT_EQ(2u, groupsPlan.groupFolders.size());
    EXPECT_EQ(SyncAction::Change, groupsPlan.groupFolders[0].action);
    EXPECT_EQ(L"root", S(groupsPlan.none.description));
    EXPECT_EQ(SyncAction::Delete, groupsPlan.groupFolders[1].action);
}

// States written before keep their meaning: the texts' hash is FNV-1a over
// four bytes a character, whatever shortcut computes it; a query's line ends
// count as LF, and the hash as stored is what older states hold for a CR.
TEST(SyncPlanStory, TextHashesAreTheOnesEarlierStatesHold)
{
    for (const wchar_t* text : kAwkward) {
        unsigned long long expected = 14695981039346656037ull;
        const auto add = [&](unsigned long unit) {
            for (int i = 0; i < 4; ++i) expected = (expected ^ ((unit >> (8 * i)) & 0xFF)) * 1099511628211ull;
        };
        add(1);
        add(0xFFFFFFFFul);  // empty comments
        const CString query(text);
        for (wchar_t unit : query.str()) add(static_cast<unsigned long>(unit));
        add(0xFFFFFFFFul);
        EXPECT_EQ(expected, HashNoteTextsAsStored(Note(L"t", L"", L"", text))) << ToUtf8(query);
        if (query.Find(L'\r') < 0) {
            EXPECT_EQ(expected, HashNoteTexts(Note(L"t", L"", L"", text))) << ToUtf8(query);
        }
    }
    EXPECT_EQ(HashNoteTexts(Note(L"t", L"", L"", L"a\nb\n")), HashNoteTexts(Note(L"t", L"", L"", L"a\r\nb\r")));
}

// Each side's notes as a library holds them: "title=texts" in group 0.
std::vector<SyncNoteEntry> Side(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> notes)
{
    std::vector<SyncNoteEntry> side;
    for (const auto& note : notes) side.push_back(Entry(L"", note.first, note.second, side.size()));
    return side;
}

const std::vector<SyncGroupEntry> kNoneOnly{{L"", {L"None", false, L""}}};

// A sync cut off after the database's commit, before the folder's files: the
// memory the database holds then makes the next sync finish the folder's
// part, never undo the database's, and name no conflict; once the folder
// holds its files, nothing is left to do.
TEST(SyncPlanStory, AMemoryWrittenBeforeTheFolderCompletesTheWorkInsteadOfUndoingIt)
{
    const auto before = Side({{L"dbEdit", L"1"}, {L"fileEdit", L"1"}, {L"dbGone", L"1"}, {L"both", L"1"}});
    const SyncState base = PlanSync(nullptr, before, before, kNoneOnly, kNoneOnly).state;
    const auto database = Side({{L"dbEdit", L"2"}, {L"fileEdit", L"1"}, {L"both", L"db"}, {L"dbNew", L"1"}});
    const auto folder = Side({{L"dbEdit", L"1"}, {L"fileEdit", L"3"}, {L"dbGone", L"1"}, {L"both", L"file"}});
    const SyncPlan plan = PlanSync(&base, database, folder, kNoneOnly, kNoneOnly);
    ASSERT_EQ(1u, plan.conflicts.size());
    const SyncState pending = plan.PendingState();

    // The database holds the plan's outcome; the folder is as it was.
    const auto committed = Side({{L"dbEdit", L"2"}, {L"fileEdit", L"3"}, {L"both", L"db"}, {L"dbNew", L"1"}, {L"both (conflict 1)", L"file"}});
    const SyncPlan resumed = PlanSync(&pending, committed, folder, kNoneOnly, kNoneOnly);
    EXPECT_FALSE(resumed.ChangesDatabase()) << "the database's side is done";
    EXPECT_TRUE(resumed.conflicts.empty());
    EXPECT_EQ(plan.files.size(), resumed.files.size()) << "the same files are written";
    EXPECT_EQ(plan.state.notes, resumed.state.notes);

    // Half the folder written when the kill came: the rest is written, nothing else.
    auto halfWritten = Side({{L"dbEdit", L"2"}, {L"fileEdit", L"3"}, {L"dbGone", L"1"}, {L"both", L"file"}});
    const SyncPlan rest = PlanSync(&pending, committed, halfWritten, kNoneOnly, kNoneOnly);
    EXPECT_FALSE(rest.ChangesDatabase());
    EXPECT_EQ(plan.files.size() - 1, rest.files.size());

    const SyncPlan done = PlanSync(&pending, committed, committed, kNoneOnly, kNoneOnly);
    EXPECT_FALSE(done.ChangesDatabase() || done.ChangesFolder());
}

// A file the sync cannot read holds back only the notes and group it may
// hold, and the memory keeps what the last sync knew of them; a group file
// holds back its description alone, a group's folder its notes. Line ends
// are no change, also against an older memory.
TEST(SyncPlanStory, AFileThatCannotBeReadHoldsBackOnlyWhatItMayHide)
{
    const std::vector<SyncGroupEntry> groups{{L"", {L"None", false, L""}}, {L"Sales", {L"Sales", true, L"d"}}};
    const auto before = Side({{L"gone", L"1"}, {L"edited", L"1"}, {L"other", L"1"}, {L"lines", L"q\r\n1"}});
    const SyncState base = PlanSync(nullptr, before, before, groups, groups).state;
    SyncHeldBack held;
    held.notes = {{L"", L"gone", L""}, {L"", L"edited", L""}};
    held.groups.insert(L"Sales");
    // Sales' group file cannot be read: the folder shows the group by a note's header alone.
    std::vector<SyncGroupEntry> folderGroups{groups[0], {L"Sales", {L"Sales", false, L""}, false}};
    const auto database = Side({{L"edited", L"2"}, {L"lines", L"q\n1"}});
    const auto folder = Side({{L"lines", L"q\r1"}});
    const SyncPlan plan = PlanSync(&base, database, folder, groups, folderGroups, held);
    EXPECT_TRUE(plan.files.empty() && plan.notes.empty() && plan.groups.empty() && plan.groupFolders.empty());
    ASSERT_EQ(2u, plan.heldBack.size());
    EXPECT_EQ((std::vector<std::wstring>{L"edited", L"gone"}), (std::vector<std::wstring>{S(plan.heldBack[0]), S(plan.heldBack[1])}));
    EXPECT_EQ(1, plan.unchanged) << "line ends are no change";

    // An older memory holds a CR query's hash as stored: a change on one side is no conflict.
    SyncState older = base;
    older.notes[HashNotePlace(L"", L"lines", 0)] = HashNoteTextsAsStored(Note(L"lines", L"", L"", L"q\r\n1"));
    const SyncPlan upgraded = PlanSync(&older, Side({{L"lines", L"q\r\n1"}}), Side({{L"lines", L"q\n2"}}), groups, groups);
    EXPECT_TRUE(upgraded.conflicts.empty());
    EXPECT_EQ(1, upgraded.databaseNotes.changed);

    // A group's folder that cannot be read: a note of it the database deleted meanwhile stays deleted.
    const std::vector<SyncNoteEntry> sales{Entry(L"Sales", L"s", L"1", 0), Entry(L"", L"top", L"1", 1)};
    const SyncState salesBase = PlanSync(nullptr, sales, sales, groups, groups).state;
    SyncHeldBack folderHeld;
    folderHeld.groupNotes.insert(L"Sales");
    const SyncPlan unreadable = PlanSync(&salesBase, {sales[1]}, {sales[1]}, groups, groups, folderHeld);
    EXPECT_TRUE(unreadable.notes.empty() && unreadable.files.empty());
    EXPECT_EQ(1, PlanSync(&unreadable.state, {sales[1]}, sales, groups, groups).folderNotes.deleted) << "not back once readable";
}

// A note retitled, moved to another group or in a renamed group on one side
// and edited on the other is one note with both changes, its file renamed.
TEST(SyncPlanStory, OneNoteWhateverMoved)
{
    const std::vector<SyncGroupEntry> before{{L"", {L"None", false, L""}}, {L"Sales", {L"Sales", false, L""}}};
    const std::vector<SyncGroupEntry> renamed{{L"", {L"None", false, L""}}, {L"Deals", {L"Deals", false, L""}}};
    const std::vector<SyncNoteEntry> then{Entry(L"Sales", L"x", L"0", 0), Entry(L"", L"y", L"0", 1), Entry(L"", L"z", L"0", 2)};
    const SyncState base = PlanSync(nullptr, then, then, before, before).state;
    const std::vector<SyncNoteEntry> database{Entry(L"Deals", L"x", L"0", 0), Entry(L"", L"y", L"db", 1), Entry(L"", L"z2", L"0", 2)};
    const std::vector<SyncNoteEntry> folder{Entry(L"Sales", L"x", L"file", 0), Entry(L"", L"y2", L"0", 1), Entry(L"", L"z", L"file", 2)};
    const SyncPlan plan = PlanSync(&base, database, folder, renamed, before);
    EXPECT_EQ(0, plan.databaseNotes.added + plan.databaseNotes.deleted + plan.folderNotes.added + plan.folderNotes.deleted)
        << "no note twice, none lost";
    std::map<std::wstring, const SyncNoteStep*> notes;
    for (const SyncNoteStep& step : plan.notes) notes[S(step.title)] = &step;
    std::map<std::wstring, const SyncFileStep*> files;
    for (const SyncFileStep& step : plan.files) files[S(step.title)] = &step;
    ASSERT_TRUE(notes.count(L"x") && notes.count(L"y2") && notes.count(L"z2"));
    EXPECT_TRUE(!notes[L"x"]->keepTexts && notes[L"x"]->group == L"Deals") << "the folder's edit reaches the renamed group's note";
    EXPECT_TRUE(notes[L"y2"]->keepTexts && notes[L"y2"]->fromPlace != 0) << "the folder's new title, the database's texts";
    EXPECT_FALSE(notes[L"z2"]->keepTexts);
    ASSERT_TRUE(files.count(L"x") && files.count(L"y2") && files.count(L"z2"));
    EXPECT_TRUE(files[L"x"]->folderPlace != 0 && files[L"y2"]->folderPlace == 0) << "a file renamed where the database moved it";
}

// A database put back from a backup carries the memory of its own time: it
// catches up with the folder (the team's notes added, deleted and changed
// since come in) instead of deleting or rolling back anything of theirs.
// Against a deletion on one side, a change on the other stays, both ways.
TEST(SyncPlanStory, ABackupCatchesUpAndAChangeOutlivesADeletion)
{
    const auto then = Side({{L"old", L"1"}, {L"changed", L"1"}, {L"deleted", L"1"}, {L"dbGoneFileEdit", L"1"}, {L"fileGoneDbEdit", L"1"}});
    const SyncState backupMemory = PlanSync(nullptr, then, then, kNoneOnly, kNoneOnly).state;
    const auto backup = Side({{L"old", L"1"}, {L"changed", L"1"}, {L"deleted", L"1"}, {L"fileGoneDbEdit", L"2"}});
    const auto team = Side({{L"old", L"1"}, {L"changed", L"2"}, {L"added", L"a"}, {L"dbGoneFileEdit", L"2"}});
    const SyncPlan plan = PlanSync(&backupMemory, backup, team, kNoneOnly, kNoneOnly);
    EXPECT_EQ(0, plan.folderNotes.deleted) << "nothing of the team's goes";
    EXPECT_EQ(0, plan.folderNotes.changed);
    EXPECT_EQ(1, plan.databaseNotes.deleted) << "the note the team deleted";
    EXPECT_EQ(1, plan.databaseNotes.changed);
    EXPECT_EQ(2, plan.databaseNotes.added) << "the team's new note and the one changed after the database lost it";
    EXPECT_EQ(1, plan.folderNotes.added) << "the database's note, changed after the folder lost it";
    EXPECT_TRUE(plan.conflicts.empty());
}

// A side losing all its notes, or more than a fifth and more than 20, is a
// mass deletion; so is an emptied folder against a database with notes.
TEST(SyncPlanStory, LosingAllOrMostOfASidesNotesIsAMassDeletion)
{
    EXPECT_FALSE(IsMassDeletion(0, 0));
    EXPECT_TRUE(IsMassDeletion(1, 1));
    EXPECT_TRUE(IsMassDeletion(3, 3));
    EXPECT_FALSE(IsMassDeletion(20, 50)) << "a fifth, but not more than 20";
    EXPECT_TRUE(IsMassDeletion(21, 100));
    EXPECT_FALSE(IsMassDeletion(21, 105)) << "exactly a fifth";
    EXPECT_FALSE(IsMassDeletion(2, 5));

    const auto library = Side({{L"a", L"1"}, {L"b", L"1"}, {L"c", L"1"}});
    const SyncState base = PlanSync(nullptr, library, library, kNoneOnly, kNoneOnly).state;
    const SyncPlan emptied = PlanSync(&base, library, {}, kNoneOnly, kNoneOnly);
    EXPECT_EQ(L"This sync would delete all 3 notes of the database.", S(DescribeMassDeletion(emptied, 3, 0)));
    EXPECT_TRUE(DescribeMassDeletion(PlanSync(nullptr, library, {}, kNoneOnly, kNoneOnly), 3, 0).IsEmpty())
        << "a first sync deletes nothing";
    EXPECT_EQ(0, DescribeSync(emptied, {}, 10, L"why").Find(L"first sync (why)"));
}

// The memory keeps each file's listing entry and note through its text,
// with any character in a path, group or title; a memory written before
// files were remembered is still read, and a damaged file line is no memory.
TEST(SyncPlanStory, TheMemoryKeepsEachFilesEntryAndReadsOlderMemories)
{
    SyncState state = PlanSync(nullptr, Side({{L"a", L"1"}}), Side({{L"a", L"1"}}), kNoneOnly, kNoneOnly).state;
    const std::string older = ComposeSyncState(state);
    for (const wchar_t* text : kAwkward) {
        const NoteFileFields note = Note(text, text, L"", text);
        state.files[std::wstring(L"g %\\") + text + L".sql"] = {123456789012LL, 0x01DB2F0011223344ull, text, text, HashNoteTexts(note), 7};
    }
    SyncState read;
    ASSERT_TRUE(ParseSyncState(ComposeSyncState(state), read));
    EXPECT_TRUE(read.notes == state.notes && read.groups == state.groups);
    ASSERT_EQ(state.files.size(), read.files.size());
    for (const auto& file : state.files) {
        auto got = read.files.find(file.first);
        ASSERT_TRUE(got != read.files.end()) << ToUtf8(CString(file.first));
        EXPECT_TRUE(got->second == file.second) << ToUtf8(got->second.title) << " expected " << ToUtf8(file.second.title);
    }
    const std::string text = ComposeSyncState(state);
    EXPECT_EQ(std::string::npos, text.find_first_of("\x80\r")) << "ASCII, one line a file";

    ASSERT_TRUE(ParseSyncState(older, read));
    EXPECT_TRUE(read.files.empty());
    EXPECT_EQ(state.notes, read.notes);
    EXPECT_FALSE(ParseSyncState(older + "f 1 2 3\tno group or title\n", read));
    EXPECT_FALSE(ParseSyncState(older + "f 1 0000000000000002 0000000000000003 0000000000000004\tbad %zz\tg\tt\n", read));
}

// A touched file (time moved, same content) is read again, changes nothing
// and is remembered with its new entry; a file changed in the same second
// as the listing of the sync that read it, its size unchanged, was never
// remembered by that entry, so the next sync reads it and takes the change.
TEST(SyncPlanStory, AFileIsTakenUnreadOnlyWhileItsEntryHasNotMoved)
{
    const unsigned long long second = 10000000ULL, listedAt = 0x01DB2F0000000000ull;
    const auto note = Side({{L"a", L"1"}});
    SyncFileEntry remembered{40, listedAt - 60 * second, L"", L"a", note[0].texts, 0};
    EXPECT_TRUE(IsSettledWrite(remembered.writeTime, listedAt));
    EXPECT_TRUE(MatchesListing(remembered, 40, remembered.writeTime));

    EXPECT_FALSE(MatchesListing(remembered, 40, remembered.writeTime + 1)) << "touched: read again";
    const SyncState base = PlanSync(nullptr, note, note, kNoneOnly, kNoneOnly).state;
    const SyncPlan touched = PlanSync(&base, note, note, kNoneOnly, kNoneOnly);
    EXPECT_TRUE(touched.files.empty() && touched.notes.empty()) << "same content: nothing to write";
    EXPECT_FALSE(MatchesListing(remembered, 41, remembered.writeTime)) << "a new size is read";

    for (unsigned long long early : {0ull, second / 2, second, 2 * second}) {
        EXPECT_FALSE(IsSettledWrite(listedAt - early, listedAt)) << "written " << early << " before the listing: racy";
    }
    EXPECT_FALSE(IsSettledWrite(listedAt + second, listedAt)) << "a clock ahead of the listing";
    EXPECT_FALSE(IsSettledWrite(0, listedAt)) << "a volume that gives no time";
    EXPECT_FALSE(MatchesListing(SyncFileEntry{40, 0, L"", L"a", note[0].texts, 0}, 40, 0));
    // Changed in the same second: racy, not remembered, so read; its new texts reach the database.
    const auto changed = Side({{L"a", L"2"}});
    const SyncPlan racy = PlanSync(&base, note, changed, kNoneOnly, kNoneOnly);
    ASSERT_EQ(1u, racy.notes.size());
    EXPECT_EQ(SyncAction::Change, racy.notes[0].action);
}

} // namespace
