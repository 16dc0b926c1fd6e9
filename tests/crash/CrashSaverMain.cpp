// QuillboxCrashSaver.exe: the user whose host is killed. Loads Quillbox.dll
// as a host does, opens a note database through File Open and saves new
// notes through the Edit page, one after another, until it is killed or has
// saved --notes of them. Its log says what the checker may expect:
//   open                                    the database is open
//   try <i> <title> <comments> <query> <g>  Save is about to be pressed (texts as
//                                           the Edit page holds them, UTF-8 in hex)
//   saved <i>                               Save returned and no message came up
//   error <i> <message>                     a message came up instead; the run stops
//
//   QuillboxCrashSaver.exe --db=<Windows path> --log=<Windows path> --seed=<n> [--notes=<n>]
#include "bench/CommandLineOption.h"
#include "bench/DialogDriver.h"
#include "bench/HostedDialog.h"
#include "bench/UiAgent.h"
#include "tests/crash/AppendLog.h"
#include "tests/crash/CrashNote.h"

#include <cstdio>
#include <cwchar>
#include <exception>
#include <string>

namespace {

struct SaverOptions {
    std::wstring database;
    std::wstring log;
    unsigned seed = 0;
    int notes = 100000;
};

bool ParseArguments(int argc, wchar_t** argv, SaverOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring value;
        if (ParseOption(argv[i], L"--db", options.database)) continue;
        if (ParseOption(argv[i], L"--log", options.log)) continue;
        if (ParseOption(argv[i], L"--seed", value)) { options.seed = static_cast<unsigned>(std::stoul(value)); continue; }
        if (ParseOption(argv[i], L"--notes", value)) { options.notes = std::stoi(value); continue; }
        return false;
    }
    return !options.database.empty() && !options.log.empty() && options.notes > 0;
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += c >= 32 && c < 127 ? static_cast<char>(c) : ' ';
    return out;
}

// The script: open, then save notes until killed. False when something came up that should not have.
bool SaveNotes(HWND dialog, CUiAgent& agent, const SaverOptions& options, CAppendLog& log)
{
    CDialogDriver driver(dialog, agent);
    driver.Open(options.database);
    if (const std::wstring message = driver.OpenMessageBoxText(); !message.empty()) {
        log.Append("error -1 " + Narrow(message));
        return false;
    }
    const int groups = driver.GroupChoiceCount();
    double timeInSave = 0, timeInAll = 0;
    if (groups <= 0 || !log.Append("open")) return false;
    for (int i = 0; i < options.notes; ++i) {
        const DWORD start = ::GetTickCount();
        const CrashNote made = MakeCrashNote(options.seed, i);
        driver.FillNewNote(NewNote{made.title, made.comments, made.query, 0}, i % groups);
        const NewNote typed = driver.EditPageNote();
        const std::string index = std::to_string(i);
        if (!log.Append("try " + index + " " + HexUtf8(typed.title) + " " + HexUtf8(typed.comments) + " " +
                        HexUtf8(typed.query) + " " + std::to_string(typed.groupId))) {
            return false;
        }
        const double saveMs = driver.ClickSave();
        if (const std::wstring message = driver.OpenMessageBoxText(); !message.empty()) {
            log.Append("error " + index + " " + Narrow(message));
            return false;
        }
        if (!log.Append("saved " + index)) return false;
        timeInSave += saveMs;
        timeInAll += ::GetTickCount() - start;
    }
    std::printf("QuillboxCrashSaver: %d notes saved, %.0f ms of %.0f in Save\n", options.notes, timeInSave, timeInAll);
    driver.Exit();
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    SaverOptions options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: QuillboxCrashSaver --db=<path> --log=<path> --seed=<n> [--notes=<n>]\n");
        return 2;
    }
    CAppendLog log(options.log);
    if (!log.IsOpen()) {
        std::fprintf(stderr, "QuillboxCrashSaver: cannot open the log %ls\n", options.log.c_str());
        return 1;
    }
    CUiAgent agent;
    bool saved = false;
    std::string error;
    const bool ran = RunHostedDialog(agent, [&](HWND dialog) {
        try {
            saved = SaveNotes(dialog, agent, options, log);
        } catch (const std::exception& e) {
            error = e.what();
        }
        // File, Exit; should a message box hold the dialog, the run's kill ends the process.
        if (!saved) ::PostMessageW(dialog, WM_COMMAND, 32774, 0);
    }, error);
    if (!error.empty()) std::fprintf(stderr, "QuillboxCrashSaver: %s\n", error.c_str());
    return ran && saved ? 0 : 1;
}
