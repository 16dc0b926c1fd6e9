// The second host process: started by the tests, driven by its steps.
#include "tests/window/HostProcess.h"

#include <windows.h>

#include <cstdio>
#include <sstream>

#include "tests/support/DialogDriver.h"
#include "tests/support/DialogHarness.h"
#include "tests/window/WindowTestSupport.h"

namespace hostprocess {

namespace {

const wchar_t kSessionSwitch[] = L"--host-session";
constexpr DWORD kSessionTimeoutMs = 180000;

std::wstring OwnPath()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring WithBoxes(const std::wstring& verb, const std::vector<dialogdriver::SeenBox>& boxes)
{
    std::wstring line = verb;
    for (const dialogdriver::SeenBox& box : boxes) line += L"\t" + box.text;
    return line;
}

std::wstring Joined(const std::wstring& verb, const std::vector<std::wstring>& fields)
{
    std::wstring line = verb;
    for (const std::wstring& field : fields) line += L"\t" + field;
    return line;
}

std::wstring RunStep(HWND dialog, const std::wstring& step)
{
    using namespace dialogdriver;
    const size_t equals = step.find(L'=');
    const std::wstring verb = step.substr(0, equals);
    const std::wstring argument = equals == std::wstring::npos ? std::wstring() : step.substr(equals + 1);
    if (verb == L"open") return WithBoxes(verb, OpenFile(dialog, argument).boxes);
    if (verb == L"new") return WithBoxes(verb, NewFile(dialog, argument).boxes);
    if (verb == L"recent") return WithBoxes(verb, ChooseRecentFile(dialog, std::stoi(argument)));
    if (verb == L"options") {
        HWND sheet = OpenOptions(dialog);
        if (!sheet) return L"options\tno sheet";
        const std::wstring shown = ChosenShowPage(sheet);
        const int choice = std::stoi(argument);
        if (choice >= 0) ChooseShowPage(sheet, choice);
        CloseOptions(dialog, sheet, IDOK);
        return L"options\t" + shown;
    }
    if (verb == L"tab") {
        SelectTab(dialog, std::stoi(argument));
        return L"tab\t" + CurrentTab(dialog);
    }
    if (verb == L"show") {
        const std::vector<SeenBox> boxes = DoubleClickRow(dialog, FindRow(dialog, argument));
        return WithBoxes(L"show\t" + CurrentTab(dialog), boxes);
    }
    if (verb == L"menu") return Joined(verb, RecentFileEntries(dialog));
    if (verb == L"rows") return Joined(verb, RowNames(dialog));
    return L"unknown step " + step;
}

std::string Utf8(const std::wstring& text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    if (size > 0) ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

std::wstring Wide(const std::string& text)
{
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    if (size > 0) ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size);
    return out;
}

std::wstring Quoted(const std::wstring& argument) { return L"\"" + argument + L"\""; }

} // namespace

std::vector<std::wstring> Fields(const std::wstring& line)
{
    std::vector<std::wstring> fields;
    std::wstringstream in(line);
    std::wstring field;
    while (std::getline(in, field, L'\t')) fields.push_back(field);
    return fields;
}

std::vector<std::wstring> Run(const std::vector<std::wstring>& steps)
{
    static int sessions = 0;
    const std::wstring output = windowtest::FileIn((L"host session " + std::to_wstring(++sessions) + L".txt").c_str());
    ::DeleteFileW(output.c_str());
    std::wstring commandLine = Quoted(OwnPath()) + L" " + kSessionSwitch + L" " + Quoted(output);
    for (const std::wstring& step : steps) commandLine += L" " + Quoted(step);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return {L"failed to start: error " + std::to_wstring(::GetLastError())};
    ::CloseHandle(process.hThread);
    const bool ended = ::WaitForSingleObject(process.hProcess, kSessionTimeoutMs) == WAIT_OBJECT_0;
    if (!ended) ::TerminateProcess(process.hProcess, 1);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hProcess);
    if (!ended) return {L"failed: the host process did not end"};

    std::vector<std::wstring> lines;
    if (FILE* in = _wfopen(output.c_str(), L"rb")) {
        std::string all;
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) all.append(buffer, got);
        std::fclose(in);
        std::stringstream text(all);
        std::string line;
        while (std::getline(text, line)) lines.push_back(Wide(line));
    }
    if (exitCode != 0) lines.insert(lines.begin(), L"failed: exit code " + std::to_wstring(exitCode));
    return lines;
}

bool RunSessionIfAsked(int argc, wchar_t** argv, int& exitCode)
{
    if (argc < 3 || std::wstring(argv[1]) != kSessionSwitch) return false;
    std::vector<std::wstring> lines;
    bool dialogShown = false;
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        dialogShown = true;
        for (int index = 3; index < argc; ++index) lines.push_back(RunStep(dialog, argv[index]));
    });
    FILE* out = _wfopen(argv[2], L"wb");
    if (out) {
        for (std::wstring line : lines) {
            for (wchar_t& c : line) c = (c == L'\n' || c == L'\r') ? L' ' : c;
            std::fputs((Utf8(line) + "\n").c_str(), out);
        }
        std::fclose(out);
    }
    exitCode = dialogShown && out ? 0 : 2;
    return true;
}

} // namespace hostprocess
