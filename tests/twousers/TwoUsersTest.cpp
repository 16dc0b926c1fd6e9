// Two users on one note database: this program runs one Quillbox dialog
// (user A, through the host contract) and QuillboxPeer.exe the other (user B,
// its own process and dialog) or a plain ODBC reader that keeps a SELECT
// half-fetched. What one saves the other sees at its next load; a save that
// meets a reader waits for it a bounded time and then either goes through or
// says the file is locked; no note is lost or doubled. The files stay in the
// exchange folder, where qb-note-check (TwoUsersFileCheck) reads them with
// plain SQLite afterwards: integrity_check and the exact notes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "tests/store/StoreTestSupport.h"
#include "tests/twousers/PeerProcess.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogHarness.h"
#include "tests/window/NoteFiles.h"
#include "tests/window/WindowTestSupport.h"

namespace {

using namespace dialogdriver;
using dialogdriver::Describe;
using windowtest::Join;
using windowtest::Narrow;
using Names = std::vector<std::wstring>;

// The sample's notes by id, as MakeSample writes them.
const Names kSampleNotes = {L"zeta top", L"alpha top", L"report b", L"Report a", L"users"};

std::wstring ExchangeFolder()
{
    static const std::wstring folder = [] {
        const std::wstring path = storetest::WindowsPathOf(QB_TWOUSERS_EXCHANGE);
        storetest::RemoveFolderTree(path);
        ::CreateDirectoryW(path.c_str(), nullptr);
        return path;
    }();
    return folder;
}

// The notes each file must hold at the end, for qb-note-check.
std::vector<std::pair<std::wstring, Names>>& Expected()
{
    static std::vector<std::pair<std::wstring, Names>> expected;
    return expected;
}

void Expect(const std::wstring& name, const Names& notes)
{
    Expected().emplace_back(name, notes);
    std::ofstream out(Narrow(ExchangeFolder() + L"\\expected.txt").c_str(), std::ios::binary);
    for (const auto& file : Expected()) {
        std::string line = Narrow(file.first) + "\t";
        for (size_t i = 0; i < file.second.size(); ++i) line += (i ? "|" : "") + Narrow(file.second[i]);
        out << line << "\n";
    }
}

std::wstring SharedPath(const wchar_t* name) { return ExchangeFolder() + L"\\" + name; }

std::wstring MakeShared(const wchar_t* name)
{
    const std::wstring path = SharedPath(name);
    const std::wstring error = notefiles::MakeNoteDatabase(path, notefiles::SampleStatements());
    EXPECT_EQ(L"", error) << Narrow(error);
    return path;
}

Names NotesInFile(const std::wstring& path) { return notefiles::Rows(path, L"SELECT name FROM notes ORDER BY id"); }

// The shared file `name` holds the sample's notes and then `added`, in
// order, and qb-note-check is told to find them there.
void ExpectSampleNotesAnd(const wchar_t* name, const Names& added)
{
    Names expected = kSampleNotes;
    expected.insert(expected.end(), added.begin(), added.end());
    EXPECT_EQ(expected, NotesInFile(SharedPath(name))) << "the notes in " << Narrow(name);
    Expect(name, expected);
}

// How often `name` is among `names`.
long CountOf(const Names& names, const std::wstring& name) { return std::count(names.begin(), names.end(), name); }

const wchar_t kLockedText[] = L"is locked by another program or user, and it was still locked after 3 seconds of waiting. Nothing was changed";

TEST(TwoUsers, WhatOneSavesTheOtherSeesAtItsNextLoad)
{
    const std::wstring path = MakeShared(L"shared.mdb");
    CPeerProcess peer(true);
    ASSERT_TRUE(peer.IsReady());
    ASSERT_EQ(L"ok", peer.Ask(L"open " + path));
    const Names before = AnswerTexts(peer.Ask(L"rows"));
    ASSERT_EQ(windowtest::SampleCatalogue(), before);

    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(OpenFile(dialog, path).boxes.empty());
        ASSERT_EQ(windowtest::SampleCatalogue(), RowNames(dialog));

        // A saves; B's list is what it loaded until B loads again.
        const std::vector<SeenBox> saved = SaveNewNote(dialog, L"from A");
        EXPECT_TRUE(saved.empty()) << Describe(saved);
        EXPECT_EQ(before, AnswerTexts(peer.Ask(L"rows"))) << "B has not loaded since";
        const Names peerAfter = AnswerTexts(peer.Ask(L"find "));
        EXPECT_GT(CountOf(peerAfter, L"from A"), 0L) << Join(peerAfter);

        // B saves; A sees it after Find with an empty box.
        EXPECT_EQ(L"ok saved", peer.Ask(L"save from B"));
        EXPECT_EQ(0L, CountOf(RowNames(dialog), L"from B"));
        const Names mine = windowtest::Search(dialog, L"");
        EXPECT_GT(CountOf(mine, L"from B"), 0L) << Join(mine);
        EXPECT_EQ(mine, AnswerTexts(peer.Ask(L"find "))) << "both users list the same catalogue";

        // Searching also reads what the other saved.
        EXPECT_TRUE(Find(dialog, L"from").empty());
        EXPECT_EQ((Names{L"from A", L"from B"}), RowNames(dialog));
    });
    EXPECT_EQ(L"ok", peer.Ask(L"exit"));
    ExpectSampleNotesAnd(L"shared.mdb", {L"from A", L"from B"});
}

TEST(TwoUsers, ASaveWaitsForAReaderThatFinishesWithinTheWait)
{
    const std::wstring path = MakeShared(L"reader finishes.mdb");
    CPeerProcess reader(false);
    ASSERT_TRUE(reader.IsReady());
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(OpenFile(dialog, path).boxes.empty());
        ASSERT_EQ(L"ok holding 1", reader.Ask(L"hold-read " + path)) << "the reader is in the middle of its rows";

        TypeNewNote(dialog, {L"waited for the reader", L"", L"SELECT 'waited'", 0});
        PostClick(FindPages(dialog).edit, IDC_EDIT_SAVE);
        // The save cannot commit while the reader holds its shared lock: the
        // dialog waits inside the handler. The reader then finishes.
        const bool sawWait = BecomesBusy(dialog);
        EXPECT_EQ(L"ok released", reader.Ask(L"release"));
        const std::vector<SeenBox> boxes = AnswerBoxes(dialog);
        EXPECT_TRUE(sawWait) << "the save did not wait for the reader";
        EXPECT_TRUE(boxes.empty()) << "the reader finished within the wait: " << Describe(boxes);
        EXPECT_GT(CountOf(windowtest::Search(dialog, L""), L"waited for the reader"), 0L);
    });
    ExpectSampleNotesAnd(L"reader finishes.mdb", {L"waited for the reader"});
}

TEST(TwoUsers, ASaveGivesUpWithTheLockedMessageWhileAReaderHoldsOnAndSucceedsLater)
{
    const std::wstring path = MakeShared(L"reader holds.mdb");
    const std::string bytes = storetest::ReadFileBytes(path);
    CPeerProcess reader(false);
    ASSERT_TRUE(reader.IsReady());
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(OpenFile(dialog, path).boxes.empty());
        ASSERT_EQ(L"ok holding 1", reader.Ask(L"hold-read " + path));

        const std::vector<SeenBox> refused = SaveNewNote(dialog, L"saved after the reader");
        ASSERT_EQ(1u, refused.size()) << Describe(refused);
        EXPECT_NE(std::wstring::npos, refused[0].text.find(kLockedText)) << Narrow(refused[0].text);
        EXPECT_NE(std::wstring::npos, refused[0].text.find(path)) << "the message names the file: " << Narrow(refused[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), refused[0].icon) << "a failed change is an error";
        EXPECT_EQ(bytes, storetest::ReadFileBytes(path)) << "nothing of the refused save reached the file";

        // The Edit page kept the note: once the reader is done, Save stores it, once.
        EXPECT_EQ(L"ok released", reader.Ask(L"release"));
        PostClick(FindPages(dialog).edit, IDC_EDIT_SAVE);
        const std::vector<SeenBox> later = AnswerBoxes(dialog);
        EXPECT_TRUE(later.empty()) << Describe(later);
        EXPECT_EQ(1L, CountOf(windowtest::Search(dialog, L""), L"saved after the reader"));
    });
    ExpectSampleNotesAnd(L"reader holds.mdb", {L"saved after the reader"});
}

// Both users press Save while a third program is in the middle of a write
// transaction: each save waits for it, and both read the same next note
// number before either could insert. The one that inserts second takes the
// next free number instead of telling its user about a number they never
// chose: both notes are saved, each exactly once, without a message.
TEST(TwoUsers, BothSaveWhileAThirdProgramWritesAndNoNoteIsLost)
{
    const std::wstring path = MakeShared(L"both save.mdb");
    CPeerProcess peer(true);
    CPeerProcess writer(false);
    ASSERT_TRUE(peer.IsReady() && writer.IsReady());
    ASSERT_EQ(L"ok", peer.Ask(L"open " + path));
    std::wstring peerAnswer;
    std::vector<SeenBox> mine;
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(OpenFile(dialog, path).boxes.empty());
        ASSERT_EQ(L"ok writing", writer.Ask(L"begin-write " + path));

        TypeNewNote(dialog, {L"A at once", L"", L"SELECT 'A'", 0});
        PostClick(FindPages(dialog).edit, IDC_EDIT_SAVE);
        const bool aWaits = BecomesBusy(dialog);
        peer.Send(L"save B at once");
        ::Sleep(500);
        EXPECT_EQ(L"ok released", writer.Ask(L"release"));
        mine = AnswerBoxes(dialog);
        peerAnswer = peer.Reply();
        std::printf("A waited: %s; A was told: %s; B was told: %s\n", aWaits ? "yes" : "no", Describe(mine).c_str(), Narrow(peerAnswer).c_str());
        EXPECT_TRUE(aWaits) << "A's save did not wait for the writer";
        EXPECT_TRUE(mine.empty()) << Describe(mine);
        EXPECT_EQ(L"ok saved", peerAnswer);
        const Names listed = windowtest::Search(dialog, L"");
        EXPECT_TRUE(CountOf(listed, L"A at once") > 0 && CountOf(listed, L"B at once") > 0) << Join(listed);
    });
    EXPECT_EQ(L"ok", peer.Ask(L"exit"));
    const Names notes = NotesInFile(path);
    EXPECT_EQ(1L, CountOf(notes, L"A at once")) << Join(notes);
    EXPECT_EQ(1L, CountOf(notes, L"B at once")) << Join(notes);
    EXPECT_EQ(kSampleNotes.size() + 2, notes.size()) << Join(notes);
    Expect(L"both save.mdb", notes);
}

} // namespace
