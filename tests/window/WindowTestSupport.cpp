// The test folder, text helpers and the WM_SETREDRAW recorder.
#include "tests/window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include "tests/support/DialogHarness.h"
#include "tests/window/NoteFiles.h"

#include <commctrl.h>

#include <mutex>

namespace windowtest {

namespace {

std::mutex g_eventsLock;
std::vector<RedrawRecorder::Event> g_events;
HWND g_list = nullptr;

LRESULT CALLBACK WatchSentMessages(int code, WPARAM sentByThread, LPARAM param)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(param);
    if (code == HC_ACTION && sent->hwnd == g_list && sent->message == WM_SETREDRAW) {
        RedrawRecorder::Event event;
        event.redraw = sent->wParam != 0;
        event.rows = static_cast<int>(::SendMessageW(g_list, LVM_GETITEMCOUNT, 0, 0));
        std::lock_guard<std::mutex> lock(g_eventsLock);
        g_events.push_back(event);
    }
    return ::CallNextHookEx(nullptr, code, sentByThread, param);
}

} // namespace

const storetest::TestFolder& Folder()
{
    static storetest::TestFolder folder(L"quillbox dialog");
    return folder;
}

std::wstring FileIn(const wchar_t* name) { return Folder().File(name); }

void ExpectOpened(const dialogdriver::CommandResult& result)
{
    EXPECT_TRUE(result.fileDialogShown);
    EXPECT_TRUE(result.boxes.empty()) << dialogdriver::Describe(result.boxes);
}

void ExecuteOnOpenedFile(dialogdriver::Host& host, const std::wstring& path, const std::function<void(HWND dialog)>& story)
{
    harness::Execute(host, [&](HWND dialog) {
        ExpectOpened(dialogdriver::OpenFile(dialog, path));
        story(dialog);
    });
}

void ExecuteOnOpenedFile(const std::wstring& path, const std::function<void(HWND dialog)>& story)
{
    dialogdriver::Host host;
    ExecuteOnOpenedFile(host, path, story);
}

std::vector<std::wstring> Search(HWND dialog, const std::wstring& text)
{
    const dialogdriver::Boxes boxes = dialogdriver::Find(dialog, text);
    EXPECT_TRUE(boxes.empty()) << "searching \"" << Narrow(text) << "\": " << dialogdriver::Describe(boxes);
    return dialogdriver::RowNames(dialog);
}

std::string Join(const std::vector<std::wstring>& texts)
{
    std::string out;
    for (const std::wstring& text : texts) out += (out.empty() ? "" : ", ") + Narrow(text);
    return "[" + out + "]";
}

RedrawRecorder::RedrawRecorder(HWND dialog)
{
    g_list = ::GetDlgItem(dialog, IDC_NOTE_LIST);
    Take();
    m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &WatchSentMessages, nullptr, ::GetWindowThreadProcessId(dialog, nullptr));
}

RedrawRecorder::~RedrawRecorder()
{
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
    g_list = nullptr;
}

std::vector<RedrawRecorder::Event> RedrawRecorder::Take()
{
    std::lock_guard<std::mutex> lock(g_eventsLock);
    std::vector<Event> events;
    events.swap(g_events);
    return events;
}

std::string RedrawRecorder::Describe(const std::vector<Event>& events)
{
    std::string out;
    for (const Event& e : events) out += (out.empty() ? "" : " ") + std::string(e.redraw ? "on@" : "off@") + std::to_string(e.rows);
    return out;
}

std::wstring MakeSample(const wchar_t* name)
{
    const std::wstring path = FileIn(name);
    const std::wstring error = notefiles::MakeNoteDatabase(path, notefiles::SampleStatements());
    EXPECT_EQ(L"", error) << Narrow(error);
    return path;
}

const std::vector<std::wstring>& SampleCatalogue()
{
    static const std::vector<std::wstring> catalogue = {L"alpha top", L"zeta top", L"Work", L"Admin"};
    return catalogue;
}

} // namespace windowtest
