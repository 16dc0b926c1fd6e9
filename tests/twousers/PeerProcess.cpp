// CPeerProcess: the peer's process, its pipes and the thread reading its answers.
#include "tests/twousers/PeerProcess.h"
#include "tests/support/WideText.h"

#include <algorithm>
#include <chrono>

namespace {

std::wstring PeerPath()
{
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"QuillboxPeer.exe";
}

} // namespace

std::vector<std::wstring> AnswerTexts(const std::wstring& answer)
{
    if (answer.rfind(L"ok", 0) != 0) return {L"(not ok) " + answer};
    std::vector<std::wstring> texts;
    for (size_t start = 3; start < answer.size();) {
        const size_t bar = std::min(answer.find(L'|', start), answer.size());
        texts.push_back(answer.substr(start, bar - start));
        start = bar + 1;
    }
    return texts;
}

CPeerProcess::CPeerProcess(bool withDialog)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE peerIn = nullptr, peerOut = nullptr;
    if (!::CreatePipe(&peerIn, &m_toPeer, &inherit, 0) || !::CreatePipe(&m_fromPeer, &peerOut, &inherit, 0)) return;
    ::SetHandleInformation(m_toPeer, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(m_fromPeer, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = peerIn;
    startup.hStdOutput = peerOut;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    std::wstring command = L"\"" + PeerPath() + L"\"" + (withDialog ? L" --dialog" : L"");
    PROCESS_INFORMATION info = {};
    if (::CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
        m_process = info.hProcess;
        ::CloseHandle(info.hThread);
    }
    ::CloseHandle(peerIn);
    ::CloseHandle(peerOut);
    if (!m_process) return;
    m_reader = std::thread([this] { ReadLines(); });
    m_ready = Reply(60000) == L"ok ready";
}

CPeerProcess::~CPeerProcess()
{
    if (m_process) {
        Send(L"quit");
        if (::WaitForSingleObject(m_process, 30000) != WAIT_OBJECT_0) ::TerminateProcess(m_process, 1);
    }
    if (m_toPeer) ::CloseHandle(m_toPeer);
    if (m_reader.joinable()) m_reader.join();
    if (m_fromPeer) ::CloseHandle(m_fromPeer);
    if (m_process) ::CloseHandle(m_process);
}

void CPeerProcess::ReadLines()
{
    std::string pending;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(m_fromPeer, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        pending.append(buffer, got);
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::lock_guard<std::mutex> guard(m_lock);
            m_lines.push_back(Wide(line));
            m_arrived.notify_all();
        }
    }
}

void CPeerProcess::Send(const std::wstring& command)
{
    if (!m_toPeer) return;
    const std::string line = Utf8(command) + "\n";
    DWORD written = 0;
    ::WriteFile(m_toPeer, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::wstring CPeerProcess::Reply(DWORD timeoutMs)
{
    std::unique_lock<std::mutex> guard(m_lock);
    if (!m_arrived.wait_for(guard, std::chrono::milliseconds(timeoutMs), [this] { return !m_lines.empty(); })) return L"timeout";
    std::wstring line = m_lines.front();
    m_lines.pop_front();
    return line;
}

std::wstring CPeerProcess::Ask(const std::wstring& command, DWORD timeoutMs)
{
    Send(command);
    return Reply(timeoutMs);
}
